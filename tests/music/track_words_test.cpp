// The track-setting words: signs, units, limits and section targets.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "music/keyword_fixture.h"
#include "music/keywords.h"

namespace vek {
namespace {

using test::expectError;
using test::KeywordFixture;

struct SettingCase {
    const char *source;
    int word;
    std::function<int32_t(const Track &)> field;
    int32_t expected;
};

int32_t channelOf(const Track &t) { return t.channel; }
int32_t transposeOf(const Track &t) { return t.transpose; }
int32_t diatonicOf(const Track &t) { return t.diatonicShift; }
int32_t octaveOf(const Track &t) { return t.octave; }
int32_t gapOf(const Track &t) { return t.lengthOffset; }
int32_t delayOf(const Track &t) { return t.delay; }
int32_t resolutionOf(const Track &t) { return t.resolution; }
int32_t accentOf(const Track &t) { return t.accentStep; }
int32_t velocityOf(const Track &t) { return t.velocityOffset; }

// Each case runs on a fresh track: channel 0, transpose 0, velocity 64.
TEST(TrackWords, SetOrChangeTheirField) {
    const SettingCase cases[] = {
        {" 10", kwChannel, channelOf, 9},         // channels are written from 1
        {"=16", kwChannel, channelOf, 15},
        {"+1", kwChannel, channelOf, 1},          // relative
        {" 5", kwChromatic, transposeOf, 5},
        {"-3", kwChromatic, transposeOf, -3},
        {" 300", kwChromatic, transposeOf, 127},  // kept within the 8-bit field
        {"=2", kwDiatonic, diatonicOf, 2},
        {" 3", kwOctave, octaveOf, 3},
        {"-1", kwOctave, octaveOf, -1},
        {" 10", kwGap, gapOf, 10},
        {" 1:0", kwGap, gapOf, 120},              // a beat, whatever the unit
        {"=-20", kwShift, delayOf, -20},
        {" 1/2", kwDurationFactor, resolutionOf, 60},
        {" 2", kwDurationFactor, resolutionOf, 240},
        {" 5", kwAccent, accentOf, 5},
        {" 80", kwVelocity, velocityOf, 80},
        {"+10", kwVelocity, velocityOf, 74},
        {"-14", kwVelocity, velocityOf, 50},
        {" 200", kwVelocity, velocityOf, 127},    // at most 127
    };
    for (const SettingCase &c : cases) {
        KeywordFixture k(c.source);
        k.run(c.word);
        EXPECT_EQ(c.field(k.track()), c.expected) << c.source << " " << kReservedWords[c.word];
    }
}

TEST(TrackWords, RelativeChangesAddToThePreviousValue) {
    KeywordFixture k(" 10 +1 -3");
    k.run(kwChannel);
    k.run(kwChannel);
    EXPECT_EQ(k.track().channel, 10);
    EXPECT_EQ(k.track().channelSet, 1);
    k.run(kwChannel);
    EXPECT_EQ(k.track().channel, 7);
}

TEST(TrackWords, AnAbsoluteOctaveIsUsedAsGivenARelativeOneIsNot) {
    KeywordFixture k("+1 4");
    k.run(kwOctave);
    EXPECT_EQ(k.track().octaveAbsolute, 0);
    k.run(kwOctave);
    EXPECT_EQ(k.track().octave, 4);
    EXPECT_EQ(k.track().octaveAbsolute, 1);
}

TEST(TrackWords, SqueezeThenStretchMeetsAtTheMaximum) {
    KeywordFixture k(" 10 20");
    k.run(kwSqueeze);
    k.run(kwStretch);
    EXPECT_EQ(k.track().maxDuration, 10);
    EXPECT_EQ(k.track().minDuration, 10);
}

TEST(TrackWords, SqueezeNeverGoesBelowTheMinimumAndStretchAddsWithoutSign) {
    KeywordFixture k(" 30 +20 =5 =5 -100");
    k.run(kwStretch);
    k.run(kwStretch);
    EXPECT_EQ(k.track().minDuration, 50);
    k.run(kwSqueeze);  // 5, held at the minimum
    EXPECT_EQ(k.track().maxDuration, 50);
    k.run(kwStretch);
    EXPECT_EQ(k.track().minDuration, 5);
    k.run(kwSqueeze);  // relative: 50 - 100, held at the minimum
    EXPECT_EQ(k.track().maxDuration, 5);
}

TEST(TrackWords, ChannelsOutsideOneToSixteenRaise65) {
    for (const char *source : {" 0", " 17", "-1"}) {
        KeywordFixture k(source);
        expectError(k.fail(kwChannel), " Channel out of range ",
                    static_cast<int32_t>(std::strlen(source)));
    }
}

TEST(TrackWords, AccentOutsideTheVelocityRangeRaises21) {
    KeywordFixture k(" 128 c");
    expectError(k.fail(kwAccent), " Invalid accent parameter ", 5);
}

// The message names the word, also when a doubled operator ran it and the
// name buffer holds the last name read.
TEST(TrackWords, AMissingNumberRaises21NamingTheWord) {
    const int words[] = {kwAccent, kwChannel, kwChromatic, kwCrescendo, kwDiatonic,
                         kwDurationFactor, kwGap, kwOctave, kwShift, kwSqueeze, kwStretch,
                         kwVelocity};
    for (int word : words) {
        KeywordFixture k(" c");
        std::snprintf(k.cs().name, kNameBytes, "xyz");
        expectError(k.fail(word), std::string(" Invalid ") + kReservedWords[word] + " parameter ", 2);
    }
}

TEST(TrackWords, NumbersBeyondTheirRangeRaise7) {
    KeywordFixture k(" 1001");
    expectError(k.fail(kwChromatic), " Number out of range ", 5);
}

// ---- Velocity ramps ----

TEST(Crescendo, FoldsTheRunningRampAndStartsANewOne) {
    KeywordFixture k("+10 +5");
    k.voice().timing.time = 480;
    k.voice().timing.step = 120;
    k.run(kwCrescendo);
    Track &t = k.track();
    EXPECT_EQ(t.crescendoAmount, 10);
    EXPECT_EQ(t.crescendoStart, 360);
    EXPECT_EQ(t.crescendoEnd, 479);
    EXPECT_EQ(t.velocityOffset, 64);
    k.run(kwCrescendo);
    EXPECT_EQ(t.velocityOffset, 74);
    EXPECT_EQ(t.crescendoAmount, 5);
}

TEST(Crescendo, AMinusMakesTheRampFall) {
    KeywordFixture k("-10");
    k.run(kwCrescendo);
    EXPECT_EQ(k.track().crescendoAmount, -10);
}

TEST(Crescendo, EqualsAimsAtTheGivenVelocityAndNoSignKeepsTheAmount) {
    KeywordFixture k("=100 20");
    k.run(kwCrescendo);
    EXPECT_EQ(k.track().crescendoAmount, 36);
    k.run(kwCrescendo);
    EXPECT_EQ(k.track().velocityOffset, 100);
    EXPECT_EQ(k.track().crescendoAmount, 36);
}

TEST(VelocityRamp, ALengthFollowedByASignRampsOverThatLength) {
    struct Case {
        const char *source;
        int32_t amount;
    } cases[] = {{" 2+20", 20}, {" 2-20", -20}, {" 2=100", 36}};
    for (const Case &c : cases) {
        KeywordFixture k(c.source);
        k.voice().timing.time = 120;
        k.run(kwVelocity);
        const Track &t = k.track();
        EXPECT_EQ(t.crescendoStart, 120) << c.source;
        EXPECT_EQ(t.crescendoEnd, 360) << c.source;
        EXPECT_EQ(t.crescendoAmount, c.amount) << c.source;
        EXPECT_EQ(t.velocityOffset, 64) << c.source;
    }
}

TEST(VelocityRamp, ARampWithoutAnAmountRaises21) {
    KeywordFixture k(" 2+ c");
    expectError(k.fail(kwVelocity), " Invalid velocity parameter ", 4);
}

// A plain velocity is a count, whatever the default length; only a ramp's
// length has the length range.
TEST(VelocityRamp, PlainVelocitiesHoldWithLongBeats) {
    KeywordFixture k(" 100 600+10");
    k.voice().timing.defaultDuration = 960;
    k.run(kwVelocity);
    EXPECT_EQ(k.track().velocityOffset, 100);
    expectError(k.fail(kwVelocity), " Number out of range ", 9);
}

// ---- Section targets ----

TEST(TrackWords, ASectionChangesEachDistinctTrackOnce) {
    KeywordFixture k("+1");
    std::unique_ptr<Track> a(k.song().newTrack()), b(k.song().newTrack());
    SectionGroup inner;
    inner.count = 2;
    inner.kinds[0] = inner.kinds[1] = kTrackSymbol;
    inner.members[0] = a.get();
    inner.members[1] = b.get();
    SectionGroup outer;
    outer.count = 2;
    outer.kinds[0] = kTrackSymbol;
    outer.members[0] = a.get();
    outer.kinds[1] = kSectionSymbol;
    outer.members[1] = &inner;
    k.voice().section = &outer;
    k.voice().sectionMode = 1;
    k.run(kwChannel);
    EXPECT_EQ(a->channel, 1);
    EXPECT_EQ(b->channel, 1);
    EXPECT_EQ(k.track().channel, 0);
}

}  // namespace
}  // namespace vek
