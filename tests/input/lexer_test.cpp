// Names and blanks.
#include <gtest/gtest.h>

#include <string>

#include "input/lexer.h"
#include "input/reader.h"
#include "support/reader_fixture.h"

namespace vek {
namespace {

using test::ReaderFixture;

// Reads the first name of `source` and returns it with what follows it.
struct NameRead {
    int result;
    std::string name;
    int ch;
    std::string rest;
};

NameRead readFirstName(const std::string &source, int maxLen = kStatementNameMax) {
    ReaderFixture f(source);
    CompileState &cs = f.cs();
    nextChar(cs, kReadNormal);
    NameRead r{readName(cs, maxLen, false), cs.name, cs.ch, ""};
    r.rest = f.readAll();
    return r;
}

TEST(ReadName, StopsAtEachDelimiter) {
    struct Case {
        const char *source, *name;
        int ch;
        const char *rest;
    } cases[] = {
        {"Vl1=4", "Vl1", '=', "4"},
        {"a#b.c!(x)", "a#b.c!", '(', "x)"},
        {"name]", "name", ']', ""},
        {"x+1", "x", '+', "1"},
        {"x-1", "x", '-', "1"},
        {"x;y", "x", ';', "y"},
        {"lyr\"la\"", "lyr", '"', "la\""},
        {"   padded  next", "padded", ' ', "  next"},
    };
    for (const Case &c : cases) {
        const NameRead r = readFirstName(c.source);
        EXPECT_EQ(r.name, c.name) << c.source;
        EXPECT_EQ(r.ch, c.ch) << c.source;
        EXPECT_EQ(r.rest, c.rest) << c.source;
    }
}

// The blank after a name is read once more, and in an LF-only file the
// name's last character is not read again.
TEST(ReadName, TheBlankAfterANameIsReadAgainWhateverTheLineEnds) {
    for (const char *source : {"abc\ndef", "abc\r\ndef", "abc def", "abc\tdef"}) {
        ReaderFixture f(source);
        CompileState &cs = f.cs();
        nextChar(cs, kReadNormal);
        readName(cs, kStatementNameMax, false);
        EXPECT_STREQ(cs.name, "abc") << source;
        const std::string rest = f.readAll();
        EXPECT_EQ(rest.substr(1), "def") << source;
        EXPECT_TRUE(isBlank(static_cast<unsigned char>(rest[0]))) << source;
    }
}

TEST(ReadName, AMacroCharacterEndsTheNameAndIsReadAgain) {
    ReaderFixture f("x{y}");
    nextChar(f.cs(), kReadNormal);
    EXPECT_EQ(readName(f.cs(), kStatementNameMax, false), 0);
    EXPECT_STREQ(f.cs().name, "x");
    EXPECT_EQ(f.cs().ch, ' ');
    // Read again in normal mode, the "{" starts a call of y.
    EXPECT_EQ(f.expectError([&] { f.readAll(); }).code, 4);
    EXPECT_STREQ(f.cs().name, "y");
}

TEST(ReadName, ReportsWhetherTheNameStartsWithALetter) {
    EXPECT_EQ(readFirstName("_x").result, 0);
    EXPECT_EQ(readFirstName("Zed").result, 0);
    EXPECT_EQ(readFirstName("9lives ").result, ' ');
    EXPECT_EQ(readFirstName("#x=").result, '=');
}

TEST(ReadName, LengthLimitsGiveCode9) {
    const std::string eighty(80, 'n');
    EXPECT_EQ(readFirstName(eighty + " ", kStatementNameMax).name, eighty);

    ReaderFixture declared(eighty + " ");
    nextChar(declared.cs(), kReadNormal);
    const SourceError e = declared.expectError(
        [&] { readName(declared.cs(), kDeclaredNameMax, false); });
    EXPECT_EQ(std::string(e.message), " Too many characters in symbol " + eighty + " ");

    // Far beyond the buffer: refused, and nothing overruns.
    ReaderFixture huge(std::string(5000, 'q'));
    nextChar(huge.cs(), kReadNormal);
    EXPECT_EQ(huge.expectError([&] { readName(huge.cs(), kStatementNameMax, false); }).code, 9);
    EXPECT_EQ(std::string(huge.cs().name).size(), static_cast<size_t>(kNameBytes - 1));
}

TEST(SkipBlanks, SetsTheStatementStart) {
    ReaderFixture f(" \t\n x");
    CompileState &cs = f.cs();
    nextChar(cs, kReadNormal);
    cs.atStatementStart = 0;
    EXPECT_EQ(skipBlanks(cs), 1);
    EXPECT_EQ(cs.ch, 'x');
    EXPECT_EQ(cs.atStatementStart, 1);
    EXPECT_EQ(skipBlanks(cs), 0);
}

}  // namespace
}  // namespace vek
