// Whole compiles of generated pieces: notes per second and peak memory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "scratch_folder.h"
#include "vek/vekmain.h"

namespace {

namespace fs = std::filesystem;

// About `notes` notes over four tracks: chords, repeated groups, modifiers,
// bar lines and track switches, as a real piece mixes them.
std::string generatePiece(int64_t notes) {
    std::string s = "tempo =120\ncontrol volume 7\n";
    const char *tracks[] = {"one", "two", "three", "four"};
    const char *bars[] = {"C D E F | ", "ceg2 G. A/2 | ", "(c d e f)2~ | ", "E! D#@ C<10 B>5 | ",
                          "C=E=G=C= D2. r | "};
    // "<10" and ">5" are modifiers of their notes and "r" is a rest.
    const int notesPerBar[] = {4, 5, 8, 4, 5};
    int64_t written = 0;
    for (int bar = 0; written < notes; ++bar) {
        if (bar % 16 == 0) {
            s += bar < 64 ? "\ntrack " : "\n";  // declared once, then addressed
            s += tracks[(bar / 16) % 4];
            s += " volume =80\n";
        }
        s += bars[bar % 5];
        written += notesPerBar[bar % 5];
    }
    return s + "\n";
}

long peakKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

void BM_CompilePiece(benchmark::State &state) {
    vek::bench::ScratchFolder scratch("vek-bench-");
    std::ofstream("piece.vek") << generatePiece(state.range(0));
    const int32_t zero = 0;
    VekmainArgs args{"piece.vek", "midi", "piece.vls", "", &zero, &zero, &zero, VEKMAIN_VERSION};
    for (auto _ : state) {
        const ParseError r = Vekmain(VEKMAIN_ARGUMENT_COUNT, &args);
        if (r.failed) state.SkipWithError(r.message);
    }
    state.counters["notes_per_second"] =
        benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_MB"] = static_cast<double>(peakKilobytes()) / 1024.0;
}
BENCHMARK(BM_CompilePiece)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
