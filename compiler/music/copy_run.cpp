// The run of a copy: each source's window played R times into its target,
// every event built from what the eight slots hold at that moment.
#include <algorithm>
#include <array>
#include <limits>

#include "entry/compile_state.h"
#include "events/emission_support.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "music/copy_parts.h"
#include "music/emission.h"
#include "music/pitch.h"
#include "music/ticks.h"

namespace vek {

namespace {

constexpr int32_t kMiddleC = 60;  // a driving note's key minus this is its shift
constexpr uint8_t kPlainVelocity = 64;

// One slot's events for a pass and where the slot stands in them.
struct Stream {
    std::vector<Event> events;
    int64_t index = 0;
    size_t stepAt = 0;
    int64_t lap = 0;   // ticks a driven interval gains with each wrap
    int64_t span = 0;  // ticks of one wrap: the definition's length
};

struct CopyRun {
    CompileState &cs;
    CopyRequest &request;
    int depth;
    Event fixedValues{};  // what a fixed slot reads
    std::array<Stream, kCopySlots> streams{};
};

bool driven(uint8_t mode) { return mode == kCopyTimed || mode == kCopySequenced; }

// The notes (and, for the events copied, wheel values) of `track` from
// `from` up to `to` (ticks, excluded).
std::vector<Event> eventsIn(Track &track, int64_t from, int64_t to, bool wheels) {
    std::vector<Event> out;
    const int32_t n = track.count();
    for (int32_t i = 0; i < n; ++i) {
        const Event &e = *track.at(i);
        if (e.time < from || e.time >= to) continue;
        if (e.kind == kNote || (wheels && e.kind == kPitchWheel)) out.push_back(e);
    }
    return out;
}

// True when `track` holds a note or wheel value at or after `from` (ticks).
bool copiesFrom(Track &track, int32_t from) {
    const int32_t n = track.count();
    for (int32_t i = n - 1; i >= 0; --i) {
        const Event &e = *track.at(i);
        if (e.time < from) return false;
        if (e.kind == kNote || e.kind == kPitchWheel) return true;
    }
    return false;
}

// Unfixed values serve a generated pass (a fixed seed), whose events have
// no source to take them from.
Event fixedValues(const CompileState &cs, const CopyRequest &rq) {
    const auto fixedOr = [&rq](int slot, int32_t otherwise) {
        return rq.slots[slot].mode == kCopyFixed ? rq.slots[slot].fixed : otherwise;
    };
    Event e{rq.windowStart, 0, kNote, 0, 0, 0};
    e.data1 = static_cast<uint8_t>(fixedOr(kSlotPitch, kMiddleC));
    e.data2 = dataByte(fixedOr(kSlotVelocity, kPlainVelocity));
    e.extra = static_cast<uint32_t>(fixedOr(kSlotDuration, cs.voice->timing.defaultDuration));
    e.channel = static_cast<uint8_t>(fixedOr(kSlotChannel, 1) - 1);
    return e;
}

// Every driving definition's notes from the window start; 59 for a driven
// slot whose definition was empty, 76 when it holds no note.
void prepareDrivers(CopyRun &run) {
    const int32_t from = run.request.windowStart;
    for (int s = kSlotSeed + 1; s < kCopySlots; ++s) {
        const CopySlot &slot = run.request.slots[s];
        if (!driven(slot.mode)) continue;
        if (!slot.driver) error(run.cs, kMsgArgumentCounts);
        Stream &st = run.streams[s];
        st.events = eventsIn(*slot.driver, from, std::numeric_limits<int64_t>::max(), false);
        if (st.events.empty()) error(run.cs, kMsgNoEventsToCopy);
        st.span = int64_t{slot.driver->trackEnd} - from;
    }
}

// The events a pass walks: the seed's own definition, or the source. A
// driving seed needs an event at or after the window start (76), as every
// driving slot does; a fixed seed makes its own.
void prepareSeed(CopyRun &run, Track &source) {
    const CopySlot &seed = run.request.slots[kSlotSeed];
    Track &events = seed.driver ? *seed.driver : source;
    const int32_t from = run.request.windowStart;
    if (seed.mode != kCopyFixed && !copiesFrom(events, from)) error(run.cs, kMsgNoEventsToCopy);
    run.streams[kSlotSeed].events = eventsIn(events, from, run.request.windowEnd, true);
}

const Event &current(const Stream &st) { return st.events[static_cast<size_t>(st.index)]; }

// What slot `s` reads for the source event in hand.
const Event &slotEvent(const CopyRun &run, int s, const Event &source) {
    const uint8_t mode = run.request.slots[s].mode;
    if (mode == kCopyFixed) return run.fixedValues;
    if (driven(mode)) return current(run.streams[s]);
    return source;
}

// Steps (diatonic) or semitones (chromatic) of a transposing slot.
int32_t shiftOf(const CopyRun &run, int s) {
    const CopySlot &slot = run.request.slots[s];
    if (slot.mode == kCopyFixed) return slot.fixed;
    if (driven(slot.mode)) return current(run.streams[s]).data1 - kMiddleC;
    return 0;
}

int32_t copiedKey(const CopyRun &run, const Event &source) {
    int32_t key = slotEvent(run, kSlotPitch, source).data1;
    if (const int32_t steps = shiftOf(run, kSlotDiatonic))
        key = TransposeDiatonic(key, run.cs.voice->key.tonic, steps);
    return foldKey(key + shiftOf(run, kSlotChromatic));
}

// Ticks from the pass's start.
int64_t intervalOffset(const CopyRun &run, const Event &source, int64_t fixedOffset) {
    const uint8_t mode = run.request.slots[kSlotInterval].mode;
    if (mode == kCopyFixed) return fixedOffset;
    const int64_t from = run.request.windowStart;
    if (driven(mode)) {
        const Stream &st = run.streams[kSlotInterval];
        return current(st).time - from + st.lap;
    }
    return source.time - from;
}

// A timed slot holds the last of its events at or before `time` (ticks).
void syncTimed(CopyRun &run, int32_t time) {
    for (int s = kSlotSeed + 1; s < kCopySlots; ++s) {
        if (run.request.slots[s].mode != kCopyTimed) continue;
        Stream &st = run.streams[s];
        while (static_cast<size_t>(st.index) + 1 < st.events.size() &&
               st.events[static_cast<size_t>(st.index) + 1].time <= time)
            ++st.index;
    }
}

// Moves a sequenced stream by its next step; true when it wrapped.
bool stepStream(Stream &st, const CopySlot &slot) {
    const auto n = static_cast<int64_t>(st.events.size());
    int64_t i = st.index + slot.steps[st.stepAt];
    st.stepAt = (st.stepAt + 1) % slot.steps.size();
    const bool wrapped = i < 0 || i >= n;
    if (i >= n) st.lap += st.span * (i / n);
    i %= n;
    st.index = i < 0 ? i + n : i;
    return wrapped;
}

// False when the seed's events wrapped: the pass is over. The seed steps
// through its events in either driven mode.
bool advanceSlots(CopyRun &run, bool generated) {
    for (int s = 0; s < kCopySlots; ++s) {
        const CopySlot &slot = run.request.slots[s];
        if (s == kSlotSeed ? generated || !driven(slot.mode) : slot.mode != kCopySequenced)
            continue;
        if (stepStream(run.streams[s], slot) && s == kSlotSeed) return false;
    }
    return true;
}

Event copied(CopyRun &run, const Event &source, int64_t time, const Track &target) {
    Event out{checkedTicks(run.cs, std::max<int64_t>(time, 0)), 0, source.kind, 0, 0, 0};
    if (source.kind == kPitchWheel) {
        // A wheel value keeps its bytes; only its time and channel move.
        out.data1 = source.data1;
        out.data2 = source.data2;
    } else {
        out.data1 = static_cast<uint8_t>(copiedKey(run, source));
        out.data2 = slotEvent(run, kSlotVelocity, source).data2;
        out.extra = slotEvent(run, kSlotDuration, source).extra;
    }
    out.channel = slotEvent(run, kSlotChannel, source).channel;
    if (run.depth == 1 && run.request.slots[kSlotChannel].mode == kCopyKept && target.channelSet)
        out.channel = target.channel;
    return out;
}

// Nested definitions fill temporary tracks, which are neither listed nor
// part of the song's length.
void store(CopyRun &run, Track &target, const Event &e) {
    if (e.kind == kNote && e.extra == 0) return;  // a note without length does not sound
    if (run.depth > 1) {
        target.insert(e);
    } else {
        storeEvent(run.cs, target, e);
        run.cs.song->endTime = std::max(run.cs.song->endTime, e.time);
    }
    if (e.kind == kNote)
        target.trackEnd = std::max(target.trackEnd, saturateTicks(int64_t{e.time} + e.extra));
}

// A fixed seed makes its count of events from the fixed values, while
// their offsets stay inside the window.
bool generatedSource(CopyRun &run, int64_t made, int64_t fixedOffset, Event &source,
                     int64_t &offset) {
    if (made >= run.request.slots[kSlotSeed].fixed) return false;
    source = run.fixedValues;
    offset = intervalOffset(run, source, fixedOffset);
    if (offset >= run.request.windowLength()) return false;
    source.time = static_cast<int32_t>(run.request.windowStart + offset);
    syncTimed(run, source.time);
    return true;
}

void runPass(CopyRun &run, Track &target, int64_t passStart) {
    for (Stream &st : run.streams) {
        st.index = 0;
        st.stepAt = 0;
        st.lap = 0;
    }
    const bool generated = run.request.slots[kSlotSeed].mode == kCopyFixed;
    if (!generated && run.streams[kSlotSeed].events.empty()) return;
    const CopySlot &interval = run.request.slots[kSlotInterval];
    int64_t fixedOffset = 0;
    for (int64_t made = 0;; ++made) {
        Event source;
        int64_t offset = 0;
        if (generated) {
            if (!generatedSource(run, made, fixedOffset, source, offset)) return;
        } else {
            source = current(run.streams[kSlotSeed]);
            syncTimed(run, source.time);
            offset = intervalOffset(run, source, fixedOffset);
        }
        store(run, target, copied(run, source, passStart + offset, target));
        if (interval.mode == kCopyFixed) fixedOffset += interval.fixed;
        if (!advanceSlots(run, generated)) return;
    }
}

}  // namespace

// Source i goes into target i, the surplus sources into the last target;
// every source starts at `start`, so that they sound together.
int32_t runCopy(CompileState &cs, CopyRequest &request, const std::vector<Track *> &targets,
                int32_t start, int depth) {
    CopyRun run{cs, request, depth};
    run.fixedValues = fixedValues(cs, request);
    prepareDrivers(run);
    int32_t time = start;
    const size_t sources = targets.empty() ? 0 : request.sources.size();
    for (size_t i = 0; i < sources; ++i) {
        Track &target = *targets[std::min(i, targets.size() - 1)];
        prepareSeed(run, *request.sources[i]);
        time = start;
        for (int32_t pass = 0; pass < request.repetitions; ++pass) {
            runPass(run, target, time);
            time = checkedTicks(cs, int64_t{time} + request.windowLength());
        }
        target.trackEnd = std::max(target.trackEnd, time);
    }
    return time;
}

}  // namespace vek
