// The event listing: line layout per kind, positions and the size cap.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/listing.h"
#include "support/reader_fixture.h"

namespace vek {
namespace {

const std::string kBlankEcho(20, ' ');
const std::string kStart = "     1:01:000 ";  // bar 1, beat 1, tick 0

class Listing : public ::testing::Test {
protected:
    test::ReaderFixture f{""};
    CompileState &cs = f.cs();
    Track track;

    void SetUp() override {
        cs.setListOn(1);
        track.name = "piano";
    }
    void echo(const char *text) {
        std::strcpy(cs.echoLine, text);
        cs.echoIndex = static_cast<int>(std::strlen(text));
    }
    // The listing as written so far (closes the compile's files).
    std::string text() {
        cs.closeFiles();
        return test::ScratchDir::read("song.vls");
    }
    std::vector<std::string> lines() {
        std::vector<std::string> out;
        const std::string all = text();
        size_t from = 0;
        for (size_t nl; (nl = all.find('\n', from)) != std::string::npos; from = nl + 1)
            out.push_back(all.substr(from, nl - from));
        return out;
    }
    // The position field of a line: after the echo and the channel.
    static std::string position(const std::string &line) { return line.substr(24, 14); }
};

TEST_F(Listing, NoteLine) {
    echo("C4!");
    listEvent(cs, Event{0, 0, kNote, 60, 100, 480}, &track);
    EXPECT_EQ(cs.echoIndex, 0);
    EXPECT_EQ(text(), "C4!                 C 1 " + kStart + "Note  60 C  5 V100 D  480 piano\n");
}

TEST_F(Listing, TempoLineHasNoTrackName) {
    cs.tempo = 12050;
    listEvent(cs, Event{0, 0, kTempoEvent, 0, 0, 0}, nullptr);
    EXPECT_EQ(text(), kBlankEcho + "C 1 " + kStart + " Tempo 120.50 \n");
}

TEST_F(Listing, EventTextsByKind) {
    struct Case { Event e; const Track *track; std::string expected; };
    const Case cases[] = {
        {{0, 2, kController, 7, 100, 0}, &track, "C 3 " + kStart + "Cntrl  N  7 V100  piano"},
        {{0, 0, kProgram, 5, 0, 0}, &track, "C 1 " + kStart + "Patch   V  5  piano"},
        {{0, 15, kChannelPressure, 90, 0, 0}, &track, "C16 " + kStart + "ChnAft  V 90       piano"},
        {{0, 0, kKeyPressure, 61, 30, 0}, &track, "C 1 " + kStart + "KeyAft  P 61 C# 5 V 30  piano"},
        {{0, 0, kPitchWheel, 0, 0, 0}, &track, "C 1 " + kStart + "Wheel   V-8192  piano"},
        {{0, 0, kPitchWheel, 127, 127, 0}, &track, "C 1 " + kStart + "Wheel   V 8191  piano"},
        {{0, 0, kPitchWheel, 0, 64, 0}, &track, "C 1 " + kStart + "Wheel   V    0  piano"},
        {{0, 0, kSysexReference, 3, 0, 0}, &track, "    " + kStart + " Sysx   N  3  piano"},
        {{0, 0, kController, 1, 2, 0}, nullptr, "C 1 " + kStart + "Cntrl  N  1 V  2  NoName"},
        {{0, 0, kNote, 0, 1, 5}, &track, "C 1 " + kStart + "Note   0 C  0 V  1 D    5 piano"},
    };
    for (const Case &c : cases) listEvent(cs, c.e, c.track);
    const std::vector<std::string> got = lines();
    ASSERT_EQ(got.size(), std::size(cases));
    for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], kBlankEcho + cases[i].expected);
}

TEST_F(Listing, PitchNamesFollowTheSpellingInForce) {
    cs.pitchNames = "C DbD EbE F GbG AbA BbB ";
    listEvent(cs, Event{0, 0, kNote, 70, 80, 120}, &track);
    const std::vector<std::string> got = lines();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_NE(got[0].find("Note  70 Bb 5 V 80 D  120"), std::string::npos) << got[0];
}

TEST_F(Listing, BarsAndBeatsCarryAcrossMeterChanges) {
    // 3/4 from bar 3 (tick 960).
    f.song().meterMap.insertMeter(MeterEntry{960, 3, 3, 2, 0, 120, 360});
    const int32_t times[] = {0, 130, 725, 960, 1450, 500, 1800};
    for (int32_t t : times) listEvent(cs, Event{t, 0, kController, 1, 1, 0}, &track);
    const std::vector<std::string> got = lines();
    const char *expected[] = {"     1:01:000 ", "     1:02:010 ", "     2:03:005 ", "     3:01:000 ",
                              "     4:02:010 ", "     2:01:020 ", "     5:02:000 "};
    ASSERT_EQ(got.size(), std::size(expected));
    for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(position(got[i]), expected[i]) << times[i];
}

TEST_F(Listing, RestartFollowsTheMeterInForce) {
    cs.meterStartTick = 0;
    cs.meterStartBar = 0;
    listEvent(cs, Event{500, 0, kController, 1, 1, 0}, &track);
    restartListPosition(cs);
    EXPECT_EQ(cs.listTime, 0);
    EXPECT_EQ(cs.listBar, 0);
    listEvent(cs, Event{600, 0, kController, 1, 1, 0}, &track);
    const std::vector<std::string> got = lines();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(position(got[1]), "     2:02:000 ");
}

TEST_F(Listing, SmptePositions) {
    cs.listSmpte = 1;
    f.song().tempoMap.insertTempo(TempoEntry{0, 0, 12000, 0});  // 120 BPM: a beat is 15 frames
    listEvent(cs, Event{120, 0, kController, 1, 1, 0}, &track);
    listEvent(cs, Event{43200, 0, kController, 1, 1, 0}, &track);  // 3 minutes
    f.song().frameOffset = 45;
    listEvent(cs, Event{43200, 0, kController, 1, 1, 0}, &track);
    const std::vector<std::string> got = lines();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].substr(24, 13), " 00;00;00;15 ");
    EXPECT_EQ(got[1].substr(24, 13), " 00;03;00;00 ");
    EXPECT_EQ(got[2].substr(24, 13), " 00;03;01;15 ");
}

TEST_F(Listing, NothingIsListedWhileTheListingIsOff) {
    cs.setListOn(0);
    listEvent(cs, Event{0, 0, kNote, 60, 100, 480}, &track);
    EXPECT_EQ(text(), "");
}

TEST_F(Listing, CapSwitchesTheListingOffForGood) {
    int written = 0;
    while (cs.listOn && written < 2000) {
        listEvent(cs, Event{written, 0, kNote, 60, 100, 480}, &track);
        ++written;
    }
    EXPECT_EQ(cs.listOn, 0);
    const int32_t counted = cs.listedBytes;
    listEvent(cs, Event{0, 0, kNote, 60, 100, 480}, &track);
    EXPECT_EQ(cs.listedBytes, counted);
    const std::string all = text();
    EXPECT_EQ(static_cast<int32_t>(all.size()), counted);
    EXPECT_GT(counted, 35000);
    EXPECT_LT(counted, 35000 + 80);  // the line that crossed the cap is the last
}

}  // namespace
}  // namespace vek
