#include "writers/byte_writer.h"

namespace vek {

size_t write16(std::FILE *out, uint32_t value) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    return writeBytes(out, bytes, sizeof bytes);
}

size_t write32(std::FILE *out, uint32_t value) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                              static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    return writeBytes(out, bytes, sizeof bytes);
}

size_t varLenSize(int32_t value) {
    if (value < 0) return 1;
    size_t size = 1;
    for (uint32_t rest = static_cast<uint32_t>(value) >> 7; rest != 0; rest >>= 7) ++size;
    return size;
}

size_t encodeVarLen(int32_t value, uint8_t *bytes) {
    if (value < 0) {
        bytes[0] = static_cast<uint8_t>(value & 0x7F);
        return 1;
    }
    const size_t size = varLenSize(value);
    uint32_t rest = static_cast<uint32_t>(value);
    for (size_t i = size; i-- > 0; rest >>= 7)
        bytes[i] = static_cast<uint8_t>((rest & 0x7F) | (i + 1 == size ? 0 : 0x80));
    return size;
}

size_t writeVarLen(std::FILE *out, int32_t value) {
    uint8_t bytes[5];
    return writeBytes(out, bytes, encodeVarLen(value, bytes));
}

}  // namespace vek
