// The glide emitter: the held note bent towards the glide's target key.
#include <cstdint>

#include "entry/compile_state.h"
#include "events/sweep_plan.h"
#include "events/track.h"
#include "music/emission.h"

namespace vek {

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
    track->refreshShaping();
    EmitControl(cs, d, voice.hold.glideOffset, voice, wheel, true, track, false);
}

}  // namespace vek
