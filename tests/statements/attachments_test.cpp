// The attachment list of a track: switching elements and patterns on and
// off, and the lookup of the element of a kind active at a time.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "events/track.h"
#include "input/symbol_table.h"
#include "statements/attachments.h"
#include "statements/declarations.h"

namespace vek {
namespace {

// Symbol entries made by hand: the lookup reads only their kind and value.
class Symbols {
public:
    ~Symbols() {
        for (HashEntry &e : entries_)
            if (e.kind == kPatternSymbol)
                freePatternNodes(static_cast<PatternNode *>(e.value.object));
    }
    HashEntry *make(uint8_t kind, const char *name) {
        entries_.push_back(HashEntry{0, kind, name, SymbolValue{}, nullptr});
        entries_.back().value.object = nullptr;
        return &entries_.back();
    }
    // A pattern whose nodes hold the given elements and windows (ticks).
    HashEntry *pattern(const std::vector<PatternNode> &nodes, int32_t total) {
        HashEntry *p = make(kPatternSymbol, "p");
        for (const PatternNode &n : nodes) EXPECT_EQ(appendNode(*p, n.element, n.start, n.end), 0);
        if (auto *first = static_cast<PatternNode *>(p->value.object)) first->total = total;
        return p;
    }

private:
    std::deque<HashEntry> entries_;
};

int listLength(const AttachmentList &t) {
    int n = 0;
    for (const Attachment *a = t.head; a; a = a->next) ++n;
    return n;
}

// The elements of `kind` active at `time` as the hooks see them: lookups
// at one time, one after the other, until none is left.
std::vector<HashEntry *> activeAt(AttachmentList &t, uint8_t kind, int32_t time) {
    std::vector<HashEntry *> found;
    while (HashEntry *e = findActive(t, kind, time)) {
        found.push_back(e);
        if (found.size() > 8) break;  // a lookup that never ends
    }
    return found;
}

using Found = std::vector<HashEntry *>;

struct Probe {
    int32_t time;  // ticks
    bool active;
};

TEST(Attachments, AnElementIsActiveForItsLengthAtTheStartOfEachPeriod) {
    Symbols s;
    AttachmentList t;
    HashEntry *effect = s.make(kChordEffect, "e");
    ASSERT_EQ(attachElement(t, effect, 0, 480, 120), 0);
    const Probe probes[] = {{0, true},     {119, true},  {120, false}, {479, false},
                            {480, true},   {599, true},  {600, false}, {959, false},
                            {960 * 100, true}};
    for (const Probe &p : probes)
        EXPECT_EQ(activeAt(t, kChordEffect, p.time), p.active ? Found{effect} : Found{})
            << "at " << p.time;
}

TEST(Attachments, NothingIsActiveBeforeTheElementWasSwitchedOn) {
    Symbols s;
    AttachmentList t;
    HashEntry *effect = s.make(kNoteEffect, "e");
    attachElement(t, effect, 1000, 480, 480);
    EXPECT_EQ(activeAt(t, kNoteEffect, 999), Found{});
    EXPECT_EQ(activeAt(t, kNoteEffect, 1000), Found{effect});
}

TEST(Attachments, OnlyElementsOfTheAskedKindAreFound) {
    Symbols s;
    AttachmentList t;
    HashEntry *notePattern = s.make(kNotePattern, "n");
    attachElement(t, notePattern, 0, 480, 480);
    EXPECT_EQ(activeAt(t, kChordPattern, 0), Found{});
    EXPECT_EQ(activeAt(t, kNotePattern, 0), Found{notePattern});
}

TEST(Attachments, SwitchingOffAndOnAgainReusesTheAttachment) {
    Symbols s;
    AttachmentList t;
    HashEntry *a = s.make(kChordPattern, "a");
    HashEntry *b = s.make(kChordPattern, "b");
    attachElement(t, a, 0, 480, 240);
    attachElement(t, b, 0, 480, 240);
    attachElement(t, a, -1, 0, 0);
    EXPECT_EQ(activeAt(t, kChordPattern, 0), Found{b});
    attachElement(t, a, 960, 960, 120);
    EXPECT_EQ(listLength(t), 2);
    EXPECT_EQ(t.head->element, a);
    EXPECT_EQ(t.head->start, 960);
    EXPECT_EQ(t.head->period, 960);
    EXPECT_EQ(t.head->length, 120);
}

TEST(Attachments, ActiveElementsOfOneKindComeOneAfterTheOtherThenNone) {
    Symbols s;
    AttachmentList t;
    HashEntry *first = s.make(kNoteEffect, "first");
    HashEntry *other = s.make(kChordEffect, "other");
    HashEntry *second = s.make(kNoteEffect, "second");
    attachElement(t, first, 0, 480, 480);
    attachElement(t, other, 0, 480, 480);
    attachElement(t, second, 0, 480, 480);
    EXPECT_EQ(findActive(t, kNoteEffect, 0), first);
    EXPECT_EQ(findActive(t, kNoteEffect, 0), second);
    EXPECT_EQ(findActive(t, kNoteEffect, 0), nullptr);
    EXPECT_EQ(findActive(t, kNoteEffect, 0), first);  // the next chain starts again
}

TEST(Attachments, AChangeOfTheListStartsTheNextLookupFromTheHead) {
    Symbols s;
    AttachmentList t;
    HashEntry *a = s.make(kNoteEffect, "a");
    HashEntry *b = s.make(kNoteEffect, "b");
    attachElement(t, a, 0, 480, 480);
    EXPECT_EQ(findActive(t, kNoteEffect, 0), a);
    attachElement(t, b, 0, 480, 480);
    EXPECT_EQ(findActive(t, kNoteEffect, 0), a);
    EXPECT_EQ(findActive(t, kNoteEffect, 0), b);
}

TEST(Attachments, AZeroPeriodIsNeverActive) {
    Symbols s;
    AttachmentList t;
    HashEntry *e = s.make(kNoteEffect, "e");
    attachElement(t, e, 0, 0, 120);
    for (int32_t time : {0, 60, 480})
        EXPECT_EQ(activeAt(t, kNoteEffect, time), Found{}) << "at " << time;
}

TEST(Attachments, APatternPlacesItsElementsInWindowsOfItsCycle) {
    Symbols s;
    AttachmentList t;
    HashEntry *effect = s.make(kChordEffect, "accent");
    HashEntry *pattern = s.pattern({{effect, 0, 240, 0, nullptr}}, 960);
    ASSERT_EQ(attachPattern(t, pattern, 480), 0);
    const Probe probes[] = {{0, false},    {479, false},  {480, true},   {719, true},
                            {720, false},  {1439, false}, {1440, true},  {1679, true},
                            {1680, false}};
    for (const Probe &p : probes)
        EXPECT_EQ(activeAt(t, kChordEffect, p.time), p.active ? Found{effect} : Found{})
            << "at " << p.time;
}

TEST(Attachments, APatternYieldsItsOverlappingElementsInTurn) {
    Symbols s;
    AttachmentList t;
    HashEntry *a = s.make(kNotePattern, "a");
    HashEntry *chord = s.make(kChordPattern, "c");
    HashEntry *b = s.make(kNotePattern, "b");
    HashEntry *late = s.make(kNotePattern, "late");
    HashEntry *pattern = s.pattern({{a, 0, 480, 0, nullptr},
                                    {chord, 0, 480, 0, nullptr},
                                    {late, 240, 480, 0, nullptr},
                                    {b, 0, 480, 0, nullptr}},
                                   480);
    HashEntry *own = s.make(kNotePattern, "own");
    attachPattern(t, pattern, 0);
    attachElement(t, own, 0, 480, 480);
    EXPECT_EQ(findActive(t, kNotePattern, 100), a);
    EXPECT_EQ(findActive(t, kNotePattern, 100), b);
    EXPECT_EQ(findActive(t, kNotePattern, 100), own);
    EXPECT_EQ(findActive(t, kNotePattern, 100), nullptr);
}

TEST(Attachments, APatternSwitchedOffOrWithoutElementsIsNeverActive) {
    Symbols s;
    AttachmentList t;
    HashEntry *effect = s.make(kChordEffect, "e");
    HashEntry *pattern = s.pattern({{effect, 0, 240, 0, nullptr}}, 960);
    HashEntry *empty = s.pattern({}, 0);
    HashEntry *zeroCycle = s.pattern({{effect, 0, 0, 0, nullptr}}, 0);
    attachPattern(t, empty, 0);
    attachPattern(t, zeroCycle, 0);
    attachPattern(t, pattern, 0);
    attachPattern(t, pattern, -1);
    EXPECT_EQ(listLength(t), 3);
    for (int32_t time : {0, 100, 960})
        EXPECT_EQ(activeAt(t, kChordEffect, time), Found{}) << "at " << time;
}

}  // namespace
}  // namespace vek
