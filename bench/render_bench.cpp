// Offline rendering of a four-track General MIDI piece through FluidSynth:
// how many times faster than real time (the "x_real_time" counter).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "scratch_folder.h"
#include "sound/render.h"
#include "sound/soundfont.h"
#include "vek/vekmain.h"

namespace {

// Piano melody, bass, string chords and drums: 16 bars of 8 notes.
constexpr const char *kPiece =
    "include gm.vek\n"
    "tempo =120\n"
    "track melody $$1 acousticGrandPiano (C D E F G A B C@ | E G C@ G E C G C |)8\n"
    "track bass $$2 electricBassFinger (c@-1 2 g@-2 2 | a@-2 2 e@-1 2 |)8\n"
    "track strings $$3 stringEnsemble1 (ceg4 | ace4 |)8\n"
    "track drums $$10 ((kickDrum1) closedHiHat (acousticSnare) closedHiHat |)16\n";

void BM_RenderFourTracks(benchmark::State &state) {
    vek::bench::ScratchFolder scratch("vek-render-bench-");
    std::ofstream("piece.vek") << kPiece;
    const int32_t zero = 0;
    const VekmainArgs args{"piece.vek", "midi", "piece.vls", VEK_DATA_DIR, &zero, &zero, &zero, VEKMAIN_VERSION};
    const ParseError compiled = Vekmain(VEKMAIN_ARGUMENT_COUNT, &args);
    const auto soundFont = vek::sound::findSoundFont();
    if (compiled.failed || !soundFont) {
        state.SkipWithError(compiled.failed ? compiled.message : "no soundfont");
        return;
    }
    vek::sound::RenderSettings settings;
    settings.soundFont = *soundFont;
    double seconds = 0;
    for (auto _ : state) {
        const auto result = vek::sound::renderMidi("piece.mid", "piece.wav", settings);
        if (!result.error.empty()) state.SkipWithError(result.error.c_str());
        seconds = result.seconds;
    }
    state.counters["audio_seconds"] = seconds;
    state.counters["x_real_time"] = benchmark::Counter(seconds, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RenderFourTracks)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
