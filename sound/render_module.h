// The C interface of the render module vek-render.so: `vek` opens it at
// its first render, so FluidSynth and libsndfile are loaded only then and
// not on every compile. Its one export hands out a table of functions.
#pragma once

extern "C" {

// Bumped whenever VekRenderJob or VekRenderModule changes.
#define VEK_RENDER_MODULE_VERSION 1
#define VEK_RENDER_MODULE_ENTRY "vekRenderModule"

struct VekRenderJob {
    const char *midiPath;
    const char *audioPath;      // its extension picks the format
    const char *soundFont;
    double gain;                // FluidSynth's master gain
    int sampleRate;             // frames per second
    // Called with the share of the piece done (0 to 1); returning 0 stops
    // the render. May be null.
    int (*progress)(double done, void *context);
    void *context;
};

struct VekRenderModule {
    int version;                // VEK_RENDER_MODULE_VERSION
    // The audio file extensions this system's FluidSynth can write, each
    // with its dot, separated by spaces: ".wav .flac .ogg".
    const char *(*audioExtensions)(void);
    // Renders a MIDI file into an audio file; null on success, else the
    // reason, valid until the next call. A failed render leaves no file.
    const char *(*render)(const VekRenderJob *job);
};

// The module's one export, found by VEK_RENDER_MODULE_ENTRY.
const VekRenderModule *vekRenderModule(void);
typedef const VekRenderModule *(*VekRenderModuleEntry)(void);

}
