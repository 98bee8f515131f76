#include "support/reader_fixture.h"

#include <gtest/gtest.h>

#include "input/reader.h"

namespace vek::test {

ReaderFixture::ReaderFixture(const std::string &source, const std::string &includePath) {
    dir_.write("song.vek", source);
    song_ = std::make_unique<SongContext>();
    song_->listingPath = "song.vls";
    std::snprintf(song_->searchPath, sizeof song_->searchPath, "%s;;include;../include",
                  includePath.c_str());
    cs_ = std::make_unique<CompileState>(sourceName_, *song_);
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

}  // namespace vek::test
