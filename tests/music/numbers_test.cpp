// The number reader: forms, units, ranges and errors; bar positions under
// the meter map; tick, millisecond and SMPTE conversions.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "events/song_context.h"
#include "input/reader.h"
#include "music/numbers.h"
#include "support/reader_fixture.h"

namespace vek {
namespace {

using test::ReaderFixture;

struct Read {
    int form;
    int32_t value;
    int ch;
};

using Prepare = std::function<void(ReaderFixture &)>;

Read readNumber(const std::string &source, int mask, int32_t unit, int32_t maximum = 0,
                int32_t minimum = 0, const Prepare &prepare = nullptr) {
    ReaderFixture f(source);
    if (prepare) prepare(f);
    CompileState &cs = f.cs();
    nextChar(cs, kReadNormal);
    const int form = ReadNumber(cs, mask, maximum, minimum, unit);
    return Read{form, cs.number, cs.ch};
}

// Bar 4 (from tick 1440) onwards in 3/4.
void threeFourFromBarFour(ReaderFixture &f) {
    f.song().meterMap.insertMeter(MeterEntry{1440, 4, 3, 2, 0, 120, 360});
}

// 120 BPM at 480 ticks per quarter note.
void ppq480At120(ReaderFixture &f) {
    f.song().division = 480;
    f.song().tempoMap.setDivision(480);
    f.song().tempoMap.insertTempo(TempoEntry{0, 0, 12000, 0});
}

struct FormCase {
    const char *source;
    int mask;
    int32_t unit;
    int form;
    int32_t value;
    int ch;
};

void expectReads(const FormCase *cases, size_t n, const Prepare &prepare = nullptr) {
    for (size_t i = 0; i < n; ++i) {
        const FormCase &c = cases[i];
        const Read r = readNumber(c.source, c.mask, c.unit, 0, 0, prepare);
        const std::string where = std::string("\"") + c.source + "\" mask " +
                                  std::to_string(c.mask) + " unit " + std::to_string(c.unit);
        EXPECT_EQ(r.form, c.form) << where;
        EXPECT_EQ(r.value, c.value) << where;
        EXPECT_EQ(r.ch, c.ch) << where;
    }
}

TEST(ReadNumber, IntegersDotsDecimalsAndFractionsOfTheUnit) {
    const FormCase cases[] = {
        {"2 ", kMaskLength, 120, 1, 240, ' '},
        {"-1 ", kMaskLength, 120, 1, -120, ' '},
        {"+3x", kMaskLength, 120, 1, 360, 'x'},
        {"=3 ", kMaskLength, 120, 1, 360, ' '},
        {"2. ", kMaskLength, 120, 1, 360, ' '},
        {"2..", kMaskLength, 120, 1, 360, '.'},  // the second dot is the caller's
        {"1.5 ", kMaskLength, 120, 2, 180, ' '},
        {"0.5 ", kMaskLength, 120, 2, 60, ' '},
        {"0.333 ", kMaskLength, 120, 2, 39, ' '},   // rounded down
        {"0.123456 ", kMaskLength, 120, 2, 14, ' '},
        {"-1.25 ", kMaskLength, 120, 2, -150, ' '},
        {"3/4 ", kMaskLength, 120, 2, 90, ' '},
        {"/3 ", kMaskLength, 120, 2, 40, ' '},
        {"3/ ", kMaskLength, 120, 2, 180, ' '},
        {"1// ", kMaskLength, 120, 2, 30, ' '},
        {"1//3 ", kMaskLength, 120, 2, 180, ' '},   // odd halvings: 3 x (1/2)
        {"1///4 ", kMaskLength, 120, 2, 7, ' '},    // even halvings: (1/4) / 4
        {"3/0 ", kMaskLength, 120, 2, 0, ' '},
        {"-3/4)", kMaskLength, 120, 2, -90, ')'},
        {"7 ", kMaskLength, 0, 1, 7, ' '},          // unit 0: a plain count
        {"1.5 ", kMaskLength, 0, 2, 0, ' '},
        {"7 ", kMaskLength, 1, 1, 7, ' '},
        {"1.5 ", kMaskLength, 1, 1, 1, ' '},        // unit 1 drops the fraction
        {"3/4 ", kMaskLength, 1, 2, 0, ' '},        // ... and a fraction is 0
        {"2.5 ", kMaskInteger, 120, 1, 2, '.'},     // integers only: stops at the dot
        {"+ ", kMaskInteger, 120, 0, 0, ' '},       // a lone sign is no number
    };
    expectReads(cases, std::size(cases));
}

TEST(ReadNumber, CharactersThatCannotStartANumberAreLeftAlone) {
    for (const char *source : {".5 ", "<3", "a1", "*", ">", " 1"}) {
        const Read r = readNumber(source, kMaskLength, 120);
        EXPECT_EQ(r.form, kNoNumber) << source;
        EXPECT_EQ(r.ch, source[0]) << source;
    }
}

TEST(ReadNumber, BarsBeatsAndTicksAsLengths) {
    const FormCase cases[] = {
        {"1:0 ", kMaskLength, 120, 8, 120, ' '},       // one beat
        {"1:0:0 ", kMaskLength, 120, 8, 480, ' '},     // one bar
        {"2:1:30 ", kMaskLength, 120, 8, 1110, ' '},
        {"0:0:7 ", kMaskLength, 120, 8, 7, ' '},
        {":30 ", kMaskLength, 120, 8, 30, ' '},
        {"1:2:3: ", kMaskLength, 120, 8, 723, ' '},    // a trailing ":" ends the list
        {"-1:0 ", kMaskLength, 120, 8, -120, ' '},
    };
    expectReads(cases, std::size(cases));
    // The meter in force gives the bar and beat lengths.
    const Prepare sixEight = [](ReaderFixture &f) {
        f.cs().beatTicks = 60;
        f.cs().barTicks = 360;
    };
    const FormCase sixEightCases[] = {{"1:1:1 ", kMaskLength, 120, 8, 421, ' '}};
    expectReads(sixEightCases, std::size(sixEightCases), sixEight);
}

TEST(ReadNumber, PositionsCountBarsAndBeatsFromOne) {
    const FormCase cases[] = {
        {"1: ", kMaskPosition, 1, 8, 0, ' '},
        {"1:1:0 ", kMaskPosition, 1, 8, 0, ' '},
        {"2:2 ", kMaskPosition, 1, 8, 600, ' '},
        {"2:0 ", kMaskPosition, 1, 8, 480, ' '},       // beat 0 is the first beat
        {"2:2:10 ", kMaskPosition, 1, 8, 610, ' '},
        {"3 ", kMaskPosition, 120, 1, 960, ' '},       // a bar number, not units
    };
    expectReads(cases, std::size(cases));
}

TEST(ReadNumber, PositionsFollowMeterChanges) {
    const FormCase cases[] = {
        {"3: ", kMaskPosition, 1, 8, 960, ' '},
        {"4: ", kMaskPosition, 1, 8, 1440, ' '},
        {"4:2 ", kMaskPosition, 1, 8, 1560, ' '},
        {"5: ", kMaskPosition, 1, 8, 1800, ' '},
        {"6 ", kMaskPosition, 1, 1, 2160, ' '},
    };
    expectReads(cases, std::size(cases), threeFourFromBarFour);
}

TEST(ReadNumber, PositionsCountFromTheRestartBar) {
    const Prepare restartAtSix = [](ReaderFixture &f) {
        threeFourFromBarFour(f);
        f.cs().restartBar = 5;  // bar index 5 starts at 1440 + 2 x 360
    };
    const FormCase cases[] = {
        {"1: ", kMaskPosition, 1, 8, 2160, ' '},
        {"2:3 ", kMaskPosition, 1, 8, 2760, ' '},
    };
    expectReads(cases, std::size(cases), restartAtSix);

    // A restart before a meter change: bar 3 after a restart at bar index 2
    // is bar index 4, the second bar in 3/4.
    const Prepare restartAtThree = [](ReaderFixture &f) {
        threeFourFromBarFour(f);
        f.cs().restartBar = 2;
    };
    const FormCase later[] = {
        {"1: ", kMaskPosition, 1, 8, 960, ' '},
        {"2: ", kMaskPosition, 1, 8, 1440, ' '},
        {"3: ", kMaskPosition, 1, 8, 1800, ' '},
        {"3:2 ", kMaskPosition, 1, 8, 1920, ' '},
    };
    expectReads(later, std::size(later), restartAtThree);
}

TEST(ReadNumber, SmpteFrameCountsAndTheLoneSemicolon) {
    const FormCase cases[] = {
        {"0;0;1;15 ", kMaskFrames, 1, 64, 45, ' '},
        {"1;0;0;0 ", kMaskFrames, 1, 64, 108000, ' '},
        {"5; ", kMaskFrames, 1, 64, 5, ' '},
        {";15 ", kMaskFrames, 1, 64, 15, ' '},
        {"; ", kMaskFrames, 1, kFormNoSmpte, 0, ' '},
        {"; ", kMaskLength, 120, kFormNoSmpte, 0, ' '},
    };
    expectReads(cases, std::size(cases));
    const Prepare drop = [](ReaderFixture &f) { f.cs().dropFrame = 1; };
    const FormCase dropCases[] = {{"0;10;59;28 ", kMaskFrames, 1, 64, 19780, ' '}};
    expectReads(dropCases, std::size(dropCases), drop);
}

TEST(ReadNumber, SmpteAsAbsoluteTimeFromBarOne) {
    // 100 BPM at 120 ticks a beat: 5 ms a tick.
    const FormCase cases[] = {{"0;0;1;0 ", kMaskPosition, 1, 8, 200, ' '}};
    expectReads(cases, std::size(cases));
    const Prepare restarted = [](ReaderFixture &f) { f.cs().restartBar = 1; };
    const FormCase afterRestart[] = {{"0;0;1;0 ", kMaskPosition, 1, 8, 680, ' '}};
    expectReads(afterRestart, std::size(afterRestart), restarted);
}

TEST(ReadNumber, SmpteLengthIsRealTimeFromTheStartPoint) {
    // 100 BPM until tick 240, 200 BPM after it; the cluster started at 240.
    const Prepare tempoChange = [](ReaderFixture &f) {
        f.song().tempoMap.insertTempo(TempoEntry{240, 0, 20000, 0});
        f.cs().voice->timing.time = 480;
        f.cs().voice->timing.step = 240;
        f.cs().voice->timing.eventStart = 0;
    };
    const FormCase cases[] = {
        {"1;0 ", kMaskLength, 120, 8, 400, ' '},  // one second at 200 BPM
        {"1;0=", kMaskLength, 120, 8, 200, '='},  // from the event start: at 100 BPM
        {"0;15+", kMaskLength, 120, 8, 100, '+'},
    };
    expectReads(cases, std::size(cases), tempoChange);
}

TEST(ReadNumber, RangeTestsTheValueAndFractionsAt1Of256) {
    struct Case {
        const char *source;
        int mask;
        int32_t unit, maximum, minimum;
        bool passes;
    } cases[] = {
        {"10 ", kMaskInteger, 1, 10, 0, true},
        {"11 ", kMaskInteger, 1, 10, 0, false},
        {"-1 ", kMaskInteger, 1, 10, 0, false},
        {"-5 ", kMaskInteger, 1, 10, -5, true},
        {"99999 ", kMaskInteger, 1, 0, 0, true},   // 0 and 0: no test
        {"- ", kMaskInteger, 1, 16, 1, true},      // no digits: no number, no test
        {"/4", kMaskInteger, 1, 99, 1, true},
        {"1 ", kMaskLength, 120, 100, 0, false},   // 120 after the unit
        {"3/4 ", kMaskLength, 120, 100, 0, true},
        {"200/1 ", kMaskLength, 120, 100, 0, true},   // 24000 >> 8 = 93
        {"300/1 ", kMaskLength, 120, 100, 0, false},  // 36000 >> 8 = 140
        {"200.0 ", kMaskLength, 120, 100, 0, true},
        {"-200/1 ", kMaskLength, 120, 100, -100, true},
    };
    for (const Case &c : cases) {
        ReaderFixture f(c.source);
        nextChar(f.cs(), kReadNormal);
        if (c.passes) {
            EXPECT_NO_THROW(ReadNumber(f.cs(), c.mask, c.maximum, c.minimum, c.unit)) << c.source;
        } else {
            EXPECT_EQ(f.expectError([&] { ReadNumber(f.cs(), c.mask, c.maximum, c.minimum, c.unit); }).code, 7) << c.source;
        }
    }
}

TEST(ReadNumber, ErrorsCarryCodeTextAndPosition) {
    struct Case {
        const char *source;
        int mask;
        int32_t unit;
        int code;
        const char *message;
        int32_t position;  // just past the last character read
    } cases[] = {
        {"+ ", kMaskLength, 120, 5, " Bad number syntax ", 2},
        {"-x", kMaskPosition, 1, 5, " Bad number syntax ", 2},
        {"1:2:3:4 ", kMaskLength, 120, 5, " Bad number syntax ", 7},
        {"1;2;3;4;5 ", kMaskFrames, 1, 5, " Bad number syntax ", 9},
        {"3/4 ", kMaskPosition, 1, 5, " Bad number syntax ", 4},
        {"5 ", kMaskFrames, 1, 5, " Bad number syntax ", 2},
        {"11 ", kMaskInteger, 1, 7, " Number out of range ", 3},
        {"0:1 ", kMaskPosition, 1, 36, " Bad time format: 0;", 4},
        {"0 ", kMaskPosition, 1, 36, " Bad time format: 0;", 2},
        {"1234567890 ", kMaskInteger, 1, 55, " Too many digits in number ", 10},
        {"1234567890 ", kMaskLength, 120, 55, " Too many digits in number ", 10},
        {"0.1234567 ", kMaskLength, 120, 55, " Too many digits in number ", 10},
        {"2:1234567890", kMaskLength, 120, 55, " Too many digits in number ", 12},
    };
    for (const Case &c : cases) {
        ReaderFixture f(c.source);
        nextChar(f.cs(), kReadNormal);
        const SourceError e = f.expectError([&] { ReadNumber(f.cs(), c.mask, 10, 0, c.unit); });
        EXPECT_EQ(e.code, c.code) << c.source;
        EXPECT_STREQ(e.message, c.message) << c.source;
        EXPECT_EQ(e.position, c.position) << c.source;
    }
}

TEST(ReadDigits, AddsToTheNumberAndCountsDigits) {
    ReaderFixture f("123456789x");
    CompileState &cs = f.cs();
    nextChar(cs, kReadNormal);
    cs.number = 1000000000;
    EXPECT_EQ(ReadDigits(cs), 9);
    EXPECT_EQ(cs.number, 1123456789);
    EXPECT_EQ(cs.ch, 'x');
    EXPECT_EQ(ReadDigits(cs), 0);
    EXPECT_EQ(cs.number, 1123456789);
}

TEST(BarIndexAt, FindsTheBarAndItsStartUnderTheMeterMap) {
    ReaderFixture f("");
    threeFourFromBarFour(f);
    struct Case {
        int32_t ticks, bar, start;
    } cases[] = {{0, 0, 0},       {479, 0, 0},      {480, 1, 480},    {1439, 2, 960},
                 {1440, 3, 1440}, {1799, 3, 1440},  {1800, 4, 1800},  {-1, -1, -480}};
    for (const Case &c : cases) {
        int32_t start = 12345;
        EXPECT_EQ(barIndexAt(f.cs(), c.ticks, &start), c.bar) << c.ticks;
        EXPECT_EQ(start, c.start) << c.ticks;
    }
}

// ---- Conversions ----

TEST(TimeConversions, QuarterNoteIs500MsAt120BpmAndBack) {
    ReaderFixture f("");
    ppq480At120(f);
    CompileState &cs = f.cs();
    EXPECT_EQ(MsFromTicks(cs, 480), 500);
    EXPECT_EQ(TicksFromMs(cs, 500), 480);
    EXPECT_EQ(MsFromTicks(cs, 0), 0);
    EXPECT_EQ(TicksFromMs(cs, 0), 0);
    // A tempo change to 60 BPM at tick 960 (1000 ms).
    f.song().tempoMap.insertTempo(TempoEntry{960, 0, 6000, 0});
    EXPECT_EQ(MsFromTicks(cs, 1440), 2000);
    EXPECT_EQ(TicksFromMs(cs, 2000), 1440);
    EXPECT_EQ(TicksFromMs(cs, 1500), 1200);
}

TEST(TimeConversions, TicksFromMsRoundsToTheNearestTick) {
    ReaderFixture f("");  // 100 BPM, 120 ticks a beat: 5 ms a tick
    CompileState &cs = f.cs();
    const std::pair<int32_t, int32_t> cases[] = {{7, 1}, {8, 2}, {12, 2}, {13, 3}, {-7, -1}, {-8, -2}};
    for (const auto &[ms, ticks] : cases) EXPECT_EQ(TicksFromMs(cs, ms), ticks) << ms;
    for (int32_t t = -100; t <= 5000; t += 7) EXPECT_EQ(TicksFromMs(cs, MsFromTicks(cs, t)), t);
}

SmpteTime hmsf(int32_t h, int32_t m, int32_t s, int32_t f) { return SmpteTime{f, s, m, h}; }

void expectSmpte(const SmpteTime &got, const SmpteTime &want, const std::string &what) {
    EXPECT_EQ(got.hours, want.hours) << what;
    EXPECT_EQ(got.minutes, want.minutes) << what;
    EXPECT_EQ(got.seconds, want.seconds) << what;
    EXPECT_EQ(got.frames, want.frames) << what;
}

TEST(TimeConversions, FrameCountsAndSmpteFields) {
    ReaderFixture f("");
    CompileState &cs = f.cs();
    struct Case {
        int32_t frameRate;
        bool drop;
        int32_t frames;
        SmpteTime time;
    } cases[] = {
        {30, false, 45, hmsf(0, 0, 1, 15)},
        {30, false, 108000, hmsf(1, 0, 0, 0)},
        {25, false, 90000, hmsf(1, 0, 0, 0)},
        {24, false, 1441, hmsf(0, 1, 0, 1)},
        {30, true, 1799, hmsf(0, 0, 59, 29)},
        {30, true, 1800, hmsf(0, 1, 0, 2)},    // frames 0 and 1 of minute 1 are dropped
        {30, true, 17982, hmsf(0, 10, 0, 0)},  // minute 10 keeps them
        {30, true, 19780, hmsf(0, 10, 59, 28)},
        {30, true, 107892, hmsf(1, 0, 0, 0)},
        {30, false, -45, hmsf(0, 0, -1, -15)},
    };
    for (const Case &c : cases) {
        cs.frameRate = c.frameRate;
        const std::string what = std::to_string(c.frames) + (c.drop ? " drop" : "");
        expectSmpte(SmpteFromFrames(cs, c.frames, c.drop), c.time, what);
        EXPECT_EQ(FramesFromSmpte(cs, c.time, c.drop), c.frames) << what;
    }
}

TEST(TimeConversions, DropFrameCountingIsItsOwnInverse) {
    ReaderFixture f("");
    CompileState &cs = f.cs();
    for (int32_t n = 0; n < 3 * 17982 + 100; ++n) {
        const SmpteTime t = SmpteFromFrames(cs, n, true);
        ASSERT_EQ(FramesFromSmpte(cs, t, true), n);
        const bool dropped = t.seconds == 0 && t.frames < 2 && t.minutes % 10 != 0;
        ASSERT_FALSE(dropped) << n;
    }
    for (int32_t n : {1000000, 2589407, 2589408}) {  // around 24 hours
        EXPECT_EQ(FramesFromSmpte(cs, SmpteFromFrames(cs, n, true), true), n);
    }
}

TEST(TimeConversions, MillisecondsToTheNearestFrame) {
    ReaderFixture f("");
    CompileState &cs = f.cs();
    struct Case {
        bool drop;
        int32_t ms;
        SmpteTime time;
    } cases[] = {
        {false, 16, hmsf(0, 0, 0, 0)},
        {false, 17, hmsf(0, 0, 0, 1)},
        {false, 1000, hmsf(0, 0, 1, 0)},
        {false, 3600000, hmsf(1, 0, 0, 0)},
        {true, 1000, hmsf(0, 0, 1, 0)},   // 29.97 frames: the 30th is nearer
        {true, 60000, hmsf(0, 0, 59, 28)},  // 1798.2 frames: the code lags real time
        {false, -17, hmsf(0, 0, 0, -1)},
    };
    for (const Case &c : cases) {
        const std::string what = std::to_string(c.ms) + (c.drop ? " drop" : "");
        expectSmpte(SmpteFromMs(cs, c.ms, c.drop), c.time, what);
    }
    EXPECT_EQ(MsFromSmpte(cs, hmsf(0, 0, 1, 15), false), 1500);
    EXPECT_EQ(MsFromSmpte(cs, hmsf(0, 0, 1, 0), true), 1001);
    EXPECT_EQ(MsFromSmpte(cs, hmsf(0, 10, 0, 0), true), 600000);
}

TEST(TimeConversions, SmpteSumsAndTicks) {
    ReaderFixture f("");
    CompileState &cs = f.cs();
    expectSmpte(AddSmpte(cs, hmsf(0, 0, 59, 29), hmsf(0, 0, 0, 1), false), hmsf(0, 1, 0, 0), "sum");
    expectSmpte(AddSmpte(cs, hmsf(0, 0, 59, 29), hmsf(0, 0, 0, 1), true), hmsf(0, 1, 0, 2),
                "drop sum");
    // 100 BPM at 120 ticks a beat: 200 ticks are one second.
    expectSmpte(SmpteFromTicks(cs, 200, false), hmsf(0, 0, 1, 0), "ticks");
    EXPECT_EQ(TicksFromSmpte(cs, hmsf(0, 0, 1, 0), false), 200);
    EXPECT_EQ(TicksFromSmpte(cs, hmsf(0, 1, 0, 0), false), 12000);
}

}  // namespace
}  // namespace vek
