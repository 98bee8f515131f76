// Meter, resolution, default lengths, positions and SMPTE settings.
#include <gtest/gtest.h>

#include <string>

#include "music/keyword_fixture.h"
#include "music/keywords.h"
#include "music/numbers.h"
#include "support/scratch_dir.h"

namespace vek {
namespace {

using test::expectError;
using test::KeywordFixture;

const char *const kMeterSyntax =
    " Invalid meter parameter.\nUse the format: meter=n/m e.g. meter=3/4.\n'm' should be a power "
    "of 2 (1,2,4,8,16 or 32)";

// ---- meter ----

TEST(MeterWord, AtABarLineStartsThereWithItsBeatsAndBarLength) {
    KeywordFixture k("=3/4");
    k.run(kwMeter);
    const MeterEntry *m = k.song().meterMap.meterAt(0);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->measure, 1);
    EXPECT_EQ(m->numerator, 3);
    EXPECT_EQ(m->denominatorPower, 2);
    EXPECT_EQ(m->ticksPerBeat, 120);
    EXPECT_EQ(m->ticksPerBar, 360);
    EXPECT_EQ(k.cs().beatsPerBar, 3);
    EXPECT_EQ(k.cs().barTicks, 360);
    EXPECT_EQ(k.voice().timing.time, 0);
}

TEST(MeterWord, InMidBarMovesToTheNextBarLineFirst) {
    KeywordFixture k(" 3/4");
    k.voice().timing.time = 100;
    k.run(kwMeter);
    EXPECT_EQ(k.voice().timing.time, 480);
    const MeterEntry *m = k.song().meterMap.meterAt(480);
    EXPECT_EQ(m->time, 480);
    EXPECT_EQ(m->measure, 2);
    EXPECT_EQ(k.song().meterMap.meterAt(479)->numerator, 4);
    EXPECT_EQ(k.cs().meterStartTick, 480);
    EXPECT_EQ(k.cs().meterStartBar, 1);
    EXPECT_EQ(barIndexAt(k.cs(), 480 + 360), 2);
}

TEST(MeterWord, TheBeatUnitSetsTheBeatAndTheDefaultLength) {
    KeywordFixture k(" 6 8");
    k.voice().timing.defaultDuration = 30;
    k.run(kwMeter);
    EXPECT_EQ(k.cs().beatTicks, 60);
    EXPECT_EQ(k.cs().barTicks, 360);
    EXPECT_EQ(k.voice().timing.defaultDuration, 60);
}

TEST(MeterWord, KeepsTheKeyOfTheMeterInForce) {
    KeywordFixture k(" 2/2");
    k.song().meterMap.meterAt(0)->key = -3;
    k.voice().timing.time = 480;
    k.run(kwMeter);
    EXPECT_EQ(k.song().meterMap.meterAt(480)->key, -3);
}

TEST(MeterWord, ABeatUnitThatIsNoPowerOfTwoRaises12) {
    KeywordFixture k(" 3/5 c");
    expectError(k.fail(kwMeter), " Meter note length must be 1,2,4,8,16 or 32 ", 5);
}

TEST(MeterWord, AMissingPartRaises13) {
    for (const char *source : {" c", " 3/ c"}) {
        KeywordFixture k(source);
        EXPECT_EQ(std::string(k.fail(kwMeter).message), kMeterSyntax) << source;
    }
    KeywordFixture k(" 3/ c");
    expectError(k.fail(kwMeter), kMeterSyntax, 5);
}

TEST(MeterWord, PartsBeyondTheirRangeRaise7) {
    for (const char *source : {" 100/4", " 0/4", " 3/64"}) {
        KeywordFixture k(source);
        EXPECT_EQ(std::string(k.fail(kwMeter).message), " Number out of range ") << source;
    }
}

// ---- ppq ----

TEST(PpqWord, SetsTheDivisionEverywhere) {
    KeywordFixture k(" 480");
    k.run(kwPpq);
    SongContext &s = k.song();
    EXPECT_EQ(s.division, 480);
    EXPECT_EQ(k.cs().beatTicks, 480);
    EXPECT_EQ(k.cs().barTicks, 1920);
    EXPECT_EQ(s.meterMap.meterAt(0)->ticksPerBar, 1920);
    EXPECT_EQ(s.meterMap.count, 1);
    EXPECT_EQ(k.track().resolution, 480);
    // The tempo map counts real time in the new ticks: 960 ticks at
    // 120 BPM and 480 per quarter are one second.
    s.tempoMap.insertTempo(TempoEntry{0, 0, 12000, 0});
    s.tempoMap.insertTempo(TempoEntry{960, 0, 6000, 0});
    EXPECT_EQ(s.tempoMap.tempoAt(960)->realTime, 1000);
}

Track *trackNamed(KeywordFixture &k, const char *name) {
    return static_cast<Track *>(k.symbol(name)->value.object);
}

// A track scaled by duration_factor keeps its own resolution.
TEST(PpqWord, TracksAtTheOldResolutionFollowIt) {
    KeywordFixture k(" a b c 240");
    k.run(kwTrack);
    k.run(kwTrack);
    k.run(kwTrack);
    trackNamed(k, "b")->resolution = 60;
    k.run(kwPpq);
    EXPECT_EQ(trackNamed(k, "a")->resolution, 240);
    EXPECT_EQ(trackNamed(k, "b")->resolution, 60);
    EXPECT_EQ(trackNamed(k, "c")->resolution, 240);
}

TEST(PpqWord, AfterTimeHasPassedRaises37) {
    KeywordFixture k(" 96 c");
    k.voice().timing.time = 120;
    expectError(k.fail(kwPpq), " Ppq value should be at start of work ", 4);
}

TEST(PpqWord, OutsideFortyEightToFourEightyRaises7) {
    KeywordFixture k(" 500");
    expectError(k.fail(kwPpq), " Number out of range ", 4);
}

// ---- duration, displacement, restart, cursor, time ----

TEST(PositionWords, RestartCountsBarsFromTheNextBarLine) {
    KeywordFixture k("");
    k.voice().timing.time = 500;
    k.run(kwRestart);
    EXPECT_EQ(k.voice().timing.time, 960);
    EXPECT_EQ(k.cs().restartBar, 2);
    EXPECT_EQ(BarBeatTickToTicks(k.cs(), 1, 1, 0), 960);
}

TEST(PositionWords, TimeMarksHoldTheVoicesTimeAndMayBeRedeclared) {
    KeywordFixture k(" here [a b] here");
    k.voice().timing.time = 240;
    k.run(kwTime);
    k.run(kwTime);
    k.voice().timing.time = 480;
    k.run(kwTime);
    for (const char *name : {"here", "a", "b"}) {
        HashEntry *e = k.symbol(name);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->kind, kTimeMark);
    }
    EXPECT_EQ(*static_cast<int32_t *>(k.symbol("a")->value.object), 240);
    EXPECT_EQ(*static_cast<int32_t *>(k.symbol("here")->value.object), 480);
}

TEST(PositionWords, ATimeMarkOverAnotherNameRaises50) {
    KeywordFixture k(" meter");
    EXPECT_EQ(std::string(k.fail(kwTime).message).substr(0, 9), " \"meter\" ");
}

// ---- SMPTE ----

TEST(SmpteWords, RatesAndTheirCodes) {
    struct Case {
        const char *source;
        int32_t rate;
        uint8_t bits;
    } cases[] = {{" 24", 24, 0}, {"=25", 25, 32}, {" 30", 30, 96}};
    for (const Case &c : cases) {
        KeywordFixture k(c.source);
        k.cs().dropFrame = 1;
        k.run(kwSmpte);
        EXPECT_EQ(k.cs().frameRate, c.rate);
        EXPECT_EQ(k.cs().dropFrame, 0);
        EXPECT_EQ(k.song().smpteRate, c.rate);
        EXPECT_EQ(k.song().smpteRateBits, c.bits);
    }
}

TEST(SmpteWords, AnyOtherRateRaises71) {
    KeywordFixture k(" 29");
    expectError(k.fail(kwSmpte), "SMPTE frames per second should be 24, 25, 30 or 30 drop. ", 3);
}

TEST(SmpteWords, AMissingRateRaises21) {
    KeywordFixture k(" c");
    expectError(k.fail(kwSmpte), " Invalid smpte parameter ", 2);
}

TEST(SmpteWords, TheOffsetIsKeptAsFramesAndFields) {
    KeywordFixture k(" 1;2;3;4");
    k.run(kwSmpteOffset);
    SongContext &s = k.song();
    EXPECT_EQ(s.frameOffset, ((1 * 60 + 2) * 60 + 3) * 30 + 4);
    EXPECT_EQ(s.smpteHours, 1);
    EXPECT_EQ(s.smpteMinutes, 2);
    EXPECT_EQ(s.smpteSeconds, 3);
    EXPECT_EQ(s.smpteFrames, 4);
}

TEST(SmpteWords, TheOffsetFollowsDropFrameCounting) {
    KeywordFixture k("=0;10;59;28");
    k.run(kwDrop);
    k.run(kwSmpteOffset);
    EXPECT_EQ(k.song().frameOffset, 19780);
    EXPECT_EQ(k.song().smpteMinutes, 10);
    EXPECT_EQ(k.song().smpteFrames, 28);
}

TEST(SmpteWords, AnOffsetMissingOrBeyondADayIsRefused) {
    KeywordFixture k(" c");
    expectError(k.fail(kwSmpteOffset), " Invalid smpte_offset parameter ", 2);
    KeywordFixture late(" 24;0;0;0");
    expectError(late.fail(kwSmpteOffset), " Number out of range ", 9);
}

TEST(SmpteWords, TestWritesTheRealTimeAndTheTicksBackIntoTheListing) {
    KeywordFixture k("");
    k.voice().timing.time = 240;  // two beats at 100 BPM
    k.run(kwTest);
    EXPECT_EQ(k.cs().listing, "\n realtime is 1200\n\n ticks is 240\n");
}

}  // namespace
}  // namespace vek
