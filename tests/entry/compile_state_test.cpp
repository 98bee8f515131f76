// What opening a compile sets up: the reserved words and a listing that
// may be missing.
#include <gtest/gtest.h>

#include <filesystem>

#include "input/symbol_table.h"
#include "music/keywords.h"
#include "support/compile.h"
#include "support/reader_fixture.h"

namespace vek::test {
namespace {

// The index of a reserved word is what the keyword switch dispatches on, so
// a word registered under a neighbour's index runs the wrong statement.
TEST(CompileState, RegistersEveryReservedWordUnderItsIndex) {
    ReaderFixture f("");
    HashTable &symbols = f.cs().symbols;
    EXPECT_EQ(symbols.count(), kReservedWordCount);
    for (int i = 0; i < kReservedWordCount; ++i) {
        const HashEntry *e = symbols.find(kReservedWords[i]);
        ASSERT_NE(e, nullptr) << kReservedWords[i];
        EXPECT_EQ(e->kind, kReservedWord) << kReservedWords[i];
        EXPECT_EQ(e->value.number, i) << kReservedWords[i];
    }
    const std::pair<const char *, int> fixed[] = {
        {"accent", 0},  {"debug_on", 16}, {"include", 24}, {"list", 30},  {"name2", 39},
        {"set", 56},    {"tempo", 64},    {"test!!", 65},  {"track", 70}, {"w", 73},
        {"wipe", 76},   {"vek", 77},
    };
    for (const auto &[word, index] : fixed) EXPECT_EQ(symbols.find(word)->value.number, index) << word;
}

// A listing that cannot be created is no error; the echo and the debug echo
// then have nowhere to write and must stay silent.
TEST(CompileState, AListingThatCannotBeOpenedIsSkipped) {
    ScratchDir dir;
    CompileOptions o;
    o.listingName = "no-such-folder/song.vls";
    const CompileResult r = compileText("list debug_on\nc d e 'a comment' f\ndebug_off nolist\n", o);
    EXPECT_FALSE(r.failed()) << r.message();
    EXPECT_EQ(r.result.actions, 1);
    EXPECT_FALSE(std::filesystem::exists("no-such-folder"));
    EXPECT_GT(r.output.size(), 14u);
}

}  // namespace
}  // namespace vek::test
