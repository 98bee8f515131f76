// The Standard MIDI File writer, checked through the test-side decoder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "events/song_context.h"
#include "support/scratch_dir.h"
#include "support/smf_reader.h"
#include "support/song_builder.h"
#include "writers/midi_writer.h"
#include "writers/sysex_file.h"

namespace vek::test {
namespace {

using Lines = std::vector<std::string>;

class MidiWriterTest : public ::testing::Test {
protected:
    MidiWriterTest() { addDefaultMeter(song); }

    Lines track(int index) { return smfTrack(writeSong(song), index); }
    Lines conductor() { return track(0); }

    ScratchDir dir;  // before the song: the song writes "sysex.out" into it
    SongContext song;
};

const Lines kDefaultConductor = {"0 FF 54 40 00 00 00 00", "0 FF 51 09 27 C0",
                                 "0 FF 58 04 02 18 08", "0 FF 59 00 00", "0 FF 2F"};

TEST_F(MidiWriterTest, SongWithoutEventsIsHeaderAndConductorOnly) {
    defaultTrack(song);                  // exists, but holds nothing
    addNamedTrack(song, "silent", 1);
    const std::string bytes = writeSong(song);
    EXPECT_EQ(bytes, emptySongFile());
    EXPECT_EQ(decodeSmf(bytes).front(), "MThd format 1 tracks 1 division 120");
}

TEST_F(MidiWriterTest, DivisionGoesToTheHeader) {
    song.division = 480;
    EXPECT_EQ(decodeSmf(writeSong(song)).front(), "MThd format 1 tracks 1 division 480");
}

TEST(MidiWriterConductor, TempoAndMeterEvents) {
    struct Case {
        const char *what;
        uint32_t tempo;  // BPM x 100
        MeterEntry meter;
        Lines expected;  // the tempo, meter and key lines
    };
    const Case cases[] = {
        {"120 BPM", 12000, {0, 1, 4, 2, 0, 120, 480},
         {"0 FF 51 07 A1 20", "0 FF 58 04 02 18 08", "0 FF 59 00 00"}},
        {"6/8, two sharps", 10000, {0, 1, 6, 3, 2, 60, 360},
         {"0 FF 51 09 27 C0", "0 FF 58 06 03 0C 08", "0 FF 59 02 00"}},
        {"2/2, three flats", 10000, {0, 1, 2, 1, -3, 240, 480},
         {"0 FF 51 09 27 C0", "0 FF 58 02 01 30 08", "0 FF 59 FD 00"}},
        {"7/16 at 33.33 BPM", 3333, {0, 1, 7, 4, 0, 30, 210},
         {"0 FF 51 1B 77 F4", "0 FF 58 07 04 06 08", "0 FF 59 00 00"}},
        {"below 3.58 BPM the 24 bits saturate", 100, {0, 1, 4, 2, 0, 120, 480},
         {"0 FF 51 FF FF FF", "0 FF 58 04 02 18 08", "0 FF 59 00 00"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ScratchDir dir;
        SongContext song;
        song.tempoMap.insertTempo(TempoEntry{0, 0, c.tempo, 0});
        song.meterMap.insertMeter(c.meter);
        const Lines lines = smfTrack(writeSong(song), 0);
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_EQ(Lines(lines.begin() + 1, lines.begin() + 4), c.expected);
    }
}

TEST_F(MidiWriterTest, ConductorMergesTempoMeterAndMarkersByTimeAndTieOrder) {
    addMetaText(song, song.markers, 480, kMetaMarker, "B");
    addMetaText(song, song.markers, 240, kMetaCue, "A");
    song.meterMap.insertMeter(MeterEntry{480, 2, 3, 2, 1, 120, 360});
    song.tempoMap.insertTempo(TempoEntry{480, 0, 12000, 0});
    song.tempoMap.insertTempo(TempoEntry{960, 0, 6000, 0});
    EXPECT_EQ(conductor(), (Lines{"0 FF 54 40 00 00 00 00", "0 FF 51 09 27 C0",
                                  "0 FF 58 04 02 18 08", "0 FF 59 00 00", "240 FF 07 \"A\"",
                                  "480 FF 51 07 A1 20", "480 FF 58 03 02 18 08", "480 FF 59 01 00",
                                  "480 FF 06 \"B\"", "960 FF 51 0F 42 40", "960 FF 2F"}));
}

TEST_F(MidiWriterTest, ConductorTextsCarryTheirPrefixesInOrder) {
    song.copyright = "(c) 2024 V";
    song.comments = std::string(200, 'x');  // a length that needs two bytes
    song.keywords = "k";
    song.author = "A";
    song.instructions = "I";
    song.subtitle = "S";
    song.title = "T";
    song.smpteHours = 1, song.smpteMinutes = 2, song.smpteSeconds = 3, song.smpteFrames = 4;
    const Lines lines = conductor();
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 8),
              (Lines{"0 FF 02 \"(c) 2024 V\"", "0 FF 54 41 02 03 04 00", "0 FF 01 \"Title: T\"",
                     "0 FF 01 \"Subtitle: S\"", "0 FF 01 \"Instructions: I\"",
                     "0 FF 01 \"Author: A\"", "0 FF 01 \"Keywords: k\"",
                     "0 FF 01 \"Comments: " + std::string(200, 'x') + "\""}));
}

TEST_F(MidiWriterTest, TrackStartsWithPortAndNameAndCarriesMetaTexts) {
    Track *t = addNamedTrack(song, "Lead", 1);
    t->name = "Lead voice";
    t->port = 2;
    addMetaText(song, *t, 0, kMetaLyric, "la");
    addNote(*t, 120, 60, 60);
    addMetaText(song, *t, 150, kMetaTextType, "mid-note");
    EXPECT_EQ(track(1), (Lines{"0 FF 21 02", "0 FF 03 \"Lead voice\"", "0 FF 05 \"la\"",
                               "120 90 3C 40", "150 FF 01 \"mid-note\"", "180 90 3C 00",
                               "180 FF 2F"}));
}

TEST_F(MidiWriterTest, NoteEndsComeBeforeANoteOnTheSameTickUnderOneStatus) {
    Track *t = defaultTrack(song);
    addNote(*t, 0, 60, 480);
    addNote(*t, 0, 64, 480);
    addNote(*t, 480, 67, 120);
    EXPECT_EQ(track(1), (Lines{"0 FF 21 00", "0 90 3C 40", "0 (90) 40 40", "480 (90) 3C 00",
                               "480 (90) 40 00", "480 (90) 43 40", "600 (90) 43 00", "600 FF 2F"}));
}

TEST_F(MidiWriterTest, EqualNoteEndsFollowTheQueueOrder) {
    // The end that was earliest when queued goes first, then the newest.
    Track *t = defaultTrack(song);
    addNote(*t, 0, 60, 480);
    addNote(*t, 0, 62, 480);
    addNote(*t, 0, 64, 480);
    const Lines lines = track(1);
    EXPECT_EQ(Lines(lines.begin() + 4, lines.begin() + 7),
              (Lines{"480 (90) 3C 00", "480 (90) 40 00", "480 (90) 3E 00"}));
}

TEST_F(MidiWriterTest, ChannelEventsAndTheirDataBytes) {
    Track *t = defaultTrack(song);
    t->insert(Event{0, 1, kNoteOff, 60, 10, 0});
    t->insert(Event{1, 1, kKeyPressure, 60, 32, 0});
    addController(*t, 2, 7, 100, 1);
    t->insert(Event{3, 1, kProgram, 5, 99, 0});  // data2 is not written
    t->insert(Event{4, 1, kChannelPressure, 64, 99, 0});
    t->insert(wheelEvent(5, 1, 8192));  // stored as 8191
    t->insert(wheelEvent(6, 1, -8192));
    t->insert(wheelEvent(7, 1, 0));
    addNote(*t, 8, 60, 2, 15);
    EXPECT_EQ(track(1), (Lines{"0 FF 21 00", "0 81 3C 0A", "1 A1 3C 20", "2 B1 07 64", "3 C1 05",
                               "4 D1 40", "5 E1 7F 7F", "6 (E1) 00 00", "7 (E1) 00 40",
                               "8 9F 3C 40", "10 (9F) 3C 00", "10 FF 2F"}));
}

TEST_F(MidiWriterTest, MetaAndSysexEventsBreakRunningStatus) {
    addSysexRecord(song, 0, "gs", hexBytes("F0 41 F7 "));
    Track *t = defaultTrack(song);
    addNote(*t, 0, 60, 480);
    addController(*t, 0, 7, 100);
    addMetaText(song, *t, 5, kMetaCue, "cue");
    addController(*t, 10, 7, 90);
    addController(*t, 15, 7, 85);
    t->insert(Event{20, 0, kSysexReference, 0, 0, 0});
    addController(*t, 20, 7, 80);
    EXPECT_EQ(track(1), (Lines{"0 FF 21 00", "0 90 3C 40", "0 B0 07 64", "5 FF 07 \"cue\"",
                               "10 B0 07 5A", "15 (B0) 07 55", "20 F0 41 F7", "20 B0 07 50",
                               "480 90 3C 00", "480 FF 2F"}));
}

// A track body is built in memory and grows past its first 64 KiB; a
// track that long, with texts and sysex among its notes, must come out
// whole and in order.
TEST_F(MidiWriterTest, LongTracksKeepEveryEventInOrder) {
    addSysexRecord(song, 0, "gs", hexBytes("F0 41 F7 "));
    Track *t = defaultTrack(song);
    constexpr int kNotes = 12000;  // about 72 KB of events
    for (int i = 0; i < kNotes; ++i) addNote(*t, i * 200, static_cast<uint8_t>(40 + i % 40), 100);
    addMetaText(song, *t, 333 * 200 + 50, kMetaCue, "cue");
    t->insert(Event{4444 * 200 + 50, 0, kSysexReference, 0, 0, 0});
    const Lines lines = track(1);
    ASSERT_EQ(lines.size(), 2u + 2 * kNotes + 2);  // port, notes and ends, cue, sysex, end
    EXPECT_EQ(lines[1], "0 90 28 40");
    EXPECT_EQ(lines[1 + 2 * 333 + 1], "66650 FF 07 \"cue\"");
    EXPECT_EQ(lines[1 + 2 * 4444 + 2], "888850 F0 41 F7");
    EXPECT_EQ(lines[lines.size() - 2], std::to_string((kNotes - 1) * 200 + 100) + " (90) 4F 00");
}

TEST_F(MidiWriterTest, NamedTracksGoByNumberAndAreRenumberedWithoutGaps) {
    Track *three = addNamedTrack(song, "three", 3);
    Track *one = addNamedTrack(song, "one", 1);
    Track *empty = addNamedTrack(song, "empty", 2);
    three->name = "three";
    one->name = "one";
    addNote(*three, 0, 50, 10);
    addNote(*one, 0, 40, 10);
    const std::string bytes = writeSong(song);
    EXPECT_EQ(decodeSmf(bytes).front(), "MThd format 1 tracks 3 division 120");
    EXPECT_EQ(smfTrack(bytes, 1).at(1), "0 FF 03 \"one\"");
    EXPECT_EQ(smfTrack(bytes, 2).at(1), "0 FF 03 \"three\"");
    EXPECT_EQ(one->number, 0);
    EXPECT_EQ(three->number, 1);
    EXPECT_EQ(empty->number, 2);
}

TEST_F(MidiWriterTest, DefaultTrackIsWrittenFirst) {
    Track *named = addNamedTrack(song, "n", 1);
    named->name = "n";
    addNote(*named, 0, 40, 10);
    addNote(*defaultTrack(song), 0, 30, 10);
    const std::string bytes = writeSong(song);
    EXPECT_EQ(decodeSmf(bytes).front(), "MThd format 1 tracks 3 division 120");
    EXPECT_EQ(smfTrack(bytes, 1).at(1), "0 90 1E 40");
    EXPECT_EQ(smfTrack(bytes, 2).at(1), "0 FF 03 \"n\"");
    EXPECT_EQ(named->number, 1);
}

TEST_F(MidiWriterTest, SysexEventsCopyTheirRecords) {
    addSysexRecord(song, 0, "reset", hexBytes("F0 7E 7F 09 01 F7 "));
    addSysexRecord(song, 1, "", hexBytes("F7 01 02 "));
    addSysexRecord(song, 2, "long", "\xF0" + std::string(198, '\x11') + "\xF7");
    Track *t = defaultTrack(song);
    t->insert(Event{0, 0, kSysexReference, 1, 0, 0});
    t->insert(Event{10, 0, kSysexReference, 0, 0, 0});
    t->insert(Event{20, 0, kSysexReference, 2, 0, 0});
    WriteResult result = WriteResult::ioError;
    const std::string bytes = writeSong(song, "song.mid", &result);
    EXPECT_EQ(result, WriteResult::ok);
    const Lines lines = smfTrack(bytes, 1);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "0 F7 01 02");
    EXPECT_EQ(lines[2], "10 F0 7E 7F 09 01 F7");
    EXPECT_EQ(lines[3].size(), std::string("20 F0").size() + 3 * 199);
    EXPECT_NE(bytes.find(hexBytes("F0 81 47 11 ")), std::string::npos);  // 199 in two bytes
}

TEST_F(MidiWriterTest, SysexCopyReturnsTheBytesWritten) {
    addSysexRecord(song, 0, "a", hexBytes("F0 01 F7 "));
    addSysexRecord(song, 1, "b", "\xF0" + std::string(200, '\x02') + "\xF7");
    const std::string &records = song.sysexRecords;
    std::FILE *out = std::fopen("copy.bin", "wb");
    EXPECT_EQ(copySysexRecord(records, out, 1), 202u + 2u);
    EXPECT_EQ(copySysexRecord(records, out, 0), 3u + 1u);
    EXPECT_EQ(copySysexRecord(records, out, 2), 0u);
    EXPECT_EQ(sysexRecordSize(records, 1), 204u);
    std::fclose(out);
    EXPECT_EQ(ScratchDir::read("copy.bin").size(), 204u + 4u);
}

TEST(MidiWriterSysex, BadRecordsFailWithCode68AndLeaveNoFile) {
    struct Case {
        const char *what;
        std::string records;  // raw, in the layout of "sysex.out"
    };
    const std::string good = hexBytes("06 0A 00 00 00 00 04 00 01 01 61 F0 01 02 F7 ");
    const Case cases[] = {
        {"no record with the number", good},
        {"no records at all", ""},
        {"data not starting with F0 or F7",
         hexBytes("06 0A 00 00 00 01 04 00 01 01 61 41 01 02 F7 ")},
        {"data cut short", hexBytes("06 0A 00 00 00 01 0A 00 01 01 61 F0 01 ")},
        {"no data", hexBytes("06 06 00 00 00 01 00 00 01 01 61 ")},
        {"not a record", good + hexBytes("07 0A 00 00 00 01 04 00 01 01 61 F0 01 02 F7 ")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ScratchDir dir;
        SongContext song;
        addDefaultMeter(song);
        song.sysexRecords = c.records;
        Track *t = defaultTrack(song);
        addNote(*t, 0, 60, 10);
        t->insert(Event{5, 0, kSysexReference, 1, 0, 0});
        WriteResult result = WriteResult::ok;
        EXPECT_EQ(writeSong(song, "song.mid", &result), "");
        EXPECT_EQ(result, WriteResult::sysexMissing);
    }
}

}  // namespace
}  // namespace vek::test
