// Reserved words in whole pieces: the MIDI file they lead to.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/compile.h"
#include "support/scratch_dir.h"
#include "support/smf_reader.h"
#include "support/song_events.h"

namespace vek {
namespace {

struct PieceCase {
    const char *source;
    int track;  // chunk index; 0 is the conductor track
    std::vector<std::string> lines;  // each must appear in that chunk
};

TEST(KeywordPieces, ProduceTheirEvents) {
    // What the language cases do not show; the rest is in tests/language.
    const PieceCase cases[] = {
        // A stretch beyond the squeeze meets it there.
        {"squeeze 10 stretch 20 c", 1, {"0 90 30 40", "10 (90) 30 00"}},
        {"smpte 25 smpte_offset 1;2;3;4 c", 0, {"0 FF 54 21 02 03 04 00"}},
        {"drop smpte_offset 0;10;59;28 c", 0, {"0 FF 54 40 0A 3B 1C 00"}},
        // Key pressure goes to the last note. (The importer cannot say it, so
        // it is not a language case, whose files the round trip imports.)
        {"polyphonic poly c poly =40", 1, {"0 A0 30 28"}},
        // A track with only a text is written (the importer drops it).
        {"track a c track b text [only]", 2, {"0 FF 01 \"only\""}},
    };
    for (const PieceCase &c : cases) {
        test::ScratchDir dir;
        const test::CompileResult r = test::compileText(c.source);
        ASSERT_FALSE(r.failed()) << c.source << ": " << r.message();
        const std::vector<std::string> lines = test::smfTrack(r.output, c.track);
        for (const std::string &line : c.lines)
            EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end())
                << c.source << ": no \"" << line << "\" in\n" << test::smfText(r.output);
    }
}

TEST(KeywordPieces, ErrorsNameTheSourceAndThePlace) {
    struct Case {
        const char *source;
        const char *message;
        int32_t position;
    } cases[] = {
        {"$$", " Invalid channel parameter ", 2},
        {"meter 3/5", " Meter note length must be 1,2,4,8,16 or 32 ", 9},
    };
    for (const Case &c : cases) {
        test::ScratchDir dir;
        const test::CompileResult r = test::compileText(c.source);
        EXPECT_TRUE(r.failed()) << c.source;
        EXPECT_EQ(r.message(), c.message) << c.source;
        EXPECT_EQ(r.fileName(), "song.vtp") << c.source;
        EXPECT_EQ(r.result.position, c.position) << c.source;
    }
}

// At most five thousand words are read from one quoted text; the word after
// them is music again, at the time the lyrics began.
TEST(KeywordPieces, AtMostFiveThousandLyricsAreRead) {
    std::string source = "\"";
    for (int i = 0; i < 5001; ++i) source += "a ";
    test::ScratchDir dir;
    const test::CompileResult r = test::compileText(source + "\"");
    ASSERT_FALSE(r.failed()) << r.message();
    const std::vector<test::SongEvent> events = test::songEvents(r.output);
    const auto lyrics = std::count_if(events.begin(), events.end(),
                                      [](const test::SongEvent &e) { return e.kind == "lyric"; });
    EXPECT_EQ(lyrics, 5000);
    const auto note = std::find_if(events.begin(), events.end(),
                                   [](const test::SongEvent &e) { return e.kind == "note"; });
    ASSERT_NE(note, events.end());
    EXPECT_EQ(note->a, 57);  // the 5001st "a"
    EXPECT_EQ(note->time, 0);
}

TEST(KeywordPieces, ListAsksTheEditorToOpenTheListing) {
    test::ScratchDir dir;
    const test::CompileResult r = test::compileText("list c nolist d");
    ASSERT_FALSE(r.failed());
    EXPECT_EQ(r.result.actions & 1, 1);
    EXPECT_NE(r.listing.find("Note  48"), std::string::npos) << r.listing;
    EXPECT_EQ(r.listing.find("Note  50"), std::string::npos) << r.listing;
}

}  // namespace
}  // namespace vek
