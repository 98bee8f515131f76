// The meter in force at the voice's time, and bar positions under the
// meter map.
#include <cstdint>
#include <limits>

#include "events/inlining.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/listing.h"
#include "music/numbers.h"

namespace vek {

namespace {


int32_t saturate(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

int64_t floorDivide(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The meter the compile state holds, for when the map has no entry to give.
MeterEntry meterInForce(const CompileState &cs) {
    MeterEntry m{};
    m.time = cs.meterStartTick;
    m.measure = cs.meterStartBar + 1;
    m.numerator = static_cast<uint8_t>(cs.beatsPerBar);
    m.ticksPerBeat = cs.beatTicks;
    m.ticksPerBar = cs.barTicks;
    return m;
}

// Before the first entry the first one extends backwards.
MeterEntry firstOrInForce(CompileState &cs) {
    if (const MeterEntry *e = cs.song->meterMap.entries.at(0)) return *e;
    return meterInForce(cs);
}

MeterEntry meterForBar(CompileState &cs, int64_t barIndex) {
    if (const MeterEntry *e = cs.song->meterMap.meterAtBar(saturate(barIndex))) return *e;
    return firstOrInForce(cs);
}

MeterEntry meterForTicks(CompileState &cs, int32_t ticks) {
    if (const MeterEntry *e = cs.song->meterMap.meterAt(ticks)) return *e;
    return firstOrInForce(cs);
}

// An entry is new when it is another one or its values changed in place
// (an entry replaced at the same bar, or moved by a merge of the map).
bool isNewMeter(const CompileState &cs, const MeterEntry *e) {
    return e != cs.meter || e->time != cs.meterStartTick || e->measure - 1 != cs.meterStartBar ||
           e->ticksPerBeat != cs.beatTicks || e->numerator != cs.beatsPerBar;
}

void adoptMeter(CompileState &cs, MeterEntry *e) {
    cs.meter = e;
    cs.beatTicks = e->ticksPerBeat;
    cs.beatsPerBar = e->numerator;
    cs.voice->timing.defaultDuration = cs.beatTicks;
    cs.barTicks = cs.beatTicks * cs.beatsPerBar;
    cs.meterStartBar = e->measure - 1;
    cs.meterStartTick = e->time;
    restartListPosition(cs);
}

bool inCachedMeter(const CompileState &cs, int32_t time) {
    return time >= cs.meterStartTick && time < cs.nextMeterTime;
}

}  // namespace

int32_t BarBeatTickToTicks(CompileState &cs, int32_t bar, int32_t beat, int32_t tick) {
    if (bar == 0) error(cs, kMsgBarZero);
    // Bar numbers count from the restart bar; the meter is the one in force
    // at that bar of the piece.
    const int64_t index = int64_t{cs.restartBar} + bar - 1;
    const MeterEntry m = meterForBar(cs, index);
    const int64_t beats = (beat > 1 ? beat : 1) - 1;
    return saturate((index - (m.measure - 1)) * m.ticksPerBar + beats * m.ticksPerBeat + m.time +
                    tick);
}

int32_t barIndexAt(CompileState &cs, int32_t ticks, int32_t *barStart) {
    const MeterEntry m = meterForTicks(cs, ticks);
    const int64_t barTicks = m.ticksPerBar > 0 ? m.ticksPerBar : 1;
    const int64_t bars = floorDivide(int64_t{ticks} - m.time, barTicks);
    if (barStart) *barStart = saturate(m.time + bars * barTicks);
    return saturate(m.measure - 1 + bars);
}

namespace {

// Out of line, so that refreshMeter, asked at every cluster's end, stays
// small enough to be inlined there: its time mostly lies in the meter known.
VEK_NOINLINE void meterFromMap(CompileState &cs, int32_t time) {
    MeterEntry *e = cs.song->meterMap.meterAt(time, &cs.nextMeterTime);
    if (e && isNewMeter(cs, e)) adoptMeter(cs, e);
}

}  // namespace

void refreshMeter(CompileState &cs) {
    const int32_t time = cs.voice->timing.time;
    if (!inCachedMeter(cs, time)) meterFromMap(cs, time);
}

}  // namespace vek
