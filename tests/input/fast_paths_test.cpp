// The reader's fast paths (plain characters, note words read once, macro
// arguments looked up from the last one found) spare work but must count
// every character they spare. Debug output turns them all off, so each
// character budget has to run out at the same place either way.
#include <gtest/gtest.h>

#include <string>

#include "events/limits.h"
#include "input/errors.h"
#include "input/reader.h"
#include "statements/statement_parser.h"
#include "support/reader_fixture.h"

namespace vek {
namespace {

using test::ReaderFixture;

struct Outcome {
    int code = 0;
    int32_t position = 0;
    int32_t notes = 0;
    int64_t charactersLeft = 0;
};

Outcome parseWithBudget(const std::string &source, int64_t budget, bool debug) {
    ReaderFixture f(source);
    CompileState &cs = f.cs();
    cs.in.charactersLeft = budget;
    cs.setDebugOn(debug ? 1 : 0);
    Outcome o;
    try {
        parseGroup(cs, cs.root);
    } catch (const SourceError &e) {
        o.code = e.code;
        o.position = e.position;
    }
    o.notes = f.song().defaultTrack->count();
    o.charactersLeft = cs.in.charactersLeft;
    return o;
}

TEST(FastPaths, EveryBudgetRunsOutWhereTheFullReadingWould) {
    const std::string source =
        "set pair { ?2 ?1 ?2 }\nset three { ?3 ?1 ?2 ?3 }\n"
        "C D/2 E3/2 'a comment' F\r\nG (A B)2 c'x'd\n"
        "F#&#/2 | g&3 (a#/4)2 [e&] b/ c. D|\n"
        "{three,C,{pair,D,E},'a, b'F} {pair,G,A,B,C}\n"
        "set word { ?1/2 (?2#3 ?3&) ?1'x' | ?2 ?3}\n{word,C,D,E} | {word,F,{pair,G,A},B}\n";
    const int64_t used = kMaxSourceCharacters - parseWithBudget(source, kMaxSourceCharacters, true).charactersLeft;
    ASSERT_GT(used, static_cast<int64_t>(source.size()));
    for (int64_t budget = 0; budget <= used; ++budget) {
        const Outcome fast = parseWithBudget(source, budget, false);
        const Outcome full = parseWithBudget(source, budget, true);
        EXPECT_EQ(fast.code, full.code) << budget;
        EXPECT_EQ(fast.position, full.position) << budget;
        EXPECT_EQ(fast.notes, full.notes) << budget;
        EXPECT_EQ(fast.charactersLeft, full.charactersLeft) << budget;
    }
    EXPECT_EQ(parseWithBudget(source, used, false).code, 0);
    EXPECT_EQ(parseWithBudget(source, used - 1, false).code, kMsgTooLong);
}

}  // namespace
}  // namespace vek
