// The byte list of a sysex definition, read directly from a source text
// that holds the body (the text after the opening bracket).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "events/song_context.h"
#include "input/errors.h"
#include "music/sysex_bytes.h"
#include "support/reader_fixture.h"
#include "support/smf_reader.h"

namespace vek {
namespace {

using test::ReaderFixture;

constexpr size_t kNoLimit = 0xFFFF;

std::string readBytes(ReaderFixture &f, size_t limit = kNoLimit) {
    std::vector<uint8_t> bytes;
    ReadSysexBytes(f.cs(), "sx", limit, bytes);
    EXPECT_EQ(f.cs().ch, ']');
    return std::string(bytes.begin(), bytes.end());
}

struct BytesCase {
    const char *body;
    const char *bytes;  // hex, two digits and a blank each
};

class SysexBytes : public testing::TestWithParam<BytesCase> {};

TEST_P(SysexBytes, ReadAsWritten) {
    ReaderFixture f(GetParam().body);
    f.dir().write("data.bin", test::hexBytes("01 02 FF "));
    EXPECT_EQ(readBytes(f), test::hexBytes(GetParam().bytes)) << GetParam().body;
}

INSTANTIATE_TEST_SUITE_P(
    Items, SysexBytes,
    testing::Values(
        // 0x12 + 0x34 = 0x46; 128 - 0x46 = 0x3A.
        BytesCase{"F0 41 10 xs 12 34 xe F7]", "F0 41 10 12 34 3A F7 "},
        BytesCase{"xs $A$ xe]", "41 3F "},                // text counts in the checksum
        BytesCase{"+4 3 5]", "35 "},
        BytesCase{"+4 #1 +1 1 2]", "14 "},  // shifted values add up until one is written
        BytesCase{"$AB$ $C$]", "41 42 24 43 "},
        BytesCase{"$AB$$C$]", "41 42 24 43 "},            // "$$" is a literal dollar sign
        BytesCase{"$a{b},?1 ]$]", "61 7B 62 7D 2C 3F 31 20 5D "},
        BytesCase{"F0 7]", "F0 07 "},
        BytesCase{"f0 a\tb\nc d7 ]", "F0 0A 0B 0C D7 "},
        BytesCase{"123]", "12 03 "},
        BytesCase{"#16 #0 #127 #=5]", "10 00 7F 05 "},
        BytesCase{"#12F7]", "0C F7 "},                    // the number ends where its digits do
        BytesCase{"F0 ' a comment\n F7]", "F0 F7 "},
        BytesCase{"fi data.bin F7]", "01 02 FF F7 "},
        BytesCase{"xs fi data.bin xe]", "01 02 FF 7E "},  // -(1 + 2 + 255) AND 127
        BytesCase{"]", ""}));

TEST(SysexBytesFiles, FoundOnTheIncludePath) {
    ReaderFixture f("F0 fi inc\\data.bin F7]", "lib");
    f.dir().write("lib/inc/data.bin", "xyz");
    EXPECT_EQ(readBytes(f), "\xF0xyz\xF7");
}

TEST(SysexBytesLimit, AByteBeyondTheLimitIsRefused) {
    ReaderFixture fits("F0 01 02]");
    EXPECT_EQ(readBytes(fits, 3), test::hexBytes("F0 01 02 "));
    ReaderFixture over("F0 01 02 03]");
    const SourceError e = over.expectError([&] { readBytes(over, 3); });
    EXPECT_EQ(e.code, kMsgBadSysex);
    EXPECT_EQ(e.position, 12);
    ReaderFixture file("fi big.bin]");
    file.dir().write("big.bin", std::string(4, 'x'));
    EXPECT_EQ(file.expectError([&] { readBytes(file, 3); }).code, kMsgBadSysex);
}

struct ErrorCase {
    const char *body;
    int code;
    const char *message;
    int32_t position;  // just past the last character read
};

class SysexBytesErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(SysexBytesErrors, ReportCodeTextAndPlace) {
    const ErrorCase &c = GetParam();
    ReaderFixture f(c.body);
    f.dir().write("folder/x", "");
    const SourceError e = f.expectError([&] { readBytes(f); });
    EXPECT_EQ(e.code, c.code) << c.body;
    EXPECT_STREQ(e.message, c.message) << c.body;
    EXPECT_EQ(e.position, c.position) << c.body;
}

constexpr const char *kBad = " Bad sysex syntax in sx ";

INSTANTIATE_TEST_SUITE_P(
    Items, SysexBytesErrors,
    testing::Values(
        ErrorCase{"F0 G1]", 27, kBad, 5},
        ErrorCase{"F0 1G]", 27, kBad, 5},
        ErrorCase{"F0 :0]", 27, kBad, 5},          // no digit between 9 and A
        ErrorCase{"F0 {m}]", 27, kBad, 5},         // macro characters are plain here
        ErrorCase{"F0 +x]", 27, kBad, 5},
        ErrorCase{"F0 #x]", 27, kBad, 5},
        ErrorCase{"F0 #128]", 7, " Number out of range ", 8},
        ErrorCase{"F0 $abc", 27, kBad, 7},         // the text is not closed
        ErrorCase{"F0 41", 27, kBad, 5},           // nor the list
        ErrorCase{"F0 +4]", 27, kBad, 6},          // a shift with no value after it
        ErrorCase{"F0 +4 3]", 27, kBad, 8},        // a shifted value never written
        ErrorCase{"F0 fi ]", 27, kBad, 7},
        ErrorCase{"F0 fi nothere.bin]", 31, " Unable to open include file \"nothere.bin\"", 18},
        ErrorCase{"F0 fi folder]", 31, " Unable to open include file \"folder\"", 13}));

}  // namespace
}  // namespace vek
