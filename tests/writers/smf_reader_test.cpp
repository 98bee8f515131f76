// The test-side MIDI file decoder must refuse what a real reader would
// stumble over, or the writer tests would pass on broken files.
#include <gtest/gtest.h>

#include <string>

#include "support/smf_reader.h"

namespace vek::test {
namespace {

const std::string kHeader1 = "4D 54 68 64 00 00 00 06 00 01 00 01 00 78 ";

TEST(SmfReader, DecodesAWellFormedFile) {
    const std::string file = hexBytes(kHeader1 + "4D 54 72 6B 00 00 00 0C "
                                      "00 90 3C 40 81 00 3C 00 00 FF 2F 00 ");
    EXPECT_EQ(decodeSmf(file), (std::vector<std::string>{"MThd format 1 tracks 1 division 120",
                                                          "MTrk 0", "0 90 3C 40",
                                                          "128 (90) 3C 00", "128 FF 2F"}));
}

TEST(SmfReader, RejectsMalformedFiles) {
    struct Case {
        const char *what;
        std::string hex;
    };
    const Case cases[] = {
        {"not a MIDI file", "4D 54 68 65 00 00 00 06 00 01 00 00 00 78 "},
        {"header length", "4D 54 68 64 00 00 00 08 00 01 00 00 00 78 00 00 "},
        {"fewer chunks than the header says", kHeader1},
        {"more chunks than the header says",
         kHeader1 + "4D 54 72 6B 00 00 00 04 00 FF 2F 00 4D 54 72 6B 00 00 00 04 00 FF 2F 00 "},
        {"chunk length past the end", kHeader1 + "4D 54 72 6B 00 00 00 05 00 FF 2F 00 "},
        {"chunk length short of the end of track",
         kHeader1 + "4D 54 72 6B 00 00 00 03 00 FF 2F 00 "},
        {"no end of track", kHeader1 + "4D 54 72 6B 00 00 00 04 00 90 3C 40 "},
        {"events after the end of track",
         kHeader1 + "4D 54 72 6B 00 00 00 08 00 FF 2F 00 00 90 3C 40 "},
        {"running status with no status",
         kHeader1 + "4D 54 72 6B 00 00 00 07 00 3C 40 00 FF 2F 00 "},
        {"running status after a meta event",
         kHeader1 + "4D 54 72 6B 00 00 00 0F 00 90 3C 40 00 FF 01 00 00 3C 00 00 FF 2F 00 "},
        {"status where data is due", kHeader1 + "4D 54 72 6B 00 00 00 08 00 90 90 40 00 FF 2F 00 "},
        {"delta of five bytes",
         kHeader1 + "4D 54 72 6B 00 00 00 08 81 80 80 80 00 FF 2F 00 "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(decodeSmf(hexBytes(c.hex)), SmfError);
    }
}

}  // namespace
}  // namespace vek::test
