#include "events/song_context.h"

#include <new>

namespace vek {

SongContext::SongContext() {
    markers.number = 0;
    markers.budget = &budget;
}

// The default track goes first; the symbol table (with the named tracks),
// the maps and the markers follow as members. No destructor reads another
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
    track->resolution = division;
    return track;
}

uint32_t SongContext::storeText(std::string text) {
    texts.push_back(std::move(text));
    return static_cast<uint32_t>(texts.size() - 1);
}

std::vector<Track *> songTracks(SongContext &song) {
    std::vector<Track *> tracks;
    if (song.defaultTrack) tracks.push_back(song.defaultTrack);
    HashEntry *mark = song.symbols.next();
    if (!mark) return tracks;
    HashEntry *e = mark;
    do {
        // The default track may also have been named; list it once.
        Track *t = e->kind == kTrackSymbol ? static_cast<Track *>(e->value.object) : nullptr;
        if (t && t != song.defaultTrack) tracks.push_back(t);
        e = song.symbols.next();
    } while (e != mark);
    return tracks;
}

void extractSelectedTracks(SongContext &song) {
    if (song.extractMode != 1) return;
    for (Track *track : songTracks(song))
        if (!track->selected) track->clear();
}

}  // namespace vek
