// Addressing a track or a section: each keeps its own time and pitch memory.
#include "entry/compile_state.h"
#include "events/song_context.h"
#include "music/numbers.h"
#include "statements/statement_parser.h"

namespace vek {

namespace {

void saveInto(const VoiceState &v, int32_t &time, uint8_t *reference) {
    time = v.timing.time;
    reference[0] = v.firstLetterPitch;
    reference[1] = v.firstLetterChar;
    reference[2] = v.firstOctave;
}

// Keeps the voice's time and pitch reference in what it addressed so far.
void leaveAddressed(CompileState &cs) {
    VoiceState &v = *cs.voice;
    cs.switchTime = v.timing.time;
    if (v.sectionMode && v.section) {
        saveInto(v, v.section->time, v.section->pitchReference);
        std::vector<Track *> tracks;
        HashTable::collectTracks(*v.section, tracks);
        for (Track *t : tracks) saveInto(v, t->time, t->pitchReference);
    } else if (v.track) {
        saveInto(v, v.track->time, v.track->pitchReference);
    }
}

void enter(CompileState &cs, int32_t ownTime, const uint8_t *reference) {
    VoiceState &v = *cs.voice;
    const int32_t barOne = BarBeatTickToTicks(cs, 1, 1, 0);
    v.timing.time = ownTime > barOne ? ownTime : barOne;
    v.timing.eventStart = ownTime;
    v.timing.step = 0;
    v.firstLetterPitch = reference[0];
    v.firstLetterChar = reference[1];
    v.firstOctave = reference[2];
}

}  // namespace

void addressTrack(CompileState &cs, Track *track) {
    leaveAddressed(cs);
    VoiceState &v = *cs.voice;
    v.track = track;
    v.sectionMode = 0;
    enter(cs, track->time, track->pitchReference);
}

void addressSection(CompileState &cs, SectionGroup *section) {
    leaveAddressed(cs);
    VoiceState &v = *cs.voice;
    v.section = section;
    v.sectionMode = 1;
    v.memberIndex = 0;
    enter(cs, section->time, section->pitchReference);
}

}  // namespace vek
