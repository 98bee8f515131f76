// The work-file writer, checked byte for byte through the test-side
// chunk splitter and stream decoder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "events/song_context.h"
#include "support/compile.h"
#include "support/scratch_dir.h"
#include "support/smf_reader.h"
#include "support/song_builder.h"
#include "support/wrk_reader.h"
#include "writers/midi_writer.h"
#include "writers/work_file.h"

namespace vek::test {
namespace {

using Lines = std::vector<std::string>;
using Ids = std::vector<int>;

class WorkFileTest : public ::testing::Test {
protected:
    WorkFileTest() { addDefaultMeter(song); }

    std::string write() {
        result = writeWorkFile(song, std::fopen("song.wrk", "wb"));
        return ScratchDir::read("song.wrk");
    }
    std::vector<WrkChunk> chunks() { return splitWrk(write()); }
    // The decoded streams, in file order.
    std::vector<WrkStream> streams() {
        std::vector<WrkStream> found;
        for (const WrkChunk &c : chunks())
            if (c.id == 2 || c.id == 18) found.push_back(decodeWrkStream(c));
        return found;
    }

    ScratchDir dir;  // before the song: the writers write into it
    SongContext song;
    WorkFileResult result;
};

TEST_F(WorkFileTest, EmptyPieceIsTheFixedChunkSequence) {
    defaultTrack(song);  // exists, but holds nothing
    addNamedTrack(song, "silent", 1);
    const std::string settings =
        "03 59 00 00 00 "
        "00 00 00 00 " "00 00 00 00 00 00 00 00 " "00 " "00 00 00 00 00 " "01 01 "
        "00 00 00 00 00 00 00 00 00 00 00 00 " "01 01 01 " "FF FF 01 7F "
        "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 " "01 20 40 80 "
        "00 00 00 00 00 00 00 00 00 00 00 " "00 00 00 00 " "FE "
        "00 00 00 00 00 00 00 00 00 00 00 ";
    const std::string expected =
        hexBytes("43 41 4B 45 57 41 4C 4B 1A 00 02 " "0A 02 00 00 00 78 00 ") +
        hexBytes(settings) + hexBytes("16 1D 00 00 00 04 00 ") + "\x06MCICmd\x01\x04Wave\x02" +
        "\x04Text\x03\x05Lyric\x04" +
        hexBytes("0F 14 00 00 00 01 00 00 00 00 00 00 00 00 00 10 27 "
                 "00 00 00 00 00 00 00 00 "
                 "05 0E 00 00 00 01 00 00 00 00 00 01 00 04 02 78 00 E0 01 "
                 "17 07 00 00 00 01 00 01 00 04 02 00 "
                 "0B 06 00 00 00 1E 00 00 00 00 00 "
                 "11 0E 00 00 00 00 00 09 00 2A 00 6E 00 01 00 00 00 00 00 "
                 "10 0C 00 00 00 02 00 00 FF 00 00 FF FF 00 00 00 00 "
                 "FF ");
    EXPECT_EQ(write(), expected);
    EXPECT_EQ(result.code, WriteResult::ok);
}

TEST_F(WorkFileTest, SongSettingsLandInTheirFields) {
    song.nowTime = 0x123456;
    song.keyTonic = 7;
    song.endTime = 1920;
    song.smpteRate = 25;
    song.frameOffset = 90000;
    const auto all = chunks();
    const std::string body = wrkChunks(all, 3).at(0).body;
    ASSERT_EQ(body.size(), 89u);
    EXPECT_EQ(littleEndian(body, 0, 4), 0x123456u);
    EXPECT_EQ(littleEndian(body, 12, 1), 7u);
    EXPECT_EQ(littleEndian(body, 73, 4), 1920u);
    EXPECT_EQ(littleEndian(body, 77, 1), 0xFEu);
    EXPECT_EQ(wrkChunks(all, 11).at(0).body, hexBytes("19 00 90 5F 01 00 "));
}

TEST_F(WorkFileTest, TextsAreVariableChunksInTheirOrderThenComments) {
    song.keywords = "k";
    song.copyright = "c";
    song.title = "Tune";
    song.author = "me";
    song.comments = "ab";
    const auto all = chunks();
    EXPECT_EQ(wrkChunkIds(all), (Ids{10, 3, 26, 26, 26, 26, 8, 22, 15, 5, 23, 11, 17, 16}));
    const auto texts = wrkChunks(all, 26);
    EXPECT_EQ(texts[0].body, "Title" + std::string(27, '\0') + "Tune");
    EXPECT_EQ(texts[1].body.substr(0, 7), std::string("Author\0", 7));
    EXPECT_EQ(texts[2].body, "Copyright" + std::string(23, '\0') + "c");
    EXPECT_EQ(texts[3].body.substr(0, 8), std::string("Keywords", 8));
    EXPECT_EQ(wrkChunks(all, 8).at(0).body, hexBytes("03 00 61 62 00 "));
}

TEST_F(WorkFileTest, MarkersChunkFlagsCuePoints) {
    addMetaText(song, song.markers, 480, kMetaMarker, "verse");
    addMetaText(song, song.markers, 960, kMetaCue, "hit");
    addMetaText(song, song.markers, 1000, kMetaTextType, "x");  // keeps the cue's flag
    const auto markers = wrkChunks(chunks(), 21);
    ASSERT_EQ(markers.size(), 1u);
    EXPECT_EQ(markers[0].body, hexBytes("03 00 00 00 "
                                        "00 00 E0 01 00 00 00 00 00 00 05 ") + "verse" +
                                   hexBytes("01 00 C0 03 00 00 00 00 00 00 03 ") + "hit" +
                                   hexBytes("01 00 E8 03 00 00 00 00 00 00 01 ") + "x");
}

TEST_F(WorkFileTest, TempoAndMeterMaps) {
    song.tempoMap.insertTempo(TempoEntry{960, 0, 14050, 0});
    song.meterMap.insertMeter(MeterEntry{1920, 5, 3, 3, -2, 60, 180});
    const auto all = chunks();
    const std::string tempos = wrkChunks(all, 15).at(0).body;
    EXPECT_EQ(static_cast<int32_t>(tempos.size()), song.tempoMap.chunkLength);
    EXPECT_EQ(tempos.substr(20), hexBytes("C0 03 00 00 00 00 00 00 E2 36 "
                                          "00 00 00 00 00 00 00 00 "));
    const std::string meters = wrkChunks(all, 5).at(0).body;
    EXPECT_EQ(static_cast<int32_t>(meters.size()), song.meterMap.chunkLength);
    EXPECT_EQ(meters.substr(14), hexBytes("80 07 00 00 05 00 03 03 3C 00 B4 00 "));
    EXPECT_EQ(wrkChunks(all, 23).at(0).body,
              hexBytes("02 00 01 00 04 02 00 05 00 03 03 FE "));
}

TEST_F(WorkFileTest, TracksAreRenumberedWithoutGaps) {
    Track *five = addNamedTrack(song, "five", 5);
    Track *two = addNamedTrack(song, "two", 2);
    addNamedTrack(song, "empty", 3);
    two->name = "Two";
    five->name2 = "alt";
    five->port = 1;
    addNote(*five, 0, 60, 120);
    addNote(*two, 0, 62, 120);
    const auto all = chunks();
    EXPECT_EQ(wrkChunkIds(all),
              (Ids{10, 3, 22, 15, 5, 23, 11, 17, 16, 1, 24, 2, 1, 2}));
    const auto headers = wrkChunks(all, 1);
    EXPECT_EQ(headers[0].body, hexBytes("00 00 03 ") + "Two" + hexBytes("00 FF 00 00 00 00 "));
    EXPECT_EQ(headers[1].body, hexBytes("01 00 00 03 ") + "alt" + hexBytes("FF 00 00 01 00 "));
    EXPECT_EQ(wrkChunks(all, 24).at(0).body, hexBytes("00 00 03 ") + "Two");
    const auto s = streams();
    EXPECT_EQ(s[0].track, 0);
    EXPECT_EQ(s[1].track, 1);
}

TEST_F(WorkFileTest, EventStreamWritesEightBytesForEveryKind) {
    Track &t = *defaultTrack(song);
    t.insert(Event{0, 2, kProgram, 5, 0, 0});
    addController(t, 10, 7, 100, 2);
    t.insert(wheelEvent(20, 2, -8192));
    t.insert(Event{30, 0, kSysexReference, 3, 0, 0});
    addNote(t, 40, 64, 70000, 2, 90);  // longer than 16 bits of ticks
    const auto all = chunks();
    const auto stream = wrkChunks(all, 2);
    ASSERT_EQ(stream.size(), 1u);
    EXPECT_EQ(stream[0].body.size(), 4u + 5 * 8);
    EXPECT_EQ(decodeWrkStream(stream[0]).lines,
              (Lines{"0 C2 05 00", "10 B2 07 64", "20 E2 00 00", "30 F0 03 00",
                     "40 92 40 5A dur 65535"}));
}

TEST_F(WorkFileTest, TextStreamWritesCompactRecords) {
    Track &t = *addNamedTrack(song, "lead", 1);
    t.hasText = 1;
    t.insert(Event{0, 0, kProgram, 5, 0, 0});
    addNote(t, 0, 60, 120);
    const auto stream = wrkChunks(chunks(), 18);
    ASSERT_EQ(stream.size(), 1u);
    EXPECT_EQ(stream[0].body.size(), 19u);
    EXPECT_EQ(stream[0].body, hexBytes("00 00 02 00 00 00 00 00 00 C0 05 "
                                       "00 00 00 90 3C 40 78 00 "));
}

TEST_F(WorkFileTest, TextStreamRecordSizes) {
    Track &t = *defaultTrack(song);
    t.hasText = 1;
    t.insert(Event{0, 1, kChannelPressure, 40, 0, 0});
    t.insert(Event{1, 1, kKeyPressure, 60, 30, 0});
    addController(t, 2, 10, 64, 1);
    t.insert(wheelEvent(3, 1, 8191));
    t.insert(Event{4, 1, kSysexReference, 2, 0, 0});
    t.insert(Event{5, 1, kNoteOff, 60, 0, 0});
    const auto stream = decodeWrkStream(wrkChunks(chunks(), 18).at(0));
    EXPECT_EQ(stream.lines, (Lines{"0 D1 28", "1 A1 3C 1E", "2 B1 0A 40", "3 E1 7F 7F",
                                   "4 F1 02", "5 81 3C 00"}));
}

// Meta records need a text stream even where the track's flag was not set.
TEST_F(WorkFileTest, MetaRecordsUseTheStringTableCodes) {
    Track &t = *defaultTrack(song);
    addMetaText(song, t, 0, kMetaTextType, "hello");
    addMetaText(song, t, 10, kMetaLyric, "la ");
    addMetaText(song, t, 20, kMetaMci, "play");
    addMetaText(song, t, 30, kMetaMarker, "odd");  // no code of its own
    const auto all = chunks();
    EXPECT_TRUE(wrkChunks(all, 2).empty());
    const auto stream = decodeWrkStream(wrkChunks(all, 18).at(0));
    EXPECT_EQ(stream.lines, (Lines{"0 Text \"hello\"", "10 Lyric \"la \"", "20 MCICmd \"play\"",
                                   "30 Text \"odd\""}));
}

TEST_F(WorkFileTest, MoreEventsThanSixteenBitsCountGetATextStream) {
    Track &t = *defaultTrack(song);
    for (int32_t i = 0; i < 0x10000; ++i) addController(t, i, 7, 1);
    const auto stream = decodeWrkStream(wrkChunks(chunks(), 18).at(0));
    EXPECT_EQ(stream.lines.size(), 0x10000u);
}

TEST_F(WorkFileTest, ValuesBeyondTheirFieldsAreCut) {
    song.tempoMap.insertTempo(TempoEntry{0, 0, 70000, 0});  // 700.00 BPM
    song.comments = std::string(70000, 'c');
    Track &t = *defaultTrack(song);
    t.name = std::string(300, 'n');
    addNote(t, 0, 60, 120);
    const auto all = chunks();
    EXPECT_EQ(littleEndian(wrkChunks(all, 15).at(0).body, 10, 2), 0xFFFFu);
    const std::string comments = wrkChunks(all, 8).at(0).body;
    EXPECT_EQ(littleEndian(comments, 0, 2), 0xFFFFu);
    EXPECT_EQ(comments.size(), 0xFFFFu + 2);
    EXPECT_EQ(wrkChunks(all, 1).at(0).body.size(), 9u + 255);
    EXPECT_EQ(wrkChunks(all, 24).at(0).body.size(), 3u + 255);
}

TEST_F(WorkFileTest, SysexRecordsAreCopiedWholeBeforeTheEnd) {
    addSysexRecord(song, 0, "gs", "\xF0\x41\x10\x42\xF7");
    addSysexRecord(song, 1, "xg", "\xF0\x43\xF7");
    addNote(*defaultTrack(song), 0, 60, 120);
    const std::string records = song.sysexRecords;
    const std::string bytes = write();
    ASSERT_GT(bytes.size(), records.size());
    EXPECT_EQ(bytes.substr(bytes.size() - records.size() - 1), records + "\xFF");
    EXPECT_EQ(wrkChunkIds(splitWrk(bytes)).back(), 6);
}

TEST_F(WorkFileTest, WaveFileIsEmbedded) {
    dir.write("hit.wav", std::string("RIFF\0\x01\x02", 7));
    Track &t = *defaultTrack(song);
    t.hasText = 1;
    addMetaText(song, t, 0, kMetaWave, "hit.wav");
    addNote(t, 0, 60, 120);
    const WrkChunk stream = wrkChunks(chunks(), 18).at(0);
    EXPECT_EQ(result.code, WriteResult::ok);
    EXPECT_EQ(decodeWrkStream(stream).lines, (Lines{"0 Wave 7 bytes", "0 90 3C 40 dur 120"}));
    EXPECT_NE(stream.body.find(std::string("RIFF\0\x01\x02", 7)), std::string::npos);
}

TEST_F(WorkFileTest, MissingWaveFileFailsBeforeAnythingIsWritten) {
    Track &t = *addNamedTrack(song, "fx", 1);
    t.hasText = 1;
    addNote(t, 0, 60, 120);
    addMetaText(song, t, 10, kMetaWave, "gone.wav");
    EXPECT_EQ(write(), "");
    EXPECT_EQ(result.code, WriteResult::waveUnreadable);
    EXPECT_EQ(result.file, "gone.wav");
}

// The records are the song's own: whatever lies in "sysex.out" (another
// compile's records, or a folder) does not matter.
TEST_F(WorkFileTest, SysexRecordsComeFromTheSongNotFromSysexOut) {
    addSysexRecord(song, 0, "gs", "\xF0\x41\xF7");
    addNote(*defaultTrack(song), 0, 60, 120);
    std::filesystem::create_directory(kSysexFileName);
    const auto all = chunks();  // ends with FF, or splitWrk throws
    EXPECT_EQ(result.code, WriteResult::ok);
    EXPECT_EQ(wrkChunks(all, 6).at(0).body, song.sysexRecords.substr(5));
}

TEST(WorkFileCompile, SourceCompilesToAWorkFile) {
    ScratchDir dir;
    CompileOptions o;
    o.format = "wrk";
    const auto r = compileText("title [Tune] track [lead] C D \"la\" E\n", o);
    ASSERT_FALSE(r.failed()) << r.message();
    const auto all = splitWrk(r.output);
    EXPECT_EQ(wrkChunks(all, 26).at(0).body.substr(32), "Tune");
    EXPECT_EQ(wrkChunks(all, 24).at(0).body.substr(3), "lead");
    const Lines lines = decodeWrkStream(wrkChunks(all, 18).at(0)).lines;
    EXPECT_EQ(lines, (Lines{"0 90 3C 40 dur 120", "120 90 3E 40 dur 120", "240 Lyric \"la \"",
                            "240 90 40 40 dur 120"}));
}

// Record times have 24 bits; a meter entry's bar number and bar length 16.
TEST(WorkFileCompile, APieceBeyondTheFieldsFailsWithAnEmptyFile) {
    ScratchDir dir;
    CompileOptions o;
    o.format = "wrk";
    const char *sources[] = {"C |40000 D", "C |40000 marker [late]", "ppq 480 meter 99/1 C",
                             "ppq 48 meter 1/32 |70000 meter 2/32 C"};
    for (const char *source : sources) {
        SCOPED_TRACE(source);
        const auto r = compileText(source, o);
        EXPECT_TRUE(r.failed());
        EXPECT_EQ(r.message(), " The work file cannot hold this piece: its times end at tick "
                               "16777215, its bar numbers at 65535 and its bar lengths at 65535 "
                               "ticks. Write a MIDI file instead");
        EXPECT_EQ(r.output, "");
    }
}

TEST(WorkFileCompile, WaveFilesAreFoundInTheCurrentFolder) {
    ScratchDir dir;
    CompileOptions o;
    o.format = "wrk";
    const std::string source = "track [fx] wave [hit.wav] C\n";
    const auto missing = compileText(source, o);
    EXPECT_TRUE(missing.failed());
    EXPECT_EQ(missing.message(), " Unable to open wave file \"hit.wav\"");
    EXPECT_EQ(missing.output, "");

    dir.write("hit.wav", "RIFF");
    const auto found = compileText(source, o);
    ASSERT_FALSE(found.failed()) << found.message();
    EXPECT_EQ(decodeWrkStream(wrkChunks(splitWrk(found.output), 18).at(0)).lines.front(),
              "0 Wave 4 bytes");
}

}  // namespace
}  // namespace vek::test
