#include "events/track.h"

#include <algorithm>
#include <limits>

namespace vek {

namespace {

int32_t saturate(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// Index of the last entry whose time is at most `ticks`, or -1. Most
// queries fall at the end; the rest are searched by halves, as a tempo sweep
// may insert thousands of entries before later ones.
template <typename T>
int32_t lastAtOrBefore(SortedList<T> &list, int32_t ticks) {
    const int32_t n = list.count();  // merges, so slot() may follow
    if (n == 0 || list.slot(n - 1)->time <= ticks) return n - 1;
    int32_t low = 0, high = n - 1;  // the first entry later than ticks is in [low, high]
    while (low < high) {
        const int32_t middle = low + (high - low) / 2;
        if (list.slot(middle)->time <= ticks) low = middle + 1;
        else high = middle;
    }
    return low - 1;
}

}  // namespace

void EventBudget::exhausted() { throw EventLimitReached{{kMsgTooManyEvents}}; }

int32_t scaleTimeWide(int64_t a, int64_t b, int64_t c) {
    if (c == 0) return static_cast<int32_t>(0x8FFFFFFFu);
    return saturate((a / c) * b + ((a % c) * b) / c);
}

int32_t scaleTime(int32_t a, int32_t b, int32_t c) { return scaleTimeWide(a, b, c); }

// ---- TempoMap ----

TempoMap::TempoMap(int32_t division) : division_(division) {
    entries.insert(TempoEntry{0, 0, 10000, 0});
    count = 1;
    chunkLength += 18;
}

void TempoMap::insertTempo(const TempoEntry &e) {
    const int32_t found = lastAtOrBefore(entries, e.time);
    TempoEntry *in = found >= 0 ? entries.at(found) : nullptr;
    if (in && in->time == e.time) {
        const int32_t keptRealTime = in->realTime;
        *in = e;
        if (found == 0) in->realTime = keptRealTime;  // the first entry anchors real time
        markStale(found);
        return;
    }
    if (in && in->tempo == e.tempo) return;
    entries.insert(e);
    ++count;
    chunkLength += 18;
    markStale(found + 1);
}

namespace {

bool ascending(const std::vector<TempoEntry> &v) {
    return std::is_sorted(v.begin(), v.end(),
                          [](const TempoEntry &a, const TempoEntry &b) { return a.time < b.time; });
}

}  // namespace

void TempoMap::insertTempos(const std::vector<TempoEntry> &sweep) {
    if (sweep.empty()) return;
    if (!ascending(sweep)) {
        for (const TempoEntry &e : sweep) insertTempo(e);
        return;
    }
    // The tail from the entry in force at the first time, rebuilt with the
    // sweep merged in by the rules of insertTempo.
    const int32_t from = std::max(lastAtOrBefore(entries, sweep.front().time), 0);
    const int32_t n = entries.count();  // merges, so slot() may follow
    std::vector<TempoEntry> tail, merged;
    for (int32_t k = from; k < n; ++k) tail.push_back(*entries.slot(k));
    size_t next = 0;
    int32_t firstChange = INT32_MAX, added = 0;
    for (const TempoEntry &e : sweep) {
        while (next < tail.size() && tail[next].time <= e.time) merged.push_back(tail[next++]);
        TempoEntry *in = merged.empty() ? nullptr : &merged.back();
        if (in && in->time == e.time) {
            const int32_t keptRealTime = in->realTime;
            *in = e;
            if (from == 0 && merged.size() == 1) in->realTime = keptRealTime;  // the first entry anchors real time
        } else if (in && in->tempo == e.tempo) {
            continue;
        } else {
            merged.push_back(e);
            ++added;
        }
        firstChange = std::min(firstChange, from + static_cast<int32_t>(merged.size()) - 1);
    }
    merged.insert(merged.end(), tail.begin() + static_cast<std::ptrdiff_t>(next), tail.end());
    entries.truncate(from);
    for (const TempoEntry &e : merged) entries.insert(e);
    count += added;
    chunkLength += 18 * added;
    if (firstChange != INT32_MAX) markStale(firstChange);
}

void TempoMap::markStale(int32_t from) {
    staleFrom_ = std::min(staleFrom_, std::max(from, 1));
}

// ms = previous ms + ticks * 60000 / (division * BPM), in the integer form
// the time conversions share.
void TempoMap::settleRealTimes() {
    const int32_t n = entries.count();  // merges, so slot() may follow
    for (int32_t k = staleFrom_; k < n; ++k) {
        const TempoEntry *prev = entries.slot(k - 1);
        TempoEntry *cur = entries.slot(k);
        const int64_t a = (static_cast<int64_t>(cur->time) - prev->time) * 100;
        const int64_t c = static_cast<int64_t>(division_ / 24) * prev->tempo;
        cur->realTime = saturate(static_cast<int64_t>(prev->realTime) + scaleTimeWide(a, 2500, c));
    }
    staleFrom_ = INT32_MAX;
}

TempoEntry *TempoMap::tempoAt(int32_t ticks) {
    settleRealTimes();
    return entries.at(lastAtOrBefore(entries, ticks));
}

TempoEntry *TempoMap::tempoAtRealTime(int32_t ms) {
    settleRealTimes();
    int32_t i = entries.count() - 1;
    while (i >= 0 && entries.at(i)->realTime > ms) --i;
    return entries.at(i);
}

void TempoMap::setDivision(int32_t division) {
    division_ = division;
    markStale(1);
}

// ---- MeterMap ----

void MeterMap::insertMeter(const MeterEntry &e) {
    MeterEntry *in = meterAt(e.time);
    if (in && in->measure == e.measure) {
        *in = e;
        return;
    }
    if (in && in->numerator == e.numerator && in->denominatorPower == e.denominatorPower &&
        in->key == e.key)
        return;
    entries.insert(e);
    ++count;
    chunkLength += 12;
}

// Asked at every bar line: one merge, then plain slots.
MeterEntry *MeterMap::meterAt(int32_t ticks, int32_t *nextTime) {
    const int32_t i = lastAtOrBefore(entries, ticks);
    if (nextTime) *nextTime = i + 1 < entries.count() ? entries.slot(i + 1)->time : kNoNextTime;
    return i >= 0 ? entries.slot(i) : nullptr;
}

MeterEntry *MeterMap::meterAtBar(int32_t barIndex) {
    const int64_t bar = static_cast<int64_t>(barIndex) + 1;
    int32_t i = entries.count() - 1;
    while (i >= 0 && entries.at(i)->measure > bar) --i;
    return entries.at(i);
}

}  // namespace vek
