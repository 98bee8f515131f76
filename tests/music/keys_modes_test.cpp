// Bodies of modes and degree chords that are refused, with their codes. Key
// signatures are language cases (tests/language/keys).
#include <gtest/gtest.h>

#include <string>

#include "input/reader.h"
#include "input/symbol_table.h"
#include "support/reader_fixture.h"
#include "support/scratch_dir.h"
#include "music/keys_modes.h"
#include "music/macros.h"

namespace vek {
namespace {

using test::ReaderFixture;

// ---- modes and degree chords ----

// Bodies written in the source; the reader stands at `start` when applied.
class Bodies {
public:
    explicit Bodies(const std::string &source, char start = '!') : f_(source) {
        const size_t at = source.find(start);
        const size_t offset = at == std::string::npos ? source.size() : at;
        load(cs(), cs().in.current, static_cast<int32_t>(offset));
        nextChar(cs(), kReadNormal);
    }
    CompileState &cs() { return f_.cs(); }
    VoiceState &voice() { return *f_.cs().voice; }

    // The n-th "[" body of the source.
    Definition body(int n) {
        const std::string text = test::ScratchDir::read("song.vek");
        size_t at = std::string::npos;
        for (int i = 0; i <= n; ++i) at = text.find('[', at + 1);
        return Definition{cs().in.current, static_cast<int32_t>(at + 1), 0, 0, 0};
    }

private:
    ReaderFixture f_;
};

TEST(ApplyMode, BadBodiesReturn56Or7) {
    const struct {
        std::string body;
        int code;
    } cases[] = {{"[]", 56},        {"[C x]", 56},   {"[C@=]", 56},   {"[C {m}]", 56},
                 {"[C D", 56},      {"[#11 C]", 7},  {"[C@12]", 7},   {"[B@11 B]", 7},
                 {"[" + std::string(33, 'C') + "]", 56}};
    for (const auto &c : cases) {
        Bodies b(c.body + " !");
        EXPECT_EQ(ApplyMode(b.cs(), b.body(0), b.voice(), false), c.code) << c.body;
        EXPECT_EQ(b.cs().ch, '!') << c.body;
    }
}

TEST(ApplyDegreeChord, BadBodiesReturn56Or7) {
    const struct {
        const char *body;
        int code;
    } cases[] = {{"[]", 56}, {"[0 x]", 56}, {"[128]", 7}, {"[0 1", 56}};
    for (const auto &c : cases) {
        Bodies b(std::string(c.body) + " !");
        EXPECT_EQ(ApplyDegreeChord(b.cs(), b.body(0), b.voice(), false), c.code) << c.body;
    }
}

}  // namespace
}  // namespace vek
