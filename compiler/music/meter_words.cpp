// `meter` and `ppq`: the bar and beat lengths, and the ticks per quarter.
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/keyword_words.h"
#include "music/keywords.h"
#include "music/numbers.h"
#include "music/ticks.h"

namespace vek {

namespace {

constexpr int32_t kMaxBeatsPerBar = 99;
constexpr int32_t kMaxBeatUnit = 32;  // a 32nd note
constexpr int32_t kMinPpq = 48;
constexpr int32_t kMaxPpq = 480;

// 1, 2, 4, 8, 16 or 32 as a power of two; -1 for anything else.
int powerOfTwo(int32_t n) {
    for (int power = 0; (1 << power) <= kMaxBeatUnit; ++power)
        if (n == (1 << power)) return power;
    return -1;
}

int32_t readMeterPart(CompileState &cs, int32_t maximum) {
    if (!hasNumber(ReadNumber(cs, kMaskInteger, maximum, 1, 1))) error(cs, kMsgMeterSyntax);
    return cs.number;
}

int32_t beatTicksFor(int32_t division, int power) { return (4 * division) >> power; }

// Adopts the meter map's entry at the voice's time, also when the entry
// in force was changed in place.
void adoptMeterAtTime(CompileState &cs) {
    cs.nextMeterTime = cs.voice->timing.time;
    refreshMeter(cs);
    cs.voice->timing.defaultDuration = cs.beatTicks;
}

// Tracks still at the old resolution follow the new one; a track scaled
// by duration_factor keeps its own.
void followDivision(CompileState &cs, int32_t oldDivision, int32_t division) {
    for (Track *t : songTracks(*cs.song))
        t->setResolution(t->resolution == oldDivision ? division : t->resolution, division);
    if (Track *t = cs.voice->track) t->setResolution(division, division);
}

}  // namespace

int32_t moveToBarLine(CompileState &cs) {
    VoiceState &v = *cs.voice;
    int32_t start = 0;
    int32_t bar = barIndexAt(cs, v.timing.time, &start);
    if (start == v.timing.time) return bar;
    const MeterEntry *m = cs.song->meterMap.meterAt(v.timing.time);
    v.timing.time = start + (m ? m->ticksPerBar : cs.barTicks);
    return barIndexAt(cs, v.timing.time);
}

// meter [=] n [/] m: a new meter from the next bar line on.
void meterWord(CompileState &cs) {
    const int32_t beats = readMeterPart(cs, kMaxBeatsPerBar);
    skipBlanks(cs);
    if (cs.ch == '/') advance(cs);
    skipBlanks(cs);
    const int power = powerOfTwo(readMeterPart(cs, kMaxBeatUnit));
    if (power < 0) error(cs, kMsgMeterUnit);

    const int32_t bar = moveToBarLine(cs);
    const int32_t time = cs.voice->timing.time;
    MeterMap &map = cs.song->meterMap;
    const MeterEntry *inForce = map.meterAt(time);
    const int32_t beatTicks = beatTicksFor(cs.song->division, power);
    checkEventTime(cs, time);
    map.insertMeter(MeterEntry{time, bar + 1, static_cast<uint8_t>(beats),
                               static_cast<uint8_t>(power), inForce ? inForce->key : int8_t{0},
                               beatTicks, beatTicks * beats});
    adoptMeterAtTime(cs);
}

// ppq [=] n: only before anything has taken time, since every length read
// so far was counted in the old ticks.
void ppqWord(CompileState &cs) {
    if (!hasNumber(ReadNumber(cs, kMaskInteger, kMaxPpq, kMinPpq, 1))) invalidParameter(cs, kwPpq);
    const int32_t ppq = cs.number;
    VoiceState &v = *cs.voice;
    if (v.timing.time != 0) error(cs, kMsgPpqLate);

    SongContext &song = *cs.song;
    const int32_t oldDivision = song.division;
    song.division = ppq;
    song.tempoMap.setDivision(ppq);
    if (const MeterEntry *m = song.meterMap.meterAt(v.timing.time)) {
        MeterEntry e = *m;
        e.ticksPerBeat = beatTicksFor(ppq, e.denominatorPower);
        e.ticksPerBar = e.ticksPerBeat * e.numerator;
        song.meterMap.insertMeter(e);
    }
    adoptMeterAtTime(cs);
    followDivision(cs, oldDivision, ppq);
    v.timing.displacementUnit = ppq / 120;
}

}  // namespace vek
