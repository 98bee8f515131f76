#include "writers/track_order.h"

#include <algorithm>

#include "events/song_context.h"
#include "events/track.h"

namespace vek {

std::vector<Track *> tracksInWriteOrder(SongContext &song) {
    std::vector<Track *> order;
    if (song.defaultTrack && song.defaultTrack->count() > 0) order.push_back(song.defaultTrack);
    const size_t firstNamed = order.size();
    for (const auto &t : song.namedTracks)
        if (t.get() != song.defaultTrack && t->count() > 0) order.push_back(t.get());
    std::stable_sort(order.begin() + static_cast<long>(firstNamed), order.end(),
                     [](const Track *a, const Track *b) { return a->number < b->number; });
    for (size_t i = firstNamed; i < order.size(); ++i) order[i]->number = static_cast<int32_t>(i);
    return order;
}

}  // namespace vek
