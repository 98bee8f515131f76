// The copy statement's window stepping, its step tables, and what the
// compile reports and lists around a copy.
#include <gtest/gtest.h>

#include <string>

#include "music/copy_parts.h"
#include "music/copy_statement.h"
#include "support/compile.h"
#include "support/scratch_dir.h"

namespace vek {
namespace {

struct StepCase {
    const char *what;
    int32_t cursor, origin, end, amount;
    int op;
    int random;
    int32_t start;   // expected window start (ticks)
    int32_t after;   // expected cursor afterwards
    int code;
};

// Source from `origin` to `end` ticks; windows of `amount` ticks.
const StepCase kSteps[] = {
    {"an unused cursor starts at the origin", -1, 0, 480, 240, '+', 0, 0, 0, 0},
    {"an unused cursor does not step", -1, 480, 960, 240, '~', 7, 480, 480, 0},
    {"forward by the amount", 0, 0, 480, 240, '+', 0, 240, 240, 0},
    {"forward past the end wraps", 240, 0, 480, 240, '+', 0, 0, 0, 0},
    {"forward needs the amount to fit", 0, 0, 480, 481, '+', 0, 0, 0, 47},
    {"back by the amount", 480, 0, 960, 240, '-', 0, 240, 240, 0},
    {"back before the origin goes to the last window", 0, 0, 960, 240, '-', 0, 720, 720, 0},
    {"back needs the amount to fit", 0, 0, 480, 600, '-', 0, 0, 0, 47},
    {"stay", 240, 0, 480, 120, '=', 0, 240, 240, 0},
    {"a cursor before the origin moves up to it", 0, 480, 960, 120, '=', 0, 480, 480, 0},
    {"random picks a whole window", 0, 0, 480, 120, '~', 5, 120, 120, 0},
    {"random counts from the origin", 0, 480, 960, 240, '~', 3, 720, 720, 0},
    {"random without a whole window is refused", 0, 0, 480, 481, '~', 5, 0, 0, 47},
    {"random with no length is refused", 0, 0, 480, 0, '~', 5, 0, 0, 47},
};

TEST(StepWindow, MovesTheCursorThroughTheSource) {
    for (const StepCase &c : kSteps) {
        int32_t cursor = c.cursor;
        const WindowStep step = StepWindow(cursor, c.origin, c.end, c.amount, c.op, c.random);
        EXPECT_EQ(step.code, c.code) << c.what;
        if (c.code != 0) continue;
        EXPECT_EQ(step.start, c.start) << c.what;
        EXPECT_EQ(cursor, c.after) << c.what;
    }
}

TEST(StepTable, DifferencesThenBackToTheFirstPlusTheRepeat) {
    EXPECT_EQ(stepTable({}, 1), (std::vector<int32_t>{1}));
    EXPECT_EQ(stepTable({}, 3), (std::vector<int32_t>{3}));
    EXPECT_EQ(stepTable({5}, 2), (std::vector<int32_t>{2}));
    EXPECT_EQ(stepTable({0, 2, 1, 3}, 4), (std::vector<int32_t>{2, -1, 2, 1}));
    EXPECT_EQ(stepTable({0, 1, 2}, 1), (std::vector<int32_t>{1, 1, -1}));
}

TEST(CopyStatement, MessagesNameTheSourceAndTheSlot) {
    test::ScratchDir dir;
    auto r = test::compileText("track b copy [nothing]");
    ASSERT_TRUE(r.failed());
    EXPECT_EQ(r.message(), " No track or section with name \"nothing\"");
    r = test::compileText("track a C\ntrack b copy [a velocity fixed]");
    ASSERT_TRUE(r.failed());
    EXPECT_EQ(r.message(), " Missing \"]\" in declaration of \"velocity\" ");
    r = test::compileText("track a C\ntrack b copy [a pitch sequenced 2 (0 1) C]");
    ASSERT_TRUE(r.failed());
    EXPECT_EQ(r.message(), " Missing \"C\" in declaration of \"pitch\" ");
}

TEST(CopyStatement, BadStepListsAreRefused) {
    test::ScratchDir dir;
    const char *lists[] = {
        "(0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20)",  // 21 numbers
        "(0 x)",
        "(0 1",
        "(128)",
    };
    for (const char *list : lists) {
        const auto r = test::compileText(std::string("track a C\ntrack b copy [a p s ") + list + " [a]]");
        ASSERT_TRUE(r.failed()) << list;
    }
}

TEST(CopyStatement, CopiesAreListedButNotTheirDefinitions) {
    test::ScratchDir dir;
    const auto r = test::compileText("track a C\ntrack m D@\ntrack b list copy [a pitch sequenced [m]]");
    ASSERT_FALSE(r.failed()) << r.message();
    const auto lines = [&r](const std::string &text) {
        int n = 0;
        for (auto at = r.listing.find(text); at != std::string::npos; at = r.listing.find(text, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(lines("Note  74"), 1) << r.listing;
    EXPECT_EQ(lines("Note  60"), 0) << r.listing;
}

}  // namespace
}  // namespace vek
