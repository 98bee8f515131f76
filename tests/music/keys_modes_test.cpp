// Key signatures, modes and degree chords.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/reader.h"
#include "input/symbol_table.h"
#include "music/keyword_fixture.h"
#include "music/keys_modes.h"
#include "music/keywords.h"
#include "music/macros.h"

namespace vek {
namespace {

using test::expectError;
using test::KeywordFixture;
using test::ReaderFixture;

std::vector<int> tableOf(const int8_t *table, int count) {
    return std::vector<int>(table, table + count);
}

// ---- key ----

struct KeyCase {
    const char *source;
    std::vector<int> letters;  // pitches of A to G
    int tonic;
    int sharps;
    bool flatNames;
};

class KeySignature : public testing::TestWithParam<KeyCase> {};

TEST_P(KeySignature, SetsTheLettersTonicSignatureAndNames) {
    const KeyCase &c = GetParam();
    KeywordFixture k(c.source);
    k.run(kwKey);
    VoiceState &v = k.voice();
    EXPECT_EQ(tableOf(v.key.table, 7), c.letters);
    EXPECT_EQ(tableOf(v.key.signature, 7), c.letters);
    EXPECT_EQ(v.key.tonic, c.tonic);
    EXPECT_EQ(k.song().keyTonic, c.tonic);
    EXPECT_EQ(k.song().meterMap.meterAt(0)->key, c.sharps);
    EXPECT_STREQ(k.cs().pitchNames,
                 c.flatNames ? "C D&D E&E F G&G A&A B&B " : "C C#D D#E F F#G G#A A#B ");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeySignature,
    testing::Values(KeyCase{"C", {9, 11, 0, 2, 4, 5, 7}, 0, 0, false},
                    KeyCase{"a", {9, 11, 0, 2, 4, 5, 7}, 0, 0, false},
                    KeyCase{"G", {9, 11, 0, 2, 4, 6, 7}, 7, 1, false},
                    KeyCase{"b", {9, 11, 1, 2, 4, 6, 7}, 2, 2, false},
                    KeyCase{"B", {10, 11, 1, 3, 4, 6, 8}, 11, 5, false},
                    KeyCase{"= d", {9, 10, 0, 2, 4, 5, 7}, 5, -1, true},
                    KeyCase{"f", {8, 10, 0, 1, 3, 5, 7}, 8, -4, true},
                    KeyCase{"B&", {9, 10, 0, 2, 3, 5, 7}, 10, -2, true},
                    KeyCase{"F#", {10, 11, 1, 3, 5, 6, 8}, 6, 6, false},
                    KeyCase{"e&", {8, 10, -1, 1, 3, 5, 6}, 6, -6, true},
                    // B# and Cb keep their octave, as accidentals do.
                    KeyCase{"C#", {10, 12, 1, 3, 5, 6, 8}, 1, 7, false},
                    KeyCase{"C&", {8, 10, -1, 1, 3, 4, 6}, 11, -7, true}));

TEST(KeyWord, AnotherLetterOrAThirdSharpOrFlatRaises14) {
    const struct {
        const char *source;
        int32_t position;
    } cases[] = {{"H", 1}, {"G#", 2}, {"F&", 2}, {"", 0}};
    for (const auto &c : cases) {
        KeywordFixture k(c.source);
        expectError(k.fail(kwKey), " Invalid key signature ", c.position);
    }
}

TEST(KeyWord, AtTopLevelMarksTheStartOfTheCurrentBar) {
    KeywordFixture k("E c");
    k.voice().timing.time = 1000;
    k.run(kwKey);
    MeterMap &map = k.song().meterMap;
    EXPECT_EQ(map.count, 2);
    const MeterEntry *e = map.meterAt(1000);
    EXPECT_EQ(e->time, 960);
    EXPECT_EQ(e->measure, 3);
    EXPECT_EQ(e->key, 4);
    EXPECT_EQ(e->numerator, 4);
    EXPECT_EQ(e->ticksPerBar, 480);
    EXPECT_EQ(map.meterAt(959)->key, 0);
    EXPECT_EQ(k.voice().timing.time, 1000);
    EXPECT_EQ(k.cs().ch, ' ');
}

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
