// Include files: the search path, reading each file once, returning, errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "input/errors.h"
#include "input/lexer.h"
#include "input/open_file.h"
#include "input/reader.h"
#include "support/reader_fixture.h"

namespace vek {
namespace {

using test::ReaderFixture;

// Reads the source, running `include` after each word "include" as the
// keyword statement does, and returns the characters seen.
std::string readWithIncludes(ReaderFixture &f) {
    CompileState &cs = f.cs();
    std::string seen;
    nextChar(cs, kReadNormal);
    for (;;) {
        if (cs.ch == kEndOfInput) {
            if (!returnFromInclude(cs)) return seen;
            seen += '|';
            nextChar(cs, kReadNormal);
            continue;
        }
        if (isNameStart(cs.ch)) {
            readName(cs, kStatementNameMax, true);
            seen += cs.name;
            if (std::string(cs.name) == "include") {
                skipBlanks(cs);
                include(cs);
                seen += '<';
            }
        } else {
            seen += static_cast<char>(cs.ch);
        }
        nextChar(cs, kReadNormal);
    }
}

TEST(Include, ReadsTheFileInPlaceAndReturnsAfterTheName) {
    ReaderFixture f("a include inc.vek b\nc");
    f.dir().write("inc.vek", "x y");
    EXPECT_EQ(readWithIncludes(f), "a include<x y|b\nc");
}

TEST(Include, EachFileIsReadOncePerCompile) {
    ReaderFixture f("include inc.vek include inc.vek z");
    f.dir().write("inc.vek", "x");
    EXPECT_EQ(readWithIncludes(f), "include<x|include<z");
}

TEST(Include, BracketListsTakeTheLastItemAndQuotedBlanks) {
    ReaderFixture f("include [ignored \"my file.vek\"]z");
    f.dir().write("my file.vek", "q");
    EXPECT_EQ(readWithIncludes(f), "include<q|z");
}

TEST(Include, BackslashesInNamesAreFolderSeparators) {
    ReaderFixture f("include sub\\inc.vek z");
    f.dir().write("sub/inc.vek", "w");
    EXPECT_EQ(readWithIncludes(f), "include<w|z");
}

TEST(Include, FilesAreFoundOnTheSearchPathInOrder) {
    ReaderFixture f("include x.vek", "lib");
    f.dir().write("lib/x.vek", "fromlib");
    f.dir().write("x.vek", "fromhere");
    f.dir().write("include/x.vek", "frominclude");
    EXPECT_EQ(readWithIncludes(f), "include<fromlib|");
}

TEST(Include, TheDefaultTailTriesHereThenIncludeThenItsParent) {
    test::ScratchDir dir;
    dir.write("include/a.vek", "A");
    dir.write("b.vek", "B-here");
    dir.write("include/b.vek", "B-include");
    dir.write("include/c.vek", "C-include");
    dir.write("work/include/c.vek", "C-work");
    std::filesystem::current_path(dir.path() / "work");
    const char *tail = ";;include;../include";
    const auto first = [&](const char *name) {
        std::FILE *f = openOnPath(name, "rb", tail);
        if (!f) return std::string("none");
        char buf[32] = {};
        std::fread(buf, 1, sizeof buf - 1, f);
        std::fclose(f);
        return std::string(buf);
    };
    EXPECT_EQ(first("a.vek"), "A");          // ../include
    EXPECT_EQ(first("c.vek"), "C-work");     // include beside, before ../include
    EXPECT_EQ(first("../b.vek"), "B-here");  // the name itself
    EXPECT_EQ(first("zzz.vek"), "none");
}

TEST(IncludeErrors, AMissingFileGivesCode31NamedInTheIncludingFile) {
    ReaderFixture f("c include nothere.vek d");
    const ParseError e = f.expectError([&] { readWithIncludes(f); });
    EXPECT_STREQ(e.message, " Unable to open include file \"nothere.vek\"");
    EXPECT_STREQ(e.fileName, "song.vek");
    EXPECT_EQ(e.position, 22);
}

TEST(IncludeErrors, AnErrorInsideAnIncludeNamesThatFileAndOffset) {
    ReaderFixture f("c include inc.vek d");
    f.dir().write("inc.vek", "xy\r\nzz");
    CompileState &cs = f.cs();
    nextChar(cs, kReadNormal);
    nextChar(cs, kReadNormal);
    readName(cs, kStatementNameMax, true);
    skipBlanks(cs);
    include(cs);
    for (int i = 0; i < 4; ++i) nextChar(cs, kReadNormal);  // x y LF z
    const ParseError e = f.expectError([&] { error(cs, 5); });
    EXPECT_STREQ(e.fileName, "inc.vek");
    EXPECT_EQ(e.position, 5);
    EXPECT_STREQ(e.message, " Bad number syntax ");
    EXPECT_EQ(cs.in.depth, 0);  // every file closed, the listing too
}

TEST(IncludeErrors, AnUnfinishedListGivesCode73) {
    ReaderFixture f("include [a b c");
    const ParseError e = f.expectError([&] { readWithIncludes(f); });
    EXPECT_STREQ(e.message, " ']' expected.");
}

// Neither the count of include files nor the length of their names or of
// a bracket list is capped.
TEST(Include, ManyFilesLongNamesAndLongListsAreRead) {
    std::string source, seen;
    auto name = [](int i) { return std::string(120, 'f').append(std::to_string(i)).append(".vek"); };
    for (int i = 0; i < 40; ++i) source.append("include [x y z ").append(name(i)).append("] ");
    ReaderFixture f(source);
    for (int i = 0; i < 40; ++i) {
        f.dir().write(name(i), "n");
        seen.append("include<n| ");
    }
    EXPECT_EQ(readWithIncludes(f), seen);
}

TEST(OpenOnPath, JoinsEntriesWithTheNameAndSkipsWhatDoesNotFit) {
    test::ScratchDir dir;
    dir.write("one/n.vek", "1");
    dir.write("two/n.vek", "2");
    std::FILE *f = openOnPath("n.vek", "rb", (std::string(300, 'z') + ";two;one").c_str());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(std::fgetc(f), '2');
    std::fclose(f);
    EXPECT_EQ(openOnPath("n.vek", "rb", "three;;four"), nullptr);
}

}  // namespace
}  // namespace vek
