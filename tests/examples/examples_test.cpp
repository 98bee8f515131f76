// The shipped example pieces compile, read cleanly in a peer decoder, and
// sound when rendered.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <tuple>

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

// Writes nothing, so it may run before a test enters its scratch folder.
bool have(const char *tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

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

// What each of the three short pieces sets out to show, counted in its events.
struct Showcase {
    const char *piece;
    int channels;  // distinct channels that play notes
    int tempos, meters, controls, wheels, lyrics, markers;
};

void PrintTo(const Showcase &c, std::ostream *out) { *out << c.piece; }

class Showcases : public testing::TestWithParam<Showcase> {};

TEST_P(Showcases, HoldWhatTheyShow) {
    const Showcase &c = GetParam();
    ScratchDir dir;
    const auto events = songEvents(ScratchDir::read(compileExample(c.piece)));
    std::set<int> channels;
    std::map<std::string, int> count;
    for (const auto &e : events) {
        ++count[e.kind];
        if (e.kind == "note") channels.insert(e.channel);
    }
    EXPECT_GE(static_cast<int>(channels.size()), c.channels);
    EXPECT_GE(count["tempo"], c.tempos);
    EXPECT_GE(count["meter"], c.meters);
    EXPECT_GE(count["control"], c.controls);
    EXPECT_GE(count["wheel"], c.wheels);
    EXPECT_GE(count["lyric"], c.lyrics);
    EXPECT_GE(count["marker"], c.markers);
}

// Two sweeps of one controller that overlap in time send it back and forth
// within a tick: audible as noise, never what a piece means.
TEST_P(Showcases, NoControllerTakesTwoValuesAtOneTick) {
    ScratchDir dir;
    const auto events = songEvents(ScratchDir::read(compileExample(GetParam().piece)));
    std::map<std::tuple<std::string, int, int, int64_t>, int> values;  // kind, channel, number, tick
    for (const auto &e : events) {
        if (e.kind != "control" && e.kind != "wheel") continue;
        const int number = e.kind == "control" ? e.a : 0;
        const int value = e.kind == "control" ? e.b : e.a;
        const auto [at, fresh] = values.emplace(std::make_tuple(e.kind, e.channel, number, e.time), value);
        EXPECT_TRUE(fresh || at->second == value) << describe(e);
    }
}

TEST_P(Showcases, EveryWheelEndsAtTheCentre) {
    ScratchDir dir;
    const auto events = songEvents(ScratchDir::read(compileExample(GetParam().piece)));
    std::map<int, std::pair<int64_t, int>> last;  // channel -> (tick, value)
    for (const auto &e : events)
        if (e.kind == "wheel" && (!last.count(e.channel) || e.time >= last[e.channel].first))
            last[e.channel] = {e.time, e.a};
    for (const auto &[channel, end] : last) EXPECT_EQ(end.second, 0) << "channel " << channel;
}

// The loudest sample of a rendering, from sox's statistics (0 to 1).
double peakAmplitude(const std::string &wav) {
    run("sox " + wav + " -n stat");
    const std::string stats = ScratchDir::read("err.txt");
    const auto at = stats.find("Maximum amplitude:");
    return at == std::string::npos ? 0.0 : std::stod(stats.substr(at + 18));
}

TEST_P(Showcases, RenderToSound) {
    const char *soundfont = "/usr/share/sounds/sf2/default-GM.sf2";
    if (!have("fluidsynth") || !have("sox") || !fs::exists(soundfont))
        GTEST_SKIP() << "fluidsynth, sox or a General MIDI soundfont is missing";
    ScratchDir dir;
    const std::string midi = compileExample(GetParam().piece);
    ASSERT_EQ(run(std::string("fluidsynth -ni -g 0.5 -r 22050 -F piece.wav ") + soundfont + " " + midi), 0)
        << ScratchDir::read("err.txt");
    EXPECT_GT(peakAmplitude("piece.wav"), 0.01);  // -40 dB: quiet solo voices, but no silence
}

// Several tracks on their own channels with a tempo change, a meter change
// and a swell; a song with words, title and markers; glides and bends.
INSTANTIATE_TEST_SUITE_P(Pieces, Showcases,
                         testing::Values(Showcase{"ensemble.vek", 3, 2, 2, 5, 0, 0, 0},
                                         Showcase{"lyrics.vek", 1, 0, 0, 0, 0, 10, 3},
                                         Showcase{"glides.vek", 2, 0, 0, 0, 40, 0, 0}),
                         [](const testing::TestParamInfo<Showcase> &info) {
                             return fs::path(info.param.piece).stem().string();
                         });

}  // namespace
}  // namespace vek::test
