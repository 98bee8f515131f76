// Sysex definitions stored as records on first use, the events that refer
// to them, the MIDI file that carries them and "sysex.out".
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "music/sysex_bytes.h"
#include "music/sysex_records.h"
#include "statements/statement_parser.h"
#include "support/compile.h"
#include "support/reader_fixture.h"
#include "support/smf_reader.h"
#include "support/song_builder.h"
#include "writers/midi_writer.h"

namespace vek {
namespace {

using test::hexBytes;
using test::ReaderFixture;
using test::ScratchDir;

// Parses the whole source and closes its files.
void parse(ReaderFixture &f) {
    parseGroup(f.cs(), f.cs().root);
    f.cs().closeFiles();
}

// (time, record number) of every sysex event of the default track.
std::vector<std::pair<int32_t, int>> sysexEvents(ReaderFixture &f) {
    std::vector<std::pair<int32_t, int>> out;
    Track &t = *f.song().defaultTrack;
    for (int32_t i = 0; i < t.count(); ++i)
        if (t.at(i)->kind == kSysexReference) out.emplace_back(t.at(i)->time, t.at(i)->data1);
    return out;
}

TEST(SysexRecords, RecordLayout) {
    ReaderFixture f("sysex sysxa [F0 01 02 03 04 F7]\nsysxa");
    parse(f);
    // Body length 6 + 5 + 5 = 16, record 0, data length 6, send flag 0.
    EXPECT_EQ(f.song().sysexRecords,
              hexBytes("06 10 00 00 00 00 06 00 00 05 ") + "sysxa" + hexBytes("F0 01 02 03 04 F7 "));
}

TEST(SysexRecords, StoredOnceNumberedInOrderOfFirstUse) {
    ReaderFixture f("sysex [a [F0 F7] b [F7 01]]\nb C a C b");
    parse(f);
    EXPECT_EQ(f.song().sysexRecords, hexBytes("06 08 00 00 00 00 02 00 00 01 62 F7 01 "
                                              "06 08 00 00 00 01 02 00 00 01 61 F0 F7 "));
    const std::vector<std::pair<int32_t, int>> expected = {{0, 0}, {120, 1}, {240, 0}};
    EXPECT_EQ(sysexEvents(f), expected);
    EXPECT_EQ(f.song().sysexCount, 2);
}

// The longest record whose body length still fits 16 bits, and one byte more.
TEST(SysexRecords, BodyLengthMustFitSixteenBits) {
    const size_t fits = kMaxSysexBody - 5 - 2 - 1;  // "gs", and the F0 before the file
    for (const size_t fileBytes : {fits, fits + 1}) {
        ReaderFixture f("sysex gs [F0 fi big.bin]\ngs");
        f.dir().write("big.bin", std::string(fileBytes, '\x11'));
        if (fileBytes == fits) {
            parse(f);
            EXPECT_EQ(f.song().sysexRecords.substr(0, 8),
                      hexBytes("06 FF FF 00 00 00 F8 FF "));
        } else {
            EXPECT_EQ(f.expectError([&] { parse(f); }).code, kMsgBadSysex);
        }
    }
}

TEST(SysexRecords, SixtyFiveDefinitionsAreTooMany) {
    std::string source = "sysex [";
    for (int i = 0; i < 65; ++i) source += " s" + std::to_string(i) + " [F0 F7]";
    source += "]\n";
    for (int i = 0; i < 65; ++i) source += "s" + std::to_string(i) + " ";
    ReaderFixture f(source);
    const SourceError e = f.expectError([&] { parse(f); });
    EXPECT_EQ(e.code, 2);
    EXPECT_STREQ(e.message, " Only 64 sysex definitions allowed");
    EXPECT_EQ(e.position, static_cast<int32_t>(source.size() - 1));
    EXPECT_EQ(f.song().sysexCount, 64);
}


// What the MIDI writer refuses names the definition the record was made for.
TEST(SysexRecords, UnwritableRecordIsNamed) {
    const std::string badStatus = hexBytes("06 08 00 00 00 00 02 00 00 01 62 41 F7 ");
    for (const std::string &records : {badStatus, std::string()}) {
        ReaderFixture f("sysex [a [F0 F7] b [F0 F7]]\nb a");
        parse(f);
        f.song().sysexRecords = records + hexBytes("06 08 00 00 00 01 02 00 00 01 61 F0 F7 ");
        WriteResult result = WriteResult::ok;
        EXPECT_EQ(test::writeSong(f.song(), "song.mid", &result), "");
        EXPECT_EQ(result, WriteResult::sysexMissing);
        EXPECT_EQ(unwritableSysexMessage(f.song()),
                  " The sysex message \"b\" cannot be written: its record is missing or does not "
                  "start with F0 or F7");
    }
    ScratchDir dir;
    SongContext song;
    test::defaultTrack(song)->insert(Event{0, 0, kSysexReference, 3, 0, 0});
    EXPECT_EQ(unwritableSysexMessage(song),
              " Sysex record 3 cannot be written: it is missing or does not start with F0 or F7");
}

const char *kPiece = "list\nsysex gs [F0 41 10 xs 12 34 xe F7]\nC gs\n";

TEST(SysexMidiFile, CarriesStatusLengthAndData) {
    ScratchDir dir;
    const test::CompileResult r = test::compileText(kPiece);
    ASSERT_FALSE(r.failed()) << r.message();
    const std::vector<std::string> track = test::smfTrack(r.output, 1);
    EXPECT_NE(std::find(track.begin(), track.end(), "120 F0 41 10 12 34 3A F7"), track.end())
        << test::smfText(r.output);
    // The varying length: 06 = the data after F0.
    EXPECT_NE(r.output.find(hexBytes("00 F0 06 41 10 12 34 3A F7 ")), std::string::npos);
    EXPECT_NE(r.listing.find(" Sysx   N  0  NoName\n"), std::string::npos) << r.listing;
}

TEST(SysexMidiFile, MidicsvSeesTheMessage) {
    if (std::system("command -v midicsv > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "midicsv is not installed";
    ScratchDir dir;
    ASSERT_FALSE(test::compileText(kPiece).failed());
    const int raw = std::system("midicsv song.mid > song.csv 2> song.err");
    ASSERT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
    EXPECT_EQ(ScratchDir::read("song.err"), "");
    const std::string csv = ScratchDir::read("song.csv");
    EXPECT_NE(csv.find("2, 120, System_exclusive, 6, 65, 16, 18, 52, 58, 247\n"), std::string::npos)
        << csv;
}

}  // namespace
}  // namespace vek
