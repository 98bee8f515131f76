#include "writers/note_off_queue.h"

#include <algorithm>

namespace vek {

// Heap order: a lies below b when it is later, or as early but older.
bool NoteOffQueue::after(const Node &a, const Node &b) {
    if (a.end.time != b.end.time) return a.end.time > b.end.time;
    return a.order < b.order;
}

void NoteOffQueue::pushOnHeap(const Node &node) {
    heap_.push_back(node);
    std::push_heap(heap_.begin(), heap_.end(), after);
}

void NoteOffQueue::takeFromHeap() {
    std::pop_heap(heap_.begin(), heap_.end(), after);
    earliest_ = heap_.back();
    heap_.pop_back();
}

}  // namespace vek
