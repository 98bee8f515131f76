// Drives the reader directly: a CompileState opened on a source text.
#pragma once
#include <memory>
#include <string>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "support/scratch_dir.h"
#include "vek/vekmain.h"

namespace vek::test {

class ReaderFixture {
public:
    // Writes `source` as "song.vek" and opens it (listing "song.vls").
    explicit ReaderFixture(const std::string &source, const std::string &includePath = "");
    ~ReaderFixture();

    CompileState &cs() { return *cs_; }
    SongContext &song() { return *song_; }
    const ScratchDir &dir() const { return dir_; }
    // Characters read in normal mode up to the end of input.
    std::string readAll();
    // Runs `step` and returns the error it throws (fails the test when
    // nothing is thrown).
    template <typename F>
    SourceError expectError(F step) {
        try {
            step();
        } catch (const SourceError &e) {
            return e;
        }
        noErrorThrown();
        return SourceError{};
    }

private:
    static void noErrorThrown();
    ScratchDir dir_;
    std::unique_ptr<SongContext> song_;
    std::unique_ptr<CompileState> cs_;
};

// A source that must fail: the code, message text and byte position
// (just past the last character read) of its error.
struct SourceErrorCase {
    const char *source;
    int code;
    const char *message;
    int32_t position;
};

// Parses `c.source` as a whole piece and checks its error.
void expectSourceError(const SourceErrorCase &c);

}  // namespace vek::test
