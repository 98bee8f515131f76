// Definitions and macro calls: what a definition records, the nesting
// limit, and every error of the macro machinery with its text and place.
#include <gtest/gtest.h>

#include <string>

#include "events/song_context.h"
#include "input/errors.h"
#include "input/symbol_table.h"
#include "music/macros.h"
#include "statements/statement_parser.h"
#include "support/reader_fixture.h"

namespace vek {
namespace {

using test::ReaderFixture;

// The notes of the default track as "key@time" words.
std::string notes(ReaderFixture &f) {
    std::string out;
    Track &t = *f.song().defaultTrack;
    for (int32_t i = 0; i < t.count(); ++i) {
        const Event &e = *t.at(i);
        if (e.kind != kNote) continue;
        if (!out.empty()) out += ' ';
        out += std::to_string(e.data1) + "@" + std::to_string(e.time);
    }
    return out;
}

std::string compileNotes(const std::string &source) {
    ReaderFixture f(source);
    parseGroup(f.cs(), f.cs().root);
    return notes(f);
}

const Definition &definition(ReaderFixture &f, const char *name) {
    HashEntry *e = f.cs().symbols.find(name);
    EXPECT_NE(e, nullptr) << name;
    return *static_cast<const Definition *>(e->value.object);
}

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

TEST(MacroNesting, TwoHundredNestedCallsRun) {
    ReaderFixture f(chainOfCalls(kMacroFrames));
    parseGroup(f.cs(), f.cs().root);
    EXPECT_EQ(f.song().defaultTrack->count(), kMacroFrames);
    EXPECT_EQ(f.cs().macros.depth, 0);
}

TEST(MacroNesting, TheCallBeyondTwoHundredIsRefused) {
    ReaderFixture f(chainOfCalls(kMacroFrames + 1));
    EXPECT_EQ(f.expectError([&] { parseGroup(f.cs(), f.cs().root); }).code, 15);
    EXPECT_EQ(f.cs().macros.depth, kMacroFrames);
}

// {m,{m,...{m,C}...}} with m reading its argument: a body frame and an
// argument frame per level.
std::string nestedArguments(int levels) {
    std::string s = "set m { ?1 }\n";
    for (int i = 0; i < levels; ++i) s += "{m,";
    return s + "C" + std::string(levels, '}');
}

TEST(MacroNesting, ArgumentFramesCountTowardsTheLimit) {
    EXPECT_EQ(compileNotes(nestedArguments(kMacroFrames / 2)), "60@0");
    ReaderFixture f(nestedArguments(kMacroFrames / 2 + 1));
    EXPECT_EQ(f.expectError([&] { parseGroup(f.cs(), f.cs().root); }).code, 15);
}

TEST(Definitions, RecordTheHighestArgumentUsed) {
    ReaderFixture f("set [ none { C } two { ?2 ?1 } ten { ?a } odd { ?} ]\n"
                    "set comment { 'not ?9' ?3 }");
    parseGroup(f.cs(), f.cs().root);
    EXPECT_EQ(definition(f, "none").parameterCount, 0);
    EXPECT_EQ(definition(f, "two").parameterCount, 2);
    EXPECT_EQ(definition(f, "ten").parameterCount, 10);
    EXPECT_EQ(definition(f, "odd").parameterCount, 0);  // "?}" still closes the body
    EXPECT_EQ(definition(f, "comment").parameterCount, 3);
}

TEST(Definitions, EachWordMakesItsKindWithItsBrackets) {
    ReaderFixture f("set a {C} sysex b [1 2] note_pattern c {D} chord_pattern d {E}\n"
                    "note_effect e {F} chord_effect g {G} mode h [0 2] inv i [1 3]");
    parseGroup(f.cs(), f.cs().root);
    const std::pair<const char *, uint8_t> expected[] = {
        {"a", kMacroSymbol}, {"b", kSysexSymbol},   {"c", kNotePattern}, {"d", kChordPattern},
        {"e", kNoteEffect},  {"g", kChordEffect},   {"h", kModeSymbol},  {"i", kInversionSymbol}};
    for (const auto &[name, kind] : expected) {
        HashEntry *e = f.cs().symbols.find(name);
        ASSERT_NE(e, nullptr) << name;
        EXPECT_EQ(e->kind, kind) << name;
    }
    EXPECT_EQ(notes(f), "");  // definitions play nothing
}

TEST(Definitions, TheBracketMayComeFromAnArgument) {
    // The name is in the body, the body itself in the argument text.
    EXPECT_EQ(compileNotes("set def { set x ?1 }\n{def,{ E }} x"), "64@0");
}

TEST(MacroCalls, BlanksAfterTheBraceDoNotEndABody) {
    EXPECT_EQ(compileNotes("set m { C }\nset n { { m} D }\nn"), "60@0 62@120");
}

}  // namespace
}  // namespace vek
