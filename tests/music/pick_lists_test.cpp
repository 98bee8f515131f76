// Pick lists and the compile's random numbers: the choices, their errors,
// and seeds that repeat (or, for seed 0, do not).
#include <gtest/gtest.h>

#include <string>

#include "events/song_context.h"
#include "input/errors.h"
#include "input/symbol_table.h"
#include "music/macros.h"
#include "statements/statement_parser.h"
#include "support/compile.h"
#include "support/reader_fixture.h"
#include "support/scratch_dir.h"

namespace vek {
namespace {

using test::ReaderFixture;

TEST(RandomGenerator, FollowsTheClassicRuntimeFromSeedOne) {
    RandomGenerator r;
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int value : expected) EXPECT_EQ(r.next(), value);
    r.seed(1);
    EXPECT_EQ(r.next(), 41);
}

// Symbols for building lists by hand.
struct Macros {
    Definition none, one{0, 0, 0, 0, 1};
    HashEntry a{0, kMacroSymbol, "a", {}, nullptr};
    HashEntry b{0, kMacroSymbol, "b", {}, nullptr};
    HashEntry withArgument{0, kMacroSymbol, "w", {}, nullptr};
    Macros() {
        a.value.object = &none;
        b.value.object = &none;
        withArgument.value.object = &one;
    }
};

TEST(AddPickEntry, RefusesAnotherArgumentCount) {
    Macros m;
    PickList list;
    EXPECT_EQ(AddPickEntry(list, &m.withArgument, 1), 0);
    EXPECT_EQ(list.argumentCount, 1);
    EXPECT_EQ(AddPickEntry(list, &m.a, 1), 59);
    EXPECT_EQ(list.count, 1);
}

TEST(AddPickEntry, ANestedListBringsItsArgumentCount) {
    Macros m;
    PickList inner;
    AddPickEntry(inner, &m.withArgument, 1);
    HashEntry innerSymbol{0, kPickSymbol, "inner", {}, nullptr};
    innerSymbol.value.object = &inner;
    PickList outer;
    EXPECT_EQ(AddPickEntry(outer, &innerSymbol, 1), 0);
    EXPECT_EQ(AddPickEntry(outer, &m.a, 1), 59);
    EXPECT_EQ(AddPickEntry(outer, &m.withArgument, 1), 0);
}

TEST(ChooseFromPickList, NeverChoosesAnEntryOfWeightZero) {
    ReaderFixture f("");
    Definition second;
    Macros m;
    m.b.value.object = &second;
    PickList list;
    AddPickEntry(list, &m.a, 0);
    AddPickEntry(list, &m.b, 1);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(ChooseFromPickList(f.cs(), list), &second);
}

TEST(ChooseFromPickList, SequentialIgnoresTheSeed) {
    ReaderFixture f("");
    Definition first, second;
    Macros m;
    m.a.value.object = &first;
    m.b.value.object = &second;
    PickList list;
    list.pickIndex = 1000;
    AddPickEntry(list, &m.a, 1);
    AddPickEntry(list, &m.b, 2);
    f.cs().random.seed(12345);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(ChooseFromPickList(f.cs(), list), &first);
        EXPECT_EQ(ChooseFromPickList(f.cs(), list), &second);
        EXPECT_EQ(ChooseFromPickList(f.cs(), list), &second);
    }
}

using ErrorCase = test::SourceErrorCase;

class PickErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(PickErrors, ReportCodeTextAndPlace) {
    test::expectSourceError(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Picks, PickErrors,
    testing::Values(
        ErrorCase{"set [a {?1} b {C}]\npick p [a b]", 59,
                  " pick defines have different argument counts", 31},
        ErrorCase{"set a {C}\npick p [a x]", 60, " No define with name \"x\" in pick declaration", 22},
        ErrorCase{"track t\npick p [t]", 60, " No define with name \"t\" in pick declaration", 18},
        ErrorCase{"set a {C}\npick p a", 61, " Syntax error in pick declaration", 18},
        ErrorCase{"set a {C}\npick p [a 0]", 62, " Pick-list has zero total weight", 22},
        ErrorCase{"pick p []", 62, " Pick-list has zero total weight", 9},
        ErrorCase{"set a {C}\npick p [2 a]", 78,
                  "Pick index must be in the range 0 (random) to 1 (sequential).\n Use fractional or decimal format. ",
                  20},
        ErrorCase{"set a {C}\npick p [-0.5 a]", 78,
                  "Pick index must be in the range 0 (random) to 1 (sequential).\n Use fractional or decimal format. ",
                  23},
        ErrorCase{"set a {C}\npick p [a 40000]", 7, " Number out of range ", 26},
        ErrorCase{"pick track [x]", 50,
                  " \"track\" is a reserved name. \nMaybe there is a missing \"]\" in a prior declaration", 12},
        ErrorCase{"pick 5p [x]", 51,
                  " \"5p\" : Names should begin with a->z or A->Z. \nCheck for missing \"]\" in declaration", 7},
        ErrorCase{"set a {C}\npick p [a\n", 73, " ']' expected.", 20},
        // A list that holds itself never reaches a macro.
        ErrorCase{"set a {C}\npick p [a]\npick p [p]\np", 15,
                  " Macros can only be nested to level 200\nYou may have a recursive call to a macro,\n"
                  "i.e. a macro which calls itself.",
                  33}));

// A piece whose notes depend on every choice.
const char *kRandomPiece =
    "set [ a {C} b {D} c {E} d {F} e {G} f {A} g {B} h {c} ]\n"
    "pick p [a b c d e f g h]\n"
    "SEED (p)40~\n";

std::string withSeed(const std::string &seed) {
    std::string s = kRandomPiece;
    return s.replace(s.find("SEED"), 4, seed);
}

TEST(Seeds, TheSameSeedGivesTheSameFileInOneProcess) {
    test::ScratchDir dir;
    const test::CompileResult first = test::compileText(withSeed("seed 5"));
    const test::CompileResult other = test::compileText(withSeed("seed 77"));
    const test::CompileResult again = test::compileText(withSeed("seed 5"));
    ASSERT_FALSE(first.failed()) << first.message();
    EXPECT_EQ(first.output, again.output);
    EXPECT_NE(first.output, other.output);
    // Without a seed every compile starts from seed 1.
    EXPECT_EQ(test::compileText(withSeed("")).output, test::compileText(withSeed("seed 1")).output);
}

TEST(Seeds, SeedZeroTakesTheClock) {
    test::ScratchDir dir;
    const test::CompileResult first = test::compileText(withSeed("seed 0"));
    const test::CompileResult second = test::compileText(withSeed("seed 0"));
    ASSERT_FALSE(first.failed()) << first.message();
    EXPECT_NE(first.output, second.output);
    // Two zero seeds in one compile differ as well.
    ReaderFixture f("");
    const uint32_t a = clockSeed(f.cs());
    EXPECT_NE(a, clockSeed(f.cs()));
}

// Two compiles open at once, drawing in turn: each sees the sequence it
// would see alone, so no draw or seed reaches the other.
TEST(Seeds, TwoOpenCompilesDrawFromTheirOwnGenerators) {
    ReaderFixture seeded("seed 5");
    ReaderFixture plain("");
    parseGroup(seeded.cs(), seeded.cs().root);
    parseGroup(plain.cs(), plain.cs().root);
    RandomGenerator alone5, alone1;
    alone5.seed(5);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(seeded.cs().random.next(), alone5.next()) << i;
        EXPECT_EQ(plain.cs().random.next(), alone1.next()) << i;
    }
}

}  // namespace
}  // namespace vek
