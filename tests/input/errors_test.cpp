// The message table and what a raised error carries.
#include <gtest/gtest.h>

#include <string>

#include "input/errors.h"
#include "input/reader.h"
#include "support/reader_fixture.h"

namespace vek {
namespace {

// Every row with its arguments filled: name "nm", word "wd", character 'q'.
const std::pair<int, const char *> kExpected[] = {
    {1, " Must start sysex definition with '['"},
    {2, " Only 64 sysex definitions allowed"},
    {3, " Insufficient memory error"},
    {4, " No define with name \"nm\""},
    {5, " Bad number syntax "},
    {6, " Parentheses error in definition nm"},
    {7, " Number out of range "},
    {8, " Bad or missing duration/interval number "},
    {9, " Too many characters in symbol nm "},
    {10, " Invalid tempo parameter \n tempo range is 10->240"},
    {11, " Sorry, I can't figure out what \"wd\" means. "},
    {12, " Meter note length must be 1,2,4,8,16 or 32 "},
    {13, " Invalid meter parameter.\nUse the format: meter=n/m e.g. meter=3/4.\n'm' should be a power of 2 (1,2,4,8,16 or 32)"},
    {14, " Invalid key signature "},
    {15, " Macros can only be nested to level 200\nYou may have a recursive call to a macro,\ni.e. a macro which calls itself."},
    {16, " Too many }"},
    {17, " Too few parameters in call to \"nm\""},
    {20, " Unrecognized split/track name in split or into declaration "},
    {21, " Invalid nm parameter "},
    {22, " No track or section with name \"nm\""},
    {23, " Invalid track parameter "},
    {24, " Invalid sequence start  "},
    {25, " Invalid parameter number in definition"},
    {26, " Cannot open sysex file for writing"},
    {27, " Bad sysex syntax in nm "},
    {28, " Syntax error: nm"},
    {29, " Bad harmony offset"},
    {30, " Split fault "},
    {31, " Unable to open include file \"nm\""},
    {32, " Polyphonic only applies to aftertouch"},
    {34, " Bad syntax in sequence"},
    {35, " Bad character in chord: q "},
    {36, " Bad time format: 0;"},
    {37, " Ppq value should be at start of work "},
    {38, " Undefined name: nm"},
    {39, " Invalid symbol in pattern: \"nm\""},
    {40, " Pattern name must be followed by 'on' or 'off'"},
    {41, " No matching '(' for ')'"},
    {42, " Error erasing nm"},
    {43, " Need a duration for length of gap"},
    {44, " Error while including file \"nm\""},
    {45, " Cannot call a macro argument at this point"},
    {46, " Need a number for transpose value"},
    {47, " Stepping length too long in seq"},
    {48, " Define names should be enclosed in braces {<name>}"},
    {49, " Invalid SMPTE code"},
    {50, " \"nm\" is a reserved name. \nMaybe there is a missing \"]\" in a prior declaration"},
    {51, " \"nm\" : Names should begin with a->z or A->Z. \nCheck for missing \"]\" in declaration"},
    {52, " Missing \"q\" in declaration of \"nm\" "},
    {53, " \"[\" expected, or missing \"]\" in prior declaration "},
    {54, " Number expected in patch declaration "},
    {55, " Too many digits in number "},
    {56, " Bad syntax in mode definition "},
    {57, " Only 10 cascaded inversions allowed "},
    {58, " Bad syntax in pick list definition"},
    {59, " pick defines have different argument counts"},
    {60, " No define with name \"nm\" in pick declaration"},
    {61, " Syntax error in pick declaration"},
    {62, " Pick-list has zero total weight"},
    {63, " Missing \"[\" in \"nm\" definition"},
    {65, " Channel out of range "},
    {67, " \"(\" or \"[\" unmatched"},
    {70, "Strings for text, marker and cue events should be enclosed in brackets-- e.g. text [string] "},
    {71, "SMPTE frames per second should be 24, 25, 30 or 30 drop. "},
    {72, " '[' expected."},
    {73, " ']' expected."},
    {74, "Include file format not supported in this release."},
    {75, "Cannot open file nm"},
    {76, "No events to copy"},
    {77, "\"break\" keyword should be qualified with \"on\" or \"off\""},
    {78, "Pick index must be in the range 0 (random) to 1 (sequential).\n Use fractional or decimal format. "},
    {79, " Piece too long: the source expands beyond 134217728 characters. Check for runaway repeats or recursive macros."},
    {100, " Unable to set filename "},
};

TEST(MessageTable, EveryRowReadsExactly) {
    char out[kMessageBytes];
    for (const auto &[code, text] : kExpected) {
        formatMessage(out, code, "nm", "wd", 'q');
        EXPECT_STREQ(out, text) << "code " << code;
    }
}

TEST(MessageTable, CodesWithoutARowGiveAnEmptyText) {
    char out[kMessageBytes] = "junk";
    for (int code : {18, 19, 33, 64, 66, 69, 99, 101, 5000, -1}) {
        formatMessage(out, code, "nm", "wd", 'q');
        EXPECT_STREQ(out, "") << code;
        EXPECT_EQ(messageFormat(code), nullptr) << code;
    }
}

TEST(MessageTable, LongArgumentsAreCutToTheBuffer) {
    const std::string huge(1000, 'x');
    char out[kMessageBytes + 8];
    out[kMessageBytes] = '!';
    formatMessage(out, 50, huge.c_str(), "", 0);
    EXPECT_EQ(std::string(out).size(), static_cast<size_t>(kMessageBytes - 1));
    EXPECT_EQ(out[kMessageBytes], '!');
}

TEST(RaiseError, CarriesTheStreamFileAndPositionAndClosesTheFiles) {
    test::ReaderFixture f("abc def");
    CompileState &cs = f.cs();
    for (int i = 0; i < 5; ++i) nextChar(cs, kReadNormal);
    std::snprintf(cs.statementWord, sizeof cs.statementWord, "%s", "abc");
    const SourceError e = f.expectError([&] { error(cs, 11); });
    EXPECT_STREQ(e.message, " Sorry, I can't figure out what \"abc\" means. ");
    EXPECT_STREQ(e.fileName, "song.vek");
    EXPECT_EQ(e.position, 5);
    EXPECT_EQ(e.stream, kSourceSlot);
    EXPECT_EQ(e.reserved1, 0);
    EXPECT_EQ(e.code, 11);
    EXPECT_EQ(cs.in.depth, 0);
}

TEST(RaiseError, Code18HasAnEmptyMessageButAPlace) {
    test::ReaderFixture f("xyz");
    nextChar(f.cs(), kReadNormal);
    const SourceError e = f.expectError([&] { error(f.cs(), 18); });
    EXPECT_STREQ(e.message, "");
    EXPECT_STREQ(e.fileName, "song.vek");
    EXPECT_EQ(e.position, 1);
}

TEST(RaiseError, CodeZeroIsSuccess) {
    test::ReaderFixture f("x");
    error(f.cs(), 0);
}

TEST(RaiseError, TheListingEndsWithWhatWasListedBeforeTheError) {
    test::ReaderFixture f("one two three four five six");
    CompileState &cs = f.cs();
    cs.setListOn(1);
    for (int i = 0; i < 26; ++i) nextChar(cs, kReadNormal);
    f.expectError([&] { error(cs, 5); });
    EXPECT_EQ(test::ScratchDir::read("song.vls"), "one two three four f\n");
}

}  // namespace
}  // namespace vek
