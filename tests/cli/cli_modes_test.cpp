// vek's modes beyond one compile: several files, audio, the watch, the
// version; run as a user runs them.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "cli/watch_files.h"
#include "support/scratch_dir.h"

namespace vek::test {
namespace {

struct VekResult {
    int status;
    std::string out;
    std::string err;
};

VekResult vek(const std::string &arguments, const std::string &program = VEK_CLI_PATH) {
    const std::string command = "timeout 120 env -u VEK_INCLUDE_PATH '" + program + "' " + arguments +
                                " >out.txt 2>err.txt </dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ScratchDir::read("out.txt"), ScratchDir::read("err.txt")};
}

bool exists(const std::string &name) { return std::filesystem::exists(name); }

// The seconds of sound in a 16-bit stereo WAV file that vek wrote.
double wavSeconds(const std::string &name, int rate) {
    const std::string bytes = ScratchDir::read(name);
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0) return -1;
    return static_cast<double>(bytes.size() - 44) / (4.0 * rate);
}

TEST(CliModes, SeveralFilesEachCompiledWorstStatusWins) {
    ScratchDir dir;
    for (const char *name : {"a", "b", "c", "d"}) dir.write(std::string(name) + ".vek", "C D E");
    dir.write("bad.vek", "C )");
    VekResult r = vek("-j 3 a.vek b.vek bad.vek c.vek d.vek");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "bad.vek:1:4: error: No matching '(' for ')'\n");
    for (const char *name : {"a.mid", "b.mid", "c.mid", "d.mid"}) EXPECT_TRUE(exists(name)) << name;
    EXPECT_FALSE(exists("bad.mid"));
    EXPECT_FALSE(exists("sysex.out"));
    r = vek("a.vek b.vek");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
}

TEST(CliModes, VersionNamesCommandAndLibrary) {
    ScratchDir dir;  // vek() writes its output files in the current folder
    const VekResult r = vek("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("vek 1.2\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("interface 1.200"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("libVek12"), std::string::npos) << r.out;
}

// Starts vek with `arguments` and its output in files; stops it with
// SIGINT.
class Background {
public:
    explicit Background(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "vek");
        pid_ = fork();
        if (pid_ == 0) {
            std::freopen("watch.txt", "w", stdout);
            std::freopen("watch-err.txt", "w", stderr);
            std::vector<char *> argv;
            for (auto &argument : arguments) argv.push_back(argument.data());
            argv.push_back(nullptr);
            execv(VEK_CLI_PATH, argv.data());
            _exit(127);
        }
    }
    ~Background() {
        if (pid_ > 0) stop();
    }
    // Waits until the program has printed `lines` lines; its output.
    std::string waitForLines(int lines) {
        std::string text;
        waitFor([&] {
            text = ScratchDir::read("watch.txt");
            return std::count(text.begin(), text.end(), '\n') >= lines;
        });
        return text;
    }
    template <typename Condition>
    static void waitFor(Condition done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!done() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    int stop() {
        kill(pid_, SIGINT);
        int raw = 0;
        waitpid(pid_, &raw, 0);
        pid_ = -1;
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

private:
    pid_t pid_ = -1;
};

#ifdef VEK_HAVE_SOUND
// A half-second note ends the audio soon after it dies away, not after a
// fixed tail; the MIDI file stays; a failed render leaves no audio file.
TEST(CliModes, RendersAudioThatEndsWithTheLastNote) {
    ScratchDir dir;
    dir.write("song.vek", "tempo =120 C");
    VekResult r = vek("--render song.wav --sample-rate 22050 song.vek");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");  // no progress bar off a terminal
    EXPECT_TRUE(exists("song.mid"));
    const double seconds = wavSeconds("song.wav", 22050);
    EXPECT_GT(seconds, 0.5);
    EXPECT_LT(seconds, 4.0);

    r = vek("--render other.wav --soundfont missing.sf2 song.vek");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vek: cannot read the soundfont missing.sf2\n");
    dir.write("broken.sf2", "not a soundfont");
    r = vek("--render other.wav --soundfont broken.sf2 song.vek");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot load the soundfont broken.sf2"), std::string::npos) << r.err;
    EXPECT_FALSE(exists("other.wav"));
    EXPECT_FALSE(exists("other.wav.part"));

    r = vek("--render song.mp3 song.vek");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("vek: --render writes .wav", 0), 0u) << r.err;
}

// A compile never loads the synthesizer; a vek outside the build tree
// opens the render module installed relative to itself, and names it when
// it is missing.
TEST(CliModes, RenderModuleLoadedOnlyForRenderFromBesideVek) {
    ScratchDir dir;
    ASSERT_EQ(std::system("ldd '" VEK_CLI_PATH "' >ldd.txt"), 0);
    EXPECT_EQ(ScratchDir::read("ldd.txt").find("fluidsynth"), std::string::npos);
    std::filesystem::create_directory("bin");
    std::filesystem::copy_file(VEK_CLI_PATH, "bin/vek");
    dir.write("song.vek", "tempo =120 C");
    VekResult r = vek("--render song.wav song.vek", "bin/vek");
    EXPECT_EQ(r.status, 1);
    const std::string prefix = "vek: cannot load the render module ";
    ASSERT_EQ(r.err.rfind(prefix, 0), 0u) << r.err;
    const std::string module = r.err.substr(prefix.size(), r.err.find(".so: ") + 3 - prefix.size());
    EXPECT_EQ(module.rfind(std::filesystem::canonical(dir.path()).string() + "/lib/", 0), 0u) << module;
    EXPECT_FALSE(exists("song.wav"));
    EXPECT_EQ(vek("song.vek", "bin/vek").status, 0);

    std::filesystem::create_directories(std::filesystem::path(module).parent_path());
    std::filesystem::copy_file(VEK_RENDER_MODULE, module);
    r = vek("--render song.wav song.vek", "bin/vek");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_GT(wavSeconds("song.wav", 44100), 0.5);
}

// Ctrl+C during a render (of ten minutes of music) leaves no audio file.
TEST(CliModes, InterruptedRenderLeavesNoAudio) {
    ScratchDir dir;
    dir.write("long.vek", "tempo =120 (ceg4 |)300");
    Background render({"--render", "long.wav", "long.vek"});
    Background::waitFor([] { return exists("long.wav.part"); });
    EXPECT_EQ(render.stop(), 130);
    EXPECT_FALSE(exists("long.wav.part"));
    EXPECT_FALSE(exists("long.wav"));
}
#endif

TEST(CliModes, WatchFindsEveryIncludedName) {
    EXPECT_EQ(cli::includedNames("] C [ include a.vek\nset m {INCLUDE [x y.vek]} (include \"b c.vek\" )\n"
                                 "sysex [fi dir\\d.syx] include"),
              (std::vector<std::string>{"a.vek", "y.vek", "b c.vek", "dir/d.syx"}));
}

// An editor that saves by writing a new file and renaming it over the old.
void saveByRename(const ScratchDir &dir, const std::string &name, const std::string &text) {
    dir.write(name + ".new", text);
    std::filesystem::rename(name + ".new", name);
}

// Once with inotify, once with the polling that other systems use.
class CliWatch : public ::testing::TestWithParam<bool> {};

TEST_P(CliWatch, RecompilesOnSavesOfTheSourceAndItsIncludes) {
    ScratchDir dir;
    if (GetParam()) setenv("VEK_WATCH_POLL", "1", 1);
    std::filesystem::create_directory("inc");
    dir.write("inc/part.vek", "set tune { C D }\n");
    dir.write("song.vek", "include inc/part.vek\ntune\n");
    Background watch({"--watch", "song.vek"});
    EXPECT_NE(watch.waitForLines(1).find(" ok in "), std::string::npos);
    // Let the first compile's watch settle before saving again.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    dir.write("inc/part.vek", "set tune { C D E }\n");
    std::string out = watch.waitForLines(2);
    EXPECT_NE(out.find("ok in"), std::string::npos) << out;
    EXPECT_NE(out.find(", 3 notes\n"), std::string::npos) << out;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    saveByRename(dir, "song.vek", "include inc/part.vek\ntune )\n");
    out = watch.waitForLines(3);
    EXPECT_NE(out.find("song.vek:2:7: error: No matching '(' for ')'\n"), std::string::npos) << out;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    saveByRename(dir, "song.vek", "include inc/part.vek\ntune tune\n");
    out = watch.waitForLines(4);
    EXPECT_NE(out.find(", 6 notes\n"), std::string::npos) << out;
    EXPECT_EQ(watch.stop(), 0);
    EXPECT_EQ(ScratchDir::read("watch-err.txt"), "");
    unsetenv("VEK_WATCH_POLL");
}
INSTANTIATE_TEST_SUITE_P(Cli, CliWatch, ::testing::Values(false, true));

}  // namespace
}  // namespace vek::test
