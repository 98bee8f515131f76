// The `vek` program run as a terminal user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>

#include "support/scratch_dir.h"
#include "support/smf_reader.h"

namespace vek::test {
namespace {

struct VekRun {
    int status;
    std::string out;
    std::string err;
};

// Runs vek in the current folder; `arguments` is shell text. The caller's
// VEK_INCLUDE_PATH is cleared unless `environment` sets it.
VekRun runVek(const std::string &arguments, const std::string &environment = "") {
    const std::string command = "env -u VEK_INCLUDE_PATH " + environment + " '" VEK_CLI_PATH "' " +
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
    EXPECT_NE(r.err.find("Cannot open file missing.vek"), std::string::npos) << r.err;
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
        "a.vek b.vek",           // two sources
        "-f mp3 a.vek",          // unknown format
        "a.vek -f",              // -f without its value
        "-l",                    // -l without its value
        "--select 5 a.vek",      // no colon
        "--select 5:3 a.vek",    // start after end
        "--select -1:2 a.vek",   // negative offset
        "--select 1:x a.vek",    // not a number
        "--select 0:99999999999 a.vek",  // beyond 32 bits
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
        for (const char *option : {"-f", "-l", "-I", "--select", "--extract", "--help",
                                   "VEK_INCLUDE_PATH", "midi", "wrk"})
            EXPECT_NE(r.out.find(option), std::string::npos) << flag << " lacks " << option;
    }
}

TEST(Cli, SelectionAndExtractOptionsCompile) {
    ScratchDir dir;
    dir.write("song.vek", "c d e f");
    EXPECT_EQ(runVek("--select 2:5 --extract song.vek").status, 0);
    EXPECT_EQ(runVek("--select=0:0 song.vek").status, 0);
    EXPECT_TRUE(exists("song.mid"));
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

}  // namespace
}  // namespace vek::test
