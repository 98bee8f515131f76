// Writing a large song as a Standard MIDI File: 1M and 2M notes over four
// tracks with a controller after every fourth note, so that the time per
// note shows whether the writer stays linear.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "events/song_context.h"
#include "writers/midi_writer.h"

namespace {

constexpr int kTracks = 4;

// A fresh temporary folder, current while it lives: the writer's output
// goes there.
class TempFolder {
public:
    TempFolder() : previous_(std::filesystem::current_path()) {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("vek-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(path_, ec);
    }

private:
    std::filesystem::path previous_, path_;
};

// Notes every 60 ticks with lengths from 60 to 480 ticks, so up to eight
// note ends are pending at a time in each track.
void fillSong(vek::SongContext &song, int64_t notes) {
    song.meterMap.insertMeter(vek::MeterEntry{0, 1, 4, 2, 0, 120, 480});
    for (int k = 0; k < kTracks; ++k) {
        vek::Track *track = song.newTrack();
        track->budget = nullptr;  // no event cap for this measurement
        song.namedTracks.emplace_back(track);
        const auto channel = static_cast<uint8_t>(k);
        for (int64_t i = k; i < notes; i += kTracks) {
            const auto time = static_cast<int32_t>(i / kTracks * 60);
            const auto key = static_cast<uint8_t>(36 + i % 48);
            const auto ticks = static_cast<uint32_t>(60 + (i % 8) * 60);
            track->insert(vek::Event{time, channel, vek::kNote, key, 90, ticks});
            if (i % 16 < kTracks)
                track->insert(vek::Event{time, channel, vek::kController, 7,
                                         static_cast<uint8_t>(i % 128), 0});
        }
    }
}

void BM_WriteMidiFile(benchmark::State &state) {
    TempFolder folder;
    vek::SongContext song;
    fillSong(song, state.range(0));
    long bytes = 0;
    for (auto _ : state) {
        const vek::WriteResult result = vek::writeMidiFile(song, std::fopen("song.mid", "wb"));
        if (result != vek::WriteResult::ok) state.SkipWithError("writeMidiFile failed");
        bytes = static_cast<long>(std::filesystem::file_size("song.mid"));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_WriteMidiFile)->Arg(1'000'000)->Arg(2'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
