// Every MIDI file the repository's pieces compile to (examples, language
// cases, the guide's examples) is imported and compiled again: the music
// must be the same, event for event.
#include <gtest/gtest.h>

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

TEST(ImportRoundTrip, EveryCompiledPieceComesBackTheSame) {
    test::ScratchDir dir;
    test::CompileOptions options;
    options.includePath = (kSource / "data").string();
    int files = 0;
    size_t events = 0;
    std::string failures;
    for (const auto &[name, source] : pieces()) {
        const test::CompileResult first = test::compileText(source, options);
        if (first.failed() || first.output.empty()) continue;
        std::string text;
        try {
            text = import::importMidi(midi::readSmf(first.output), {name, 0});
        } catch (const std::exception &e) {
            failures += name + ": " + e.what() + "\n";
            continue;
        }
        const test::CompileResult second = test::compileText(text, options);
        const std::vector<std::string> a = test::midiEvents(first.output);
        ++files;
        events += a.size();
        if (second.failed()) {
            failures += name + ": the import does not compile: " + second.message() + "\n" + text + "\n";
            continue;
        }
        const std::vector<std::string> b = test::midiEvents(second.output);
        if (a != b) failures += name + ":\n" + test::eventDifference(a, b) + text.substr(0, 1500) + "\n";
    }
    EXPECT_EQ(failures, "");
    RecordProperty("files", files);
    std::printf("round trip: %d files, %zu events\n", files, events);
}

}  // namespace
}  // namespace vek
