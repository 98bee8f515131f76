// Every MIDI file the repository's pieces compile to (examples, language
// cases, the guide's examples) is imported and compiled again: the music
// must be the same, event for event. So must files other programs wrote.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "import/midi_import.h"
#include "support/compile.h"
#include "support/midi_events.h"
#include "support/scratch_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = VEK_SOURCE_DIR;

std::string readFile(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The pieces: whole .vek files, and the ```vek blocks of the guide.
std::vector<std::pair<std::string, std::string>> pieces() {
    std::vector<std::pair<std::string, std::string>> out;
    for (const char *dir : {"examples", "tests/language", "docs"}) {
        for (const auto &entry : fs::recursive_directory_iterator(kSource / dir)) {
            const fs::path &p = entry.path();
            const std::string name = fs::relative(p, kSource).string();
            if (p.extension() == ".vek") out.emplace_back(name, readFile(p));
            if (p.extension() != ".md") continue;
            std::istringstream in(readFile(p));
            std::string line, block;
            int number = 0, start = 0;
            bool inside = false;
            while (std::getline(in, line)) {
                ++number;
                if (!inside && line == "```vek") inside = true, block.clear(), start = number;
                else if (inside && line == "```") inside = false, out.emplace_back(name + ":" + std::to_string(start), block);
                else if (inside) block += line + "\n";
            }
        }
    }
    return out;
}

test::CompileOptions withData() {
    test::CompileOptions options;
    options.includePath = (kSource / "data").string();
    return options;
}

// What the language cannot say of a file another program wrote is left out
// of the comparison: a tempo finer than 1/100 beat a minute, the minor flag of
// a key (the compiler writes 0), a file without a key (the compiler writes C),
// a lyric without the blank the compiler ends each with, and a title without
// the "Title: " text the compiler adds.
std::vector<std::string> expressible(const std::vector<std::string> &lines) {
    std::vector<std::string> out;
    for (const std::string &line : lines) {
        const std::string tick = line.substr(0, line.find(' ')), rest = line.substr(tick.size() + 1);
        std::istringstream in(rest.substr(std::min<size_t>(8, rest.size())));
        int a = 0, b = 0, c = 0;
        if (rest.rfind("meta 81 ", 0) == 0 && in >> a >> b >> c)
            out.push_back(tick + " tempo " + std::to_string(std::llround(6e9 / (a << 16 | b << 8 | c))));
        else if (rest.rfind("meta 89 ", 0) == 0 && in >> a && (tick != "0" || a != 0))
            out.push_back(tick + " key " + std::to_string(a));
        else if (rest.rfind("text 5 ", 0) == 0 && rest.back() == ' ')
            out.push_back(line.substr(0, line.size() - 1));
        else if (rest.rfind("meta 89 ", 0) != 0 && rest.rfind("text 1 Title: ", 0) != 0)
            out.push_back(line);
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Imports `midi`, compiles the text and compares the music (what `foreign`
// files can express of it); returns what differs ("" when nothing does) and
// the imported text in `text`.
std::string importDifference(const std::string &name, const std::string &midi, std::string &text,
                             bool foreign = false) {
    try {
        text = import::importMidi(midi::readSmf(midi), {name, 0});
    } catch (const std::exception &e) {
        return name + ": " + e.what() + "\n";
    }
    const test::CompileResult second = test::compileText(text, withData());
    if (second.failed()) return name + ": the import does not compile: " + second.message() + "\n" + text + "\n";
    std::vector<std::string> a = test::midiEvents(midi), b = test::midiEvents(second.output);
    if (foreign) a = expressible(a), b = expressible(b);
    return a == b ? "" : name + ":\n" + test::eventDifference(a, b) + text.substr(0, 1500) + "\n";
}

TEST(ImportRoundTrip, EveryCompiledPieceComesBackTheSame) {
    test::ScratchDir dir;
    int files = 0;
    size_t events = 0;
    std::string failures, text;
    for (const auto &[name, source] : pieces()) {
        const test::CompileResult first = test::compileText(source, withData());
        if (first.failed() || first.output.empty()) continue;
        ++files;
        events += test::midiEvents(first.output).size();
        failures += importDifference(name, first.output, text);
    }
    EXPECT_EQ(failures, "");
    RecordProperty("files", files);
    std::printf("round trip: %d files, %zu events\n", files, events);
}

// The importing chapter of the guide shows a piece and then the text
// `vek --import` writes for its MIDI file, word for word.
TEST(ImportRoundTrip, TheGuideShowsWhatTheImportWrites) {
    test::ScratchDir dir;
    std::vector<std::string> shown;
    for (const auto &[name, source] : pieces())
        if (name.rfind("docs/guide/21-importing.md:", 0) == 0) shown.push_back(source);
    ASSERT_GE(shown.size(), 2u);
    const test::CompileResult piece = test::compileText(shown[0], withData());
    ASSERT_FALSE(piece.failed()) << piece.message();
    EXPECT_EQ(import::importMidi(midi::readSmf(piece.output), {"evening.mid", 0}), shown[1]);
}

bool have(const char *tool) { return std::system((std::string("command -v ") + tool + " >/dev/null").c_str()) == 0; }

// Files other programs write, made from the sources in tests/import: csvmidi
// uses running status; the CSV holds a format 0 file with three channels,
// note-ons of velocity 0 as note-offs, two overlapping notes of one key, a
// tempo change in mid-bar, controllers, wheel, pressure, sysex and lyrics.
TEST(ImportRoundTrip, FilesOtherProgramsWriteComeBackTheSame) {
    if (!have("csvmidi") || !have("abc2midi")) GTEST_SKIP() << "csvmidi (midicsv) or abc2midi (abcmidi) missing";
    test::ScratchDir dir;
    const fs::path here = kSource / "tests/import";
    const std::vector<std::pair<std::string, std::string>> makers = {
        {"format0_split.mid", "csvmidi -z '" + (here / "format0_split.csv").string() + "' format0_split.mid"},
        {"waltz.mid", "csvmidi -z '" + (here / "waltz_three_tracks.csv").string() + "' waltz.mid"},
        {"tune1.mid", "abc2midi '" + (here / "tunes.abc").string() + "' 1 -silent -o tune1.mid >/dev/null"},
        {"tune2.mid", "abc2midi '" + (here / "tunes.abc").string() + "' 2 -silent -o tune2.mid >/dev/null"}};
    std::string failures, text;
    for (const auto &[name, command] : makers) {
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        failures += importDifference(name, test::ScratchDir::read(name), text, true);
        if (name == "format0_split.mid") {  // one track per channel: 1, 2 and 10
            EXPECT_TRUE(text.find("\ntrack acousticBassPart $$2\n") != std::string::npos &&
                        text.find(" $$10\n") != std::string::npos) << text;
        }
    }
    EXPECT_EQ(failures, "");
}

}  // namespace
}  // namespace vek
