// Runaway sources end in bounded time and memory with a clean failure.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "events/song_context.h"
#include "input/errors.h"
#include "statements/statement_parser.h"
#include "support/reader_fixture.h"

namespace vek {
namespace {

using test::ReaderFixture;

TEST(Limits, NestedRepeatsStopAtTheCharacterBudget) {
    ReaderFixture f("((((r)60000)60000)60000)60000");
    f.cs().in.charactersLeft = 200000;
    const SourceError e = f.expectError([&] { parseGroup(f.cs(), f.cs().root); });
    EXPECT_EQ(e.code, kMsgTooLong);
    EXPECT_NE(std::string(e.message).find("Piece too long"), std::string::npos);
}

// The budget runs out in a note of the repeat and in a tempo change; either
// way the message names the limit, placed at the end of the repeated group.
TEST(Limits, TheEventBudgetEndsARunawayPiece) {
    const std::pair<const char *, int32_t> cases[] = {{"r (C)60000", 5}, {"r (tempo =100)60000", 14}};
    for (const auto &[source, position] : cases) {
        ReaderFixture f(source);
        f.song().budget.remaining = 1000;
        const SourceError e = f.expectError([&] { parseGroup(f.cs(), f.cs().root); });
        EXPECT_EQ(e.code, 83) << source;
        EXPECT_STREQ(e.message, " Too many events: a piece may hold at most 16777216 events") << source;
        EXPECT_EQ(e.position, position) << source;
    }
}

TEST(Limits, NestingDeeperThanAThousandGroupsIsRefused) {
    ReaderFixture f(std::string(1001, '(') + "C" + std::string(1001, ')'));
    const SourceError e = f.expectError([&] { parseGroup(f.cs(), f.cs().root); });
    EXPECT_EQ(e.code, 84);
    EXPECT_STREQ(e.message, " Groups nested too deeply: at most 1000 levels");
    EXPECT_EQ(e.position, 1001);
}

TEST(Limits, AThousandNestedGroupsStillCompile) {
    ReaderFixture f(std::string(1000, '(') + "C" + std::string(1000, ')'));
    parseGroup(f.cs(), f.cs().root);
    EXPECT_EQ(f.song().defaultTrack->count(), 1);
}

}  // namespace
}  // namespace vek
