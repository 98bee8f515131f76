// The price of the event map: the same piece compiled through Vekmain and
// through VekmainWithMap with every function set, as the editor asks.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "scratch_folder.h"
#include "vek/vekmain.h"

namespace {

// About `notes` notes over four tracks, with chords and a macro.
std::string piece(int64_t notes) {
    std::string s = "set run { C D E F }\n";
    const char *bars[] = {"C D E F | ", "ceg2 G. A/2 | ", "run | ", "E! D#@ C<10 B>5 | "};
    const int notesPerBar[] = {4, 4, 4, 4};
    int64_t written = 0;
    for (int bar = 0; written < notes; ++bar) {
        if (bar % 16 == 0) s += std::string(bar < 64 ? "\ntrack t" : "\nt") + std::to_string(bar / 16 % 4) + "\n";
        s += bars[bar % 4];
        written += notesPerBar[bar % 4];
    }
    return s + "\n";
}

void count(void *context, const VekMappedNote *) { ++*static_cast<int64_t *>(context); }

void BM_CompileWithoutMap(benchmark::State &state) {
    vek::bench::ScratchFolder scratch("vek-bench-");
    std::ofstream("piece.vek") << piece(state.range(0));
    const int32_t zero = 0;
    VekmainArgs args{"piece.vek", "midi", "piece.vls", "", &zero, &zero, &zero, VEKMAIN_VERSION};
    for (auto _ : state)
        if (Vekmain(VEKMAIN_ARGUMENT_COUNT, &args).failed) state.SkipWithError("compile failed");
}

void BM_CompileWithMap(benchmark::State &state) {
    vek::bench::ScratchFolder scratch("vek-bench-");
    std::ofstream("piece.vek") << piece(state.range(0));
    const int32_t zero = 0;
    VekmainArgs args{"piece.vek", "midi", "piece.vls", "", &zero, &zero, &zero, VEKMAIN_VERSION};
    int64_t notes = 0;
    VekEventMap map{};
    map.context = &notes;
    map.onNote = count;
    for (auto _ : state)
        if (VekmainWithMap(VEKMAIN_ARGUMENT_COUNT, &args, &map).failed) state.SkipWithError("compile failed");
    state.counters["mapped_notes"] = static_cast<double>(notes) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_CompileWithoutMap)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CompileWithMap)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
