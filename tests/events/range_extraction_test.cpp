// Compiling only a selection: moving the stretch, the rebuilt maps, the
// chased state, and the whole road through Vekmain and the vek command.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "events/range_extraction.h"
#include "events/song_context.h"
#include "support/compile.h"
#include "support/scratch_dir.h"
#include "support/song_builder.h"
#include "support/song_events.h"

namespace vek {
namespace {

using test::ScratchDir;
using test::SongEvent;

constexpr int32_t kBar = 1920;  // ticks of a 4/4 bar at 480 per quarter
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// A 4/4 song at 480 ticks per quarter with one named track.
struct Song {
    ScratchDir dir;
    SongContext song;
    Track *track;
    Song() {
        song.division = 480;
        song.tempoMap.setDivision(480);
        song.meterMap.insertMeter(MeterEntry{0, 1, 4, 2, 0, 480, kBar});
        track = test::addNamedTrack(song, "t", 1);
    }
    void add(int32_t time, uint8_t kind, uint8_t data1, uint8_t data2 = 0, uint8_t channel = 0) {
        track->insert(Event{time, channel, kind, data1, data2, kind == kNote ? 240u : 0u});
    }
    void select(int32_t first, int32_t last) {
        song.selectionFlag = 1;
        song.selectionStartTime = first;
        song.selectionEndTime = last;
        extractRange(song);
    }
    std::vector<Event> events() {
        std::vector<Event> all;
        for (int32_t i = 0; i < track->count(); ++i) all.push_back(*track->at(i));
        return all;
    }
};

std::string text(const std::vector<Event> &events) {
    std::string s;
    for (const Event &e : events)
        s += std::to_string(e.time) + ":" + std::to_string(e.kind) + "/" + std::to_string(e.channel) +
             "/" + std::to_string(e.data1) + "/" + std::to_string(e.data2) + " ";
    return s;
}

// ---- maps and lead-in ----

TEST(RangeExtraction, AStartOnABarLineGetsAWholeFastLeadInBar) {
    Song s;
    s.song.tempoMap.insertTempo(TempoEntry{4 * kBar + 960, 0, 15000, 0});
    s.add(3 * kBar, kNote, 60);
    s.add(4 * kBar, kNote, 62);
    s.select(4 * kBar, 6 * kBar);

    ASSERT_EQ(s.events().size(), 1u);
    EXPECT_EQ(s.events()[0].time, kBar);
    TempoMap &tempo = s.song.tempoMap;
    ASSERT_EQ(tempo.count, 3);
    EXPECT_EQ(tempo.chunkLength, 2 + 3 * 18);
    EXPECT_EQ(tempo.entries.at(0)->time, 0);
    EXPECT_EQ(tempo.entries.at(0)->tempo, 24000u);
    EXPECT_EQ(tempo.entries.at(1)->time, kBar);
    EXPECT_EQ(tempo.entries.at(1)->tempo, 10000u);
    EXPECT_EQ(tempo.entries.at(1)->realTime, 1000) << "one bar at 240 BPM";
    EXPECT_EQ(tempo.entries.at(2)->time, kBar + 960);
    MeterMap &meter = s.song.meterMap;
    ASSERT_EQ(meter.count, 1);
    EXPECT_EQ(meter.chunkLength, 14);
    EXPECT_EQ(meter.entries.at(0)->time, 0);
    EXPECT_EQ(meter.entries.at(0)->measure, 1);
}

TEST(RangeExtraction, AStartInsideABarKeepsItsPlaceInTheBar) {
    Song s;
    s.add(4 * kBar + 480, kNote, 62);
    s.select(4 * kBar + 480, 6 * kBar);
    EXPECT_EQ(s.events().at(0).time, 480);
    EXPECT_EQ(s.song.tempoMap.entries.at(1)->time, 480);
}

// Meter entries keep their bar numbers relative to the stretch, so that a
// work file's bar-numbered meters fall where the ticks put them. The piece
// is 4/4, 3/4 from bar 5 (tick 7680) and 2/4 from bar 7 (tick 10560).
TEST(RangeExtraction, MeterChangesKeepTheirBarsInTheNewTimeLine) {
    struct Case {
        const char *name;
        int32_t first;
        std::string want;  // time:measure:numerator of every entry
    };
    for (const Case &c : {Case{"on the change", 4 * kBar, "0:1:3 4320:4:2 "},
                          Case{"bar line before it", 3 * kBar, "0:1:4 3840:3:3 6720:5:2 "},
                          Case{"inside the bar before", 3 * kBar + 480, "0:1:4 1920:2:3 4800:4:2 "}}) {
        Song s;
        s.song.meterMap.insertMeter(MeterEntry{4 * kBar, 5, 3, 2, 0, 480, 1440});
        s.song.meterMap.insertMeter(MeterEntry{4 * kBar + 2 * 1440, 7, 2, 2, 0, 480, 960});
        s.select(c.first, kMax);
        MeterMap &m = s.song.meterMap;
        std::string got;
        for (int32_t i = 0; i < m.entries.count(); ++i) {
            const MeterEntry *e = m.entries.at(i);
            got += std::to_string(e->time) + ":" + std::to_string(e->measure) + ":" +
                   std::to_string(e->numerator) + " ";
        }
        EXPECT_EQ(got, c.want) << c.name;
        EXPECT_EQ(m.count, m.entries.count()) << c.name;
        EXPECT_EQ(m.chunkLength, 2 + 12 * m.count) << c.name;
    }
}

// ---- the chased state ----

TEST(RangeExtraction, StateBeforeTheStretchIsSentAgainAtItsStart) {
    Song s;
    s.add(0, kNote, 60);
    s.add(0, kController, 0, 2);    // bank select
    s.add(10, kProgram, 5);
    s.add(20, kProgram, 9);
    s.add(30, kController, 7, 10);  // volume three times
    s.add(40, kController, 7, 20);
    s.add(50, kController, 7, 30);
    s.add(60, kController, 10, 64, 1);  // pan on channel 2
    s.add(70, kPitchWheel, 0x11, 0x50);
    s.add(80, kChannelPressure, 33);
    s.add(90, kKeyPressure, 60, 44);
    s.add(95, kController, 7, 99, 1);
    s.add(4 * kBar, kNote, 62);
    s.select(4 * kBar, kMax);
    EXPECT_EQ(text(s.events()),
              "0:11/0/0/2 0:12/0/5/0 1:12/0/9/0 "  // bank first, then one tick a program
              "2:10/0/60/44 3:13/0/33/0 4:14/0/17/80 5:11/0/7/30 "  // latest first
              "6:11/1/7/99 7:11/1/10/64 "
              "1920:9/0/62/0 ");
}

TEST(RangeExtraction, StateThatOverrunsTheLeadInStillComesFirst) {
    Song s;
    for (int i = 0; i < 600; ++i) s.add(i, kProgram, static_cast<uint8_t>(i % 128));
    s.add(4 * kBar + 480, kNote, 62);
    s.add(4 * kBar + 580, kNote, 64);
    s.select(4 * kBar + 480, kMax);  // a lead-in of 480 ticks
    const std::vector<Event> e = s.events();
    ASSERT_EQ(e.size(), 602u);
    EXPECT_EQ(e[480].kind, kProgram) << "a program change at the stretch's first tick";
    EXPECT_EQ(e[481].kind, kNote);
    EXPECT_EQ(e[481].time, 480);
    EXPECT_EQ(e[582].time, 580);
    EXPECT_EQ(e[582].kind, kNote);
}

// ---- what is kept ----

TEST(RangeExtraction, BothEndsAreKeptAndOnlyTheStretchSounds) {
    Song s;
    s.add(3 * kBar, kNote, 50);      // still sounding at the start: gone
    s.add(4 * kBar, kNote, 60);
    s.add(5 * kBar, kNote, 61);
    s.add(5 * kBar + 1, kNote, 62);  // after the last tick: gone
    s.add(5 * kBar + 1, kProgram, 3);
    s.select(4 * kBar, 5 * kBar);
    EXPECT_EQ(text(s.events()), "1920:9/0/60/0 3840:9/0/61/0 ");
}

TEST(RangeExtraction, MarkersFollowTheStretch) {
    Song s;
    test::addMetaText(s.song, s.song.markers, 100, kMetaMarker, "intro");
    test::addMetaText(s.song, s.song.markers, 4 * kBar, kMetaMarker, "verse");
    test::addMetaText(s.song, s.song.markers, 9 * kBar, kMetaCue, "end");
    s.song.markerChunkLength = 4 + 3 * 11 + 5 + 5 + 3;
    s.song.nowTime = 100;
    s.song.endTime = 9 * kBar;
    s.select(4 * kBar, 6 * kBar);
    ASSERT_EQ(s.song.markers.count(), 1);
    EXPECT_EQ(s.song.markers.at(0)->time, kBar);
    EXPECT_EQ(s.song.markerChunkLength, 4 + 11 + 5);
    EXPECT_EQ(s.song.nowTime, kBar) << "held to the stretch's start";
    EXPECT_EQ(s.song.endTime, 3 * kBar) << "held to its end";
}

// Selections the reader can record from odd sources: the end before the
// start (across tracks), nothing after the start, times at the end of the
// time line. None may leave a negative or wrapped time.
TEST(RangeExtraction, OddSelectionsLeaveValidTimes) {
    struct Case {
        const char *name;
        int32_t first, last;
        size_t wantEvents;
    };
    // The state before the start folds into two events; the last note
    // stays wherever its moved time still fits.
    for (const Case c : {Case{"end before start", 4 * kBar, 2 * kBar, 2},
                         Case{"start after the music", 50 * kBar, kMax, 3},
                         Case{"whole time line", 0, kMax, 3},
                         Case{"start near the end", kMax - 10, kMax, 3}}) {
        Song s;
        s.add(0, kProgram, 1);
        s.add(kBar, kController, 7, 100);
        s.add(3 * kBar, kNote, 60);
        s.add(kMax, kNote, 61);  // a time that only fits unmoved
        s.select(c.first, c.last);
        const std::vector<Event> e = s.events();
        EXPECT_EQ(e.size(), c.wantEvents) << c.name << ": " << text(e);
        for (const Event &x : e) EXPECT_GE(x.time, 0) << c.name;
        EXPECT_EQ(s.song.meterMap.entries.at(0)->time, 0) << c.name;
        for (int32_t i = 0; i < s.song.tempoMap.count; ++i)
            EXPECT_GE(s.song.tempoMap.entries.at(i)->time, 0) << c.name;
        EXPECT_GE(s.song.endTime, 0) << c.name;
    }
}

// ---- through Vekmain ----

// Byte offset of the first `what` in `source`.
int32_t offsetOf(const std::string &source, const std::string &what) {
    return static_cast<int32_t>(source.find(what));
}

std::vector<SongEvent> ofKind(const std::vector<SongEvent> &all, const std::string &kind) {
    std::vector<SongEvent> some;
    for (const SongEvent &e : all)
        if (e.kind == kind) some.push_back(e);
    return some;
}

std::string describeAll(const std::vector<SongEvent> &events) {
    std::string s;
    for (const SongEvent &e : events) s += test::describe(e) + "\n";
    return s;
}

const std::string kPiece =
    "ppq 480 control volume 7 control bank 0\n"
    "bank =2 patch 5 patch 9 volume =20 volume =40 volume =60\n"
    "C D E F | C D E F | C D E F | C D E F |\n"
    "G A B c | C D E F |\n";

TEST(RangeExtraction, ASelectionCompilesToItsStretchWithTheStateBeforeIt) {
    ScratchDir dir;
    test::CompileOptions o;
    o.selectionStart = offsetOf(kPiece, "G");
    o.selectionEnd = offsetOf(kPiece, "c |") + 1;
    const auto r = test::compileText(kPiece, o);
    ASSERT_FALSE(r.failed()) << r.message();
    // Bank first, the programs a tick apart, three volumes folded into the
    // last, and bar 5 after a fast lead-in bar.
    EXPECT_EQ(describeAll(test::songEvents(r.output)),
              "tempo 24000 at 0 track 0\n"
              "meter 4 4 at 0 track 0\n"
              "key 0 at 0 track 0\n"
              "tempo 10000 at 1920 track 0\n"
              "port 0 at 0 track 1\n"
              "control 0 2 at 0 ch 1 track 1\n"
              "program 5 at 0 ch 1 track 1\n"
              "program 9 at 1 ch 1 track 1\n"
              "control 7 60 at 2 ch 1 track 1\n"
              "note 67 at 1920 dur 480 vel 64 ch 1 track 1\n"
              "note 69 at 2400 dur 480 vel 64 ch 1 track 1\n"
              "note 71 at 2880 dur 480 vel 64 ch 1 track 1\n"
              "note 48 at 3360 dur 480 vel 64 ch 1 track 1\n");
}

const std::string kTwoTracks =
    "track a $$1 C D E F | G A B c |\n"
    "track b $$2 E F G A | B c d e |\n";

TEST(RangeExtraction, ExtractKeepsOnlyTheTrackUnderTheCaret) {
    ScratchDir dir;
    test::CompileOptions o;
    o.extractMode = 1;
    o.selectionStart = o.selectionEnd = offsetOf(kTwoTracks, "B c d");  // a caret, no selection
    const auto r = test::compileText(kTwoTracks, o);
    ASSERT_FALSE(r.failed()) << r.message();
    const auto notes = ofKind(test::songEvents(r.output), "note");
    ASSERT_EQ(notes.size(), 8u);
    for (const SongEvent &n : notes) EXPECT_EQ(n.channel, 2);
    EXPECT_EQ(notes[0].time, 0) << "no selection: nothing moves";
}

// Selections that fall on odd places of the source: each compiles, gives
// a file the decoder accepts, and stays small.
TEST(RangeExtraction, OddSelectionsCompileCleanly) {
    const std::string piece =
        "include inc.vek\n"
        "set lick { C D E F }\n"
        "track a $$1 {lick} | G A B c | {lick} {two} |\n"
        "track b E F G A | B c d e |\n";
    struct Case {
        const char *name;
        int32_t start, end;
    };
    const int32_t body = offsetOf(piece, "D E F }");
    for (const Case &c : {Case{"inside a macro body", body, body + 3},
                          Case{"on the include statement", 3, offsetOf(piece, "set")},
                          Case{"past the end of the file", 100000, 200000},
                          Case{"negative offsets", -20, -5},
                          Case{"end before start", offsetOf(piece, "B c d"), offsetOf(piece, "lick")},
                          Case{"end earlier in time", offsetOf(piece, "G A B"),
                               offsetOf(piece, "F G A") + 1}}) {
        ScratchDir dir;
        dir.write("inc.vek", "set two { c d }\n");
        test::CompileOptions o;
        o.selectionStart = c.start;
        o.selectionEnd = c.end;
        const auto r = test::compileText(piece, o);
        ASSERT_FALSE(r.failed()) << c.name << ": " << r.message();
        EXPECT_NO_THROW(test::songEvents(r.output)) << c.name;
        EXPECT_LT(r.output.size(), 1000u) << c.name;
    }
}

// ---- through the vek command ----

TEST(RangeExtraction, TheCommandSelectsAndExtracts) {
    ScratchDir dir;
    dir.write("song.vek", kTwoTracks);
    const int32_t start = offsetOf(kTwoTracks, "B c d");
    const int32_t end = offsetOf(kTwoTracks, "d e") + 1;
    const std::string command = "env -u VEK_INCLUDE_PATH '" VEK_CLI_PATH "' --select " +
                                std::to_string(start) + ":" + std::to_string(end) +
                                " --extract song.vek >out.txt 2>&1 </dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ScratchDir::read("out.txt");
    const auto all = test::songEvents(ScratchDir::read("song.mid"));
    const auto notes = ofKind(all, "note");
    ASSERT_EQ(notes.size(), 3u) << describeAll(all);
    EXPECT_EQ(notes[0].a, 71);  // B of bar 2 in track b, after a lead-in bar
    EXPECT_EQ(notes[0].time, 480);
    EXPECT_EQ(notes[0].channel, 2);
    EXPECT_EQ(notes[2].a, 50);  // d, where the selection ends
    EXPECT_EQ(notes[2].time, 720);
}

}  // namespace
}  // namespace vek
