// The body of one MIDI chunk, built in memory: its length is known before
// the chunk goes out, so the file is written front to back with no seek,
// and a whole track costs one fwrite instead of one per event.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "writers/byte_writer.h"

namespace vek {

class ChunkBody {
public:
    // Past the bytes in use there are always this many writable ones, so a
    // short event can be stored as one 8-byte copy and then counted.
    static constexpr size_t kSlack = 8;

    ChunkBody() : bytes_(kInitialBytes) {}

    size_t size() const { return used_; }
    const uint8_t *data() const { return bytes_.data(); }
    void clear() { used_ = 0; }

    // The next kSlack bytes, for a store that commit() then counts.
    uint8_t *tail() {
        if (bytes_.size() - used_ < kSlack) grow(kSlack);
        return bytes_.data() + used_;
    }
    void commit(size_t n) { used_ += n; }

    void byte(uint8_t value) {
        *tail() = value;
        ++used_;
    }
    void varLen(int32_t value) { commit(encodeVarLen(value, tail())); }
    void bytes(std::string_view s) {
        if (bytes_.size() - used_ < s.size() + kSlack) grow(s.size() + kSlack);
        if (!s.empty()) std::memcpy(bytes_.data() + used_, s.data(), s.size());
        used_ += s.size();
    }

private:
    static constexpr size_t kInitialBytes = 64 * 1024;

    void grow(size_t atLeast) { bytes_.resize(2 * bytes_.size() + atLeast); }

    std::vector<uint8_t> bytes_;
    size_t used_ = 0;
};

}  // namespace vek
