// What the sound device can be set to: the audio drivers this system's
// synthesizer offers, the system's General MIDI sound font and the gain.
#pragma once

#include <QString>
#include <QStringList>

namespace vek::editor {

// The General MIDI sound font used when the settings name none.
QString systemSoundFont();

// FluidSynth's gain for playback and tests. Its own default (0.2) leaves a
// General MIDI piece peaking near -30 dBFS; 1.0 brings the examples near
// -6 dBFS without clipping.
inline constexpr double kDefaultGain = 1.0;
inline constexpr double kMaximumGain = 10.0;

// The audio drivers the synthesizer was built with, sorted ("alsa",
// "pulseaudio", ...).
QStringList audioDrivers();

// The driver the synthesizer picks when the settings name none.
QString automaticAudioDriver();

}  // namespace vek::editor
