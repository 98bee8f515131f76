// The song record: its starting state, track numbering, the shared event budget,
// the tracks the writers see and the extraction pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "events/song_context.h"
#include "support/scratch_dir.h"

namespace vek {
namespace {

using test::ScratchDir;

Event note(int32_t time) { return Event{time, 0, kNote, 60, 64, 120}; }

Track *declareTrack(SongContext &song, const char *name) {
    Track *t = song.newTrack();
    t->name = name;
    song.namedTracks.emplace_back(t);
    return t;
}

// A song keeps its records in memory: it touches no file of the folder.
TEST(SongContext, StartsEmptyWithoutCreatingFiles) {
    ScratchDir dir;
    SongContext song;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_EQ(song.sysexRecords, "");
    EXPECT_EQ(song.markers.number, 0);
    EXPECT_EQ(song.tempoMap.count, 1);
    EXPECT_EQ(song.meterMap.count, 0);
}

TEST(SongContext, TracksAreNumberedInOrderOfCreation) {
    ScratchDir dir;
    SongContext song;
    song.division = 480;
    std::unique_ptr<Track> first(song.newTrack());
    std::unique_ptr<Track> second(song.newTrack());
    EXPECT_EQ(first->number, 0);
    EXPECT_EQ(second->number, 1);
    EXPECT_EQ(song.nextTrackNumber, 2);
    EXPECT_EQ(second->resolution, 480);
}

// Markers and every track draw on one budget, so no source can store more
// events than the song allows, however it spreads them.
TEST(SongContext, OneBudgetForAllTracksAndMarkers) {
    ScratchDir dir;
    SongContext song;
    song.budget.remaining = 3;
    std::unique_ptr<Track> a(song.newTrack());
    std::unique_ptr<Track> b(song.newTrack());
    a->insert(note(0));
    song.markers.insert(Event{0, kMetaMarker, kMetaText, 0, 0, song.storeText("intro")});
    b->insert(note(0));
    EXPECT_THROW(a->insert(note(120)), FatalError);
    EXPECT_THROW(song.markers.insert(note(0)), FatalError);
    EXPECT_EQ(a->count() + b->count() + song.markers.count(), 3);
}

std::vector<int32_t> numbers(const std::vector<Track *> &tracks) {
    std::vector<int32_t> n;
    for (const Track *t : tracks) n.push_back(t->number);
    std::sort(n.begin(), n.end());
    return n;
}

TEST(SongContext, WritersSeeTheDefaultTrackAndNamedTracks) {
    ScratchDir dir;
    SongContext song;
    EXPECT_TRUE(songTracks(song).empty());
    song.defaultTrackStorage.reset(song.newTrack());
    song.defaultTrack = song.defaultTrackStorage.get();
    EXPECT_EQ(numbers(songTracks(song)), (std::vector<int32_t>{0}));

    declareTrack(song, "piano");
    declareTrack(song, "bass");
    EXPECT_EQ(numbers(songTracks(song)), (std::vector<int32_t>{0, 1, 2}));

    song.defaultTrack = nullptr;  // the first named track retires the default one
    EXPECT_EQ(numbers(songTracks(song)), (std::vector<int32_t>{1, 2}));
}

TEST(SongContext, DefaultTrackTakenOverByANameIsListedOnce) {
    ScratchDir dir;
    SongContext song;
    Track *t = song.newTrack();
    song.defaultTrack = t;
    song.namedTracks.emplace_back(t);
    EXPECT_EQ(songTracks(song), std::vector<Track *>{t});
}

TEST(SongContext, ExtractionClearsTracksNotActiveAtTheSelection) {
    ScratchDir dir;
    SongContext song;
    song.defaultTrackStorage.reset(song.newTrack());
    song.defaultTrack = song.defaultTrackStorage.get();
    Track *piano = declareTrack(song, "piano");
    Track *bass = declareTrack(song, "bass");
    for (Track *t : {song.defaultTrack, piano, bass}) t->insert(note(0));
    piano->selected = 1;

    song.extractMode = 0;
    extractSelectedTracks(song);
    EXPECT_EQ(song.defaultTrack->count() + piano->count() + bass->count(), 3);

    song.extractMode = 1;
    extractSelectedTracks(song);
    EXPECT_EQ(song.defaultTrack->count(), 0);
    EXPECT_EQ(piano->count(), 1);
    EXPECT_EQ(bass->count(), 0);
}

}  // namespace
}  // namespace vek
