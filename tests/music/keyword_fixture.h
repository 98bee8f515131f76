// Runs reserved words directly on a compile state opened on a source text.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/reader.h"
#include "music/keyword_statement.h"
#include "support/reader_fixture.h"

namespace vek::test {

// The first character is read, as the statement parser leaves it after the
// word; run() then executes the word on the rest of the text.
class KeywordFixture {
public:
    explicit KeywordFixture(const std::string &source) : f_(source) { nextChar(cs(), kReadNormal); }

    CompileState &cs() { return f_.cs(); }
    SongContext &song() { return f_.song(); }
    VoiceState &voice() { return *f_.cs().voice; }
    Track &track() { return *f_.cs().voice->track; }
    ReaderFixture &reader() { return f_; }

    void run(int index) { EXPECT_TRUE(KeywordStatement(cs(), index)); }
    ParseError fail(int index) {
        return f_.expectError([&] { KeywordStatement(cs(), index); });
    }

    // The symbol of `name`, or null.
    HashEntry *symbol(const std::string &name) { return cs().symbols.find(name.c_str()); }

    static std::vector<Event> events(Track &t) {
        std::vector<Event> out;
        for (int32_t i = 0; i < t.count(); ++i) out.push_back(*t.at(i));
        return out;
    }

private:
    ReaderFixture f_;
};

// A source error: its message, the file and the offset just past the last
// character read.
inline void expectError(const ParseError &e, const std::string &message, int32_t position) {
    EXPECT_EQ(std::string(e.message), message);
    EXPECT_EQ(std::string(e.fileName), "song.vek");
    EXPECT_EQ(e.position, position);
}

}  // namespace vek::test
