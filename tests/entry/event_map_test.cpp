// VekmainWithMap: every output note comes back with the place of its text,
// and asking for the map leaves the output as it was.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/compile.h"
#include "support/scratch_dir.h"

namespace vek {
namespace {

using test::ScratchDir;

struct Collected {
    std::vector<VekMappedNote> notes;
    std::vector<std::string> files, tracks;
    int meters = 0, tempos = 0;
};

struct MapRun {
    ParseError result;
    std::string output;
    Collected map;
};

MapRun compileWithMap(const std::string &source, int32_t selectionStart = 0, int32_t selectionEnd = 0) {
    std::ofstream("song.vtp", std::ios::binary) << source;
    const int32_t noExtract = 0;
    const VekmainArgs args{"song.vtp", "midi", "song.vls", "", &selectionStart, &selectionEnd,
                           &noExtract, VEKMAIN_VERSION};
    MapRun run;
    VekEventMap map{};
    map.context = &run.map;
    map.onFile = [](void *c, int32_t, const char *name) { static_cast<Collected *>(c)->files.push_back(name); };
    map.onTrack = [](void *c, int32_t, const char *name) { static_cast<Collected *>(c)->tracks.push_back(name); };
    map.onTempo = [](void *c, int32_t, uint32_t) { ++static_cast<Collected *>(c)->tempos; };
    map.onMeter = [](void *c, int32_t, int32_t, int32_t, int32_t) { ++static_cast<Collected *>(c)->meters; };
    map.onNote = [](void *c, const VekMappedNote *n) { static_cast<Collected *>(c)->notes.push_back(*n); };
    run.result = VekmainWithMap(VEKMAIN_ARGUMENT_COUNT, &args, &map);
    run.output = ScratchDir::read("song.mid");
    EXPECT_EQ(map.division, 120);
    return run;
}

// The text of a mapped note: from its offset to the next blank.
std::string textAt(const std::string &source, const VekMappedNote &n) {
    const size_t end = source.find_first_of(" \n", size_t(n.offset));
    return source.substr(size_t(n.offset), end - size_t(n.offset));
}

TEST(EventMap, NotesChordsAndMacroCallsMapToTheirTextAndTheOutputStaysTheSame) {
    ScratchDir dir;
    const std::string source =
        "set cd { C D }\n"
        "track bass $$2 C D\n"
        "track lead $$10 ceg G cd\n";
    const MapRun run = compileWithMap(source);
    ASSERT_FALSE(run.result.failed) << run.result.message;
    ASSERT_GE(run.map.files.size(), 2u);
    EXPECT_EQ(run.map.files[1], "song.vtp");
    EXPECT_EQ(run.map.tracks, (std::vector<std::string>{"bass", "lead"}));
    EXPECT_GE(run.map.tempos, 1);

    std::vector<std::string> texts;
    for (const VekMappedNote &n : run.map.notes) {
        EXPECT_EQ(n.file, 1);
        texts.push_back(std::to_string(n.track) + ":" + std::to_string(n.key) + ":" +
                        std::to_string(n.channel) + ":" + textAt(source, n));
    }
    // A chord is one word: each member maps to its own letter. A macro's
    // notes map to the end of the call's name.
    EXPECT_EQ(texts, (std::vector<std::string>{"1:60:1:C", "1:62:1:D", "2:48:9:ceg", "2:52:9:eg",
                                               "2:55:9:g", "2:67:9:G", "2:60:9:", "2:62:9:"}));
    const size_t call = source.rfind("cd\n");
    EXPECT_EQ(run.map.notes[6].offset, int32_t(call + 2));

    const test::CompileResult plain = test::compileText(source);
    EXPECT_EQ(plain.output, run.output);
}

TEST(EventMap, ASelectionMapsOnlyItsNotesAtTheirMovedTimes) {
    ScratchDir dir;
    const std::string source = "C D E F | G A B C |\n";
    const int32_t start = int32_t(source.find('G'));
    const MapRun run = compileWithMap(source, start, int32_t(source.size()));
    ASSERT_FALSE(run.result.failed) << run.result.message;
    ASSERT_EQ(run.map.notes.size(), 4u);
    EXPECT_EQ(textAt(source, run.map.notes[0]), "G");
    // The selection starts on a bar line: a whole bar of lead-in before it.
    EXPECT_EQ(run.map.notes[0].start, 480);
    EXPECT_EQ(run.map.notes[3].start, 480 + 360);
}

}  // namespace
}  // namespace vek
