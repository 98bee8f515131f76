// `patch` and `pattern`: program changes, patch names and the nodes of a
// pattern, with their errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "music/keyword_fixture.h"
#include "music/keywords.h"
#include "statements/attachments.h"
#include "statements/statement_parser.h"

namespace vek {
namespace {

using test::expectError;
using test::KeywordFixture;
using test::ReaderFixture;

// ---- patch ----

TEST(PatchWord, ANumberSendsAProgramChangeOnTheTracksChannelNow) {
    KeywordFixture k("5 c");
    k.track().channel = 3;
    k.voice().timing.time = 240;
    k.run(kwPatch);
    const std::vector<Event> events = KeywordFixture::events(k.track());
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, kProgram);
    EXPECT_EQ(events[0].time, 240);
    EXPECT_EQ(events[0].channel, 3);
    EXPECT_EQ(events[0].data1, 5);
    EXPECT_EQ(k.cs().ch, ' ');
}

struct ChannelCase {
    ModifierMode mode;   // of the "$" operator
    int32_t value;       // its current value
    int32_t previous;    // its previous value
    int channel;         // of the program change, from 0
};

class PatchChannel : public testing::TestWithParam<ChannelCase> {};

TEST_P(PatchChannel, FollowsTheChannelOperatorAndClearsIt) {
    const ChannelCase &c = GetParam();
    KeywordFixture k("1");
    k.track().channel = 2;
    VoiceState &v = k.voice();
    v.modifiers[kOpChannel].mode = c.mode;
    v.modifiers[kOpChannel].value = c.value;
    v.modifiers[kOpChannel].previous = c.previous;
    k.run(kwPatch);
    ASSERT_EQ(k.track().count(), 1);
    EXPECT_EQ(k.track().at(0)->channel, c.channel);
    EXPECT_EQ(v.modifiers[kOpChannel].mode, kModeNone);
    EXPECT_EQ(v.modifiers[kOpChannel].value, 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, PatchChannel,
                         testing::Values(ChannelCase{kModeNone, 7, 7, 2},
                                         ChannelCase{kModeReuse, 5, 5, 5},
                                         ChannelCase{kModeRelative, 3, 3, 5},
                                         ChannelCase{kModeAbsolute, 10, 10, 9}));

TEST(PatchWord, AChannelOutsideOneToSixteenIsRefused) {
    KeywordFixture k("1");
    k.voice().modifiers[kOpChannel].mode = kModeAbsolute;
    k.voice().modifiers[kOpChannel].value = 17;
    expectError(k.fail(kwPatch), " Channel out of range ", 1);
    EXPECT_EQ(k.track().count(), 0);
}

TEST(PatchWord, DeclaresNamesWithoutSendingAnything) {
    KeywordFixture k("[piano 0 organ\n 19\n piano 41] c");
    k.run(kwPatch);
    EXPECT_EQ(k.track().count(), 0);
    ASSERT_NE(k.symbol("piano"), nullptr);
    EXPECT_EQ(k.symbol("piano")->kind, kPatchSymbol);
    EXPECT_EQ(k.symbol("piano")->value.number, 0);  // a second declaration is ignored
    EXPECT_EQ(k.symbol("organ")->value.number, 19);
    EXPECT_EQ(k.cs().ch, ' ');
}

TEST(PatchWord, ADeclarationWithoutNumberRaises54) {
    KeywordFixture k("piano c");
    expectError(k.fail(kwPatch), " Number expected in patch declaration ", 7);
}

// ---- pattern ----

struct Node {
    std::string element;
    int32_t start, end;  // ticks
};

std::vector<Node> nodesOf(const HashEntry &pattern) {
    std::vector<Node> out;
    for (auto *n = static_cast<const PatternNode *>(pattern.value.object); n; n = n->next)
        out.push_back(Node{n->element->name, n->start, n->end});
    return out;
}

int32_t totalOf(const HashEntry &pattern) {
    auto *first = static_cast<const PatternNode *>(pattern.value.object);
    return first ? first->total : -1;
}

// Elements entered by hand, one of each kind, and a patch that is none.
void declareElements(HashTable &symbols) {
    symbols.add(kNotePattern, nullptr, "np");
    symbols.add(kChordPattern, nullptr, "cp");
    symbols.add(kNoteEffect, nullptr, "ne");
    symbols.add(kChordEffect, nullptr, "ce");
    symbols.addNumber(kPatchSymbol, 5, "piano");
}

void expectNodes(const HashEntry &pattern, const std::vector<Node> &expected) {
    const std::vector<Node> nodes = nodesOf(pattern);
    ASSERT_EQ(nodes.size(), expected.size());
    for (size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_EQ(nodes[i].element, expected[i].element) << "node " << i;
        EXPECT_EQ(nodes[i].start, expected[i].start) << "node " << i;
        EXPECT_EQ(nodes[i].end, expected[i].end) << "node " << i;
    }
}

TEST(PatternWord, ElementsWrittenTogetherStartTogetherAndBlanksMoveOn) {
    KeywordFixture k("p [(np)2(ce) (ne) 1 (  cp  ) ] c");
    declareElements(k.cs().symbols);
    k.run(kwPattern);
    const HashEntry *p = k.symbol("p");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->kind, kPatternSymbol);
    expectNodes(*p, {{"np", 0, 240}, {"ce", 0, 240}, {"ne", 240, 360}, {"cp", 360, 480}});
    EXPECT_EQ(totalOf(*p), 480);
    EXPECT_EQ(k.cs().ch, 'c');
}

TEST(PatternWord, NumbersPlaceTheNextElementAfterTheLastOnesStart) {
    KeywordFixture k("[lead [4 (ne)/2] tail [(ne) 8] ]");
    declareElements(k.cs().symbols);
    k.voice().timing.defaultDuration = 60;
    k.run(kwPattern);
    expectNodes(*k.symbol("lead"), {{"ne", 240, 270}});
    EXPECT_EQ(totalOf(*k.symbol("lead")), 270);
    expectNodes(*k.symbol("tail"), {{"ne", 0, 60}});
    EXPECT_EQ(totalOf(*k.symbol("tail")), 480);
}

TEST(PatternWord, AnEmptyPatternHoldsNoNode) {
    KeywordFixture k("quiet [ ]");
    k.run(kwPattern);
    ASSERT_NE(k.symbol("quiet"), nullptr);
    EXPECT_EQ(k.symbol("quiet")->kind, kPatternSymbol);
    EXPECT_EQ(k.symbol("quiet")->value.object, nullptr);
}

struct PatternError {
    const char *source;
    const char *message;
    int32_t position;
};

class PatternErrors : public testing::TestWithParam<PatternError> {};

TEST_P(PatternErrors, AreReportedWithTheirTextAndPlace) {
    const PatternError &c = GetParam();
    KeywordFixture k(c.source);
    declareElements(k.cs().symbols);
    expectError(k.fail(kwPattern), c.message, c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PatternErrors,
    testing::Values(
        PatternError{"p [(np)(nothing)]", " Undefined name: nothing", 17},
        PatternError{"p [(piano)]", " Invalid symbol in pattern: \"piano\"", 11},
        PatternError{"p (np)", " \"[\" expected, or missing \"]\" in prior declaration ", 3},
        PatternError{"p [(np]", " Syntax error: np", 7},
        PatternError{"p [(np) ;]", " Bad or missing duration/interval number ", 10},
        PatternError{"p [(np) !]", " Syntax error: !", 9},
        PatternError{"p [(np)", " ']' expected.", 7},
        PatternError{"[p [(np)] 5q [(np)]]",
                     " \"5q\" : Names should begin with a->z or A->Z. \nCheck for missing \"]\" in "
                     "declaration",
                     12},
        PatternError{"np [(np)]",
                     " \"np\" is a reserved name. \nMaybe there is a missing \"]\" in a prior "
                     "declaration",
                     2}));

// ---- switching in the music ----

// One element of each kind, with empty bodies.
const std::string kElements =
    "note_pattern np {} chord_pattern cp {} note_effect ne {} chord_effect ce {}\n";

TEST(PatternName, OnAndOffSwitchTheTracksAttachment) {
    ReaderFixture f(kElements + "pattern p [(ne)] r p on r p off");
    parseGroup(f.cs(), f.cs().root);
    const Attachment *a = f.cs().attachments[f.song().defaultTrack].head;
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->element, f.cs().symbols.find("p"));
    EXPECT_EQ(a->start, -1);
    EXPECT_EQ(a->next, nullptr);
}

TEST(PatternName, AnyOtherWordRaises40) {
    ReaderFixture f(kElements + "pattern p [(ne)] p maybe c");
    const ParseError e = f.expectError([&] { parseGroup(f.cs(), f.cs().root); });
    EXPECT_STREQ(e.message, " Pattern name must be followed by 'on' or 'off'");
    EXPECT_EQ(e.position, static_cast<int32_t>(kElements.size()) + 24);
}

TEST(ElementName, ALengthAndAPeriodSwitchItOnAtTheVoicesTime) {
    ReaderFixture f(kElements + "r ce 1 4 r");
    parseGroup(f.cs(), f.cs().root);
    const Attachment *a = f.cs().attachments[f.song().defaultTrack].head;
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->start, 120);
    EXPECT_EQ(a->length, 120);
    EXPECT_EQ(a->period, 480);
}

TEST(ElementName, AMissingLengthRaises8) {
    for (const char *source : {"ne c", "ne 1 c"}) {
        ReaderFixture f(kElements + source);
        const ParseError e = f.expectError([&] { parseGroup(f.cs(), f.cs().root); });
        EXPECT_STREQ(e.message, " Bad or missing duration/interval number ") << source;
    }
}

}  // namespace
}  // namespace vek
