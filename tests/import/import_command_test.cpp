// `vek --import` run as a user runs it: what it refuses and what it writes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/midi_events.h"
#include "support/scratch_dir.h"

namespace vek::test {
namespace {

struct VekRun {
    int status;
    std::string err;
};

VekRun vek(const std::string &arguments) {
    const std::string command = "timeout 60 '" VEK_CLI_PATH "' " + arguments + " >/dev/null 2>stderr.txt </dev/null";
    const int raw = std::system(command.c_str());
    VekRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ScratchDir::read("stderr.txt")};
    std::filesystem::remove("stderr.txt");
    return r;
}

// One track of ppq 120: middle C from tick 7 for 113 ticks.
std::string header(const std::string &tag = "MTrk", char lengthByte = 12) {
    return std::string("MThd\0\0\0\6\0\0\0\1\0\x78", 14) + tag + std::string("\0\0\0", 3) + lengthByte;
}
const std::string kTrack("\x07\x90\x3C\x40\x71\x80\x3C\x40\x00\xFF\x2F\x00", 12);

TEST(ImportCommand, BadFilesNameTheByteAndWhatWasExpectedAndWriteNothing) {
    ScratchDir dir;
    const struct {
        std::string bytes, message;
    } cases[] = {
        {"RIFF....WAVEfmt ", "in.mid: byte 0: expected a Standard MIDI File header \"MThd\", found \"RIFF\"\n"},
        {header().substr(0, 10), "in.mid: byte 10: expected the number of tracks, found the end of the file\n"},
        {header() + kTrack.substr(0, 9),
         "in.mid: byte 18: expected a chunk length of at most 9 (the rest of the file), found 12\n"},
        {header("MTrx") + kTrack, "in.mid: byte 14: expected a track chunk \"MTrk\", found \"MTrx\"\n"},
        {header("MTrk", 3) + kTrack, "in.mid: byte 25: expected a data byte, found the end of the track chunk\n"},
    };
    for (const auto &c : cases) {
        dir.write("in.mid", c.bytes);
        const VekRun r = vek("--import in.mid");
        EXPECT_EQ(r.status, 1) << c.message;
        EXPECT_EQ(r.err, c.message);
        EXPECT_FALSE(std::filesystem::exists("in.vek") || std::filesystem::exists("in.vek.part")) << c.message;
    }
    EXPECT_EQ(vek("--import missing.mid").err, "vek: cannot read missing.mid: no such file\n");
}

TEST(ImportCommand, KeepsAnExistingOutputAndQuantizesOnRequest) {
    ScratchDir dir;
    dir.write("in.mid", header() + kTrack);
    dir.write("in.vek", "mine");
    VekRun r = vek("--import in.mid");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vek: in.vek exists; give --force to overwrite it or -o another name\n");
    EXPECT_EQ(ScratchDir::read("in.vek"), "mine");

    r = vek("--import in.mid --quantize 1/x -o q.vek");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "vek: --quantize: expected 1/N with N from 1 to 9999, such as 1/16, found '1/x'\n");
    EXPECT_EQ(vek("--import in.mid -o q.vek --quantize").status, 2);
    EXPECT_FALSE(std::filesystem::exists("q.vek"));

    // 1/16 at 120 ticks a quarter is 30 ticks: the note moves to 0 and lasts 120.
    ASSERT_EQ(vek("--import in.mid --force --quantize 1/16").status, 0);
    EXPECT_EQ(ScratchDir::read("in.vek").find("' Quantized to 1/16"), ScratchDir::read("in.vek").find('\n') + 1);
    r = vek("-I '" VEK_SOURCE_DIR "/data' in.vek");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> events = midiEvents(ScratchDir::read("in.mid"));
    EXPECT_NE(std::find(events.begin(), events.end(), "0 ch1 note 60 vel 64 len 120"), events.end());
}

}  // namespace
}  // namespace vek::test
