// One call of Vekmain: results, output naming and files left behind.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iterator>
#include <string>

#include "entry/output_name.h"
#include "support/compile.h"
#include "support/scratch_dir.h"

namespace vek {
namespace {

using test::compileText;
using test::CompileOptions;
using test::ScratchDir;
namespace fs = std::filesystem;

std::string header(uint16_t tracks) {
    return std::string("MThd\0\0\0\6\0\1\0", 11) + static_cast<char>(tracks) + std::string("\0\x78", 2);
}

TEST(Vekmain, AnEmptySourceCompilesToAConductorTrackOnly) {
    ScratchDir dir;
    const auto r = compileText("");
    EXPECT_FALSE(r.failed()) << r.message();
    EXPECT_EQ(r.result.hasLocation, 0);
    EXPECT_EQ(r.result.actions, 0);
    ASSERT_GE(r.output.size(), 22u);
    EXPECT_EQ(r.output.substr(0, 14), header(1));
    EXPECT_TRUE(fs::exists("sysex.out"));
}

TEST(Vekmain, AMissingSourceIsReportedWithItsExtendedName) {
    ScratchDir dir;
    const std::string listing = "missing.vls";
    VekmainArgs args{"missing", "midi", listing.c_str(), "", nullptr, nullptr, nullptr, "1.200"};
    const ParseError r = Vekmain(7, &args);
    EXPECT_EQ(r.failed, 1);
    EXPECT_EQ(r.hasLocation, 1);
    EXPECT_STREQ(r.message, "Cannot open file missing (nor missing.vek): No such file or directory");
    EXPECT_STREQ(r.fileName, "missing.vek");
    EXPECT_EQ(r.position, 0);
    EXPECT_EQ(fs::file_size("missing.mid"), 0u);
}

// The 80-byte name field keeps "..." and the last 76 characters of a longer
// name; the fields behind it (flags and position) must come through intact.
TEST(Vekmain, ALongFileNameKeepsItsEndInItsField) {
    ScratchDir dir;
    const std::string path = std::string(90, 'n') + ".vek";
    dir.write(path, "c d\ne )");
    VekmainArgs args{path.c_str(), "midi", "song.vls", "", nullptr, nullptr, nullptr, "1.200"};
    const ParseError r = Vekmain(7, &args);
    EXPECT_EQ(r.failed, 1);
    EXPECT_EQ(r.hasLocation, 1);
    EXPECT_EQ(r.actions, 0);
    EXPECT_STREQ(r.message, " No matching '(' for ')'");
    EXPECT_EQ(std::string(r.fileName), "..." + path.substr(path.size() - 76));
    EXPECT_EQ(r.position, 7);  // just past ")"
}

TEST(Vekmain, ASourceNamedWithoutItsExtensionIsFound) {
    ScratchDir dir;
    dir.write("tune.vek", "c d e");
    VekmainArgs args{"tune", "midi", "tune.vls", "", nullptr, nullptr, nullptr, "1.200"};
    const ParseError r = Vekmain(7, &args);
    EXPECT_EQ(r.failed, 0) << r.message;
    EXPECT_GT(fs::file_size("tune.mid"), 14u);
}

TEST(Vekmain, AWrongVersionIsReportedButTheOutputIsWritten) {
    ScratchDir dir;
    for (const auto &[count, version] : {std::pair{7, "1.100"}, std::pair{6, "1.200"}}) {
        CompileOptions o;
        o.count = count;
        o.version = version;
        const auto r = compileText("", o);
        EXPECT_EQ(r.result.failed, 1);
        EXPECT_EQ(r.result.hasLocation, 0);
        EXPECT_EQ(r.message(), "Vek1.2.dll cannot be used with this program");
        EXPECT_EQ(r.output.substr(0, 14), header(1));
    }
}

TEST(Vekmain, AnOutputThatCannotBeCreatedLeavesNoListing) {
    ScratchDir dir;
    fs::create_directory("song.mid");  // a folder where the file should go
    const auto r = compileText("c");
    EXPECT_EQ(r.result.failed, 1);
    EXPECT_EQ(r.result.hasLocation, 0);
    EXPECT_EQ(r.message(),
              "Problem opening output file: song.mid The file may be in use by another program. ");
    EXPECT_FALSE(fs::exists("song.vls"));
}

// A full disk surfaces only when the buffered bytes are flushed.
TEST(Vekmain, AnOutputThatCannotBeWrittenInFullIsAFailure) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    ScratchDir dir;
    fs::create_symlink("/dev/full", "song.mid");
    dir.write("song.vtp", "C D E");
    VekmainArgs args{"song.vtp", "midi", "song.vls", "", nullptr, nullptr, nullptr, "1.200"};
    const ParseError r = Vekmain(7, &args);  // (reading /dev/full back would never end)
    EXPECT_EQ(r.failed, 1);
    EXPECT_EQ(r.hasLocation, 0);
    EXPECT_STREQ(r.message, "Problem writing output file: song.mid The disk may be full. ");
}

// Compiles song.vtp in a child process whose files may not grow beyond
// `bytes`; the result comes back through a pipe.
ParseError compileWithFileLimit(const char *format, rlim_t bytes) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        VekmainArgs args{"song.vtp", format, "song.vls", "", nullptr, nullptr, nullptr, "1.200"};
        const ParseError r = Vekmain(7, &args);
        _exit(write(pipeEnds[1], &r, sizeof r) == sizeof r ? 0 : 1);
    }
    close(pipeEnds[1]);
    ParseError r{};
    if (read(pipeEnds[0], &r, sizeof r) != sizeof r) r.failed = 2;
    close(pipeEnds[0]);
    waitpid(child, nullptr, 0);
    return r;
}

// A write that stops part way leaves no file that looks like music.
TEST(Vekmain, AnOutputCutShortIsLeftEmpty) {
    ScratchDir dir;
    std::string notes;
    for (int i = 0; i < 100; ++i) notes += "C D E F ";
    dir.write("song.vtp", notes);
    for (const auto &[format, name] : {std::pair{"midi", "song.mid"}, std::pair{"wrk", "song.wrk"}}) {
        SCOPED_TRACE(format);
        const ParseError r = compileWithFileLimit(format, 300);
        EXPECT_EQ(r.failed, 1);
        EXPECT_EQ(std::string(r.message),
                  std::string("Problem writing output file: ") + name + " The disk may be full. ");
        EXPECT_EQ(fs::file_size(name), 0u);
    }
}

// The format is checked before any output is created.
TEST(Vekmain, AnUnknownFormatIsAFailureWithoutOutput) {
    ScratchDir dir;
    dir.write("song.vtp", "C");
    for (const char *format : {"mp3", static_cast<const char *>(nullptr)}) {
        VekmainArgs args{"song.vtp", format, "song.vls", "", nullptr, nullptr, nullptr, "1.200"};
        const ParseError r = Vekmain(7, &args);
        EXPECT_EQ(r.failed, 1);
        EXPECT_EQ(r.hasLocation, 0);
        EXPECT_EQ(std::string(r.message), std::string("Unknown output format \"") +
                                              (format ? format : "") + "\": use \"midi\" or \"wrk\"");
        EXPECT_FALSE(fs::exists("song.wrk"));
        EXPECT_FALSE(fs::exists("song.mid"));
    }
}

TEST(Vekmain, ASysexFileThatCannotBeWrittenFailsAndLeavesTheOutputEmpty) {
    ScratchDir dir;
    fs::create_directory("sysex.out");
    const auto r = compileText("c");
    EXPECT_EQ(r.result.failed, 1);
    EXPECT_EQ(r.result.hasLocation, 0);
    EXPECT_EQ(r.message(), " Cannot open sysex file for writing");
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 4)
        << "source, output, listing and the sysex.out folder; no temporary file";
}

// The output is created empty before the source is read.
TEST(Vekmain, AnOutputThatIsTheSourceIsRefused) {
    ScratchDir dir;
    CompileOptions o;
    o.sourceName = "tune.mid";
    const auto r = compileText("c d e", o);
    EXPECT_EQ(r.result.failed, 1);
    EXPECT_EQ(r.result.hasLocation, 0);
    EXPECT_EQ(r.message(),
              " The output file \"tune.mid\" would overwrite the source; rename the source to end "
              "in .vek");
    EXPECT_EQ(ScratchDir::read("tune.mid"), "c d e");
}

TEST(Vekmain, TooFewArgumentsAreAUsageFailure) {
    ScratchDir dir;
    CompileOptions o;
    o.count = 1;
    EXPECT_EQ(compileText("", o).message(), "Usage: vek <filename>");
    const ParseError r = Vekmain(7, nullptr);
    EXPECT_EQ(r.failed, 1);
}

TEST(Vekmain, FormatsNameTheOutput) {
    ScratchDir dir;
    CompileOptions o;
    o.format = "wrk";
    compileText("", o);
    EXPECT_TRUE(fs::exists("song.wrk"));
}

TEST(Vekmain, TwoCompilesInOneProcessDoNotSeeEachOther) {
    ScratchDir dir;
    const auto first = compileText("c d e");
    CompileOptions o;
    o.sourceName = "other.vtp";
    o.listingName = "other.vls";
    const auto second = compileText("", o);
    const auto third = compileText("c d e");
    EXPECT_EQ(first.output, third.output);
    EXPECT_FALSE(second.failed());
}

TEST(OutputName, CutsOnlyAFinalShortExtension) {
    const std::pair<const char *, const char *> cases[] = {
        {"song.vtp", "song"},
        {"my.dir/song", "my.dir/song"},
        {"../song.vtp", "../song"},
        {"a.b", "a.b"},
        {"song.vek.vtp", "song.vek"},
        {"song.long", "song.long"},
        {"x", "x"},
        {"", ""},
    };
    for (const auto &[in, out] : cases) {
        char stem[260];
        std::snprintf(stem, sizeof stem, "%s", in);
        cutExtension(stem);
        EXPECT_STREQ(stem, out) << in;
    }
}

// Deep folders are common; the extension must go however long the path.
TEST(OutputName, LongPathsLoseTheirExtensionToo) {
    const std::string folder(150, 'f');
    char stem[260];
    std::snprintf(stem, sizeof stem, "%s/song.vtp", folder.c_str());
    cutExtension(stem);
    EXPECT_EQ(std::string(stem), folder + "/song");
    char out[16];
    EXPECT_FALSE(outputName("a-rather-long-stem", "midi", out, sizeof out));
    char fits[32];
    EXPECT_TRUE(outputName("stem", "wrk", fits, sizeof fits));
    EXPECT_STREQ(fits, "stem.wrk");
}

}  // namespace
}  // namespace vek
