// The shipped example pieces compile, read cleanly in a peer decoder, and
// sound when rendered.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/scratch_dir.h"
#include "support/song_events.h"

namespace vek::test {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(VEK_SOURCE_DIR) / "examples";

int run(const std::string &command) {
    const int raw = std::system((command + " >out.txt 2>err.txt </dev/null").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

bool have(const char *tool) { return run(std::string("command -v ") + tool) == 0; }

// Compiles an example into the scratch folder; returns the MIDI file's name.
std::string compileExample(const std::string &name) {
    fs::copy_file(kExamples / name, name);
    EXPECT_EQ(run("'" VEK_CLI_PATH "' " + name), 0) << ScratchDir::read("err.txt");
    return fs::path(name).replace_extension(".mid").string();
}

TEST(Examples, EveryPieceCompilesAndReadsCleanly) {
    ScratchDir dir;
    int pieces = 0;
    for (const auto &entry : fs::directory_iterator(kExamples)) {
        if (entry.path().extension() != ".vek") continue;
        ++pieces;
        const std::string midi = compileExample(entry.path().filename().string());
        const auto events = songEvents(ScratchDir::read(midi));
        int notes = 0;
        for (const auto &e : events) notes += e.kind == "note";
        EXPECT_GT(notes, 8) << midi;
        if (have("midicsv")) {
            EXPECT_EQ(run("midicsv " + midi), 0) << midi;
            EXPECT_EQ(ScratchDir::read("err.txt"), "") << midi;
        }
    }
    EXPECT_GE(pieces, 3);
}

// The loudest sample of a rendering, from sox's statistics (0 to 1).
double peakAmplitude(const std::string &wav) {
    run("sox " + wav + " -n stat");
    const std::string stats = ScratchDir::read("err.txt");
    const auto at = stats.find("Maximum amplitude:");
    return at == std::string::npos ? 0.0 : std::stod(stats.substr(at + 18));
}

TEST(Examples, AMultiTrackPieceRendersToSound) {
    const char *soundfont = "/usr/share/sounds/sf2/default-GM.sf2";
    if (!have("fluidsynth") || !have("sox") || !fs::exists(soundfont))
        GTEST_SKIP() << "fluidsynth, sox or a General MIDI soundfont is missing";
    ScratchDir dir;
    const std::string midi = compileExample("ensemble.vek");
    ASSERT_EQ(run(std::string("fluidsynth -ni -g 0.5 -r 22050 -F ensemble.wav ") + soundfont + " " + midi), 0)
        << ScratchDir::read("err.txt");
    EXPECT_GT(peakAmplitude("ensemble.wav"), 0.05);
}

}  // namespace
}  // namespace vek::test
