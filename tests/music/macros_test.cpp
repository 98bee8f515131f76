// Macro calls: the nesting limit, and every error of the macro machinery
// with its text and place. What definitions do is in tests/language/macros.
#include <gtest/gtest.h>

#include <string>

#include "music/macros.h"
#include "support/compile.h"
#include "support/reader_fixture.h"
#include "support/scratch_dir.h"
#include "support/song_events.h"

namespace vek {
namespace {

using ErrorCase = test::SourceErrorCase;

class MacroErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(MacroErrors, ReportCodeTextAndPlace) {
    test::expectSourceError(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Macros, MacroErrors,
    testing::Values(
        ErrorCase{"{nope}", 4, " No define with name \"nope\"", 5},
        ErrorCase{"track t\n{t}", 4, " No define with name \"t\"", 10},
        ErrorCase{"set m { C", 6, " Parentheses error in definition m", 9},
        ErrorCase{"set m {C}\n{m,D", 6, " Parentheses error in definition m", 14},
        ErrorCase{"C }", 16, " Too many }", 3},
        // The call has no arguments: the error points at its closing brace.
        ErrorCase{"set m {?1}\n{m}", 17, " Too few parameters in call to \"m\"", 14},
        ErrorCase{"set m {?2}\n{m,C}", 17, " Too few parameters in call to \"m\"", 16},
        // A bare name passes no arguments.
        ErrorCase{"set m {?1}\nm", 17, " Too few parameters in call to \"m\"", 9},
        ErrorCase{"C ?1", 45, " Cannot call a macro argument at this point", 4},
        ErrorCase{"set m {?0}\n{m,C}", 25, " Invalid parameter number in definition", 9},
        ErrorCase{"set track {C}", 50,
                  " \"track\" is a reserved name. \nMaybe there is a missing \"]\" in a prior declaration",
                  11},
        ErrorCase{"set 9x {C}", 51,
                  " \"9x\" : Names should begin with a->z or A->Z. \nCheck for missing \"]\" in declaration",
                  6},
        ErrorCase{"set x C", 52, " Missing \"{\" in declaration of \"x\" ", 7},
        ErrorCase{"mode x {", 52, " Missing \"[\" in declaration of \"x\" ", 8},
        ErrorCase{"set x {C} ]", 63, " Missing \"[\" in \"x\" definition", 11},
        ErrorCase{"set m {m}\nm", 15,
                  " Macros can only be nested to level 200\nYou may have a recursive call to a macro,\n"
                  "i.e. a macro which calls itself.",
                  8}));

// Macros m1 .. mN, each playing a note and calling the next.
std::string chainOfCalls(int n) {
    std::string s;
    for (int i = 1; i < n; ++i)
        s += "set m" + std::to_string(i) + " { C {m" + std::to_string(i + 1) + "} }\n";
    s += "set m" + std::to_string(n) + " { D }\n{m1}";
    return s;
}

// The notes of a compiled piece; fails the test when the compile stops with a
// message other than code `refused` (0: none expected).
size_t noteCount(const std::string &source, int refused = 0) {
    test::ScratchDir dir;
    const test::CompileResult r = test::compileText(source);
    EXPECT_EQ(r.failed(), refused != 0) << r.message();
    if (refused) {
        EXPECT_EQ(r.message().rfind(" Macros can only be nested to level 200", 0), 0u);
    }
    size_t n = 0;
    if (refused) return n;
    for (const test::SongEvent &e : test::songEvents(r.output)) n += e.kind == "note";
    return n;
}

TEST(MacroNesting, TwoHundredNestedCallsRunAndTheNextIsRefused) {
    EXPECT_EQ(noteCount(chainOfCalls(kMacroFrames)), size_t{kMacroFrames});
    noteCount(chainOfCalls(kMacroFrames + 1), 15);
}

// {m,{m,...{m,C}...}} with m reading its argument: a body frame and an
// argument frame per level.
std::string nestedArguments(int levels) {
    std::string s = "set m { ?1 }\n";
    for (int i = 0; i < levels; ++i) s += "{m,";
    return s + "C" + std::string(levels, '}');
}

TEST(MacroNesting, ArgumentFramesCountTowardsTheLimit) {
    EXPECT_EQ(noteCount(nestedArguments(kMacroFrames / 2)), 1u);
    noteCount(nestedArguments(kMacroFrames / 2 + 1), 15);
}

}  // namespace
}  // namespace vek
