#include "sound/render.h"

#include <fluidsynth.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <system_error>

namespace vek::sound {

namespace {

constexpr int kBlockFrames = 1024;
// After the last event the synth plays on until a whole block stays below
// this level (about -80 dBFS) with no voice sounding, or for at most 30 s.
constexpr float kSilence = 1e-4f;
constexpr double kMaxTailSeconds = 30;

struct AudioType {
    const char *fluidName;  // in FluidSynth's "audio.file.type" choices
    const char *extension;
    int format;             // libsndfile's
};

constexpr AudioType kTypes[] = {
    {"wav", ".wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
    {"flac", ".flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
    {"oga", ".ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
};

struct Deleter {
    void operator()(fluid_settings_t *p) const { delete_fluid_settings(p); }
    void operator()(fluid_synth_t *p) const { delete_fluid_synth(p); }
    void operator()(fluid_player_t *p) const { delete_fluid_player(p); }
    void operator()(SNDFILE *p) const { sf_close(p); }
};
template <typename T>
using Owned = std::unique_ptr<T, Deleter>;

void collectOption(void *data, const char *, const char *option) {
    static_cast<std::vector<std::string> *>(data)->push_back(option);
}

void quiet(int, const char *, void *) {}

// FluidSynth prints its own complaints on stderr; the caller reports
// failures in its own words.
void silenceFluidSynth() {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, quiet, nullptr);
}

const AudioType *typeOf(const std::string &path) {
    const std::string ext = std::filesystem::path(path).extension().string();
    for (const AudioType &type : kTypes)
        if (ext == type.extension) return &type;
    return nullptr;
}

struct Synth {
    Owned<fluid_settings_t> settings;
    Owned<fluid_synth_t> synth;
    Owned<fluid_player_t> player;
};

std::string openSynth(Synth &s, const std::string &midiPath, const RenderSettings &r) {
    silenceFluidSynth();
    s.settings.reset(new_fluid_settings());
    fluid_settings_setnum(s.settings.get(), "synth.gain", r.gain);
    fluid_settings_setnum(s.settings.get(), "synth.sample-rate", r.sampleRate);
    fluid_settings_setstr(s.settings.get(), "player.timing-source", "sample");
    s.synth.reset(new_fluid_synth(s.settings.get()));
    if (!s.synth) return "cannot start the synthesizer";
    if (fluid_synth_sfload(s.synth.get(), r.soundFont.c_str(), 1) == FLUID_FAILED)
        return "cannot load the soundfont " + r.soundFont;
    s.player.reset(new_fluid_player(s.synth.get()));
    if (!s.player || fluid_player_add(s.player.get(), midiPath.c_str()) != FLUID_OK ||
        fluid_player_play(s.player.get()) != FLUID_OK)
        return "cannot play " + midiPath;
    return "";
}

// Renders one block into `frames` (stereo, interleaved); returns its peak.
float renderBlock(fluid_synth_t *synth, std::vector<float> &frames) {
    fluid_synth_write_float(synth, kBlockFrames, frames.data(), 0, 2, frames.data(), 1, 2);
    float peak = 0;
    for (float v : frames) peak = std::max(peak, std::fabs(v));
    return peak;
}

std::string writeAudio(Synth &s, SNDFILE *out, const RenderSettings &r, RenderResult &result) {
    std::vector<float> frames(2 * kBlockFrames);
    long long written = 0;
    auto write = [&]() {
        written += kBlockFrames;
        return sf_writef_float(out, frames.data(), kBlockFrames) == kBlockFrames;
    };
    const double total = std::max(1, fluid_player_get_total_ticks(s.player.get()));
    int block = 0;
    while (fluid_player_get_status(s.player.get()) == FLUID_PLAYER_PLAYING) {
        renderBlock(s.synth.get(), frames);
        if (!write()) return sf_strerror(out);
        const double done = std::min(1.0, fluid_player_get_current_tick(s.player.get()) / total);
        if (r.progress && ++block % 16 == 0 && !r.progress(done)) return "stopped";
    }
    const long long tailCap = static_cast<long long>(kMaxTailSeconds * r.sampleRate);
    for (long long tail = 0; tail < tailCap; tail += kBlockFrames) {
        const float peak = renderBlock(s.synth.get(), frames);
        if (peak < kSilence && fluid_synth_get_active_voice_count(s.synth.get()) == 0) break;
        if (r.progress && !r.progress(1.0)) return "stopped";
        if (!write()) return sf_strerror(out);
    }
    result.seconds = static_cast<double>(written) / r.sampleRate;
    return "";
}

}  // namespace

std::vector<std::string> audioExtensions() {
    Owned<fluid_settings_t> settings(new_fluid_settings());
    std::vector<std::string> choices;
    fluid_settings_foreach_option(settings.get(), "audio.file.type", &choices, collectOption);
    std::vector<std::string> extensions;
    for (const AudioType &type : kTypes)
        if (std::find(choices.begin(), choices.end(), type.fluidName) != choices.end())
            extensions.push_back(type.extension);
    return extensions;
}

RenderResult renderMidi(const std::string &midiPath, const std::string &audioPath,
                        const RenderSettings &settings) {
    RenderResult result;
    const AudioType *type = typeOf(audioPath);
    if (!type) {
        result.error = "unknown audio type of " + audioPath;
        return result;
    }
    Synth synth;
    result.error = openSynth(synth, midiPath, settings);
    if (!result.error.empty()) return result;

    const std::string partial = audioPath + ".part";
    SF_INFO info{};
    info.samplerate = settings.sampleRate;
    info.channels = 2;
    info.format = type->format;
    Owned<SNDFILE> out(sf_open(partial.c_str(), SFM_WRITE, &info));
    if (!out) {
        result.error = "cannot write " + audioPath + ": " + sf_strerror(nullptr);
        return result;
    }
    sf_command(out.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    result.error = writeAudio(synth, out.get(), settings, result);
    const bool closed = sf_close(out.release()) == 0;
    if (result.error.empty() && !closed) result.error = "cannot finish " + audioPath;
    std::error_code ec;
    if (result.error.empty()) std::filesystem::rename(partial, audioPath, ec);
    if (result.error.empty() && ec) result.error = "cannot write " + audioPath + ": " + ec.message();
    if (!result.error.empty()) std::filesystem::remove(partial, ec);
    return result;
}

}  // namespace vek::sound
