// Pitch utilities shared by the note reader, the emission and the keys.
#pragma once
#include <cstdint>

namespace vek {

struct VoiceState;
struct Track;

int32_t PitchClass(int32_t pitch);
// Degree index of the pitch in the voice's mode, counting wraps; -1 when
// the pitch is not in the mode. `track` gives the base octave.
int32_t ModeIndexOfPitch(const VoiceState &voice, const Track *track, int32_t pitch);

// Notes the voice's last pitch for the "m" and "t" steps; SettlePitchMemory
// works out its mode index and scale position under the key and mode of
// that moment, and must run before either changes.
void RememberPitch(VoiceState &voice);
void SettlePitchMemory(VoiceState &voice);
// Moves a pitch by scale steps of the major scale on `tonic`; chromatic
// notes count as the degree below.
int32_t TransposeDiatonic(int32_t pitch, int32_t tonic, int32_t steps);
int32_t DiatonicPosition(int32_t pitch, int32_t tonic);

}  // namespace vek
