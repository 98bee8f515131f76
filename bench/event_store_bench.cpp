// Cost of storing events in time order. Each case runs at two sizes so the
// growth can be read off: twice the events should take about twice the time.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "events/event.h"
#include "events/sorted_list.h"

namespace {

using vek::Event;
using vek::SortedList;

constexpr int32_t kBarTicks = 480;
constexpr int32_t kNotesPerBar = 8;  // eighth notes, 60 ticks apart
constexpr int32_t kVoices = 16;

Event note(int32_t time) { return Event{time, 0, vek::kNote, 60, 64, 60}; }

// Reading the count merges whatever is still pending, so it is part of the cost.
void finish(SortedList<Event> &list, benchmark::State &state) {
    benchmark::DoNotOptimize(list.count());
    state.SetItemsProcessed(state.items_processed() + list.count());
}

void BM_Ascending(benchmark::State &state) {
    const int64_t n = state.range(0);
    for (auto _ : state) {
        SortedList<Event> list;
        for (int64_t i = 0; i < n; ++i) list.insert(note(static_cast<int32_t>(i / 2)));
        finish(list, state);
    }
}

// Voices of one track take turns, one bar each: the usual shape of a
// piece with several voices written bar by bar.
void BM_InterleavedVoices(benchmark::State &state) {
    const int64_t bars = state.range(0) / (kVoices * kNotesPerBar);
    for (auto _ : state) {
        SortedList<Event> list;
        for (int64_t bar = 0; bar < bars; ++bar)
            for (int v = 0; v < kVoices; ++v)
                for (int k = 0; k < kNotesPerBar; ++k)
                    list.insert(note(static_cast<int32_t>(bar * kBarTicks + k * 60 + v)));
        finish(list, state);
    }
}

// Each voice written from start to end before the next one starts.
void BM_SequentialVoices(benchmark::State &state) {
    const int64_t perVoice = state.range(0) / kVoices;
    for (auto _ : state) {
        SortedList<Event> list;
        for (int v = 0; v < kVoices; ++v)
            for (int64_t i = 0; i < perVoice; ++i)
                list.insert(note(static_cast<int32_t>(i * 60 + v)));
        finish(list, state);
    }
}

// Every event earlier than the one before: the worst order for the list.
void BM_Descending(benchmark::State &state) {
    const int64_t n = state.range(0);
    for (auto _ : state) {
        SortedList<Event> list;
        for (int64_t i = n; i > 0; --i) list.insert(note(static_cast<int32_t>(i)));
        finish(list, state);
    }
}

constexpr int64_t kHalf = 5'000'000;
constexpr int64_t kFull = 10'000'000;

BENCHMARK(BM_Ascending)->Arg(kHalf)->Arg(kFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InterleavedVoices)->Arg(kHalf)->Arg(kFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SequentialVoices)->Arg(kHalf)->Arg(kFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Descending)->Arg(kHalf)->Arg(kFull)->Unit(benchmark::kMillisecond);

}  // namespace
