#include "events/range_extraction.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "events/chase_memory.h"
#include "events/song_context.h"

namespace vek {

namespace {

constexpr uint32_t kLeadInTempo = 24000;      // BPM x 100: the lead-in runs fast
constexpr int32_t kTempoEntryBytes = 18;      // per entry in the work file's tempo chunk
constexpr int32_t kMeterEntryBytes = 12;      // per entry in its meter chunk
constexpr int32_t kMarkerChunkStart = 4;      // bytes of the marker chunk's count
constexpr int32_t kMarkerOverhead = 11;       // bytes a marker adds beyond its text

int32_t saturate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int64_t floorDivide(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Replaces a map's entries with those of `fresh`, in order, and rebuilds
// its counters.
template <typename Map>
void refill(Map &map, Map &fresh, int32_t entryBytes) {
    map.entries.clear();
    const int32_t n = fresh.entries.count();
    for (int32_t i = 0; i < n; ++i) map.entries.insert(*fresh.entries.at(i));
    map.count = n;
    map.chunkLength = 2 + entryBytes * n;
}

// The meter in force at `ticks`; before the first entry that entry
// reaches back, and an empty map stands for 4/4.
MeterEntry meterAtStart(SongContext &song, int32_t ticks) {
    if (const MeterEntry *m = song.meterMap.meterAt(ticks)) return *m;
    if (const MeterEntry *m = song.meterMap.entries.at(0)) return *m;
    const int32_t beat = song.division > 0 ? song.division : 120;
    return MeterEntry{0, 1, 4, 2, 0, beat, 4 * beat};
}

struct LeadIn {
    int32_t offset;    // ticks before the stretch
    int64_t barShift;  // added to the bar numbers of the meter entries kept
};

// The stretch keeps its distance into its bar under meter `m`; on a bar
// line it gets a whole empty bar. The bar that holds `first` becomes bar 1,
// or bar 2 behind a whole lead-in bar, and later bars follow it, so a meter
// entry at the start repeats the opening meter and is dropped: the map
// always starts at tick 0.
LeadIn leadInFor(const MeterEntry &m, int32_t first) {
    const int64_t barTicks = m.ticksPerBar > 0 ? m.ticksPerBar : 1;
    const int64_t distance = int64_t{first} - m.time;
    const int64_t bars = floorDivide(distance, barTicks);
    const int64_t into = distance - bars * barTicks;
    const int64_t startBar = bars + m.measure;
    if (into == 0) return LeadIn{static_cast<int32_t>(barTicks), 2 - startBar};
    return LeadIn{static_cast<int32_t>(into), 1 - startBar};
}

TempoEntry tempoAtStart(SongContext &song, int32_t ticks) {
    if (const TempoEntry *t = song.tempoMap.tempoAt(ticks)) return *t;
    if (const TempoEntry *t = song.tempoMap.entries.at(0)) return *t;
    return TempoEntry{0, 0, 10000, 0};
}

// Bank selects, data entry and controllers from 96 on (parameter numbers,
// channel mode messages) only make sense next to the program change that
// follows them, so they keep their order instead of being folded.
bool travelsWithProgram(uint8_t number) {
    return number == 0 || number == 6 || number == 32 || number == 38 || number >= 96;
}

Event at(Event e, int32_t time) {
    e.time = time;
    return e;
}

// One event of the skipped part: programs and system-exclusive messages
// are kept one tick apart from `next` on, the folding kinds go to the
// memory, and notes and texts are not heard.
void chaseEvent(const Event &e, int32_t &next, std::vector<Event> &state, ChaseMemory &memory) {
    switch (e.kind) {
    case kProgram:
    case kSysexReference: state.push_back(at(e, next++)); break;
    case kController:
        if (travelsWithProgram(e.data1)) {
            state.push_back(at(e, next));
        } else {
            memory.store(e.channel, e.kind, e.data1, e.data2);
        }
        break;
    case kKeyPressure: memory.store(e.channel, e.kind, e.data1, e.data2); break;
    case kChannelPressure: memory.store(e.channel, e.kind, 0, e.data1); break;
    case kPitchWheel: memory.store(e.channel, e.kind, 0, e.data1 * 256 + e.data2); break;
    default: break;
    }
}

// Markers outside the stretch go; the work file's marker chunk length
// follows the markers that stay.
void rebaseMarkers(SongContext &song, const Stretch &s) {
    rebaseTrack(song.markers, s);
    int32_t length = kMarkerChunkStart;
    const int32_t n = song.markers.count();
    for (int32_t i = 0; i < n; ++i)
        length += kMarkerOverhead + static_cast<int32_t>(song.text(song.markers.at(i)->extra).size());
    song.markerChunkLength = length;
}

}  // namespace

bool Stretch::moves(int32_t ticks, int32_t &moved) const {
    if (ticks < first || ticks > last) return false;
    const int64_t t = int64_t{ticks} - first + offset;
    if (t > std::numeric_limits<int32_t>::max()) return false;
    moved = static_cast<int32_t>(t);
    return true;
}

int32_t Stretch::place(int32_t ticks) const {
    const int64_t held = std::min<int64_t>(std::max(ticks, first), std::max(first, last));
    return saturate(held - first + offset);
}

int32_t rebaseMeterMap(SongContext &song, int32_t first, int32_t last) {
    const MeterEntry m = meterAtStart(song, first);
    const LeadIn lead = leadInFor(m, first);
    MeterMap fresh;
    MeterEntry opening = m;
    opening.time = 0;
    opening.measure = 1;
    fresh.insertMeter(opening);
    const Stretch s{first, last, lead.offset};
    const int32_t n = song.meterMap.entries.count();
    for (int32_t i = 0; i < n; ++i) {
        MeterEntry e = *song.meterMap.entries.at(i);
        if (!s.moves(e.time, e.time)) continue;
        e.measure = saturate(e.measure + lead.barShift);
        fresh.insertMeter(e);
    }
    refill(song.meterMap, fresh, kMeterEntryBytes);
    return lead.offset;
}

void rebaseTempoMap(SongContext &song, const Stretch &s) {
    TempoMap fresh(song.division);
    fresh.insertTempo(TempoEntry{0, 0, kLeadInTempo, 0});
    TempoEntry atStart = tempoAtStart(song, s.first);
    atStart.time = s.offset;
    fresh.insertTempo(atStart);
    const int32_t n = song.tempoMap.entries.count();
    for (int32_t i = 0; i < n; ++i) {
        TempoEntry e = *song.tempoMap.entries.at(i);
        if (s.moves(e.time, e.time)) fresh.insertTempo(e);
    }
    fresh.settleRealTimes();
    refill(song.tempoMap, fresh, kTempoEntryBytes);
}

// The state events go in first, so that where they overlap the stretch's
// first ticks they still come before its events at the same tick.
void rebaseTrack(Track &track, const Stretch &s) {
    std::vector<Event> state, kept;
    ChaseMemory memory;
    int32_t next = 0;
    const int32_t n = track.count();
    for (int32_t i = 0; i < n; ++i) {
        Event e = *track.at(i);
        if (e.time < s.first) {
            chaseEvent(e, next, state, memory);
        } else if (s.moves(e.time, e.time)) {
            kept.push_back(e);
        }
    }
    memory.emit(next, state);
    // Refilled without charging the song's event budget again: the track
    // never holds more events than it did.
    track.clear();
    for (const Event &e : state) track.events.insert(e);
    for (const Event &e : kept) track.events.insert(e);
}

Stretch extractRange(SongContext &song) {
    const int32_t first = song.selectionStartTime, last = song.selectionEndTime;
    const Stretch s{first, last, rebaseMeterMap(song, first, last)};
    rebaseTempoMap(song, s);
    for (Track *track : songTracks(song)) rebaseTrack(*track, s);
    rebaseMarkers(song, s);
    song.nowTime = s.place(song.nowTime);
    song.endTime = s.place(song.endTime);
    return s;
}

}  // namespace vek
