// Runaway sources end in bounded time and memory with a clean failure.
#include <gtest/gtest.h>

#include <string>

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
    const ParseError e = f.expectError([&] { parseGroup(f.cs(), f.cs().root); });
    EXPECT_EQ(f.cs().lastError, kCodeTooLong);
    EXPECT_NE(std::string(e.message).find("Piece too long"), std::string::npos);
}

TEST(Limits, TheEventBudgetEndsARunawayPiece) {
    ReaderFixture f("(C)60000");
    f.song().budget.remaining = 1000;
    try {
        parseGroup(f.cs(), f.cs().root);
        ADD_FAILURE() << "no failure";
    } catch (const FatalError &e) {
        EXPECT_STREQ(e.message, "sorry; too many notes for my memory!");
    }
}

TEST(Limits, NestingDeeperThanAThousandGroupsIsRefused) {
    ReaderFixture f(std::string(1001, '(') + "C" + std::string(1001, ')'));
    const ParseError e = f.expectError([&] { parseGroup(f.cs(), f.cs().root); });
    EXPECT_EQ(f.cs().lastError, 3);
    EXPECT_STREQ(e.message, " Insufficient memory error");
    EXPECT_EQ(e.position, 1001);
}

TEST(Limits, AThousandNestedGroupsStillCompile) {
    ReaderFixture f(std::string(1000, '(') + "C" + std::string(1000, ')'));
    parseGroup(f.cs(), f.cs().root);
    EXPECT_EQ(f.song().defaultTrack->count(), 1);
}

}  // namespace
}  // namespace vek
