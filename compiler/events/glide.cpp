// The glide emitter: the held note bent towards the glide's target key.
#include <cstdint>

#include "entry/compile_state.h"
#include "events/emission.h"
#include "events/track.h"

namespace vek {

namespace {

constexpr int32_t kWheelSpan = 16384;  // wheel units over the definition's semitone span

// Wheel units for a bend of `semitones`; a definition spanning no semitones
// is taken as spanning one, so the wheel goes to its limit.
int32_t glideWheel(const ControllerDefinition &d, int32_t semitones) {
    int64_t span = int64_t{d.glideRangeHigh} - d.glideRangeLow;
    if (span == 0) span = 1;
    return Clamp(static_cast<int32_t>(int64_t{semitones} * kWheelSpan / span), d.minValue, d.maxValue);
}

}  // namespace

// The sweep runs over the voice's glide offset (ticks) from the voice's
// eventStart. A bare W glides back: wheel centred, nothing bent.
void EmitGlide(CompileState &cs, VoiceState &voice, const Event &note, Track *track) {
    if (!track) return;
    ControllerDefinition &d = track->glideDefinition ? *track->glideDefinition : cs.wheelDefinition;
    int32_t wheel = 0;
    track->glideSemitones = 0;
    if (voice.stepKind != kStepGlideOnly) {
        track->glideSemitones = static_cast<uint8_t>(note.data1 - track->held.data1);
        wheel = glideWheel(d, static_cast<int8_t>(track->glideSemitones));
    }
    EmitControl(cs, d, voice.hold.glideOffset, voice, wheel, true, track, false);
}

}  // namespace vek
