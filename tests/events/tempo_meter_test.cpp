// Tempo and meter maps: insertion rules, real times and lookups.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "events/track.h"

namespace vek {
namespace {

TempoEntry tempoEntry(int32_t time, uint32_t tempo) { return TempoEntry{time, 0, tempo, 0}; }

std::vector<int32_t> realTimes(TempoMap &map) {
    map.settleRealTimes();
    std::vector<int32_t> ms;
    for (int32_t i = 0; i < map.entries.count(); ++i) ms.push_back(map.entries.at(i)->realTime);
    return ms;
}

TEST(TempoMap, StartsWithOneHundredBpmAtZero) {
    TempoMap map(120);
    ASSERT_EQ(map.count, 1);
    EXPECT_EQ(map.chunkLength, 20);
    const TempoEntry *e = map.tempoAt(0);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->tempo, 10000u);
    EXPECT_EQ(e->realTime, 0);
}

TEST(TempoMap, QuarterNoteAt120BpmIs500Ms) {
    TempoMap map(480);
    map.insertTempo(tempoEntry(0, 12000));
    map.insertTempo(tempoEntry(480, 6000));
    EXPECT_EQ(realTimes(map), (std::vector<int32_t>{0, 500}));
}

TEST(TempoMap, EntryAtTheSameTimeIsReplaced) {
    TempoMap map(120);
    map.insertTempo(tempoEntry(240, 12000));
    map.insertTempo(tempoEntry(240, 6000));
    EXPECT_EQ(map.count, 2);
    EXPECT_EQ(map.chunkLength, 2 + 2 * 18);
    EXPECT_EQ(map.tempoAt(240)->tempo, 6000u);
}

TEST(TempoMap, RepeatOfTheTempoInForceIsIgnored) {
    TempoMap map(120);
    map.insertTempo(tempoEntry(480, 10000));
    EXPECT_EQ(map.count, 1);
    map.insertTempo(tempoEntry(480, 12000));
    map.insertTempo(tempoEntry(960, 12000));
    EXPECT_EQ(map.count, 2);
    EXPECT_EQ(map.entries.count(), 2);
}

TEST(TempoMap, ReplacingTheFirstEntryKeepsItAtZeroMs) {
    TempoMap map(120);
    map.insertTempo(TempoEntry{0, 0, 6000, 777});
    EXPECT_EQ(map.count, 1);
    EXPECT_EQ(map.tempoAt(0)->realTime, 0);
}

// ms = ticks * 60000 / (division * BPM), accumulated entry by entry.
TEST(TempoMap, RealTimesFollowEveryEarlierTempo) {
    TempoMap map(120);
    map.insertTempo(tempoEntry(480, 12000));  // 4 beats at 100 BPM: 2400 ms
    map.insertTempo(tempoEntry(960, 6000));   // 4 beats at 120 BPM: 2000 ms
    map.insertTempo(tempoEntry(1200, 9000));  // 2 beats at 60 BPM: 2000 ms
    EXPECT_EQ(realTimes(map), (std::vector<int32_t>{0, 2400, 4400, 6400}));
    // An entry inserted in the middle moves every later real time.
    map.insertTempo(tempoEntry(720, 24000));  // the 2 beats before 960 now take 500 ms
    EXPECT_EQ(realTimes(map), (std::vector<int32_t>{0, 2400, 3400, 3900, 5900}));
}

TEST(TempoMap, DivisionChangeRecomputesRealTimes) {
    TempoMap map(120);
    map.insertTempo(tempoEntry(480, 12000));
    EXPECT_EQ(realTimes(map), (std::vector<int32_t>{0, 2400}));
    map.setDivision(480);
    EXPECT_EQ(realTimes(map), (std::vector<int32_t>{0, 600}));
    map.insertTempo(tempoEntry(960, 6000));  // 480 ticks at 120 BPM
    EXPECT_EQ(realTimes(map), (std::vector<int32_t>{0, 600, 1100}));
}

TEST(TempoMap, FarEntriesDoNotOverflow) {
    TempoMap map(480);
    // 30 000 000 ticks at 100 BPM: the tick distance times 100 exceeds 32 bits.
    map.insertTempo(tempoEntry(30000000, 12000));
    EXPECT_EQ(map.tempoAt(30000000)->realTime, 37500000);
    map.insertTempo(tempoEntry(2147483647, 6000));
    EXPECT_GT(map.tempoAt(2147483647)->realTime, 37500000);
}

TEST(TempoMap, Lookups) {
    TempoMap map(120);
    map.insertTempo(tempoEntry(480, 12000));
    map.insertTempo(tempoEntry(960, 6000));
    EXPECT_EQ(map.tempoAt(-1), nullptr);
    EXPECT_EQ(map.tempoAt(479)->time, 0);
    EXPECT_EQ(map.tempoAt(480)->time, 480);
    EXPECT_EQ(map.tempoAt(100000)->time, 960);
    EXPECT_EQ(map.tempoAtRealTime(-1), nullptr);
    EXPECT_EQ(map.tempoAtRealTime(2399)->time, 0);
    EXPECT_EQ(map.tempoAtRealTime(2400)->time, 480);
    EXPECT_EQ(map.tempoAtRealTime(4400)->time, 960);
}

struct ScaleCase {
    int32_t a, b, c, expected;
};

TEST(ScaleTime, AvoidsTheOverflowOfTheProduct) {
    const ScaleCase cases[] = {
        {48000, 2500, 60000, 2000},            // 480 ticks at 100 BPM, division 144: 2000 ms
        {7, 3, 2, 10},                         // 3 * 3 + (1 * 3) / 2
        {2000000000, 1000, 4000, 500000000},   // the plain product needs 41 bits
        {-480, 2500, 1000, -1200},
        {5, 0, 7, 0},
        {1, 2500, 0, static_cast<int32_t>(0x8FFFFFFFu)},
        {2000000000, 2000000000, 1, 2147483647},  // saturates
    };
    for (const auto &k : cases)
        EXPECT_EQ(scaleTime(k.a, k.b, k.c), k.expected) << k.a << " " << k.b << " " << k.c;
}

MeterEntry meter(int32_t time, int32_t measure, uint8_t num, uint8_t power, int8_t key = 0) {
    const int32_t beat = 480 / (1 << power);
    return MeterEntry{time, measure, num, power, key, beat, beat * num};
}

TEST(MeterMap, InsertionRules) {
    MeterMap map;
    EXPECT_EQ(map.meterAt(0), nullptr);
    map.insertMeter(meter(0, 1, 4, 2));
    map.insertMeter(meter(960, 3, 4, 2));     // repeats 4/4, key 0: ignored
    EXPECT_EQ(map.count, 1);
    map.insertMeter(meter(960, 3, 3, 2));     // 3/4 from bar 3
    map.insertMeter(meter(1320, 4, 6, 3));    // 6/8 from bar 4
    map.insertMeter(meter(1320, 4, 6, 3, -2)); // same measure: replaces, key now -2
    EXPECT_EQ(map.count, 3);
    EXPECT_EQ(map.chunkLength, 2 + 3 * 12);
    EXPECT_EQ(map.meterAt(1320)->key, -2);
    map.insertMeter(meter(2000, 6, 6, 3, 1)); // only the key differs: inserted
    EXPECT_EQ(map.count, 4);
}

TEST(MeterMap, SameMeasureReplacesEvenWithNewBeatLength) {
    MeterMap map;
    map.insertMeter(meter(0, 1, 4, 2));
    map.insertMeter(MeterEntry{0, 1, 4, 2, 0, 480, 1920});  // ppq raised to 480
    EXPECT_EQ(map.count, 1);
    EXPECT_EQ(map.meterAt(0)->ticksPerBar, 1920);
}

TEST(MeterMap, LookupsByTickAndBar) {
    MeterMap map;
    map.insertMeter(meter(0, 1, 4, 2));
    map.insertMeter(meter(960, 3, 3, 2));
    map.insertMeter(meter(1320, 4, 6, 3));
    int32_t next = 0;
    EXPECT_EQ(map.meterAt(959, &next)->measure, 1);
    EXPECT_EQ(next, 960);
    EXPECT_EQ(map.meterAt(960, &next)->measure, 3);
    EXPECT_EQ(next, 1320);
    EXPECT_EQ(map.meterAt(5000, &next)->measure, 4);
    EXPECT_EQ(next, kNoNextTime);
    EXPECT_EQ(map.meterAt(-5, &next), nullptr);
    EXPECT_EQ(next, 0);

    EXPECT_EQ(map.meterAtBar(0)->measure, 1);  // bar index 0 is bar 1
    EXPECT_EQ(map.meterAtBar(1)->measure, 1);
    EXPECT_EQ(map.meterAtBar(2)->measure, 3);
    EXPECT_EQ(map.meterAtBar(3)->measure, 4);
    EXPECT_EQ(map.meterAtBar(2147483647)->measure, 4);
    EXPECT_EQ(map.meterAtBar(-2), nullptr);
}

}  // namespace
}  // namespace vek
