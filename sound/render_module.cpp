// The render module's one export, over renderMidi and audioExtensions.
#include "sound/render_module.h"

#include <string>

#include "sound/render.h"

namespace {

const char *extensions() {
    static const std::string joined = [] {
        std::string text;
        for (const std::string &ext : vek::sound::audioExtensions()) text += (text.empty() ? "" : " ") + ext;
        return text;
    }();
    return joined.c_str();
}

const char *render(const VekRenderJob *job) {
    static std::string error;
    vek::sound::RenderSettings settings;
    settings.soundFont = job->soundFont;
    settings.gain = job->gain;
    settings.sampleRate = job->sampleRate;
    if (job->progress)
        settings.progress = [job](double done) { return job->progress(done, job->context) != 0; };
    error = vek::sound::renderMidi(job->midiPath, job->audioPath, settings).error;
    return error.empty() ? nullptr : error.c_str();
}

constexpr VekRenderModule kModule{VEK_RENDER_MODULE_VERSION, extensions, render};

}  // namespace

extern "C" __attribute__((visibility("default"))) const VekRenderModule *vekRenderModule() { return &kModule; }
