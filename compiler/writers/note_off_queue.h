// Note ends waiting to be written, taken earliest first.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

namespace vek {

struct NoteEnd {
    int32_t time;     // ticks
    uint8_t channel;  // 0-15
    uint8_t key;
};

// The earliest end is held apart from a heap of the others. A new end takes
// its place only when strictly earlier; when it is removed, the heap yields
// the next by time and, among equal times, the newest first. So ends of one
// tick come out as: the one that was earliest when it arrived, then the
// rest newest first. The written files depend on this order, so it must
// not change.
class NoteOffQueue {
public:
    // Ends mostly come one at a time (a note ends before the next starts),
    // so the paths without the heap stay inline.
    void add(const NoteEnd &end) {
        if (!hasEarliest_) {
            earliest_ = Node{end, added_++};
            hasEarliest_ = true;
            return;
        }
        Node node{end, added_++};
        if (end.time < earliest_.end.time) std::swap(node, earliest_);
        if (heap_.empty()) heap_.push_back(node);  // a heap of one needs no reordering
        else pushOnHeap(node);
    }
    bool empty() const { return !hasEarliest_; }
    int32_t size() const { return hasEarliest_ ? static_cast<int32_t>(heap_.size()) + 1 : 0; }
    // Only when not empty.
    const NoteEnd &earliest() const { return earliest_.end; }
    void removeEarliest() {
        if (heap_.empty()) {
            hasEarliest_ = false;
        } else if (heap_.size() == 1) {  // a heap of one needs no reordering
            earliest_ = heap_.back();
            heap_.pop_back();
        } else {
            takeFromHeap();
        }
    }

private:
    struct Node {
        NoteEnd end;
        uint64_t order;  // insertion count
    };
    static bool after(const Node &a, const Node &b);
    void pushOnHeap(const Node &node);
    void takeFromHeap();

    std::vector<Node> heap_;
    Node earliest_{};
    bool hasEarliest_ = false;
    uint64_t added_ = 0;
};

}  // namespace vek
