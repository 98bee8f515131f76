// The reserved-word switch: its range, and the switches (listing, debug
// echo, break, include, vek).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "input/reader.h"
#include "music/keyword_fixture.h"
#include "music/keywords.h"
#include "support/scratch_dir.h"

namespace vek {
namespace {

using test::expectError;
using test::KeywordFixture;

std::string listing(KeywordFixture &k) { return k.cs().listing; }

TEST(KeywordStatement, IndicesOutsideTheTableAreNotReservedWords) {
    KeywordFixture k("x");
    EXPECT_FALSE(KeywordStatement(k.cs(), -1));
    EXPECT_FALSE(KeywordStatement(k.cs(), kReservedWordCount));
    EXPECT_EQ(k.cs().ch, 'x');
}

TEST(KeywordStatement, BlanksBehindTheWordAreSkipped) {
    KeywordFixture k("  \n\t c");
    k.run(kwCursor);
    EXPECT_EQ(k.cs().ch, 'c');
}

TEST(KeywordStatement, VekReadsANameAndIgnoresIt) {
    KeywordFixture k(" piece c");
    k.run(kwVek);
    EXPECT_STREQ(k.cs().name, "piece");
    EXPECT_EQ(k.symbol("piece"), nullptr);
}

TEST(KeywordStatement, IncludeReadsTheFileNext) {
    KeywordFixture k(" inc.vek z");
    k.reader().dir().write("inc.vek", "xy");
    k.run(kwInclude);
    EXPECT_EQ(k.reader().readAll(), "xy");
}

TEST(BreakWord, AnyOtherWordRaises77) {
    KeywordFixture k(" maybe c");
    expectError(k.fail(kwBreak), "\"break\" keyword should be qualified with \"on\" or \"off\"", 6);
}

TEST(ListingWords, NolistWritesThePendingLineAndStops) {
    KeywordFixture k("");
    k.run(kwList);
    std::memcpy(k.cs().echoLine, "c d e", 5);
    k.cs().echoIndex = 5;
    const int32_t before = k.cs().listedBytes;
    k.run(kwNolist);
    EXPECT_EQ(k.cs().listOn, 0);
    EXPECT_EQ(k.cs().echoIndex, 0);
    EXPECT_EQ(k.cs().listedBytes, before + 6);
    EXPECT_EQ(listing(k), "c d e\n");
}

TEST(ListingWords, DebugEchoesEveryCharacterUntilDebugOff) {
    KeywordFixture k(" ab");
    k.run(kwDebugOn);
    EXPECT_EQ(k.cs().actions & 1, 1);
    nextChar(k.cs(), kReadNormal);
    k.run(kwDebugOff);
    nextChar(k.cs(), kReadNormal);
    EXPECT_EQ(listing(k), "b");
}

}  // namespace
}  // namespace vek
