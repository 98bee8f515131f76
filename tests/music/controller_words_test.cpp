// Controller declarations and the words that change the voice's controller.
#include <gtest/gtest.h>

#include <string>

#include "music/keyword_fixture.h"
#include "music/keywords.h"

namespace vek {
namespace {

using test::expectError;
using test::KeywordFixture;

ControllerDefinition *definition(KeywordFixture &k, const std::string &name) {
    HashEntry *e = k.symbol(name);
    if (!e || e->kind != kControllerSymbol) return nullptr;
    return static_cast<ControllerDefinition *>(e->value.object);
}

// ---- declarations ----

TEST(ControllerDeclaration, EachKindSetsItsEventKind) {
    struct Case {
        int word;
        uint8_t kind;
    } cases[] = {{kwAftertouch, kChannelPressure}, {kwPolyphonic, kKeyPressure},
                 {kwControl, kController}, {kwWheel, kPitchWheel}};
    for (const Case &c : cases) {
        KeywordFixture k(" name 7");
        k.run(c.word);
        ControllerDefinition *d = definition(k, "name");
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->eventKind, c.kind);
        EXPECT_EQ(k.voice().controller, d);
    }
}

TEST(ControllerDeclaration, AWheelSpansTheWholeRangeAndDrivesTheTracksGlides) {
    KeywordFixture k(" bend");
    k.run(kwWheel);
    const ControllerDefinition *d = definition(k, "bend");
    EXPECT_EQ(d->minValue, -8192);
    EXPECT_EQ(d->maxValue, 8191);
    EXPECT_EQ(d->glideRangeLow, -8192);
    EXPECT_EQ(d->glideRangeHigh, 8191);
    EXPECT_EQ(k.track().glideDefinition, d);
}

TEST(ControllerDeclaration, AListDeclaresEachAndTheLastIsInForce) {
    KeywordFixture k("[vol 7 pan 10] c");
    k.run(kwControl);
    EXPECT_EQ(definition(k, "vol")->number, 7);
    EXPECT_EQ(definition(k, "pan")->number, 10);
    EXPECT_EQ(k.voice().controller, definition(k, "pan"));
    EXPECT_EQ(k.cs().ch, ' ');
}

TEST(ControllerDeclaration, ControlWithoutANumberRaises21) {
    KeywordFixture k(" volume c");
    expectError(k.fail(kwControl), " Invalid control parameter ", 9);
}

TEST(ControllerDeclaration, ANameNotStartingWithALetterRaises51) {
    KeywordFixture k("[p 5q]");
    expectError(k.fail(kwAftertouch),
                " \"5q\" : Names should begin with a->z or A->Z. \nCheck for missing \"]\" in declaration",
                6);
}

TEST(ControllerDeclaration, ATakenNameRaises50) {
    KeywordFixture k(" bend bend");
    k.run(kwWheel);
    expectError(k.fail(kwWheel),
                " \"bend\" is a reserved name. \nMaybe there is a missing \"]\" in a prior declaration",
                10);
}

TEST(ControllerDeclaration, AnUnclosedListRaises73) {
    KeywordFixture k("[a b");
    expectError(k.fail(kwAftertouch), " ']' expected.", 4);
}

// ---- words on the voice's controller ----

class ControllerWords : public ::testing::Test {
protected:
    // Runs `word` on `source` with a fresh controller in force.
    KeywordFixture &on(const std::string &source) {
        k = std::make_unique<KeywordFixture>(source);
        k->voice().controller = &d;
        return *k;
    }
    ControllerDefinition d;
    std::unique_ptr<KeywordFixture> k;
};

TEST_F(ControllerWords, LimitsStepRateAndRange) {
    on(" 100 10 5 -2 -> 2 10");
    k->run(kwMaximum);
    k->run(kwMinimum);
    k->run(kwMinChange);
    k->run(kwRange);
    k->run(kwRate);
    EXPECT_EQ(d.maxValue, 100);
    EXPECT_EQ(d.minValue, 10);
    EXPECT_EQ(d.step, 5);
    EXPECT_EQ(d.glideRangeLow, -2);
    EXPECT_EQ(d.glideRangeHigh, 2);
    EXPECT_EQ(d.rate, 10);
}

TEST_F(ControllerWords, RangeTakesALoneMinusAsTheSignOfItsSecondValue) {
    on(" 5 -3");
    k->run(kwRange);
    EXPECT_EQ(d.glideRangeLow, 5);
    EXPECT_EQ(d.glideRangeHigh, -3);
}

TEST_F(ControllerWords, NewLimitsStayWithinTheOldOnes) {
    on(" 128");
    expectError(k->fail(kwMaximum), " Number out of range ", 4);
}

TEST_F(ControllerWords, TempoValuesAreBeatsPerMinuteKeptInHundredths) {
    on(" 240 40 2");
    d.eventKind = kTempoEvent;
    d.maxValue = 30000;
    k->run(kwMaximum);
    k->run(kwMinimum);
    k->run(kwMinChange);
    EXPECT_EQ(d.maxValue, 24000);
    EXPECT_EQ(d.minValue, 4000);
    EXPECT_EQ(d.step, 200);
}

TEST_F(ControllerWords, CchannelOverridesTheTracksChannel) {
    on(" 3 17");
    k->run(kwCchannel);
    EXPECT_EQ(d.channelOverride, 2);
    EXPECT_EQ(d.flags & 1, 1);
    expectError(k->fail(kwCchannel), " Number out of range ", 5);
}

TEST_F(ControllerWords, IntoAnythingButATrackOrSectionRaises22) {
    on(" meter nowhere");
    expectError(k->fail(kwInto), " No track or section with name \"meter\"", 6);
    on(" nowhere");
    expectError(k->fail(kwInto), " No track or section with name \"nowhere\"", 8);
}

TEST_F(ControllerWords, IntoSetsTheTargetAndTheSectionFlag) {
    on(" band [a b] a band");
    k->run(kwTrack);
    k->run(kwInto);
    EXPECT_EQ(d.target, k->symbol("a")->value.object);
    EXPECT_EQ(d.flags & 2, 0);
    k->run(kwInto);
    EXPECT_EQ(d.target, k->symbol("band")->value.object);
    EXPECT_EQ(d.flags & 2, 2);
}

TEST_F(ControllerWords, MissingValuesRaise21) {
    const int words[] = {kwCchannel, kwMaximum, kwMinimum, kwMinChange, kwRange};
    for (int word : words) {
        on(" c");
        expectError(k->fail(word), std::string(" Invalid ") + kReservedWords[word] + " parameter ",
                    2);
    }
}

TEST_F(ControllerWords, RateWithoutANumberRaises18WithNoText) {
    on(" c");
    expectError(k->fail(kwRate), "", 2);
}

TEST(ControllerWordsWithoutController, RaiseInvalidParameter) {
    KeywordFixture k(" 10");
    k.voice().controller = nullptr;
    expectError(k.fail(kwMaximum), " Invalid maximum parameter ", 2);
}

}  // namespace
}  // namespace vek
