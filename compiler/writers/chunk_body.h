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

    ChunkBody() : bytes_(kInitialBytes) { clear(); }
    ChunkBody(const ChunkBody &) = delete;  // holds pointers into itself
    ChunkBody &operator=(const ChunkBody &) = delete;

    size_t size() const { return static_cast<size_t>(at_ - bytes_.data()); }
    const uint8_t *data() const { return bytes_.data(); }
    void clear() { moveTo(0); }

    // The next kSlack bytes, for a store that commit() then counts, or
    // commitTo() ends (at most kSlack bytes past tail()).
    uint8_t *tail() {
        if (room() < kSlack) grow(kSlack);
        return at_;
    }
    void commit(size_t n) { at_ += n; }
    void commitTo(uint8_t *end) { at_ = end; }

    void byte(uint8_t value) {
        *tail() = value;
        ++at_;
    }
    void varLen(int32_t value) { commit(encodeVarLen(value, tail())); }
    void bytes(std::string_view s) {
        if (room() < s.size() + kSlack) grow(s.size() + kSlack);
        if (!s.empty()) std::memcpy(at_, s.data(), s.size());
        at_ += s.size();
    }

private:
    static constexpr size_t kInitialBytes = 64 * 1024;

    size_t room() const { return static_cast<size_t>(end_ - at_); }
    void moveTo(size_t used) {
        at_ = bytes_.data() + used;
        end_ = bytes_.data() + bytes_.size();
    }
    void grow(size_t atLeast) {
        const size_t used = size();
        bytes_.resize(2 * bytes_.size() + atLeast);
        moveTo(used);
    }

    std::vector<uint8_t> bytes_;
    uint8_t *at_ = nullptr;     // the first free byte
    uint8_t *end_ = nullptr;
};

}  // namespace vek
