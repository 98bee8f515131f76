// Little-endian numbers for the work file. A record or chunk body is
// assembled in memory and written with one fwrite, so the length written
// before a body is always the size of the bytes that follow it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vek {

class LeBytes {
public:
    LeBytes &u8(uint32_t value) {
        bytes_.push_back(static_cast<char>(value & 0xFF));
        return *this;
    }
    LeBytes &u16(uint32_t value) { return u8(value).u8(value >> 8); }
    LeBytes &u24(uint32_t value) { return u16(value).u8(value >> 16); }
    LeBytes &u32(uint32_t value) { return u16(value).u16(value >> 16); }
    LeBytes &u8s(std::initializer_list<uint8_t> values) {
        for (uint8_t v : values) u8(v);
        return *this;
    }
    LeBytes &zeros(size_t count) {
        bytes_.append(count, '\0');
        return *this;
    }
    LeBytes &text(std::string_view s) {
        bytes_.append(s);
        return *this;
    }

    size_t size() const { return bytes_.size(); }
    const std::string &bytes() const { return bytes_; }
    void clear() { bytes_.clear(); }

    // Returns the bytes written.
    size_t writeTo(std::FILE *out) const {
        return bytes_.empty() ? 0 : std::fwrite(bytes_.data(), 1, bytes_.size(), out);
    }

private:
    std::string bytes_;
};

// One little-endian 32-bit number; returns the bytes written.
inline size_t writeLe32(std::FILE *out, uint32_t value) {
    return LeBytes().u32(value).writeTo(out);
}

}  // namespace vek
