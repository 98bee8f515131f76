// What the sound device can be set to: the audio drivers this system's
// synthesizer offers, the system's General MIDI sound font and the gain.
#pragma once

#include <QString>
#include <QStringList>

namespace vek::editor {

// The General MIDI sound font used when the settings name none.
QString systemSoundFont();

// FluidSynth's gain for playback and tests. Its own default (0.2) leaves the
// example pieces peaking between -38 and -13 dBFS, most near -30. 0.5 is
// 8 dB louder: a four-track piece with drums peaks near -6 dBFS (-5.3
// measured), leaving room for denser pieces; one quiet voice stays between
// -16 and -30. `vek --render` uses the same gain.
inline constexpr double kDefaultGain = 0.5;
inline constexpr double kMaximumGain = 10.0;

// The audio drivers the synthesizer was built with, sorted ("alsa",
// "pulseaudio", ...).
QStringList audioDrivers();

// The driver the synthesizer picks when the settings name none.
QString automaticAudioDriver();

}  // namespace vek::editor
