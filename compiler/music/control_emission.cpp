// The controller emitter: a value, or a sweep to it, sent to each target
// track, relative values counted from the last value sent on that output.
#include <vector>

#include "entry/compile_state.h"
#include "events/emission_support.h"
#include "events/song_context.h"
#include "events/sweep_plan.h"
#include "input/symbol_table.h"
#include "music/emission.h"

namespace vek {

namespace {

constexpr int32_t kOverrideChannel = 1;  // definition flag bit 0

bool isTempo(const ControllerDefinition &d) { return d.eventKind == kTempoEvent; }

uint32_t memoryKey(const ControllerDefinition &d, const Track *track) {
    if (isTempo(d) || !track) return controllerKey(0, 0, d.eventKind, d.number);
    return controllerKey(track->port, track->channel, d.eventKind, d.number);
}

// The value a relative change starts from. A tempo starts from the tempo in
// force at `ticks`, which every tempo statement keeps up to date; other
// kinds from the controller memory, 0 before anything was sent.
int32_t lastSent(CompileState &cs, const ControllerDefinition &d, const Track *track,
                 int32_t ticks) {
    if (isTempo(d)) {
        const TempoEntry *e = cs.song->tempoMap.tempoAt(ticks);
        return e ? static_cast<int32_t>(e->tempo) : cs.tempo;
    }
    const auto &memory = cs.song->controllerMemory;
    const auto found = memory.find(memoryKey(d, track));
    return found == memory.end() ? 0 : found->second;
}

// Sends one sweep from `from` to `to` on `track`, starting at `start` (ticks),
// and remembers its end value.
void sendSweep(CompileState &cs, ControllerDefinition &d, int32_t start, int32_t duration,
               int32_t from, int32_t to, Track *track) {
    const uint8_t channel = isTempo(d) || !track ? 0 : track->channel;
    Event tmpl{start, channel, d.eventKind, d.number, 0, 0};
    if (d.flags & kOverrideChannel) tmpl.channel = d.channelOverride;
    EmitSweep(cs, d, saturateTicks(int64_t{start} + duration), from, to, tmpl, track);
    cs.song->controllerMemory[memoryKey(d, track)] = to;
}

// Key pressure goes to the key of the track's last note.
void aimKeyPressure(ControllerDefinition &d, const Track *track) {
    if (d.eventKind == kKeyPressure && track) d.number = track->lastNote.data1;
}

void sendToTarget(CompileState &cs, ControllerDefinition &d, int32_t duration, int32_t start,
                  int32_t value, bool absolute, Track *track) {
    aimKeyPressure(d, track);
    const int32_t from = lastSent(cs, d, track, start);
    const int64_t to = absolute ? int64_t{value} : int64_t{from} + value;
    sendSweep(cs, d, start, duration, from, limitSweepValue(d.eventKind, to), track);
}

// Tracks on one port and channel would only double each event, so only the
// first of them in the list receives it; key pressure, aimed at each
// track's last note, goes to all.
bool sharesOutput(const std::vector<Track *> &targets, size_t index, uint8_t kind) {
    if (kind == kKeyPressure) return false;
    const Track *t = targets[index];
    for (size_t j = 0; j < index; ++j)
        if (targets[j]->port == t->port && targets[j]->channel == t->channel) return true;
    return false;
}

std::vector<Track *> controlTargets(const ControllerDefinition &d, VoiceState &voice,
                                    Track *track, bool sectionFlag) {
    std::vector<Track *> targets;
    if (sectionFlag && voice.section)
        HashTable::collectTracks(*voice.section, targets);
    else if (track)
        targets.push_back(track);
    // A tempo belongs to the song: one event, with or without a track.
    if (isTempo(d)) targets.assign(1, targets.empty() ? nullptr : targets.front());
    return targets;
}

}  // namespace

void EmitControl(CompileState &cs, ControllerDefinition &definition, int32_t duration,
                 VoiceState &voice, int32_t value, bool absolute, Track *track, bool sectionFlag) {
    const std::vector<Track *> targets = controlTargets(definition, voice, track, sectionFlag);
    for (size_t i = targets.size(); i-- > 0;) {
        if (!isTempo(definition) && sharesOutput(targets, i, definition.eventKind)) continue;
        sendToTarget(cs, definition, duration, voice.timing.eventStart, value, absolute, targets[i]);
    }
    voice.timing.eventStart = saturateTicks(int64_t{voice.timing.eventStart} + duration);
}

void EmitControlOnTrack(CompileState &cs, ControllerDefinition &definition, int32_t duration,
                        int32_t *cursor, int32_t from, int32_t to, Track *track) {
    if (track || isTempo(definition)) {
        aimKeyPressure(definition, track);
        sendSweep(cs, definition, *cursor, duration, limitSweepValue(definition.eventKind, from),
                  limitSweepValue(definition.eventKind, to), track);
    }
    definition.lastValue = to;
    *cursor = saturateTicks(int64_t{*cursor} + duration);
}

}  // namespace vek
