#include "cli/render_command.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "cli/interrupt.h"
#include "cli/printable.h"

#ifdef VEK_HAVE_SOUND
#include <unistd.h>

#include "cli/render_loader.h"
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

// ".wav .flac .ogg" as a list.
std::vector<std::string> words(const std::string &text) {
    std::vector<std::string> list;
    for (size_t start = 0, end; start < text.size(); start = end + 1) {
        end = std::min(text.find(' ', start), text.size());
        if (end > start) list.push_back(text.substr(start, end - start));
    }
    return list;
}

CompileOutcome checkAudioType(const Options &o, const VekRenderModule &module) {
    const auto extensions = words(module.audioExtensions());
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

// The module's progress callback: draws the bar, stops on Ctrl+C.
int progress(double done, void *bar) {
    static_cast<ProgressBar *>(bar)->update(done);
    return interruptFlag() ? 0 : 1;
}

#endif

}  // namespace

#ifdef VEK_HAVE_SOUND

CompileOutcome prepareRender(const Options &o, std::string &soundFont) {
    std::string error;
    const VekRenderModule *module = renderModule(error);
    if (!module) return failure(kExitFailure, error);
    if (CompileOutcome bad = checkAudioType(o, *module); bad.status != kExitSuccess) return bad;
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
    std::string error;
    const VekRenderModule *module = renderModule(error);
    if (!module) return failure(kExitFailure, error);
    ProgressBar bar(printable(o.renderPath));
    const VekRenderJob job{midiPath.c_str(), o.renderPath.c_str(), soundFont.c_str(),
                           o.gain < 0 ? kDefaultGain : o.gain, o.sampleRate, progress, &bar};
    // Ctrl+C ends the render cleanly: no partial audio file is left.
    catchInterrupt();
    const char *failed = module->render(&job);
    if (interruptFlag()) return failure(kExitInterrupted, "");
    if (!failed) return {};
    return failure(kExitFailure, printable(std::string("vek: ") + failed + "\n"));
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
