#include "cli/render_command.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/interrupt.h"
#include "cli/printable.h"

#ifdef VEK_HAVE_SOUND
#include <unistd.h>

#include "sound/render.h"
#include "sound/soundfont.h"
#endif

namespace vek::cli {

namespace {

CompileOutcome failure(int status, const std::string &report) {
    CompileOutcome outcome;
    outcome.status = status;
    outcome.report = report;
    return outcome;
}

#ifdef VEK_HAVE_SOUND

// A four-track General MIDI piece at full velocity peaks near -6 dBFS
// (-5.4 measured), the same as the editor's playback.
constexpr double kDefaultGain = 0.5;
constexpr auto kQuietFor = std::chrono::seconds(2);
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

std::string joined(const std::vector<std::string> &items, const char *separator) {
    std::string text;
    for (const auto &item : items) text += (text.empty() ? "" : separator) + item;
    return text;
}

CompileOutcome checkAudioType(const Options &o) {
    const auto extensions = sound::audioExtensions();
    const std::string ext = std::filesystem::path(o.renderPath).extension().string();
    for (const auto &known : extensions)
        if (ext == known) return {};
    return failure(kExitUsage, usageReport("--render writes " + joined(extensions, ", ") +
                                           " files, not " + (ext.empty() ? "\"\"" : ext)));
}

// A bar on stderr, drawn over itself, only on a terminal and only once
// the render has taken two seconds.
class ProgressBar {
public:
    explicit ProgressBar(std::string name)
        : name_(std::move(name)), start_(std::chrono::steady_clock::now()), terminal_(isatty(2) != 0) {}
    ~ProgressBar() {
        if (shown_) std::fputs("\r\033[K", stderr);
    }
    void update(double done) {
        const auto now = std::chrono::steady_clock::now();
        if (!terminal_ || now - start_ < kQuietFor || now - drawn_ < kRedrawEvery) return;
        drawn_ = now;
        constexpr int kWidth = 30;
        const int filled = static_cast<int>(done * kWidth);
        std::fprintf(stderr, "\r%s [%s%s] %3d%%", name_.c_str(), std::string(filled, '#').c_str(),
                     std::string(kWidth - filled, ' ').c_str(), static_cast<int>(done * 100));
        shown_ = true;
    }

private:
    std::string name_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point drawn_{};
    bool terminal_;
    bool shown_ = false;
};

#endif

}  // namespace

#ifdef VEK_HAVE_SOUND

CompileOutcome prepareRender(const Options &o, std::string &soundFont) {
    if (CompileOutcome bad = checkAudioType(o); bad.status != kExitSuccess) return bad;
    std::error_code ec;
    if (!o.soundFont.empty()) {
        soundFont = o.soundFont;
        if (std::filesystem::is_regular_file(soundFont, ec)) return {};
        return failure(kExitFailure, printable("vek: cannot read the soundfont " + soundFont + "\n"));
    }
    if (const auto found = sound::findSoundFont()) {
        soundFont = *found;
        return {};
    }
    return failure(kExitFailure,
                   printable("vek: no soundfont found; looked for " + joined(sound::soundFontCandidates(), ", ") +
                             ". Install the Debian package " + sound::kSoundFontPackage +
                             " or name a soundfont with --soundfont SF2\n"));
}

CompileOutcome renderAudio(const Options &o, const std::string &midiPath, const std::string &soundFont) {
    ProgressBar bar(printable(o.renderPath));
    sound::RenderSettings settings;
    settings.soundFont = soundFont;
    settings.gain = o.gain < 0 ? kDefaultGain : o.gain;
    settings.sampleRate = o.sampleRate;
    settings.progress = [&bar](double done) {
        bar.update(done);
        return !interruptFlag();
    };
    // Ctrl+C ends the render cleanly: no partial audio file is left.
    catchInterrupt();
    const sound::RenderResult result = sound::renderMidi(midiPath, o.renderPath, settings);
    if (interruptFlag()) return failure(kExitInterrupted, "");
    if (result.error.empty()) return {};
    return failure(kExitFailure, printable("vek: " + result.error + "\n"));
}

#else

CompileOutcome prepareRender(const Options &, std::string &) {
    return failure(kExitUsage, usageReport("this vek was built without --render"));
}

CompileOutcome renderAudio(const Options &, const std::string &, const std::string &) {
    return failure(kExitFailure, "vek: this vek was built without --render\n");
}

#endif

}  // namespace vek::cli
