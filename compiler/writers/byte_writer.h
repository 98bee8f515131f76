// Big-endian numbers and variable-length quantities for the MIDI file.
// Every helper returns the bytes it wrote so that callers can sum chunk
// lengths.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace vek {

inline size_t writeByte(std::FILE *out, uint8_t value) {
    return std::fputc(value, out) == EOF ? 0 : 1;
}

inline size_t writeBytes(std::FILE *out, const void *bytes, size_t count) {
    return count == 0 ? 0 : std::fwrite(bytes, 1, count, out);
}

size_t write16(std::FILE *out, uint32_t value);
size_t write32(std::FILE *out, uint32_t value);

// 7 bits a byte, most significant group first, bit 7 set on all but the
// last byte. A negative value is written as its low 7 bits in one byte.
size_t writeVarLen(std::FILE *out, int32_t value);

// Bytes writeVarLen would write for `value`.
size_t varLenSize(int32_t value);

// Puts the quantity into `bytes` (room for 5) and returns its size.
size_t encodeVarLen(int32_t value, uint8_t *bytes);

}  // namespace vek
