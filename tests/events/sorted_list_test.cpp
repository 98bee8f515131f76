// The time-ordered list: every insertion order must read back as a stable
// sort by time, whichever of the pool, the run and the spill it went through.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "events/event.h"
#include "events/sorted_list.h"
#include "events/track.h"

namespace vek {
namespace {

// Each event carries its insertion number in `extra`, so ties can be checked.
std::vector<Event> insertAll(SortedList<Event> &list, const std::vector<int32_t> &times) {
    std::vector<Event> reference;
    for (size_t i = 0; i < times.size(); ++i) {
        const Event e{times[i], 0, kNote, 60, 64, static_cast<uint32_t>(i)};
        list.insert(e);
        reference.push_back(e);
    }
    std::stable_sort(reference.begin(), reference.end(),
                     [](const Event &a, const Event &b) { return a.time < b.time; });
    return reference;
}

void expectSameOrder(SortedList<Event> &list, const std::vector<Event> &reference) {
    ASSERT_EQ(list.count(), static_cast<int32_t>(reference.size()));
    for (size_t i = 0; i < reference.size(); ++i) {
        const Event *e = list.at(static_cast<int32_t>(i));
        ASSERT_EQ(e->time, reference[i].time) << "at index " << i;
        ASSERT_EQ(e->extra, reference[i].extra) << "tie broken at index " << i;
    }
}

std::vector<int32_t> extraOrder(SortedList<Event> &list) {
    std::vector<int32_t> order;
    for (int32_t i = 0; i < list.count(); ++i) order.push_back(static_cast<int32_t>(list.at(i)->extra));
    return order;
}

TEST(SortedList, EqualTimesKeepInsertionOrder) {
    SortedList<Event> list;
    insertAll(list, {10, 10, 10});
    EXPECT_EQ(extraOrder(list), (std::vector<int32_t>{0, 1, 2}));
}

TEST(SortedList, ShortDescentIsMergedAtTheRead) {
    SortedList<Event> list;
    insertAll(list, {5, 3, 4, 1, 2});
    std::vector<int32_t> times;
    for (int32_t i = 0; i < list.count(); ++i) times.push_back(list.at(i)->time);
    EXPECT_EQ(times, (std::vector<int32_t>{1, 2, 3, 4, 5}));
}

TEST(SortedList, EventAtTheTimeOfEarlierOnesComesAfterThem) {
    SortedList<Event> list;
    insertAll(list, {0, 100, 200, 100, 0, 200, 100});
    // times 0 0 100 100 100 200 200, each tie in insertion order
    EXPECT_EQ(extraOrder(list), (std::vector<int32_t>{0, 4, 1, 3, 6, 2, 5}));
}

struct OrderCase {
    const char *name;
    std::function<std::vector<int32_t>()> times;
};

std::vector<int32_t> descending(int32_t n) {
    std::vector<int32_t> t;
    for (int32_t i = n; i > 0; --i) t.push_back(i);
    return t;
}

// Voices of one track taking turns, `notes` events each turn.
std::vector<int32_t> voicesTakingTurns(int voices, int turns, int notes, int32_t step) {
    std::vector<int32_t> t;
    for (int turn = 0; turn < turns; ++turn)
        for (int v = 0; v < voices; ++v)
            for (int k = 0; k < notes; ++k) t.push_back((turn * notes + k) * step + (v % 3));
    return t;
}

std::vector<int32_t> randomTimes(int n, int32_t range, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int32_t> d(0, range);
    std::vector<int32_t> t;
    for (int i = 0; i < n; ++i) t.push_back(d(rng));
    return t;
}

// Ascending stretches that each step back a little: many short runs.
std::vector<int32_t> sawtooth(int teeth, int length, int32_t back) {
    std::vector<int32_t> t;
    int32_t base = 0;
    for (int k = 0; k < teeth; ++k) {
        for (int i = 0; i < length; ++i) t.push_back(base + i * 10);
        base += length * 10 - back;
    }
    return t;
}

class SortedListOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(SortedListOrder, ReadsAsAStableSortByTime) {
    SortedList<Event> list;
    const auto reference = insertAll(list, GetParam().times());
    expectSameOrder(list, reference);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, SortedListOrder,
    testing::Values(
        OrderCase{"Descending32", [] { return descending(32); }},
        OrderCase{"Descending70", [] { return descending(70); }},
        OrderCase{"Descending100k", [] { return descending(100000); }},
        OrderCase{"RunOf31Then32", [] {
                      std::vector<int32_t> t{1000};
                      for (int i = 0; i < 63; ++i) t.push_back(i);
                      return t;
                  }},
        OrderCase{"AllEqual", [] { return std::vector<int32_t>(3000, 7); }},
        OrderCase{"SixteenVoicesByBar", [] { return voicesTakingTurns(16, 400, 8, 60); }},
        OrderCase{"VoicesOneAfterAnother", [] { return voicesTakingTurns(6, 1, 20000, 5); }},
        OrderCase{"ShortSawtooth", [] { return sawtooth(2000, 12, 50); }},
        OrderCase{"DeepSawtooth", [] { return sawtooth(300, 200, 1990); }},
        OrderCase{"RandomManyTies", [] { return randomTimes(50000, 300, 1); }},
        OrderCase{"RandomWide", [] { return randomTimes(50000, 1 << 30, 2); }},
        OrderCase{"NegativeTimes", [] {
                      std::vector<int32_t> t = randomTimes(5000, 20000, 3);
                      for (auto &x : t) x -= 10000;
                      return t;
                  }}),
    [](const testing::TestParamInfo<OrderCase> &info) { return info.param.name; });

// Reads merge whatever is pending; inserting on afterwards must not disturb
// the order, including ties with elements that were pending at the read.
TEST(SortedList, ReadsBetweenInsertionsKeepTheOrder) {
    SortedList<Event> list;
    std::vector<Event> all;
    std::mt19937 rng(4);
    std::uniform_int_distribution<int32_t> d(0, 2000);
    for (uint32_t i = 0; i < 60000; ++i) {
        const int32_t t = i % 7000 < 3500 ? d(rng) : static_cast<int32_t>(60000 - i);
        const Event e{t, 0, kNote, 0, 0, i};
        list.insert(e);
        all.push_back(e);
        if (i % 997 == 0) {
            ASSERT_EQ(list.count(), static_cast<int32_t>(i + 1));
        }
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const Event &a, const Event &b) { return a.time < b.time; });
    expectSameOrder(list, all);
}

TEST(SortedList, LastIsTheLatestElement) {
    SortedList<Event> list;
    EXPECT_EQ(list.last(), nullptr);
    insertAll(list, {40, 10, 40, 20});
    EXPECT_EQ(list.last()->time, 40);
    EXPECT_EQ(list.last()->extra, 2u);
}

TEST(SortedList, ClearDropsPendingElements) {
    SortedList<Event> list;
    insertAll(list, descending(10000));
    list.clear();
    EXPECT_EQ(list.count(), 0);
    const auto reference = insertAll(list, {3, 1, 2});
    expectSameOrder(list, reference);
}

TEST(ChunkPool, ElementPastTheFirstBlockLandsInTheSecond) {
    ChunkPool<Event> pool;
    std::vector<Event *> slots;
    for (int32_t i = 0; i < kBlockElements + 1; ++i) {
        slots.push_back(pool.next());
        *slots.back() = Event{i, 0, kNote, 0, 0, 0};
    }
    EXPECT_EQ(pool.count(), 513);
    EXPECT_EQ(pool.at(512), slots[512]);
    EXPECT_NE(slots[512], slots[511] + 1);  // a new block, not a moved one
    // Growth moved nothing that was handed out before.
    for (int32_t i = 0; i < 513; ++i) ASSERT_EQ(pool.at(i), slots[i]);
    EXPECT_EQ(pool.at(0)->time, 0);
    EXPECT_EQ(pool.at(511)->time, 511);
}

TEST(ChunkPool, IndexOutsideTheCountIsNull) {
    ChunkPool<Event> pool;
    EXPECT_EQ(pool.at(0), nullptr);
    for (int i = 0; i < 3; ++i) pool.next();
    EXPECT_NE(pool.at(2), nullptr);
    EXPECT_EQ(pool.at(3), nullptr);
    EXPECT_EQ(pool.at(-1), nullptr);
    EXPECT_EQ(pool.at(kBlockElements), nullptr);
}

TEST(ChunkPool, ClearReusesTheFirstBlock) {
    ChunkPool<Event> pool;
    Event *first = pool.next();
    for (int i = 0; i < 3 * kBlockElements; ++i) pool.next();
    pool.clear();
    EXPECT_EQ(pool.count(), 0);
    EXPECT_EQ(pool.at(0), nullptr);
    EXPECT_EQ(pool.next(), first);
    EXPECT_EQ(pool.count(), 1);
}

TEST(EventBudget, TrackStopsWhenTheBudgetIsSpent) {
    EventBudget budget{3};
    Track track;
    track.budget = &budget;
    for (int i = 0; i < 3; ++i) track.insert(Event{i, 0, kNote, 60, 64, 10});
    try {
        track.insert(Event{3, 0, kNote, 60, 64, 10});
        FAIL() << "the fourth event was stored";
    } catch (const EventLimitReached &) {
    }
    EXPECT_EQ(track.count(), 3);
}

}  // namespace
}  // namespace vek
