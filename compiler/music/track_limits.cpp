// Track limits (port, key range, velocity range) and the wheel reset `w`.
#include <algorithm>

#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/emission.h"
#include "music/keyword_words.h"
#include "music/keywords.h"
#include "music/notes.h"
#include "music/numbers.h"

namespace vek {

namespace {

constexpr int32_t kPorts = 16;
constexpr int32_t kVelocityLimit = 8191;

void skipEquals(CompileState &cs) {
    if (cs.ch == '=') advance(cs);
}

// A note read on the scratch voice, so that its accidentals and octave
// memory do not touch the voice; its key as the note reader leaves it.
int32_t readRangeNote(CompileState &cs, VoiceState &scratch) {
    error(cs, ReadNoteName(cs, scratch));
    error(cs, ReadNoteModifiers(cs, scratch));
    scratch.flags = {};
    cs.note.silent = 0;
    return cs.note.draft.key;
}

int32_t readVelocityLimit(CompileState &cs, bool negate) {
    if (!hasNumber(ReadNumber(cs, kMaskInteger, kVelocityLimit, -kVelocityLimit, 1)))
        invalidParameter(cs, kwVelocityRange);
    return negate ? -cs.number : cs.number;
}

}  // namespace

void portWord(CompileState &cs) {
    if (!hasNumber(ReadNumber(cs, kMaskInteger, kPorts, 1, 1))) return;
    if (Track *t = cs.voice->track) t->port = static_cast<uint8_t>(cs.number - 1);
}

void pitchRangeWord(CompileState &cs) {
    VoiceState scratch = *cs.voice;
    skipEquals(cs);
    const int32_t low = readRangeNote(cs, scratch);
    skipRangeArrow(cs);
    const int32_t high = readRangeNote(cs, scratch);
    if (Track *t = cs.voice->track) {
        t->keyLow = toInt8(low);
        t->keyHigh = toInt8(high);
        t->refreshShaping();
    }
}

void velocityRangeWord(CompileState &cs) {
    skipEquals(cs);
    const int32_t low = readVelocityLimit(cs, false);
    const bool negate = skipRangeArrow(cs);
    const int32_t high = readVelocityLimit(cs, negate);
    if (Track *t = cs.voice->track) {
        t->velocityLow = low;
        t->velocityHigh = std::max(high, low);
        t->refreshShaping();
    }
}

// Returns each target's pitch wheel to centre at once; the sweep cursor
// of the voice stays where it was.
void wheelResetWord(CompileState &cs) {
    const int32_t time = cs.voice->timing.time;
    for (Track *t : targetTracks(cs)) {
        ControllerDefinition &wheel = t->glideDefinition ? *t->glideDefinition : cs.wheelDefinition;
        int32_t cursor = time;
        EmitControlOnTrack(cs, wheel, 0, &cursor, wheel.lastValue, 0, t);
        t->glideSemitones = 0;  // the wheel is centred: notes sound as written again
        t->refreshShaping();
    }
}

}  // namespace vek
