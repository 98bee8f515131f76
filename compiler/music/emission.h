// Turning notes, controller values, sweeps and glides into stored events.
#pragma once
#include <cstdint>

#include "events/event.h"

namespace vek {

struct CompileState;
struct ControllerDefinition;
struct VoiceState;
struct Track;

// Stores cs.note.draft as a note in each target track (the voice's track, or
// every track of the addressed section); clears cs.note.silent. Raises 65.
void EmitNote(CompileState &cs);

// Sends `definition` as a sweep lasting `duration` ticks from the last value
// sent on that port, channel, kind and number to `value` (absolute) or to
// that value plus `value`, for `track` or, with `sectionFlag`, the voice's
// addressed section. Advances voice.timing.eventStart by `duration`.
void EmitControl(CompileState &cs, ControllerDefinition &definition, int32_t duration,
                 VoiceState &voice, int32_t value, bool absolute, Track *track, bool sectionFlag);

// The same for one track with explicit end points; advances *cursor.
void EmitControlOnTrack(CompileState &cs, ControllerDefinition &definition, int32_t duration,
                        int32_t *cursor, int32_t from, int32_t to, Track *track);

// Sends the events of one sweep from template.time to endTime.
void EmitSweep(CompileState &cs, ControllerDefinition &definition, int32_t endTime,
               int32_t from, int32_t to, const Event &eventTemplate, Track *track);

// Sends the pitch-wheel value that bends the held note to `note`'s key.
void EmitGlide(CompileState &cs, VoiceState &voice, const Event &note, Track *track);

// Inserts `e` into `track` and lists it when the listing is on; logs a
// note for the event map. Raises 80 for an event too late for a MIDI file.
void storeEvent(CompileState &cs, Track &track, const Event &e);

}  // namespace vek
