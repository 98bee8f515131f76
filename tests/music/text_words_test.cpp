// Bracketed texts, song texts, markers, track texts and lyrics.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "music/keyword_fixture.h"
#include "music/keywords.h"

namespace vek {
namespace {

using test::expectError;
using test::KeywordFixture;

const char *const kNeedBrackets =
    "Strings for text, marker and cue events should be enclosed in brackets-- e.g. text [string] ";

std::string textOf(KeywordFixture &k, const Event &e) { return k.song().text(e.extra); }

// ---- ReadBracketText ----

TEST(BracketText, KeepsNestedPairsAndMacroCharactersAndConsumesTheClose) {
    KeywordFixture k("[a [b] {c}, ?1] x");
    EXPECT_EQ(ReadBracketText(k.cs()), "a [b] {c}, ?1");
    EXPECT_EQ(k.cs().ch, ' ');
}

TEST(BracketText, TheEndOfInputRaises73) {
    KeywordFixture k("[a [b]");
    expectError(k.reader().expectError([&] { ReadBracketText(k.cs()); }), " ']' expected.", 6);
}

// ---- song texts ----

TEST(SongTexts, EachWordReplacesItsText) {
    struct Case {
        int word;
        std::optional<std::string> SongContext::*field;
    } cases[] = {{kwAuthor, &SongContext::author},       {kwComments, &SongContext::comments},
                 {kwCopyright, &SongContext::copyright}, {kwInstructions, &SongContext::instructions},
                 {kwKeywords, &SongContext::keywords},   {kwSubtitle, &SongContext::subtitle},
                 {kwTitle, &SongContext::title}};
    for (const Case &c : cases) {
        KeywordFixture k(" [first] [Second, too]");
        k.run(c.word);
        k.run(c.word);
        EXPECT_EQ(k.song().*c.field, "Second, too") << kReservedWords[c.word];
    }
}

TEST(SongTexts, WithoutABracketRaise70) {
    for (int word : {kwTitle, kwMarker, kwCue, kwText, kwWave, kwMci}) {
        KeywordFixture k(" Song");
        expectError(k.fail(word), kNeedBrackets, 2);
    }
}

// ---- markers, cues, track texts ----

TEST(Markers, GoToTheMarkersTrackAtTheVoicesTime) {
    KeywordFixture k(" [Verse] [Go]");
    k.voice().timing.time = 480;
    k.run(kwMarker);
    k.run(kwCue);
    const std::vector<Event> events = KeywordFixture::events(k.song().markers);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, kMetaText);
    EXPECT_EQ(events[0].channel, kMetaMarker);
    EXPECT_EQ(events[0].time, 480);
    EXPECT_EQ(textOf(k, events[0]), "Verse");
    EXPECT_EQ(events[1].channel, kMetaCue);
    EXPECT_EQ(k.song().markerChunkLength, 4 + (5 + 11) + (2 + 11));
    EXPECT_EQ(k.track().count(), 0);
}

TEST(TrackTexts, GoToTheVoicesTrackAndMarkIt) {
    KeywordFixture k(" [hello] [drum.wav] [play cd]");
    k.voice().timing.time = 120;
    k.run(kwText);
    k.run(kwWave);
    k.run(kwMci);
    const std::vector<Event> events = KeywordFixture::events(k.track());
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].channel, kMetaTextType);
    EXPECT_EQ(events[1].channel, kMetaWave);
    EXPECT_EQ(events[2].channel, kMetaMci);
    EXPECT_EQ(textOf(k, events[1]), "drum.wav");
    EXPECT_EQ(events[2].time, 120);
    EXPECT_EQ(k.track().hasText, 1);
}

TEST(TrackTexts, WithASectionGoToItsFirstTrack) {
    KeywordFixture k(" band [a b] [hi]");
    k.run(kwTrack);
    HashEntry *band = k.symbol("band");
    k.voice().section = static_cast<SectionGroup *>(band->value.object);
    k.voice().sectionMode = 1;
    k.run(kwText);
    auto *a = static_cast<Track *>(k.symbol("a")->value.object);
    auto *b = static_cast<Track *>(k.symbol("b")->value.object);
    EXPECT_EQ(a->count(), 1);
    EXPECT_EQ(b->count(), 0);
}

// ---- lyrics ----

std::vector<std::pair<int32_t, std::string>> lyrics(KeywordFixture &k) {
    std::vector<std::pair<int32_t, std::string>> out;
    for (const Event &e : KeywordFixture::events(k.track())) {
        EXPECT_EQ(e.channel, kMetaLyric);
        out.emplace_back(e.time, textOf(k, e));
    }
    return out;
}

using Lyrics = std::vector<std::pair<int32_t, std::string>>;

TEST(Lyrics, WordsLieOneDefaultLengthApartAndTheTimeReturns) {
    KeywordFixture k("\"la la- la\" c");
    k.voice().timing.time = 240;
    k.voice().timing.step = 60;
    LyricStatement(k.cs());
    EXPECT_EQ(lyrics(k), (Lyrics{{240, "la "}, {360, "la- "}, {480, "la "}}));
    EXPECT_EQ(k.voice().timing.time, 240);
    EXPECT_EQ(k.voice().timing.step, 60);
    EXPECT_EQ(k.track().hasText, 1);
    EXPECT_EQ(k.song().endTime, 480);
    EXPECT_EQ(k.cs().ch, ' ');
}

TEST(Lyrics, ANumberGivesTheWordItsLength) {
    KeywordFixture k("\"la 2 la /2 la\"");
    LyricStatement(k.cs());
    EXPECT_EQ(lyrics(k), (Lyrics{{0, "la "}, {240, "la "}, {300, "la "}}));
}

// A bar line after a word, with or without a blank, ends the word there.
TEST(Lyrics, ABarLineEndsTheWordAtTheNextBarLine) {
    KeywordFixture k("\"a b| c d e f | g\"");
    LyricStatement(k.cs());
    EXPECT_EQ(lyrics(k), (Lyrics{{0, "a "}, {120, "b "}, {480, "c "}, {600, "d "}, {720, "e "},
                                 {840, "f "}, {960, "g "}}));
}

TEST(Lyrics, StrayCharactersTakeNoTime) {
    KeywordFixture k("\"(oh) yes!\"");
    LyricStatement(k.cs());
    EXPECT_EQ(lyrics(k), (Lyrics{{0, "oh "}, {120, "yes! "}}));
}

TEST(Lyrics, TheEndOfInputEndsThemWithoutRestoringTheTime) {
    KeywordFixture k("\"la la");
    LyricStatement(k.cs());
    EXPECT_EQ(lyrics(k).size(), 2u);
    EXPECT_EQ(k.voice().timing.time, 240);
}

TEST(Lyrics, AtMostFiveThousandWordsAreRead) {
    std::string source = "\"";
    for (int i = 0; i < 5001; ++i) source += "a ";
    KeywordFixture k(source + "\"");
    LyricStatement(k.cs());
    EXPECT_EQ(k.track().count(), 5000);
    EXPECT_EQ(k.voice().timing.time, 0);
    EXPECT_EQ(k.cs().ch, ' ');  // the rest is music again
}

}  // namespace
}  // namespace vek
