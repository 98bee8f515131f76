// Offline rendering of a Standard MIDI File to an audio file through
// FluidSynth, faster than real time.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace vek::sound {

// The audio file extensions (".wav", ".flac", ".ogg") that this system's
// FluidSynth can write.
std::vector<std::string> audioExtensions();

struct RenderSettings {
    std::string soundFont;
    double gain = 0.5;         // FluidSynth's master gain
    int sampleRate = 44100;    // frames per second
    // Called about every 0.4 s of audio with the share of the piece done
    // (0 to 1); returning false stops the render, which then fails.
    std::function<bool(double)> progress;
};

struct RenderResult {
    std::string error;         // empty on success
    double seconds = 0;        // length of the audio written
};

// Plays `midiPath` into `audioPath`, whose extension picks the format,
// until the last note has died away. The audio is written under a
// temporary name beside `audioPath` and renamed at the end, so a failed
// render leaves no partial file.
RenderResult renderMidi(const std::string &midiPath, const std::string &audioPath,
                        const RenderSettings &settings);

}  // namespace vek::sound
