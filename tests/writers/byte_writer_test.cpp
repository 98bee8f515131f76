// Big-endian numbers and variable-length quantities of the MIDI file.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "writers/byte_writer.h"

namespace vek {
namespace {

using namespace std::string_literals;

// Bytes written by `write`, and its returned count.
std::pair<std::string, size_t> capture(const std::function<size_t(std::FILE *)> &write) {
    std::FILE *f = std::tmpfile();
    const size_t count = write(f);
    std::rewind(f);
    std::string bytes;
    for (int c; (c = std::fgetc(f)) != EOF;) bytes += static_cast<char>(c);
    std::fclose(f);
    return {bytes, count};
}

TEST(ByteWriter, VariableLengthQuantities) {
    struct Case {
        int32_t value;
        std::string bytes;
    };
    const Case cases[] = {
        {0, "\x00"s},
        {0x7F, "\x7F"s},
        {0x80, "\x81\x00"s},
        {0x2000, "\xC0\x00"s},
        {0x3FFF, "\xFF\x7F"s},
        {0x4000, "\x81\x80\x00"s},
        {0x1FFFFF, "\xFF\xFF\x7F"s},
        {0x200000, "\x81\x80\x80\x00"s},
        {0x0FFFFFFF, "\xFF\xFF\xFF\x7F"s},
        {0x10000000, "\x81\x80\x80\x80\x00"s},
        {-1, "\x7F"s},    // negative: the low 7 bits in one byte
        {-200, "\x38"s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        const std::string &want = c.bytes;
        const auto [bytes, count] = capture([&](std::FILE *f) { return writeVarLen(f, c.value); });
        EXPECT_EQ(bytes, want);
        EXPECT_EQ(count, want.size());
        EXPECT_EQ(varLenSize(c.value), want.size());
    }
}

TEST(ByteWriter, BigEndianNumbers) {
    auto [b16, n16] = capture([](std::FILE *f) { return write16(f, 0x1234); });
    EXPECT_EQ(b16, "\x12\x34");
    EXPECT_EQ(n16, 2u);
    auto [b32, n32] = capture([](std::FILE *f) { return write32(f, 0x89ABCDEF); });
    EXPECT_EQ(b32, "\x89\xAB\xCD\xEF");
    EXPECT_EQ(n32, 4u);
}

}  // namespace
}  // namespace vek
