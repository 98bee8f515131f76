// Whole compiles of pieces that declare many names: the time per name
// should stay flat as their number grows.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "scratch_folder.h"
#include "vek/vekmain.h"

namespace {

namespace fs = std::filesystem;

// `count` macros, each defined and then called once.
std::string macroPiece(int64_t count) {
    std::string s;
    for (int64_t i = 0; i < count; ++i) s.append("set m").append(std::to_string(i)).append(" { C }\n");
    for (int64_t i = 0; i < count; ++i) s.append("m").append(std::to_string(i)).append(i % 16 == 15 ? "\n" : " ");
    return s + "\n";
}

// `count` tracks with one note each.
std::string trackPiece(int64_t count) {
    std::string s;
    for (int64_t i = 0; i < count; ++i) s.append("track t").append(std::to_string(i)).append(" C\n");
    return s;
}

void compile(benchmark::State &state, const std::string &piece) {
    vek::bench::ScratchFolder scratch("vek-names-bench-");
    std::ofstream("names.vek") << piece;
    const int32_t zero = 0;
    VekmainArgs args{"names.vek", "midi", "names.vls", "", &zero, &zero, &zero, VEKMAIN_VERSION};
    for (auto _ : state) {
        const ParseError r = Vekmain(VEKMAIN_ARGUMENT_COUNT, &args);
        if (r.failed) state.SkipWithError(r.message);
    }
    state.counters["names_per_second"] =
        benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_MacroDefinitions(benchmark::State &state) { compile(state, macroPiece(state.range(0))); }
BENCHMARK(BM_MacroDefinitions)->Arg(10000)->Arg(40000)->Arg(160000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Tracks(benchmark::State &state) { compile(state, trackPiece(state.range(0))); }
BENCHMARK(BM_Tracks)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
