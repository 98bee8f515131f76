// The sweep generator: a run of controller, pressure, wheel, program or
// tempo events from one value to another over a stretch of time.
#include <cstdlib>
#include <vector>

#include "entry/compile_state.h"
#include "events/emission.h"
#include "events/emission_support.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/listing.h"
#include "input/symbol_table.h"
#include "music/ticks.h"

namespace vek {

namespace {

constexpr int64_t kValueLimit = int64_t{1} << 24;
constexpr int64_t kLongestStep = int64_t{1} << 32;  // ticks; longer than any sweep
constexpr int32_t kTargetIsSection = 2;             // definition flag bit 1
constexpr int64_t kRateUnit = 6000;                 // tempo (BPM x 100) times 60 s
constexpr int32_t kSlowestTempo = 1000;   // 10.00 BPM
constexpr int32_t kFastestTempo = 24000;  // 240.00 BPM

struct SweepPlan {
    int64_t count = 0;      // events to send
    int64_t increment = 0;  // value change per event
};

// Ticks between two events at `rate` events per second; 0 when the
// events would come faster than one per tick.
int64_t timeStep(const CompileState &cs, const ControllerDefinition &d) {
    const int64_t rate = d.rate ? d.rate : 1;
    const int64_t tempo = limitSweepValue(kTempoEvent, cs.tempo);
    const int64_t s = int64_t{cs.beatTicks} * tempo / (rate * kRateUnit);
    return s < 0 ? 0 : (s > kLongestStep ? kLongestStep : s);
}

// Events are limited by time (one per `s` ticks) or, when that would make
// changes smaller than `step`, by value (one per `step`).
SweepPlan planSweep(int64_t dt, int64_t dv, int64_t s, int64_t step) {
    if (dt == 0 || dv == 0) return {1, dv};
    const int64_t sign = dv > 0 ? 1 : -1;
    int64_t n = s ? dt / s : 1;
    if (dt < 1) return {n, 0};
    if (s * sign * dv / dt < step) return {sign * dv / step, sign * step};
    if (n < 1) n = 1;
    const int64_t i = dv / n;
    const int64_t q = dv / i;
    // One more event when whole increments fall short of the change, in
    // either direction, so that the last step is never the largest.
    return {q + (std::llabs(q * i) < std::llabs(dv) ? 1 : 0), i};
}

// The tracks a sweep goes to: the definition's own target (a track, or a
// section's tracks, each on its own channel) or the caller's track.
std::vector<Track *> sweepTargets(const ControllerDefinition &d, Track *track, bool *expanded) {
    std::vector<Track *> targets;
    *expanded = d.target && (d.flags & kTargetIsSection);
    if (*expanded)
        HashTable::collectTracks(*static_cast<SectionGroup *>(d.target), targets);
    else if (d.target)
        targets.push_back(static_cast<Track *>(d.target));
    else if (track)
        targets.push_back(track);
    return targets;
}

// Every tempo entry counts against the song's event budget like a track
// event, so a runaway sweep cannot grow the tempo map without bound.
void sendTempo(CompileState &cs, int32_t time, int32_t tempo) {
    if (tempo < kSlowestTempo || tempo > kFastestTempo) error(cs, kMsgTempoRange);
    SongContext &song = *cs.song;
    song.budget.charge();
    checkEventTime(cs, time);
    song.tempoMap.insertTempo(TempoEntry{time, 0, static_cast<uint32_t>(tempo), 0});
    cs.tempo = tempo;
    if (cs.listOn) listEvent(cs, Event{time, 0, kTempoEvent, 0, 0, 0}, nullptr);
}

// The event carrying `value`, by kind; a program keeps the template's number.
Event shapeEvent(const ControllerDefinition &d, Event e, int32_t value) {
    switch (e.kind) {
    case kPitchWheel: return wheelEvent(e.time, e.channel, value);  // 8192 goes out as 8191
    case kController:
    case kKeyPressure: e.data2 = dataByte(Clamp(value, d.minValue, d.maxValue)); break;
    case kChannelPressure: e.data1 = dataByte(Clamp(value, d.minValue, d.maxValue)); break;
    default: break;
    }
    return e;
}

void sendEvent(CompileState &cs, const ControllerDefinition &d, const Event &tmpl,
               const std::vector<Track *> &targets, bool expanded, int32_t time, int32_t value) {
    if (tmpl.kind == kTempoEvent) return sendTempo(cs, time, value);
    Event e = shapeEvent(d, tmpl, value);
    e.time = time;
    for (Track *t : targets) {
        if (expanded) e.channel = t->channel;
        storeEvent(cs, *t, e);
    }
    if (time > cs.song->endTime) cs.song->endTime = time;
}

}  // namespace

int32_t limitSweepValue(uint8_t kind, int64_t value) {
    const int64_t low = kind == kTempoEvent ? 1 : -kValueLimit;
    return static_cast<int32_t>(value < low ? low : (value > kValueLimit ? kValueLimit : value));
}

void EmitSweep(CompileState &cs, ControllerDefinition &definition, int32_t endTime,
               int32_t from, int32_t to, const Event &eventTemplate, Track *track) {
    bool expanded = false;
    const std::vector<Track *> targets = sweepTargets(definition, track, &expanded);
    const int64_t t1 = eventTemplate.time, t2 = endTime;
    const int64_t a = limitSweepValue(eventTemplate.kind, from);
    const int64_t b = limitSweepValue(eventTemplate.kind, to);
    const int64_t dt = t2 - t1, dv = b - a;
    const int64_t step = definition.step > 0 ? definition.step : 1;
    const SweepPlan plan = planSweep(dt, dv, timeStep(cs, definition), step);
    for (int64_t k = 1; k <= plan.count; ++k) {
        const bool last = k == plan.count;
        const int64_t change = k * plan.increment;
        const int64_t time = last ? t2 : t1 + change * dt / dv;
        const int64_t value = last ? b : a + change;
        sendEvent(cs, definition, eventTemplate, targets, expanded, static_cast<int32_t>(time),
                  static_cast<int32_t>(value));
    }
}

}  // namespace vek
