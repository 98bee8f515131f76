#include "writers/track_order.h"

#include <algorithm>

#include "events/song_context.h"
#include "events/track.h"

namespace vek {

namespace {

// The tracks owned by the symbol table, found by one full turn of its
// endless walk: the first entry is the mark and is handled last.
std::vector<Track *> namedTracks(SongContext &song) {
    std::vector<Track *> tracks;
    HashEntry *mark = song.symbols.next();
    for (HashEntry *e = mark ? song.symbols.next() : nullptr; e; e = song.symbols.next()) {
        if (e->kind == kTrackSymbol && e->value.object)
            tracks.push_back(static_cast<Track *>(e->value.object));
        if (e == mark) break;
    }
    return tracks;
}

}  // namespace

std::vector<Track *> tracksInWriteOrder(SongContext &song) {
    std::vector<Track *> order;
    if (song.defaultTrack && song.defaultTrack->count() > 0) order.push_back(song.defaultTrack);
    const size_t firstNamed = order.size();
    for (Track *t : namedTracks(song))
        if (t != song.defaultTrack && t->count() > 0) order.push_back(t);
    std::stable_sort(order.begin() + static_cast<long>(firstNamed), order.end(),
                     [](const Track *a, const Track *b) { return a->number < b->number; });
    for (size_t i = firstNamed; i < order.size(); ++i) order[i]->number = static_cast<int32_t>(i);
    return order;
}

}  // namespace vek
