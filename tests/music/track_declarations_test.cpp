// Tracks, sections, second names, wipe, and the track limits.
#include <gtest/gtest.h>
#include <pthread.h>

#include <string>
#include <vector>

#include "music/emission.h"
#include "music/keyword_fixture.h"
#include "support/compile.h"
#include "support/scratch_dir.h"
#include "music/keywords.h"

namespace vek {
namespace {

using test::expectError;
using test::KeywordFixture;

Track *trackNamed(KeywordFixture &k, const std::string &name) {
    HashEntry *e = k.symbol(name);
    if (!e || e->kind != kTrackSymbol) return nullptr;
    return static_cast<Track *>(e->value.object);
}

// ---- track ----

TEST(TrackWord, TheFirstTrackTakesOverTheDefaultTrackWithItsEvents) {
    KeywordFixture k(" piano c");
    Track *first = &k.track();
    first->insert(Event{0, 0, kNote, 60, 64, 120});
    k.run(kwTrack);
    Track *piano = trackNamed(k, "piano");
    ASSERT_EQ(piano, first);
    EXPECT_EQ(piano->name, "piano");
    EXPECT_EQ(piano->count(), 1);
    EXPECT_EQ(k.song().defaultTrack, nullptr);
    EXPECT_EQ(k.song().defaultTrackStorage, nullptr);
    EXPECT_EQ(&k.track(), piano);
    EXPECT_EQ(piano->glideDefinition, &k.cs().wheelDefinition);
    EXPECT_EQ(k.cs().ch, 'c');
}

TEST(TrackWord, LaterTracksAreNewAndAddressedAtOnce) {
    KeywordFixture k(" piano bass");
    k.song().division = 240;
    k.run(kwTrack);
    k.voice().timing.time = 360;
    k.run(kwTrack);
    Track *piano = trackNamed(k, "piano");
    Track *bass = trackNamed(k, "bass");
    ASSERT_NE(bass, nullptr);
    EXPECT_NE(bass, piano);
    EXPECT_EQ(&k.track(), bass);
    EXPECT_EQ(bass->number, 1);
    EXPECT_EQ(bass->resolution, 240);
    EXPECT_EQ(bass->glideDefinition, &k.cs().wheelDefinition);
    EXPECT_EQ(piano->time, 360);   // the voice's time is kept by the track it left
    EXPECT_EQ(k.voice().timing.time, 0);  // and the new track starts from its own
}

// The first name of the list takes over the default track the voice is on.
TEST(TrackWord, AListDeclaresWithoutAddressing) {
    KeywordFixture k("[a b] c");
    Track *first = &k.track();
    k.run(kwTrack);
    EXPECT_EQ(trackNamed(k, "a"), first);
    ASSERT_NE(trackNamed(k, "b"), nullptr);
    EXPECT_EQ(&k.track(), first);
    EXPECT_EQ(k.cs().ch, ' ');
}

// A name followed by "[", also after blanks, declares a section.
TEST(TrackWord, ANameFollowedByABracketIsASection) {
    KeywordFixture k(" band\n [a]");
    k.run(kwTrack);
    EXPECT_EQ(k.symbol("band")->kind, kSectionSymbol);
}

TEST(TrackWord, ATakenNameRaises50) {
    KeywordFixture k(" piano piano");
    k.run(kwTrack);
    expectError(k.fail(kwTrack),
                " \"piano\" is a reserved name. \nMaybe there is a missing \"]\" in a prior declaration",
                12);
}

TEST(TrackWord, ANameNotStartingWithALetterRaises51) {
    KeywordFixture k(" 9x");
    expectError(k.fail(kwTrack),
                " \"9x\" : Names should begin with a->z or A->Z. \nCheck for missing \"]\" in declaration",
                3);
}

// ---- sections ----

TEST(SectionDeclaration, MembersAreTracksNewOrDeclaredAndNestedSections) {
    KeywordFixture k(" old band [new old inner [x y]] c");
    k.run(kwTrack);  // old
    k.run(kwTrack);  // band
    HashEntry *band = k.symbol("band");
    ASSERT_NE(band, nullptr);
    ASSERT_EQ(band->kind, kSectionSymbol);
    auto &group = *static_cast<SectionGroup *>(band->value.object);
    ASSERT_EQ(group.count, 3);
    EXPECT_EQ(group.kinds[2], kSectionSymbol);
    std::vector<Track *> tracks;
    HashTable::collectTracks(group, tracks);
    ASSERT_EQ(tracks.size(), 4u);
    EXPECT_EQ(tracks[0]->name, "new");
    EXPECT_EQ(tracks[1], trackNamed(k, "old"));
    EXPECT_EQ(tracks[3]->name, "y");
    EXPECT_EQ(&k.track(), trackNamed(k, "old"));  // a section is not addressed
    EXPECT_EQ(k.cs().ch, ' ');
}

TEST(SectionDeclaration, AMemberThatIsNoTrackOrSectionRaises22) {
    KeywordFixture k(" band [a meter]");
    expectError(k.fail(kwTrack), " No track or section with name \"meter\"", 15);
}

TEST(SectionDeclaration, ANinthMemberRaises23) {
    KeywordFixture k(" band [a b c d e f g h i]");
    expectError(k.fail(kwTrack), " Invalid track parameter ", 25);
}

TEST(SectionDeclaration, AnUnclosedSectionRaises73) {
    KeywordFixture k(" band [a b");
    expectError(k.fail(kwTrack), " ']' expected.", 10);
}

TEST(SectionDeclaration, NestingIsBounded) {
    std::string source = " s0 ";
    for (int i = 1; i <= 70; ++i) source += "[s" + std::to_string(i) + " ";
    KeywordFixture k(source);
    EXPECT_EQ(std::string(k.fail(kwTrack).message), " Invalid track parameter ");
}

TEST(TrackWord, TracksBeyondWhatAFileCanCountRaise85) {
    KeywordFixture k(" first last beyond");
    k.run(kwTrack);                    // takes over the default track
    k.song().nextTrackNumber = 65533;  // as if 65532 more had been declared
    k.run(kwTrack);
    EXPECT_EQ(trackNamed(k, "last")->number, 65533);
    expectError(k.fail(kwTrack), " Too many tracks: a piece may have at most 65534 tracks", 18);
}

// A chain of sections, each naming the one declared before it, is as deep
// as the source is long; wiping the last walks all of it. The walk must not
// take stack in proportion, so it runs here on a small stack (1 MB).
TEST(SectionDeclaration, ALongChainOfSectionsIsFlattenedWithoutDeepRecursion) {
    std::string source = "track s0 [t0]\n";
    for (int i = 1; i < 20000; ++i)
        source.append("track s").append(std::to_string(i)).append(" [s").append(std::to_string(i - 1)).append("]\n");
    source.append("t0 c d e wipe s19999 f\n");
    test::ScratchDir dir;
    test::CompileResult result;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 1024 * 1024);  // the recursive walk needed ~2 MB
    pthread_t thread;
    auto run = [](void *r) -> void * {
        auto *out = static_cast<std::pair<std::string *, test::CompileResult *> *>(r);
        *out->second = test::compileText(*out->first);
        return nullptr;
    };
    std::pair<std::string *, test::CompileResult *> work{&source, &result};
    ASSERT_EQ(pthread_create(&thread, &attributes, run, &work), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    EXPECT_FALSE(result.failed()) << result.message();
}

// ---- name2, wipe ----

TEST(Name2Word, NamesTheVoicesTrackAgain) {
    KeywordFixture k(" lead lead");
    k.run(kwName2);
    HashEntry *e = k.symbol("lead");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->kind, kSecondName);
    EXPECT_EQ(e->value.object, &k.track());
    EXPECT_EQ(k.track().name2, "lead");
    EXPECT_EQ(std::string(k.fail(kwName2).message).substr(0, 8), " \"lead\" ");
}

TEST(WipeWord, ClearsATrackOrEveryTrackOfASection) {
    KeywordFixture k(" a b band [a b] a band");
    k.run(kwTrack);
    k.run(kwTrack);
    k.run(kwTrack);
    trackNamed(k, "a")->insert(Event{0, 0, kNote, 60, 64, 120});
    trackNamed(k, "b")->insert(Event{0, 0, kNote, 62, 64, 120});
    k.run(kwWipe);
    EXPECT_EQ(trackNamed(k, "a")->count(), 0);
    EXPECT_EQ(trackNamed(k, "b")->count(), 1);
    k.run(kwWipe);
    EXPECT_EQ(trackNamed(k, "b")->count(), 0);
}

TEST(WipeWord, AnUnknownNameRaises21) {
    KeywordFixture k(" nothing c");
    expectError(k.fail(kwWipe), " Invalid wipe parameter ", 8);
}

// ---- port, pitch_range, velocity_range, w ----

TEST(TrackLimits, PortCountsFromOneAndAMissingNumberIsIgnored) {
    KeywordFixture k(" 3 c");
    k.run(kwPort);
    EXPECT_EQ(k.track().port, 2);
    k.run(kwPort);
    EXPECT_EQ(k.track().port, 2);
    EXPECT_EQ(k.cs().ch, 'c');
}

TEST(TrackLimits, PortBeyondSixteenRaises7) {
    KeywordFixture k(" 17");
    expectError(k.fail(kwPort), " Number out of range ", 3);
}

// Accidentals read inside pitch_range stay out of the voice.
TEST(TrackLimits, PitchRangeTakesTwoNotesOnAScratchVoice) {
    KeywordFixture k("=F#@4 -> C@6 g");
    k.run(kwPitchRange);
    EXPECT_EQ(k.track().keyLow, 54);
    EXPECT_EQ(k.track().keyHigh, 72);
    EXPECT_EQ(k.voice().key.table[5], 5);
    EXPECT_EQ(k.cs().ch, ' ');
}

TEST(TrackLimits, PitchRangeRaisesTheNoteReadersCodes) {
    KeywordFixture k(" C@4 -> 9");
    std::snprintf(k.cs().statementWord, kNameBytes, "pitch_range");
    EXPECT_EQ(std::string(k.fail(kwPitchRange).message),
              " Sorry, I can't figure out what \"pitch_range\" means. ");
}

TEST(TrackLimits, VelocityRangeRaisesTheHighToTheLow) {
    KeywordFixture k(" 40 -> 100 =90->20 -5 -10");
    k.run(kwVelocityRange);
    EXPECT_EQ(k.track().velocityLow, 40);
    EXPECT_EQ(k.track().velocityHigh, 100);
    k.run(kwVelocityRange);
    EXPECT_EQ(k.track().velocityLow, 90);
    EXPECT_EQ(k.track().velocityHigh, 90);
    k.run(kwVelocityRange);
    EXPECT_EQ(k.track().velocityLow, -5);
    EXPECT_EQ(k.track().velocityHigh, -5);
}

TEST(TrackLimits, VelocityRangeWithoutItsSecondValueRaises21) {
    KeywordFixture k(" 40 -> c");
    expectError(k.fail(kwVelocityRange), " Invalid velocity_range parameter ", 8);
}

TEST(TrackLimits, WReturnsTheWheelToCentreAndKeepsTheSweepCursor) {
    KeywordFixture k("");
    ControllerDefinition bend = k.cs().wheelDefinition;
    bend.lastValue = 4000;
    k.track().glideDefinition = &bend;
    k.voice().timing.time = 240;
    k.voice().timing.eventStart = 100;
    k.run(kwW);
    const std::vector<Event> events = KeywordFixture::events(k.track());
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, kPitchWheel);
    EXPECT_EQ(events[0].time, 240);
    EXPECT_EQ(events[0].data1, 0);
    EXPECT_EQ(events[0].data2, 64);
    EXPECT_EQ(k.voice().timing.eventStart, 100);
}

}  // namespace
}  // namespace vek
