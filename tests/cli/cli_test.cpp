// The `vek` program run as a terminal user runs it.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/scratch_dir.h"
#include "support/smf_reader.h"
#include "support/song_events.h"

namespace vek::test {
namespace {

struct VekRun {
    int status;
    std::string out;
    std::string err;
};

// Runs vek in the current folder; `arguments` is shell text. The caller's
// VEK_INCLUDE_PATH is cleared unless `environment` sets it. A run that
// hangs is stopped after 60 s and fails with status 124.
VekRun runVek(const std::string &arguments, const std::string &environment = "") {
    const std::string command = "timeout 60 env -u VEK_INCLUDE_PATH " + environment + " '" VEK_CLI_PATH "' " +
                                arguments + " >stdout.txt 2>stderr.txt </dev/null";
    const int raw = std::system(command.c_str());
    VekRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ScratchDir::read("stdout.txt"),
          ScratchDir::read("stderr.txt")};
    std::filesystem::remove("stdout.txt");
    std::filesystem::remove("stderr.txt");
    return r;
}

bool exists(const std::string &name) { return std::filesystem::exists(name); }

TEST(Cli, EmptySourceWritesMidiAndLeavesNoScratchFiles) {
    ScratchDir dir;
    dir.write("song.vek", "");
    const VekRun r = runVek("song.vek");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ScratchDir::read("song.mid"), emptySongFile());
    EXPECT_FALSE(exists("song.vls"));
    EXPECT_FALSE(exists("sysex.out"));
}

TEST(Cli, SourceFoundWithVekAppended) {
    ScratchDir dir;
    dir.write("piece.vek", "");
    EXPECT_EQ(runVek("piece").status, 0);
    EXPECT_TRUE(exists("piece.mid"));
}

TEST(Cli, KeepsSysexOutThatExistedBefore) {
    ScratchDir dir;
    dir.write("song.vek", "");
    dir.write("sysex.out", "");
    EXPECT_EQ(runVek("song.vek").status, 0);
    EXPECT_TRUE(exists("sysex.out"));
}

TEST(Cli, KeepsListingNamedOnTheCommandLine) {
    ScratchDir dir;
    dir.write("song.vek", "");
    EXPECT_EQ(runVek("-l out.lst song.vek").status, 0);
    EXPECT_TRUE(exists("out.lst"));
}

TEST(Cli, KeepsTheDefaultListingWhenThePieceAsksForIt) {
    ScratchDir dir;
    dir.write("song.vek", "list\nc d e\n");
    const VekRun r = runVek("song.vek");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(ScratchDir::read("song.vls").empty());
}

TEST(Cli, MissingSourceIsACompileError) {
    ScratchDir dir;
    const VekRun r = runVek("missing");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot open file missing (nor missing.vek): No such file or directory"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.rfind("missing", 0), 0u) << "starts with the file: " << r.err;
    EXPECT_FALSE(exists("missing.mid")) << "the empty output is removed";
    EXPECT_FALSE(exists("missing.vls"));
    EXPECT_FALSE(exists("sysex.out"));
}

// The compiler reports the offset just past the last byte it read, here the
// line end after ")"; LF and CR LF files must give the same line:column.
TEST(Cli, SourceErrorNamesLineAndColumn) {
    ScratchDir dir;
    dir.write("lf.vek", "c d\ne f )\n");
    dir.write("crlf.vek", "c d\r\ne f )\r\n");
    for (const char *name : {"lf", "crlf"}) {
        const VekRun r = runVek(std::string(name) + ".vek");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, std::string(name) + ".vek:2:6: error: No matching '(' for ')'\n");
        EXPECT_FALSE(exists(std::string(name) + ".mid"));
    }
}

TEST(Cli, UsageErrorsExitWithTwo) {
    ScratchDir dir;
    dir.write("a.vek", "");
    dir.write("b.vek", "");
    const char *cases[] = {
        "",                      // no source
        "-l x.lst a.vek b.vek",  // one listing, two sources
        "--render a.wav a.vek b.vek",
        "--select 0:0 a.vek b.vek",
        "--watch a.vek b.vek",
        "--gain 1 a.vek",        // a sound setting without --render
        "--render a.wav --gain 11 a.vek",
        "--render a.wav --gain x a.vek",
        "--render a.wav --sample-rate 100 a.vek",
        "--render a.wav --soundfont= a.vek",
        "--render a.mp3 a.vek",  // not an audio type FluidSynth writes
        "--render a.vek",        // no source left
        "-j 0 a.vek b.vek",
        "-j x a.vek",
        "--watch=1 a.vek",
        "-f mp3 a.vek",          // unknown format
        "a.vek -f",              // -f without its value
        "-l",                    // -l without its value
        "--select 5 a.vek",      // no colon
        "--select 5:3 a.vek",    // start after end
        "--select -1:2 a.vek",   // negative offset
        "--select 1:x a.vek",    // not a number
        "--select 0:99999999999 a.vek",  // beyond 32 bits
        "--select 0:1 a.vek",    // past the end of the (empty) source
        "--select 7:9 a",        // past the end of a.vek, found by its extension
        "--bogus a.vek",
        "-q a.vek",
    };
    for (const char *args : cases) {
        const VekRun r = runVek(args);
        EXPECT_EQ(r.status, 2) << "vek " << args;
        EXPECT_NE(r.err.find("Usage: vek"), std::string::npos) << "vek " << args;
        EXPECT_EQ(r.out, "") << "vek " << args;
    }
    EXPECT_FALSE(exists("a.mid"));
}

// The compiler empties its output and listing before it reads the source,
// so names that fall on the source must be refused, not compiled.
TEST(Cli, RefusesToOverwriteTheSource) {
    ScratchDir dir;
    dir.write("tune.mid", "MThd kept");
    dir.write("tune.vek", "c d e");
    dir.write("tune.vls", "c d e");
    EXPECT_EQ(runVek("tune.mid").status, 2);
    EXPECT_EQ(runVek("-l tune.vek tune.vek").status, 2);
    EXPECT_EQ(runVek("tune.vls").status, 2);
    EXPECT_EQ(ScratchDir::read("tune.mid"), "MThd kept");
    EXPECT_EQ(ScratchDir::read("tune.vek"), "c d e");
    EXPECT_EQ(ScratchDir::read("tune.vls"), "c d e");
}

// A compile writes only its output, its listing and "sysex.out", and none
// of them over a file it reads.
TEST(Cli, NeverWritesOverAFileItReads) {
    ScratchDir dir;
    dir.write("lib.vek", "c d\n");
    dir.write("song.vek", "include lib.vek\ne f\n");
    VekRun r = runVek("-l lib.vek song.vek");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("The listing file \"lib.vek\" is a source of this piece"),
              std::string::npos) << r.err;
    EXPECT_EQ(ScratchDir::read("lib.vek"), "c d\n");

    dir.write("sysex.out", "c d\n");
    EXPECT_EQ(runVek("sysex.out").status, 0);
    EXPECT_EQ(ScratchDir::read("sysex.out"), "c d\n");

    dir.write("self.vek", "c include self.mid d\n");
    r = runVek("self.vek");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Unable to open include file \"self.mid\""), std::string::npos) << r.err;
}

// The compiler skips a listing it cannot open; the command does so only
// for the default listing, not for one the user named.
TEST(Cli, ANamedListingThatCannotBeWrittenFails) {
    ScratchDir dir;
    dir.write("song.vek", "list c\n");
    const VekRun r = runVek("-l nowhere/song.lst song.vek");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write the listing nowhere/song.lst"), std::string::npos) << r.err;
    EXPECT_FALSE(exists("song.mid"));
    std::filesystem::create_directory("song.vls");
    EXPECT_EQ(runVek("song.vek").status, 0);
}

// Two compiles at once in one folder (as make -j runs them) each carry
// their own system-exclusive message, and "sysex.out" is one of theirs,
// whole. A note-long piece keeps both running while the other starts.
TEST(Cli, ParallelCompilesInOneFolderKeepTheirOwnSysex) {
    ScratchDir dir;
    std::string notes;
    for (int i = 0; i < 20000; ++i) notes += "c d e f\n";
    dir.write("a.vek", "sysex s1 [F0 11 11 11 F7]\ns1\n" + notes);
    dir.write("b.vek", "sysex s1 [F0 22 22 22 F7]\ns1\n" + notes);
    std::string alone[2], sysex[2];
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(runVek(i == 0 ? "a.vek" : "b.vek").status, 0);
        alone[i] = ScratchDir::read(i == 0 ? "a.mid" : "b.mid");
        sysex[i] = ScratchDir::read("sysex.out");
    }
    const std::string vek = "'" VEK_CLI_PATH "' ";
    const std::string both = vek + "a.vek & sleep 0.05; " + vek + "b.vek & wait";
    for (int round = 0; round < 3; ++round) {
        std::filesystem::remove("a.mid");
        std::filesystem::remove("b.mid");
        ASSERT_EQ(std::system(("(" + both + ") >/dev/null 2>&1").c_str()), 0);
        EXPECT_TRUE(ScratchDir::read("a.mid") == alone[0]) << "round " << round;
        EXPECT_TRUE(ScratchDir::read("b.mid") == alone[1]) << "round " << round;
        const std::string left = ScratchDir::read("sysex.out");
        EXPECT_TRUE(left == sysex[0] || left == sysex[1]) << "round " << round;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."),
                            std::filesystem::directory_iterator()), 5)
        << "sources, outputs and sysex.out; no temporary file";
}

TEST(Cli, HelpDocumentsEveryOption) {
    ScratchDir dir;
    for (const char *flag : {"--help", "-h", "-f wrk --help x.vek"}) {
        const VekRun r = runVek(flag);
        EXPECT_EQ(r.status, 0) << flag;
        EXPECT_EQ(r.err, "") << flag;
        for (const char *option : {"-f", "-l", "-I", "--select", "--extract", "--render", "--soundfont",
                                   "--gain", "--sample-rate", "--watch", "-j", "--version", "--help",
                                   "VEK_INCLUDE_PATH", "midi", "wrk"})
            EXPECT_NE(r.out.find(option), std::string::npos) << flag << " lacks " << option;
    }
}

TEST(Cli, SelectionAndExtractOptionsCompile) {
    ScratchDir dir;
    dir.write("song.vek", "c d e f");
    EXPECT_EQ(runVek("--select 2:5 --extract song.vek").status, 0);
    EXPECT_EQ(runVek("--select=0:0 song.vek").status, 0);
    EXPECT_EQ(runVek("--select 7:7 song.vek").status, 0) << "the end itself is in the file";
    EXPECT_TRUE(exists("song.mid"));
}

// A device or a pipe as the source would never end; a link to a file is fine.
TEST(Cli, RefusesSourcesThatAreNotRegularFiles) {
    ScratchDir dir;
    dir.write("real.vek", "c d e");
    std::filesystem::create_symlink("real.vek", "link.vek");
    std::filesystem::create_symlink("/dev/zero", "zero.vek");
    ASSERT_EQ(mkfifo("pipe.vek", 0600), 0);
    EXPECT_EQ(runVek("link.vek").status, 0);
    for (const char *name : {"zero.vek", "pipe.vek"}) {
        const VekRun r = runVek(name);
        EXPECT_EQ(r.status, 2) << name;
        EXPECT_EQ(r.err.rfind(std::string("vek: ") + name, 0), 0u) << r.err;
        EXPECT_NE(r.err.find(".vek is not a regular file\n"), std::string::npos) << r.err;
    }
}

// Source bytes and file names reach a terminal escaped, never as raw
// control sequences.
TEST(Cli, MessagesShowUnprintableBytesEscaped) {
    ScratchDir dir;
    dir.write("word.vek", "q\x1b\n");
    dir.write("inc.vek", "include \"a\x1b[2J\xfe.vek\"\n");
    dir.write("n\xe9.vek", "c )");
    EXPECT_EQ(runVek("word.vek").err,
              "word.vek:1:2: error: Sorry, I can't figure out what \"q\\x1B\" means.\n");
    EXPECT_EQ(runVek("inc.vek").err,
              "inc.vek:2:1: error: Unable to open include file \"a\\x1B[2J\\xFE.vek\"\n");
    EXPECT_EQ(runVek("n\xe9.vek").err, "n\\xE9.vek:1:4: error: No matching '(' for ')'\n");
    EXPECT_EQ(runVek("-\x07 word.vek").err.rfind("vek: unknown option -\\x07\n", 0), 0u);
}

// The report counts lines by streaming the source: its peak memory must not
// grow with the file. A child's peak starts at this process's peak, which a
// run on a tiny source records; the file is written in blocks so as not to
// raise it, and is large enough to stand out.
TEST(Cli, ErrorDeepInALargeSourceIsLocatedInLittleMemory) {
    ScratchDir dir;
    const std::string block(64 * 1024, '\n');
    const std::size_t lineFeeds = 256 * block.size();  // 16 MiB
    {
        std::ofstream large("large.vek", std::ios::binary);
        for (std::size_t n = 0; n < lineFeeds; n += block.size()) large << block;
        large << "c )";
    }
    dir.write("small.vek", "c )");
    EXPECT_EQ(runVek("small.vek").status, 1);
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const long baselineKiB = usage.ru_maxrss;
    const VekRun r = runVek("large.vek");
    EXPECT_EQ(r.err, "large.vek:" + std::to_string(lineFeeds + 1) + ":4: error: No matching '(' for ')'\n");
    getrusage(RUSAGE_CHILDREN, &usage);
    EXPECT_LT(usage.ru_maxrss - baselineKiB, static_cast<long>(lineFeeds / 1024 / 2));
}

// The include file is found only where the options or the environment
// point; the shipped data folder is searched without being named.
TEST(Cli, IncludeFilesAreFoundWhereTheOptionsPoint) {
    ScratchDir dir;
    std::filesystem::create_directories("lib/deeper");
    dir.write("lib/deeper/part.vek", "c d e\n");
    dir.write("song.vek", "include part.vek\nf g\n");
    dir.write("shipped.vek", "include gm.vek\nc\n");
    struct Case {
        const char *arguments;
        const char *environment;
        int status;
    };
    const Case cases[] = {
        {"song.vek", "", 1},
        {"-I lib -Ilib/deeper song.vek", "", 0},
        {"song.vek", "VEK_INCLUDE_PATH='other;lib/deeper'", 0},
        {"-I lib song.vek", "VEK_INCLUDE_PATH=lib", 1},
        {"shipped.vek", "", 0},
    };
    for (const Case &c : cases) {
        const VekRun r = runVek(c.arguments, c.environment);
        EXPECT_EQ(r.status, c.status) << c.environment << " vek " << c.arguments << "\n" << r.err;
        if (c.status == 1) {
            EXPECT_NE(r.err.find("Unable to open include file \"part.vek\""), std::string::npos)
                << r.err;
        }
    }
}

// A folder is not a source: the next name is tried, and when none is a
// file the message says why each one failed.
TEST(Cli, AFolderIsPassedOverForTheNextName) {
    ScratchDir dir;
    std::filesystem::create_directories("song");
    std::filesystem::create_directories("tune");
    dir.write("song.vek", "c d\n");
    EXPECT_EQ(runVek("song").status, 0);
    const auto events = songEvents(ScratchDir::read("song.mid"));
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](auto &e) { return e.kind == "note"; }), 2);
    const VekRun r = runVek("tune");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot open file tune: Is a directory (nor tune.vek: No such file or "
                         "directory)"),
              std::string::npos)
        << r.err;
}

// Long names are neither cut nor lost: a search path of many entries still
// ends in the shipped folder, a source deep in long folders opens, and an
// error in a long-named source or include is placed at its line.
TEST(Cli, LongPathsAndNamesWork) {
    ScratchDir dir;
    const std::string folder = std::string(130, 'd') + "/" + std::string(130, 'e');  // 270 bytes with the name
    std::filesystem::create_directories(folder);
    const std::string source = folder + "/song.vek";
    dir.write(source, "include gm.vek\nc d\ne )\n");
    std::string path;
    for (int i = 0; i < 40; ++i) path += "no/such/folder" + std::to_string(i) + ";";
    VekRun r = runVek(source, "VEK_INCLUDE_PATH='" + path + "'");
    EXPECT_EQ(r.err, source + ":3:4: error: No matching '(' for ')'\n");

    const std::string part = std::string(90, 'p') + ".vek";
    dir.write(part, "c\nd )\n");
    dir.write("main.vek", "c include " + part + " d\n");
    r = runVek("main.vek");
    EXPECT_EQ(r.err, part + ":2:4: error: No matching '(' for ')'\n");
}

// Every include file stays open to the end of the compile; running out of
// open files is named as such, not as a missing file.
TEST(Cli, RunningOutOfOpenFilesIsNamed) {
    if (!exists("/usr/bin/prlimit")) GTEST_SKIP() << "no prlimit here";
    ScratchDir dir;
    std::string source;
    for (int i = 0; i < 20; ++i) {
        const std::string name = "f" + std::to_string(i) + ".vek";
        dir.write(name, "c\n");
        source += "include " + name + "\n";
    }
    dir.write("song.vek", source);
    const VekRun r = runVek("song.vek", "prlimit --nofile=16 --");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("the system allows this program no more open files"), std::string::npos)
        << r.err;
}

}  // namespace
}  // namespace vek::test
