#include "support/reader_fixture.h"

#include <gtest/gtest.h>

#include "input/reader.h"
#include "statements/statement_parser.h"

namespace vek::test {

ReaderFixture::ReaderFixture(const std::string &source, const std::string &includePath) {
    dir_.write("song.vek", source);
    song_ = std::make_unique<SongContext>();
    song_->listingPath = "song.vls";
    song_->searchPath = includePath + ";;include;../include";
    cs_ = std::make_unique<CompileState>("song.vek", *song_);
    cs_->open();
}

ReaderFixture::~ReaderFixture() {
    cs_.reset();
    song_.reset();
}

std::string ReaderFixture::readAll() {
    std::string out;
    for (;;) {
        const int c = nextChar(*cs_, kReadNormal);
        if (c == kEndOfInput) return out;
        out += static_cast<char>(c);
    }
}

void ReaderFixture::noErrorThrown() { ADD_FAILURE() << "expected a ParseError"; }

void expectSourceError(const SourceErrorCase &c) {
    ReaderFixture f(c.source);
    const SourceError e = f.expectError([&] { parseGroup(f.cs(), f.cs().root); });
    EXPECT_EQ(e.code, c.code) << c.source;
    EXPECT_STREQ(e.message, c.message) << c.source;
    EXPECT_EQ(e.position, c.position) << c.source;
    EXPECT_STREQ(e.fileName, "song.vek") << c.source;
}

}  // namespace vek::test
