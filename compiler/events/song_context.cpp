#include "events/song_context.h"

#include <new>

namespace vek {

SongContext::SongContext() {
    markers.number = 0;
    markers.budget = &budget;
}

// The default track goes first; the named tracks, the maps and the markers
// follow as members. No destructor reads another
// member, so the order is only tidiness.
SongContext::~SongContext() {
    defaultTrack = nullptr;
    defaultTrackStorage.reset();
}

Track *SongContext::newTrack() {
    Track *track = new (std::nothrow) Track;
    if (!track) return nullptr;
    track->number = nextTrackNumber++;
    track->budget = &budget;
    track->setResolution(division, division);
    return track;
}

uint32_t SongContext::storeText(std::string text) {
    texts.push_back(std::move(text));
    return static_cast<uint32_t>(texts.size() - 1);
}

std::vector<Track *> songTracks(SongContext &song) {
    std::vector<Track *> tracks;
    if (song.defaultTrack) tracks.push_back(song.defaultTrack);
    // The default track may also have been named; list it once.
    for (const auto &t : song.namedTracks)
        if (t.get() != song.defaultTrack) tracks.push_back(t.get());
    return tracks;
}

void extractSelectedTracks(SongContext &song) {
    if (song.extractMode != 1) return;
    for (Track *track : songTracks(song))
        if (!track->selected) track->clear();
}

}  // namespace vek
