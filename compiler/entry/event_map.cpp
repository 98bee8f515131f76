#include "entry/event_map.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "events/note_sources.h"
#include "events/range_extraction.h"
#include "events/song_context.h"
#include "writers/track_order.h"

namespace vek {

namespace {

// Orders by track, then tick, channel and key packed into one number.
uint64_t packed(const NoteSource &s) {
    return uint64_t{static_cast<uint32_t>(s.time)} << 16 | uint64_t{s.channel} << 8 | s.key;
}

bool before(const NoteSource &a, const NoteSource &b) {
    if (a.track != b.track) return std::less<const Track *>()(a.track, b.track);
    return packed(a) < packed(b);
}

// The logged places at the times the output has: a selection moves them
// with the events and drops those outside it.
std::vector<NoteSource> placedSources(const NoteSourceLog &log, const Stretch *stretch) {
    std::vector<NoteSource> placed;
    placed.reserve(log.notes.size());
    for (NoteSource s : log.notes)
        if (!stretch || stretch->moves(s.time, s.time)) placed.push_back(s);
    std::stable_sort(placed.begin(), placed.end(), before);
    return placed;
}

// Two equal notes at one tick take the logged places in the order they
// were stored; a note with no logged place (none is expected) gets file -1.
void reportNotes(SongContext &song, std::vector<NoteSource> &placed, VekEventMap &map) {
    std::vector<bool> taken(placed.size());
    const std::vector<Track *> tracks = tracksInWriteOrder(song);
    for (size_t t = 0; t < tracks.size(); ++t) {
        Track &track = *tracks[t];
        for (int32_t i = 0; i < track.count(); ++i) {
            const Event &e = *track.at(i);
            if (e.kind != kNote) continue;
            VekMappedNote note{static_cast<int32_t>(t + 1), e.channel, e.data1, e.data2,
                               e.time, static_cast<int32_t>(e.extra), -1, 0};
            const NoteSource probe{&track, e.time, e.channel, e.data1, 0, 0};
            const auto range = std::equal_range(placed.begin(), placed.end(), probe, before);
            for (auto it = range.first; it != range.second; ++it) {
                const size_t index = static_cast<size_t>(it - placed.begin());
                if (taken[index] && it + 1 != range.second) continue;
                taken[index] = true;
                note.file = it->stream;
                note.offset = it->offset;
                break;
            }
            map.onNote(map.context, &note);
        }
    }
}

void reportTracks(SongContext &song, VekEventMap &map) {
    const std::vector<Track *> tracks = tracksInWriteOrder(song);
    for (size_t t = 0; t < tracks.size(); ++t)
        map.onTrack(map.context, static_cast<int32_t>(t + 1), tracks[t]->name.c_str());
}

void reportMaps(SongContext &song, VekEventMap &map) {
    for (int32_t i = 0; map.onTempo && i < song.tempoMap.entries.count(); ++i) {
        const TempoEntry &e = *song.tempoMap.entries.at(i);
        map.onTempo(map.context, e.time, e.tempo);
    }
    for (int32_t i = 0; map.onMeter && i < song.meterMap.entries.count(); ++i) {
        const MeterEntry &e = *song.meterMap.entries.at(i);
        map.onMeter(map.context, e.time, e.measure, e.numerator, e.denominatorPower);
    }
}

}  // namespace

void reportEventMap(SongContext &song, const NoteSourceLog &log, const Stretch *stretch,
                    VekEventMap &map) {
    map.division = song.division;
    for (size_t i = 0; map.onFile && i < log.files.size(); ++i)
        map.onFile(map.context, static_cast<int32_t>(i), log.files[i].c_str());
    if (map.onTrack) reportTracks(song, map);
    reportMaps(song, map);
    if (!map.onNote) return;
    std::vector<NoteSource> placed = placedSources(log, stretch);
    reportNotes(song, placed, map);
}

}  // namespace vek
