// The symbol table: hashing, redeclaration rules, move-to-front, the
// cyclic walk, the name pool and section flattening.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "events/controller_definition.h"
#include "events/track.h"
#include "input/symbol_table.h"

namespace vek {
namespace {

struct HashCase {
    const char *name;
    uint32_t hash;
};

TEST(SymbolTable, HashesNamesAsSignedBytes) {
    const std::string z40(40, 'z');
    const HashCase cases[] = {
        {"", 0},
        {"a", 97},
        {"ab", 97 * 2 + 98},
        {"track", 3461},
        {"\xE9", 0xFFFFFFE9u},        // above 127: a negative byte
        {"a\xE9", 97 * 2 - 23},
        {z40.c_str(), 4294967174u},   // wraps at 32 bits
    };
    HashTable table;
    for (const auto &k : cases) {
        table.addNumber(kReservedWord, 1, k.name);
        const HashEntry *e = table.find(k.name);
        ASSERT_NE(e, nullptr) << k.name;
        EXPECT_EQ(e->hash, k.hash) << k.name;
    }
}

int32_t *ticks(int32_t t) { return new int32_t(t); }

struct Redeclaration {
    const char *what;
    uint8_t first;
    uint8_t second;
    bool accepted;
};

void addOwned(HashTable &table, uint8_t kind, const char *name) {
    // Kinds whose values are not built yet are entered with no value.
    if (kind == kTimeMark) {
        ASSERT_NE(table.add(kind, ticks(1), name), nullptr);
    } else if (kind == kReservedWord) {
        ASSERT_NE(table.addNumber(kind, 70, name), nullptr);
    } else if (kind == kTrackSymbol) {
        static Track track;  // the song owns tracks; the table only points at them
        ASSERT_NE(table.add(kind, &track, name), nullptr);
    } else {
        ASSERT_NE(table.add(kind, nullptr, name), nullptr);
    }
}

class SymbolRedeclaration : public testing::TestWithParam<Redeclaration> {};

TEST_P(SymbolRedeclaration, FollowsTheKindRules) {
    const auto &k = GetParam();
    HashTable table;
    addOwned(table, k.first, "name");
    int32_t *second = ticks(2);
    const char *pooled = table.add(k.second, k.second == kTimeMark ? second : nullptr, "name");
    EXPECT_EQ(pooled != nullptr, k.accepted);
    EXPECT_EQ(table.count(), 1);
    const HashEntry *e = table.find("name");
    EXPECT_EQ(e->kind, k.accepted ? k.second : k.first);
    if (k.accepted) {
        EXPECT_EQ(pooled, e->name);
        if (k.second == kTimeMark) {
            EXPECT_EQ(*static_cast<int32_t *>(e->value.object), 2);
        }
    } else {
        delete second;  // refused: still the caller's
    }
    if (k.accepted && k.second != kTimeMark) delete second;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SymbolRedeclaration,
    testing::Values(Redeclaration{"TrackTwice", kTrackSymbol, kTrackSymbol, false},
                    Redeclaration{"SetTwice", kMacroSymbol, kMacroSymbol, true},
                    Redeclaration{"SetThenPick", kMacroSymbol, kPickSymbol, true},
                    Redeclaration{"PickThenSet", kPickSymbol, kMacroSymbol, true},
                    Redeclaration{"PickTwice", kPickSymbol, kPickSymbol, true},
                    Redeclaration{"TimeTwice", kTimeMark, kTimeMark, true},
                    Redeclaration{"TimeThenSet", kTimeMark, kMacroSymbol, false},
                    Redeclaration{"SetThenTime", kMacroSymbol, kTimeMark, false},
                    Redeclaration{"TrackThenSet", kTrackSymbol, kMacroSymbol, false},
                    Redeclaration{"PatchTwice", kPatchSymbol, kPatchSymbol, false},
                    Redeclaration{"ReservedThenTrack", kReservedWord, kTrackSymbol, false},
                    Redeclaration{"ReservedThenSet", kReservedWord, kMacroSymbol, false},
                    Redeclaration{"ReservedThenPick", kReservedWord, kPickSymbol, false},
                    Redeclaration{"ReservedThenTime", kReservedWord, kTimeMark, false}),
    [](const testing::TestParamInfo<Redeclaration> &info) { return info.param.what; });

TEST(SymbolTable, NamesAreCaseSensitive) {
    Track upper, lower;
    HashTable table;
    EXPECT_NE(table.add(kTrackSymbol, &upper, "Piano"), nullptr);
    EXPECT_NE(table.add(kTrackSymbol, &lower, "piano"), nullptr);
    EXPECT_EQ(table.count(), 2);
    EXPECT_EQ(table.find("PIANO"), nullptr);
    EXPECT_STREQ(table.find("Piano")->name, "Piano");
}

TEST(SymbolTable, KindOutsideTheTableIsRefused) {
    HashTable table;
    EXPECT_EQ(table.addNumber(kSymbolKinds, 1, "odd"), nullptr);
    EXPECT_EQ(table.addNumber(255, 1, "odd"), nullptr);
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.find("odd"), nullptr);
}

TEST(SymbolTable, OwnedValuesOfEveryBuiltKindAreFreed) {
    // Run under the sanitizers, a leak or a double free here fails.
    Track track;  // owned by the song, not the table
    HashTable table;
    auto *section = new SectionGroup;
    table.add(kTrackSymbol, &track, "t");
    table.add(kControllerSymbol, new ControllerDefinition, "c");
    table.add(kSectionSymbol, section, "s");
    table.add(kTimeMark, ticks(5), "m");
    table.add(kTimeMark, ticks(6), "m");
    table.add(kSecondName, table.find("t")->value.object, "t2");
    table.addNumber(kPatchSymbol, 12, "p");
    EXPECT_EQ(table.count(), 6);
}

// "a" and "q" share bucket 1 (97 and 113 agree in their low four bits).
TEST(SymbolTable, FindMovesAnEntryToTheHeadOfItsChain) {
    HashTable table;
    table.addNumber(kPatchSymbol, 1, "a");
    table.addNumber(kPatchSymbol, 2, "q");
    EXPECT_STREQ(table.next()->name, "q");  // the newest entry heads the chain
    HashTable moved;
    moved.addNumber(kPatchSymbol, 1, "a");
    moved.addNumber(kPatchSymbol, 2, "q");
    ASSERT_NE(moved.find("a"), nullptr);
    EXPECT_STREQ(moved.next()->name, "a");
    EXPECT_STREQ(moved.next()->name, "q");
}

TEST(SymbolTable, WalkOfOneEntryReturnsItEveryTime) {
    HashTable table;
    EXPECT_EQ(table.next(), nullptr);
    table.addNumber(kPatchSymbol, 3, "solo");
    const HashEntry *first = table.next();
    ASSERT_NE(first, nullptr);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(table.next(), first);
}

TEST(SymbolTable, WalkFromAMarkMeetsEveryEntryOnce) {
    HashTable table;
    std::set<std::string> names;
    for (int i = 0; i < 150; ++i) {
        std::string name = std::to_string(i * 7);
        name.insert(name.begin(), 'n');
        names.insert(name);
        table.addNumber(kPatchSymbol, i, name.c_str());
    }
    for (int round = 0; round < 2; ++round) {  // and again from wherever it stopped
        std::map<std::string, int> seen;
        const HashEntry *mark = table.next();
        const HashEntry *e = mark;
        do {
            ++seen[e->name];
            e = table.next();
        } while (e != mark);
        ASSERT_EQ(seen.size(), names.size());
        for (const auto &[name, times] : seen) EXPECT_EQ(times, 1) << name;
    }
}

TEST(SymbolTable, PooledNamesStayPutAndIntact) {
    HashTable table;
    std::vector<std::pair<std::string, const char *>> added;
    for (int i = 0; i < 600; ++i) {
        // Lengths from 1 to 250 bytes: some end a block exactly, some need one of their own.
        std::string name = std::to_string(i);
        name.resize(name.size() + 1 + (i * 37) % 250, static_cast<char>('a' + i % 26));
        const char *pooled = table.addNumber(kPatchSymbol, i, name.c_str());
        ASSERT_NE(pooled, nullptr);
        added.emplace_back(name, pooled);
    }
    for (const auto &[name, pooled] : added) {
        ASSERT_STREQ(pooled, name.c_str());
        ASSERT_EQ(table.find(name.c_str())->name, pooled);
    }
}

// Lookups first consult a filter on the hash; every name added, whatever
// its bytes (signed ones make large hashes), must still be found, and names
// never added must not be.
TEST(SymbolTable, EveryAddedNameIsFoundAndNoOther) {
    HashTable table;
    std::set<std::string> names;
    for (int i = 0; i < 3000; ++i) {
        std::string name = "n" + std::to_string(i * 7919);
        if (i % 3 == 0) name += static_cast<char>(0x80 + i % 128);
        if (table.addNumber(kPatchSymbol, i, name.c_str())) names.insert(name);
    }
    for (const std::string &name : names) ASSERT_NE(table.find(name.c_str()), nullptr) << name;
    for (const char *absent : {"C", "D/2", "c~eg", "n1", "\xff"}) EXPECT_EQ(table.find(absent), nullptr);
}

SectionGroup section(std::vector<std::pair<uint8_t, void *>> members) {
    SectionGroup g;
    for (const auto &[kind, member] : members) {
        g.kinds[g.count] = kind;
        g.members[g.count] = member;
        ++g.count;
    }
    return g;
}

TEST(SectionGroup, NestedSectionsFlattenInMemberOrder) {
    Track t1, t2, t3, t4;
    SectionGroup inner = section({{kTrackSymbol, &t2}, {kTrackSymbol, &t3}});
    SectionGroup outer =
        section({{kTrackSymbol, &t1}, {kSectionSymbol, &inner}, {kTrackSymbol, &t4}});
    std::vector<Track *> out;
    EXPECT_EQ(HashTable::collectTracks(outer, out), 4);
    EXPECT_EQ(out, (std::vector<Track *>{&t1, &t2, &t3, &t4}));
}

// Sections that each hold the one before eight times would flatten to
// 8^depth tracks if shared sections were walked again.
TEST(SectionGroup, SharedSectionsAreWalkedOnce) {
    Track t1, t2;
    std::vector<SectionGroup> chain(64);
    chain[0] = section({{kTrackSymbol, &t1}, {kTrackSymbol, &t2}, {kTrackSymbol, &t1}});
    for (size_t i = 1; i < chain.size(); ++i)
        for (int m = 0; m < SectionGroup::kMaxMembers; ++m) {
            chain[i].kinds[m] = kSectionSymbol;
            chain[i].members[m] = &chain[i - 1];
            chain[i].count = SectionGroup::kMaxMembers;
        }
    std::vector<Track *> out;
    EXPECT_EQ(HashTable::collectTracks(chain.back(), out), 2);
    EXPECT_EQ(out, (std::vector<Track *>{&t1, &t2}));
}

TEST(SectionGroup, SectionInsideItselfDoesNotLoop) {
    Track t1, t2;
    SectionGroup self = section({{kTrackSymbol, &t1}});
    self.kinds[1] = kSectionSymbol;
    self.members[1] = &self;
    self.count = 2;
    std::vector<Track *> out;
    EXPECT_EQ(HashTable::collectTracks(self, out), 1);
    EXPECT_EQ(out, (std::vector<Track *>{&t1}));

    // Two sections naming each other: each is flattened once per call.
    SectionGroup a = section({{kTrackSymbol, &t1}});
    SectionGroup b = section({{kSectionSymbol, &a}, {kTrackSymbol, &t2}});
    a.kinds[1] = kSectionSymbol;
    a.members[1] = &b;
    a.count = 2;
    out.clear();
    EXPECT_EQ(HashTable::collectTracks(a, out), 2);
    EXPECT_EQ(out, (std::vector<Track *>{&t1, &t2}));
    // The guard is released afterwards: a second call gives the same.
    out.clear();
    EXPECT_EQ(HashTable::collectTracks(a, out), 2);
}

// A note sent to a section sounds once per track, however often the track
// is reached through the section's members.
TEST(SectionGroup, SameSectionTwiceContributesOnce) {
    Track t1;
    SectionGroup inner = section({{kTrackSymbol, &t1}});
    SectionGroup outer = section({{kSectionSymbol, &inner}, {kSectionSymbol, &inner}});
    std::vector<Track *> out;
    EXPECT_EQ(HashTable::collectTracks(outer, out), 1);
}

}  // namespace
}  // namespace vek
