// The pending note ends of a track: earliest first, with a fixed order for
// ends that fall on one tick.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "writers/note_off_queue.h"

namespace vek {
namespace {

// The order the files must keep, as a plain list: a new end becomes the
// earliest only when strictly earlier; after a removal the new earliest is
// the first end of the smallest time met scanning from newest to oldest.
class ListQueue {
public:
    void add(const NoteEnd &e) {
        nodes_.push_back(e);
        if (earliest_ < 0 || e.time < nodes_[static_cast<size_t>(earliest_)].time)
            earliest_ = static_cast<int>(nodes_.size()) - 1;
    }
    bool empty() const { return nodes_.empty(); }
    NoteEnd remove() {
        const NoteEnd e = nodes_[static_cast<size_t>(earliest_)];
        nodes_.erase(nodes_.begin() + earliest_);
        earliest_ = -1;
        for (int i = static_cast<int>(nodes_.size()) - 1; i >= 0; --i)
            if (earliest_ < 0 || nodes_[static_cast<size_t>(i)].time <
                                     nodes_[static_cast<size_t>(earliest_)].time)
                earliest_ = i;
        return e;
    }

private:
    std::vector<NoteEnd> nodes_;
    int earliest_ = -1;
};

std::vector<int> drain(NoteOffQueue &q) {
    std::vector<int> keys;
    for (; !q.empty(); q.removeEarliest()) keys.push_back(q.earliest().key);
    return keys;
}

TEST(NoteOffQueue, EndsOfOneTickComeOutEarliestThenNewestFirst) {
    NoteOffQueue q;
    q.add({480, 0, 1});
    q.add({480, 0, 2});
    q.add({480, 0, 3});
    EXPECT_EQ(drain(q), (std::vector<int>{1, 3, 2}));
}

TEST(NoteOffQueue, OrderDependsOnWhenTheEarliestWasChosen) {
    NoteOffQueue q;
    q.add({50, 0, 9});
    q.add({100, 0, 1});
    q.add({100, 0, 2});
    q.add({100, 0, 3});
    EXPECT_EQ(q.earliest().key, 9);
    q.removeEarliest();  // the scan picks the newest of tick 100
    q.add({100, 0, 4});  // not strictly earlier: the earliest stays
    EXPECT_EQ(drain(q), (std::vector<int>{3, 4, 2, 1}));
}

TEST(NoteOffQueue, StrictlyEarlierEndTakesTheLead) {
    NoteOffQueue q;
    q.add({100, 0, 1});
    q.add({50, 3, 2});
    EXPECT_EQ(q.size(), 2);
    EXPECT_EQ(q.earliest().channel, 3);
    EXPECT_EQ(drain(q), (std::vector<int>{2, 1}));
    EXPECT_EQ(q.size(), 0);
}

TEST(NoteOffQueue, MatchesTheListOrderOnRandomTraffic) {
    std::mt19937 random(12345);
    for (int round = 0; round < 200; ++round) {
        NoteOffQueue heap;
        ListQueue list;
        int key = 0;
        for (int step = 0; step < 300; ++step) {
            if (random() % 3 != 0 || list.empty()) {
                const NoteEnd e{static_cast<int32_t>(random() % 6), 0,
                                static_cast<uint8_t>(key++ & 0x7F)};
                heap.add(e);
                list.add(e);
            } else {
                const NoteEnd want = list.remove();
                ASSERT_FALSE(heap.empty());
                ASSERT_EQ(heap.earliest().time, want.time) << "round " << round;
                ASSERT_EQ(heap.earliest().key, want.key) << "round " << round;
                heap.removeEarliest();
            }
        }
        while (!list.empty()) {
            const NoteEnd want = list.remove();
            ASSERT_EQ(heap.earliest().key, want.key) << "round " << round;
            heap.removeEarliest();
        }
        EXPECT_TRUE(heap.empty());
    }
}

}  // namespace
}  // namespace vek
