// The command line of `vek`, the search path it builds and the files it names.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/file_names.h"
#include "cli/include_path.h"
#include "cli/options.h"
#include "support/scratch_dir.h"

namespace vek::cli {
namespace {

TEST(CliOptions, ReadsEveryOption) {
    const auto p = parseOptions({"-f", "wrk", "-l", "out.lst", "-I", "a", "-Ib", "--select", "3:9",
                                 "--extract", "--render", "x.flac", "--soundfont=s.sf2", "--gain", "0.25",
                                 "--sample-rate=48000", "--watch", "-j2", "song.vek"});
    ASSERT_EQ(p.error, "");
    const Options &o = p.options;
    EXPECT_EQ(o.format, "wrk");
    EXPECT_EQ(o.listingPath, "out.lst");
    EXPECT_EQ(o.includeDirs, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(o.selectionStart, 3);
    EXPECT_EQ(o.selectionEnd, 9);
    EXPECT_TRUE(o.extract);
    EXPECT_EQ(o.source, "song.vek");
    EXPECT_EQ(o.renderPath, "x.flac");
    EXPECT_EQ(o.soundFont, "s.sf2");
    EXPECT_EQ(o.gain, 0.25);
    EXPECT_EQ(o.sampleRate, 48000);
    EXPECT_TRUE(o.watch);
    EXPECT_EQ(o.jobs, 2);
}

TEST(CliOptions, Defaults) {
    const auto p = parseOptions({"song.vek"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.format, "midi");
    EXPECT_EQ(p.options.listingPath, "");
    EXPECT_EQ(p.options.selectionStart, 0);
    EXPECT_EQ(p.options.selectionEnd, 0);
    EXPECT_FALSE(p.options.extract);
}

TEST(CliOptions, DoubleDashEndsOptions) {
    const auto p = parseOptions({"--", "-odd.vek"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.source, "-odd.vek");
    EXPECT_EQ(parseOptions({"--", "--help"}).options.source, "--help");
}

TEST(CliOptions, RejectsBadCommandLines) {
    const std::vector<std::vector<std::string>> cases = {
        {}, {"-l", "x", "a", "b"}, {"-f", "smf", "a"}, {"a", "-I"}, {"-I", "x;y", "a"},
        {"--select", "1:", "a"}, {"--select", ":1", "a"}, {"--select", "+1:2", "a"},
        {"--select", "2147483647:2147483648", "a"}, {"--extract=1", "a"}, {"-x", "a"},
    };
    for (const auto &args : cases) {
        const auto p = parseOptions(args);
        EXPECT_NE(p.error, "") << ::testing::PrintToString(args);
        EXPECT_FALSE(p.options.help);
    }
    EXPECT_EQ(parseOptions({"--select", "2147483647:2147483647", "a"}).error, "");
}

TEST(CliIncludePath, DashIThenEnvironmentThenData) {
    EXPECT_EQ(buildIncludePath({"a", "b"}, "c;;d;", "/data"), "a;b;c;d;/data");
    EXPECT_EQ(buildIncludePath({"a"}, nullptr, "/data"), "a;/data");
    EXPECT_EQ(buildIncludePath({}, "", "/data"), "/data");
    EXPECT_EQ(buildIncludePath({}, "e", ""), "e");
    EXPECT_EQ(buildIncludePath({}, nullptr, ""), "");
}

TEST(CliIncludePath, InstalledDataFolderWinsOverTheSourceTree) {
    test::ScratchDir dir;
    const auto root = dir.path();
    std::filesystem::create_directories(root / "bin");
    EXPECT_EQ(dataIncludeDir(root / "bin" / "vek", "/src/data"), "/src/data");
    std::filesystem::create_directories(root / "share" / "vek");
    EXPECT_EQ(dataIncludeDir(root / "bin" / "vek", "/src/data"), root / "share" / "vek");
    EXPECT_EQ(dataIncludeDir("", "/src/data"), "/src/data");
}

TEST(CliIncludePath, FindsTheRunningProgram) {
    const auto self = executablePath(nullptr);
    ASSERT_FALSE(self.empty());
    EXPECT_TRUE(std::filesystem::exists(self));
}

TEST(CliFileNames, ListingAndOutputNames) {
    EXPECT_EQ(defaultListingPath("song.vek"), "song.vls");
    EXPECT_EQ(defaultListingPath("my.dir/song"), "my.dir/song.vls");
    EXPECT_EQ(defaultListingPath("../song.vtp"), "../song.vls");
    EXPECT_EQ(outputPath("song.vtp", "midi"), "song.mid");
    EXPECT_EQ(outputPath("my.dir/song", "midi"), "my.dir/song.mid");
    EXPECT_EQ(outputPath("../song.vtp", "wrk"), "../song.wrk");
    EXPECT_EQ(outputPath("a.b", "midi"), "a.b.mid");  // too short to lose anything
    EXPECT_EQ(outputPath("song.music", "midi"), "song.music.mid");
    EXPECT_EQ(outputPath("song.mid", "midi"), "song.mid");
}

TEST(CliFileNames, ClashesWithTheSource) {
    test::ScratchDir dir;
    dir.write("song.vek", "c");
    dir.write("tune.mid", "");
    dir.write("other.mid", "");
    EXPECT_EQ(fileClash("song.vek", "song.vls", "midi"), "");
    EXPECT_NE(fileClash("song.vek", "./song.vek", "midi"), "");
    EXPECT_NE(fileClash("tune.mid", "tune.vls", "midi"), "");
    EXPECT_EQ(fileClash("tune.mid", "tune.vls", "wrk"), "");
    EXPECT_NE(fileClash("song.vek", "song.mid", "midi"), "");
    // "song" is read as song.vek, so a listing named so would empty it.
    EXPECT_NE(fileClash("song", "song.vek", "midi"), "");
}

TEST(CliFileNames, RemovesOnlyEmptyFiles) {
    test::ScratchDir dir;
    dir.write("empty", "");
    dir.write("full", "x");
    removeIfEmpty("empty");
    removeIfEmpty("full");
    removeIfEmpty("absent");
    EXPECT_FALSE(std::filesystem::exists("empty"));
    EXPECT_TRUE(std::filesystem::exists("full"));
}

}  // namespace
}  // namespace vek::cli
