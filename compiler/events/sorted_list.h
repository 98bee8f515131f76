// Block pool and time-ordered list: the storage under every track and map.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "events/fatal_error.h"
#include "events/inlining.h"

namespace vek {

constexpr int kBlockShift = 9;
constexpr int32_t kBlockElements = 1 << kBlockShift;  // 512 elements a block

// Elements live in fixed blocks of 512 and never move once handed out, so
// growth never copies earlier blocks and pointers into the pool stay valid.
// The free slots of the last block run from next_ to end_, so handing one
// out is a compare and an increment.
template <typename T>
class ChunkPool {
public:
    ChunkPool() { keep(allocateBlock()); }
    ChunkPool(const ChunkPool &) = delete;
    ChunkPool &operator=(const ChunkPool &) = delete;

    // Next free slot (uninitialised).
    T *next() {
        if (next_ == end_) grow();
        last_ = next_;
        return next_++;
    }
    // Whether next() can hand out a slot of the last block, and that
    // hand-out with the element stored.
    bool hasRoom() const { return next_ != end_; }
    void append(const T &e) {
        *next_ = e;
        last_ = next_++;
    }
    // Element at index, or null when index is not below count().
    T *at(int32_t index) const {
        if (index < 0 || index >= count()) return nullptr;
        return slot(index);
    }
    // Element at an index known to be below count().
    T *slot(int32_t index) const {
        return &blocks_[static_cast<size_t>(index >> kBlockShift)][index & (kBlockElements - 1)];
    }
    // The element handed out last, or null.
    T *last() const { return last_; }
    int32_t count() const {
        return static_cast<int32_t>((blocks_.size() - 1) << kBlockShift) +
               static_cast<int32_t>(next_ - blocks_.back().get());
    }
    // Calls f on every element in index order, a block at a time.
    template <typename F>
    void forEach(F &&f) const {
        for (const Block &b : blocks_) {
            const T *end = b.get() == blocks_.back().get() ? next_ : b.get() + kBlockElements;
            for (const T *p = b.get(); p != end; ++p) f(*p);
        }
    }
    // Keeps the first block for reuse.
    void clear() {
        blocks_.resize(1);
        startBlock();
    }
    // Drops every element from index n on (n at most count()).
    void truncate(int32_t n) {
        const int32_t kept = n > 0 ? (n - 1) / kBlockElements + 1 : 1;  // a full last block stays
        blocks_.resize(static_cast<size_t>(kept));
        next_ = blocks_.back().get() + (n - (kept - 1) * kBlockElements);
        end_ = blocks_.back().get() + kBlockElements;
        last_ = n > 0 ? slot(n - 1) : nullptr;
    }

private:
    struct FreeBlock {
        void operator()(T *p) const { std::free(p); }
    };
    using Block = std::unique_ptr<T[], FreeBlock>;

    static Block allocateBlock() {
        T *p = static_cast<T *>(std::malloc(sizeof(T) * kBlockElements));
        if (!p) throw FatalError{kMsgNoMemory};
        return Block(p);
    }
    void keep(Block block) {
        try {
            blocks_.push_back(std::move(block));
        } catch (const std::bad_alloc &) {
            throw FatalError{kMsgNoMemory};
        }
        startBlock();
    }
    void startBlock() {
        next_ = blocks_.back().get();
        end_ = next_ + kBlockElements;
        if (blocks_.size() == 1) last_ = nullptr;
    }
    void grow() { keep(allocateBlock()); }

    std::vector<Block> blocks_;
    T *next_ = nullptr;  // first free slot of the last block
    T *end_ = nullptr;   // end of the last block
    T *last_ = nullptr;  // element handed out last
};

// Keeps elements in ascending `time` order without a full sort; equal
// times keep insertion order. An element later than everything stored is
// appended to the pool. A descent starts a short run (at most 31 elements,
// non-decreasing), merged into the pool from the back when the next descent
// comes or it is full: each voice appending its own ascending stretch costs
// close to linear time.
//
// A run whose merge would move many pool elements (a voice written after a
// long stretch of another, or a descending sequence) goes to the spill
// instead: an unsorted overflow that is stably sorted and merged in one pass
// once it reaches half the pool, or at the next read. That keeps the worst
// case at n log n rather than quadratic. Stability across the three parts
// holds because, while the spill is not empty, only elements later than
// every spilled one enter the pool.
template <typename T>
class SortedList {
public:
    static constexpr int kRunSlots = 32;  // the run holds at most 31
    // A run merges into the pool when it moves at most this many pool
    // elements per run element; a costlier run is spilled.
    static constexpr int32_t kMovesPerElement = 64;
    static constexpr size_t kMinSpill = 4096;  // elements spilled before a merge

    // The common case, an element later than all, is a few instructions
    // and inlines at every caller; everything else goes out of line.
    VEK_ALWAYS_INLINE void insert(const T &e) {
        if (runFill_ == 0 && laterThanAll(e.time) && pool_.hasRoom()) {
            pool_.append(e);
            return;
        }
        insertRest(e);
    }
    int32_t count() {
        merge();
        return pool_.count();
    }
    T *at(int32_t index) {
        merge();
        return pool_.at(index);
    }
    // Element at an index below count(), with nothing stored since.
    T *slot(int32_t index) { return pool_.slot(index); }
    // Calls f on every element in order: one merge for the whole walk
    // rather than one per at().
    template <typename F>
    void forEach(F &&f) {
        merge();
        pool_.forEach(f);
    }
    void clear() {
        runFill_ = 0;
        std::vector<T>().swap(spill_);
        pool_.clear();
    }
    // Keeps the first n elements in order (n at most count()).
    void truncate(int32_t n) {
        merge();
        pool_.truncate(n);
    }
    // Last element in order, or null.
    T *last() {
        merge();
        return pool_.last();
    }
    // Brings the run and the spill into the pool.
    void merge() {
        flushRun();
        mergeSpill();
    }

private:
    // insert() for an element that goes into the run, or into a full block.
    VEK_NOINLINE void insertRest(const T &e) {
        if (runFill_ == 0) {
            if (laterThanAll(e.time)) {
                *pool_.next() = e;
                return;
            }
        } else if (e.time < run_[runFill_ - 1].time || runFill_ == kRunSlots - 1) {
            flushRun();
        }
        run_[runFill_++] = e;
    }
    // With the run empty the spill is empty too (a read merges both, and a
    // flush on insertion is followed by the new element entering the run),
    // so the pool's last element is the latest one stored.
    bool laterThanAll(int32_t time) const {
        const T *last = pool_.last();
        return !last || last->time < time;
    }
    // Whether at most `limit` pool elements are later than `time`: the pool
    // is sorted, so one probe `limit` places from the end tells.
    bool fewLaterThan(int32_t time, int32_t limit) const {
        const int32_t n = pool_.count();
        return n <= limit || !(time < pool_.slot(n - 1 - limit)->time);
    }
    void flushRun() {
        if (runFill_ == 0) return;
        const bool afterSpill = spill_.empty() || spillMax_ < run_[0].time;
        if (afterSpill && fewLaterThan(run_[0].time, kMovesPerElement * runFill_)) {
            mergeFromBack(run_, runFill_);
        } else {
            spillRun();
        }
        runFill_ = 0;
    }
    void spillRun() {
        try {
            if (spill_.empty()) spillMax_ = run_[0].time;
            spill_.insert(spill_.end(), run_, run_ + runFill_);
        } catch (const std::bad_alloc &) {
            throw FatalError{kMsgNoMemory};
        }
        if (spillMax_ < run_[runFill_ - 1].time) spillMax_ = run_[runFill_ - 1].time;
        if (spill_.size() >= kMinSpill && spill_.size() >= static_cast<size_t>(pool_.count() / 2))
            mergeSpill();
    }
    void mergeSpill() {
        if (spill_.empty()) return;
        try {
            sortSpill();
        } catch (const std::bad_alloc &) {
            throw FatalError{kMsgNoMemory};
        }
        mergeFromBack(spill_.data(), static_cast<int32_t>(spill_.size()));
        std::vector<T>().swap(spill_);
    }
    // Stable sort that merges the spill's ordered stretches pairwise, so
    // voices spilled one after another, or a descent, cost a few passes
    // rather than log n. A strictly descending stretch holds no equal times
    // and is simply reversed.
    void sortSpill() {
        const size_t n = spill_.size();
        std::vector<size_t> ends;  // end of each ascending stretch
        for (size_t i = 0, j; i < n; i = j) {
            j = i + 1;
            if (j < n && spill_[j].time < spill_[i].time) {
                while (j < n && spill_[j].time < spill_[j - 1].time) ++j;
                std::reverse(spill_.begin() + static_cast<long>(i),
                             spill_.begin() + static_cast<long>(j));
            } else {
                while (j < n && !(spill_[j].time < spill_[j - 1].time)) ++j;
            }
            ends.push_back(j);
        }
        if (ends.size() < 2) return;
        std::vector<T> other(n);
        T *src = spill_.data(), *dst = other.data();
        const auto earlier = [](const T &a, const T &b) { return a.time < b.time; };
        while (ends.size() > 1) {
            size_t begin = 0, kept = 0;
            for (size_t k = 0; k < ends.size(); k += 2) {
                const size_t mid = ends[k], end = k + 1 < ends.size() ? ends[k + 1] : mid;
                std::merge(src + begin, src + mid, src + mid, src + end, dst + begin, earlier);
                ends[kept++] = begin = end;
            }
            ends.resize(kept);
            std::swap(src, dst);
        }
        if (src != spill_.data()) spill_.swap(other);
    }
    // Merges n ascending elements into the pool. On equal times the pool's
    // element stays first: it was stored before them.
    void mergeFromBack(const T *src, int32_t n) {
        int32_t i = pool_.count() - 1;
        for (int32_t k = 0; k < n; ++k) pool_.next();
        int32_t j = pool_.count() - 1;
        while (n > 0) {
            if (i >= 0 && src[n - 1].time < pool_.slot(i)->time) {
                *pool_.slot(j--) = *pool_.slot(i--);
            } else {
                *pool_.slot(j--) = src[--n];
            }
        }
    }

    ChunkPool<T> pool_;
    T run_[kRunSlots];
    int runFill_ = 0;
    std::vector<T> spill_;
    int32_t spillMax_ = 0;  // latest time in the spill, ticks
};

}  // namespace vek
