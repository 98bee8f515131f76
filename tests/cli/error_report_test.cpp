// Where `vek` says a compile error is, and how it words it.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "cli/error_report.h"
#include "support/scratch_dir.h"

namespace vek::cli {
namespace {

struct LocateCase {
    const char *name;
    const char *text;
    int32_t position;
    int line;
    int column;
};

void PrintTo(const LocateCase &c, std::ostream *os) { *os << c.name; }

class Locate : public ::testing::TestWithParam<LocateCase> {};

TEST_P(Locate, LineAndColumnOfTheByteAtPosition) {
    const LocateCase &c = GetParam();
    const Location at = locate(c.text, c.position);
    EXPECT_EQ(at.line, c.line);
    EXPECT_EQ(at.column, c.column);
    // Fed a byte at a time, as a file's blocks end anywhere.
    LineCounter counter(c.position);
    for (const char *p = c.text; *p && counter.feed(std::string_view(p, 1)); ++p) {
    }
    EXPECT_EQ(counter.location().line, c.line);
    EXPECT_EQ(counter.location().column, c.column);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Locate,
    ::testing::Values(
        LocateCase{"Lf_FirstByte", "ab\ncd\n", 0, 1, 1},
        LocateCase{"Lf_SecondByte", "ab\ncd\n", 1, 1, 2},
        LocateCase{"Lf_LineFeed", "ab\ncd\n", 2, 1, 3},
        LocateCase{"Lf_SecondLine", "ab\ncd\n", 3, 2, 1},
        LocateCase{"Lf_SecondLineByte2", "ab\ncd\n", 4, 2, 2},
        // CR LF: the same columns as LF, though offsets count the CR.
        LocateCase{"CrLf_CarriageReturn", "ab\r\ncd\r\n", 2, 1, 3},
        LocateCase{"CrLf_LineFeed", "ab\r\ncd\r\n", 3, 1, 3},
        LocateCase{"CrLf_SecondLine", "ab\r\ncd\r\n", 4, 2, 1},
        LocateCase{"CrLf_SecondLineByte2", "ab\r\ncd\r\n", 5, 2, 2},
        LocateCase{"CrLf_LastLineFeed", "ab\r\ncd\r\n", 7, 2, 3},
        LocateCase{"LoneCrIsAColumn", "a\rb\n", 2, 1, 3},
        LocateCase{"EmptyLines", "\n\n\nx", 3, 4, 1},
        LocateCase{"JustPastTheEnd", "ab\ncd", 5, 2, 3},
        LocateCase{"FarPastTheEnd", "ab\ncd", 500, 2, 3},
        LocateCase{"EndAfterLineFeed", "ab\n", 3, 2, 1},
        LocateCase{"EmptyText", "", 0, 1, 1},
        LocateCase{"NegativePosition", "abc", -4, 1, 1}),
    [](const ::testing::TestParamInfo<LocateCase> &info) { return std::string(info.param.name); });

TEST(CliMessage, TrimsAndIndentsContinuationLines) {
    EXPECT_EQ(tidyMessage(" Bad number syntax "), "Bad number syntax");
    EXPECT_EQ(tidyMessage("\nunknown HashEntry Type\n"), "unknown HashEntry Type");
    EXPECT_EQ(tidyMessage(" Invalid tempo parameter \n tempo range is 10->240"),
              "Invalid tempo parameter\n    tempo range is 10->240");
    EXPECT_EQ(tidyMessage(" Invalid meter parameter.\nUse the format: meter=n/m e.g. meter=3/4.\n"
                          "'m' should be a power of 2 (1,2,4,8,16 or 32)"),
              "Invalid meter parameter.\n    Use the format: meter=n/m e.g. meter=3/4.\n"
              "    'm' should be a power of 2 (1,2,4,8,16 or 32)");
    EXPECT_EQ(tidyMessage(""), "");
}

FailedCompile located(const std::string &file, int32_t position) {
    return {" Syntax error: x ", file, true, position};
}

TEST(CliReport, NamesFileLineAndColumn) {
    test::ScratchDir dir;
    dir.write("song.vek", "c d\r\ne f x\r\n");
    EXPECT_EQ(errorReport(located("song.vek", 9), "song.vek", ""),
              "song.vek:2:5: error: Syntax error: x\n");
    // The compiler reports the name with ".vek" when it had to add it.
    EXPECT_EQ(errorReport(located("song.vek", 0), "song", ""), "song.vek:1:1: error: Syntax error: x\n");
}

TEST(CliReport, FindsIncludeFilesInTheCompilersOrder) {
    test::ScratchDir dir;
    dir.write("song.vek", "include inc.vek");
    dir.write("inc.vek", "cwd copy");
    dir.write("lib/inc.vek", "\nlib copy");
    dir.write("include/deep/x.vek", "abc");
    // -I folders come before the current folder.
    EXPECT_EQ(errorReport(located("inc.vek", 1), "song.vek", "other;lib"),
              "lib/inc.vek:2:1: error: Syntax error: x\n");
    EXPECT_EQ(errorReport(located("inc.vek", 1), "song.vek", "other"),
              "inc.vek:1:2: error: Syntax error: x\n");
    // "\" in an include name is a folder separator; "include" is searched last.
    EXPECT_EQ(errorReport(located("deep\\x.vek", 2), "song.vek", ""),
              "include/deep/x.vek:1:3: error: Syntax error: x\n");
}

TEST(CliReport, FallsBackToTheSourcePath) {
    test::ScratchDir dir;
    // No location: the texts that end a compile without a source position.
    EXPECT_EQ(errorReport({"sorry: too many notes for my memory! ", "", false, 0}, "song.vek", ""),
              "song.vek: error: sorry: too many notes for my memory!\n");
    // A location in a file that cannot be read any more.
    EXPECT_EQ(errorReport(located("gone.vek", 3), "song.vek", ""),
              "song.vek: error: Syntax error: x\n");
    // The compiler passes over a folder for a file further down the path.
    std::filesystem::create_directory("x.vek");
    dir.write("include/x.vek", "abc");
    EXPECT_EQ(errorReport(located("x.vek", 2), "song.vek", ""),
              "include/x.vek:1:3: error: Syntax error: x\n");
}

}  // namespace
}  // namespace vek::cli
