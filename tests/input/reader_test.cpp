// The reader: comments, line ends, the block cache, limits and the listing echo.
#include <gtest/gtest.h>

#include <string>

#include "input/errors.h"
#include "input/reader.h"
#include "support/reader_fixture.h"

namespace vek {
namespace {

using test::ReaderFixture;

TEST(Reader, QuoteCommentsAreSkipped) {
    ReaderFixture f("c 'like this' d\ne 'open to the end\nf");
    EXPECT_EQ(f.readAll(), "c  d\ne \nf");
}

TEST(Reader, CrLfReadsLikeLfButPositionsCountBoth) {
    ReaderFixture lf("ab\ncd");
    ReaderFixture crlf("ab\r\ncd");
    EXPECT_EQ(lf.readAll(), "ab\ncd");
    ReaderFixture again("ab\r\ncd");
    std::string text;
    int32_t positionOfC = -1;
    for (int c; (c = nextChar(again.cs(), kReadNormal)) != kEndOfInput;) {
        text += static_cast<char>(c);
        if (c == 'c') positionOfC = position(again.cs());
    }
    EXPECT_EQ(text, "ab\ncd");
    EXPECT_EQ(positionOfC, 5);  // just past the "c" at offset 4
}

TEST(Reader, AByteOf255IsAPlainByte) {
    ReaderFixture f(std::string("ab\xff" "cd"));
    EXPECT_EQ(f.readAll(), "ab\xff" "cd");
}

// Random access across many blocks must return the file's bytes, whatever
// the cache held before.
TEST(Reader, LoadReturnsTheRightBytesAnywhere) {
    constexpr int32_t b = kCacheBytes;
    const int32_t size = 37 * b + 11;
    std::string source;
    for (int32_t i = 0; i < size; ++i) source += static_cast<char>('a' + (i * 7) % 26);
    ReaderFixture f(source);
    CompileState &cs = f.cs();
    const int32_t offsets[] = {0, size - 1, b, b - 1, 20 * b, 20 * b - 1, 30 * b, 15,
                               size - 1, 0, 12 * b, 12 * b + 1, b / 2};
    for (int32_t off : offsets) {
        ASSERT_TRUE(load(cs, kSourceSlot, off));
        EXPECT_EQ(nextRaw(cs), static_cast<unsigned char>(source[off])) << off;
        EXPECT_EQ(position(cs), off + 1);
    }
    seek(cs, -2, true);
    EXPECT_EQ(position(cs), b / 2 - 1);
    seek(cs, 100, false);
    EXPECT_EQ(nextRaw(cs), static_cast<unsigned char>(source[100]));
}

TEST(Reader, ReadingPastTheEndKeepsReturningEndOfInput) {
    ReaderFixture f("x");
    EXPECT_EQ(f.readAll(), "x");
    EXPECT_EQ(nextChar(f.cs(), kReadNormal), kEndOfInput);
    EXPECT_EQ(position(f.cs()), 1);
}

TEST(Reader, TheCharacterBudgetEndsRunawayInputWithCode79) {
    ReaderFixture f("c d e f g a b c d e f g");
    f.cs().in.charactersLeft = 5;
    const SourceError e = f.expectError([&] { f.readAll(); });
    EXPECT_EQ(e.code, kMsgTooLong);
    EXPECT_NE(std::string(e.message).find("Piece too long"), std::string::npos);
    EXPECT_STREQ(e.fileName, "song.vek");
}

TEST(Reader, UnreadBlankStepsBackOverCrLfAndLfAlike) {
    for (const char *source : {"ab\ncd", "ab\r\ncd", "ab cd"}) {
        ReaderFixture f(source);
        CompileState &cs = f.cs();
        nextChar(cs, kReadNormal);
        nextChar(cs, kReadNormal);
        const int blank = nextChar(cs, kReadName);
        unreadBlank(cs);
        EXPECT_EQ(nextChar(cs, kReadNormal), blank) << source;
        EXPECT_EQ(nextChar(cs, kReadNormal), 'c') << source;
    }
}

TEST(ListingEcho, CollapsesBlanksAndWrapsAtTwentyCharacters) {
    ReaderFixture f("abc   def\n\tghi  jklmnopqrstuvwxyz0123");
    f.cs().setListOn(1);
    f.readAll();
    f.cs().closeFiles();
    EXPECT_EQ(test::ScratchDir::read("song.vls"), "abc defghi jklmnopqr\n");
    EXPECT_EQ(std::string(f.cs().echoLine, f.cs().echoIndex), "stuvwxyz0123");
}

TEST(ListingEcho, AClosingBraceHidesItselfAndTheNextCharacter) {
    ReaderFixture f("");
    CompileState &cs = f.cs();
    cs.setListOn(1);
    for (const char c : std::string("ab}cde")) echoChar(cs, c);
    EXPECT_EQ(std::string(cs.echoLine, cs.echoIndex), "abde");
}

TEST(ListingEcho, WordsWrapInsteadOfOverrunningTheLine) {
    ReaderFixture f("");
    CompileState &cs = f.cs();
    cs.setListOn(1);
    listWord(cs, "tempo");
    listWord(cs, "a_name_much_longer_than_twenty_characters");
    cs.closeFiles();
    EXPECT_EQ(test::ScratchDir::read("song.vls"),
              "tempo \na_name_much_longer_t\nhan_twenty_character\n");
    EXPECT_EQ(std::string(cs.echoLine, cs.echoIndex), "s ");
}

TEST(ListingEcho, StopsForGoodPastTheCap) {
    std::string source;
    for (int i = 0; i < 50000; ++i) source += "abcdefghij";
    ReaderFixture f(source);
    f.cs().setListOn(1);
    f.readAll();
    EXPECT_EQ(f.cs().listOn, 0);
    EXPECT_GT(f.cs().listedBytes, kListingCap);
    EXPECT_LT(f.cs().listedBytes, kListingCap + 64);
}

TEST(SelectionBookkeeping, RecordsTheVoiceTimesAtTheOffsets) {
    ReaderFixture f("abcdefgh");
    SongContext &song = f.song();
    song.selectionFlag = 1;
    song.selectionStart = 2;
    song.selectionEnd = 5;
    song.selectionEndTime = kNoNextTime;
    CompileState &cs = f.cs();
    cs.refreshQuiet();
    for (int t = 0; nextChar(cs, kReadNormal) != kEndOfInput; t += 10) cs.voice->timing.time = t + 10;
    EXPECT_EQ(song.selectionState, 2);
    EXPECT_EQ(song.selectionStartTime, 20);
    EXPECT_EQ(song.selectionEndTime, 50);
}

TEST(SelectionBookkeeping, MarksTheTrackUnderTheStartForExtraction) {
    ReaderFixture f("abc");
    f.song().extractMode = 1;
    f.song().selectionStart = f.song().selectionEnd = 1;
    f.cs().refreshQuiet();
    f.readAll();
    EXPECT_EQ(f.song().defaultTrack->selected, 1);
}

}  // namespace
}  // namespace vek
