// Conversions between ticks, milliseconds and SMPTE times.
#include <cstdint>
#include <limits>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "music/numbers.h"

namespace vek {

namespace {

constexpr int64_t kFramesPerTenMinutes = 17982;  // 29.97 drop-frame
constexpr int64_t kFramesPerDropMinute = 1798;   // a minute that drops two numbers
constexpr int32_t kDropRate = 2997;              // frames per 100 s
// ms = ticks * 250000 / ((ppq / 24) * tempo): the tempo map's own rate
// (ticks * 60000 / (ppq * BPM) with tempo in BPM x 100).
constexpr int64_t kTickScale = 250000;

int32_t saturate(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// Frames per second; a rate that was never set sensibly counts as 30.
int64_t frameRate(const CompileState &cs) { return cs.frameRate > 0 ? cs.frameRate : 30; }

int64_t framesOf(const CompileState &cs, const SmpteTime &t, bool dropFrame) {
    const int64_t minutes = t.minutes, hours = t.hours;
    int64_t n = (t.seconds + (minutes + hours * 60) * 60) * frameRate(cs) + t.frames;
    // Two frame numbers are dropped each minute except every tenth.
    if (dropFrame) n += 2 * (minutes / 10 - 54 * hours - minutes);
    return n;
}

int64_t msOfFrames(const CompileState &cs, int64_t frames, bool dropFrame) {
    const int64_t t = frames * 100;
    return dropFrame ? scaleTimeWide(t, 1000, kDropRate) : scaleTimeWide(t, 10, frameRate(cs));
}

// The frame nearest to ms (ms >= 0).
int64_t nearestFrame(const CompileState &cs, int64_t ms, bool dropFrame) {
    const int64_t rate = dropFrame ? kDropRate : frameRate(cs) * 100;
    int64_t n = scaleTimeWide(ms, rate, 100000);
    const int64_t below = ms - msOfFrames(cs, n, dropFrame);
    const int64_t above = msOfFrames(cs, n + 1, dropFrame) - ms;
    if (above < below) ++n;
    return n;
}

// Fields of a non-negative frame count.
SmpteTime splitFrames(const CompileState &cs, int64_t n, bool dropFrame) {
    if (dropFrame) {
        const int64_t tens = n / kFramesPerTenMinutes, rest = n % kFramesPerTenMinutes;
        n += 18 * tens;
        if (rest >= 2) n += 2 * ((rest - 2) / kFramesPerDropMinute);
    }
    const int64_t rate = frameRate(cs), s = n / rate;
    SmpteTime t;
    t.frames = static_cast<int32_t>(n % rate);
    t.seconds = static_cast<int32_t>(s % 60);
    t.minutes = static_cast<int32_t>((s / 60) % 60);
    t.hours = saturate(s / 3600);
    return t;
}

SmpteTime negated(SmpteTime t) {
    return SmpteTime{-t.frames, -t.seconds, -t.minutes, -t.hours};
}

// The tempo entry in force at ticks; before the first entry, the first.
TempoEntry tempoAtTicks(SongContext &song, int32_t ticks) {
    if (const TempoEntry *e = song.tempoMap.tempoAt(ticks)) return *e;
    if (const TempoEntry *e = song.tempoMap.entries.at(0)) return *e;
    return TempoEntry{0, 0, 10000, 0};
}

TempoEntry tempoAtMs(SongContext &song, int32_t ms) {
    if (const TempoEntry *e = song.tempoMap.tempoAtRealTime(ms)) return *e;
    if (const TempoEntry *e = song.tempoMap.entries.at(0)) return *e;
    return TempoEntry{0, 0, 10000, 0};
}

// (ppq / 24) * tempo: the divisor of the tempo map's tick scale.
int64_t tickRate(const SongContext &song, const TempoEntry &e) {
    return int64_t{song.division / 24} * e.tempo;
}

// a / b rounded to the nearest integer, halves away from zero (b > 0).
int64_t roundedDivide(int64_t a, int64_t b) {
    return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b);
}

}  // namespace

int32_t FramesFromSmpte(const CompileState &cs, const SmpteTime &t, bool dropFrame) {
    return saturate(framesOf(cs, t, dropFrame));
}

// Negative counts mirror positive ones, so every field comes out negative.
SmpteTime SmpteFromFrames(const CompileState &cs, int32_t frames, bool dropFrame) {
    if (frames < 0) return negated(splitFrames(cs, -int64_t{frames}, dropFrame));
    return splitFrames(cs, frames, dropFrame);
}

int32_t MsFromSmpte(const CompileState &cs, const SmpteTime &t, bool dropFrame) {
    return saturate(msOfFrames(cs, framesOf(cs, t, dropFrame), dropFrame));
}

SmpteTime SmpteFromMs(const CompileState &cs, int32_t ms, bool dropFrame) {
    const int64_t n = ms < 0 ? -nearestFrame(cs, -int64_t{ms}, dropFrame)
                             : nearestFrame(cs, ms, dropFrame);
    return SmpteFromFrames(cs, saturate(n), dropFrame);
}

int32_t MsFromTicks(CompileState &cs, int32_t ticks) {
    const TempoEntry e = tempoAtTicks(*cs.song, ticks);
    const int64_t rate = tickRate(*cs.song, e);
    if (rate == 0) return e.realTime;
    return saturate(e.realTime + int64_t{scaleTimeWide((int64_t{ticks} - e.time) * 100, 2500, rate)});
}

// The inverse of MsFromTicks at the same rate, to the nearest tick.
int32_t TicksFromMs(CompileState &cs, int32_t ms) {
    const TempoEntry e = tempoAtMs(*cs.song, ms);
    const int64_t d = int64_t{ms} - e.realTime;
    return saturate(e.time + roundedDivide(d * tickRate(*cs.song, e), kTickScale));
}

SmpteTime SmpteFromTicks(CompileState &cs, int32_t ticks, bool dropFrame) {
    return SmpteFromMs(cs, MsFromTicks(cs, ticks), dropFrame);
}

int32_t TicksFromSmpte(CompileState &cs, const SmpteTime &t, bool dropFrame) {
    return TicksFromMs(cs, MsFromSmpte(cs, t, dropFrame));
}

SmpteTime AddSmpte(const CompileState &cs, const SmpteTime &a, const SmpteTime &b, bool dropFrame) {
    return SmpteFromFrames(cs, saturate(framesOf(cs, a, dropFrame) + framesOf(cs, b, dropFrame)),
                           dropFrame);
}

}  // namespace vek
