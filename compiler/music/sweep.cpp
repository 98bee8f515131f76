// The sweep generator: a run of controller, pressure, wheel, program or
// tempo events from one value to another over a stretch of time, sent to
// the tracks the definition or the caller names.
#include <vector>

#include "entry/compile_state.h"
#include "events/emission_support.h"
#include "events/song_context.h"
#include "events/sweep_plan.h"
#include "input/errors.h"
#include "input/listing.h"
#include "input/symbol_table.h"
#include "music/emission.h"
#include "music/ticks.h"

namespace vek {

namespace {

constexpr int32_t kTargetIsSection = 2;   // definition flag bit 1
constexpr int32_t kSlowestTempo = 1000;   // 10.00 BPM
constexpr int32_t kFastestTempo = 24000;  // 240.00 BPM

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
// event, so a runaway sweep cannot grow the tempo map without bound. The
// entries go into the map together once the sweep is planned out (nothing
// reads the map meanwhile).
void sendTempo(CompileState &cs, int32_t time, int32_t tempo, std::vector<TempoEntry> &batch) {
    if (tempo < kSlowestTempo || tempo > kFastestTempo) error(cs, kMsgTempoRange);
    cs.song->budget.charge();
    checkEventTime(cs, time);
    batch.push_back(TempoEntry{time, 0, static_cast<uint32_t>(tempo), 0});
    cs.tempo = tempo;
    if (cs.listOn) listEvent(cs, Event{time, 0, kTempoEvent, 0, 0, 0}, nullptr);
}

void sendEvent(CompileState &cs, const ControllerDefinition &d, const Event &tmpl,
               const std::vector<Track *> &targets, bool expanded, SweepPoint point) {
    Event e = shapeEvent(d, tmpl, point.value);
    e.time = point.time;
    for (Track *t : targets) {
        if (expanded) e.channel = t->channel;
        storeEvent(cs, *t, e);
    }
    if (point.time > cs.song->endTime) cs.song->endTime = point.time;
}

}  // namespace

void EmitSweep(CompileState &cs, ControllerDefinition &definition, int32_t endTime,
               int32_t from, int32_t to, const Event &eventTemplate, Track *track) {
    bool expanded = false;
    const std::vector<Track *> targets = sweepTargets(definition, track, &expanded);
    const SweepPlan plan = planSweep(eventTemplate.kind, eventTemplate.time, endTime, from, to,
                                     sweepTimeStep(cs.beatTicks, cs.tempo, definition.rate),
                                     definition.step > 0 ? definition.step : 1);
    if (eventTemplate.kind == kTempoEvent) {
        std::vector<TempoEntry> batch;
        for (int64_t k = 1; k <= plan.count; ++k) {
            const SweepPoint point = plan.at(k);
            sendTempo(cs, point.time, point.value, batch);
        }
        cs.song->tempoMap.insertTempos(batch);
        return;
    }
    for (int64_t k = 1; k <= plan.count; ++k)
        sendEvent(cs, definition, eventTemplate, targets, expanded, plan.at(k));
}

}  // namespace vek
