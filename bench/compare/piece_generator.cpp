#include "piece_generator.h"

#include <array>
#include <cstdio>

namespace vek::compare {

namespace {

constexpr int kVoices = 4;
constexpr int kBarsPerSection = 4;
constexpr int kPlays = 2;  // each section is played twice

// Bar rhythms as length suffixes, written the same in both languages (a
// quarter note is the unit); each adds up to a 4/4 bar.
struct Rhythm {
    int count;
    std::array<const char *, 8> lengths;
};
constexpr std::array<Rhythm, 6> kRhythms{{
    {4, {"", "", "", ""}},
    {5, {"/2", "/2", "", "", ""}},
    {3, {"2", "", ""}},
    {8, {"/2", "/2", "/2", "/2", "/2", "/2", "/2", "/2"}},
    {3, {"3/2", "/2", "2"}},
    {6, {"", "/2", "/2", "/2", "/2", ""}},
}};

// Voice octaves: Vek's track octave shift and lower-case letters against
// ABC's letter case and commas give the same keys (72, 60, 48 and 36 up).
struct VoiceOctave {
    const char *vekHeader;
    bool vekLower;
    bool abcLower;
    const char *abcSuffix;
};
constexpr std::array<VoiceOctave, kVoices> kOctaves{{
    {"@@+1", false, true, ""},
    {"", false, false, ""},
    {"", true, false, ","},
    {"@@-1", true, false, ",,"},
}};

struct Random {
    uint32_t state = 12345;
    uint32_t next() {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7FFF;
    }
};

struct Writer {
    VekStyle style;
    Piece piece;
    Random random;
    int voice = 0;

    void note(char letter, const char *length) {
        const VoiceOctave &o = kOctaves[voice];
        const char vekLetter = o.vekLower ? static_cast<char>(letter + 32) : letter;
        const char abcLetter = o.abcLower ? static_cast<char>(letter + 32) : letter;
        if (style == VekStyle::kMacros) {
            // An argument of the bar's macro, which carries the length.
            piece.vek += ',';
            piece.vek += vekLetter;
        } else {
            piece.vek += vekLetter;
            piece.vek += length;
            piece.vek += ' ';
        }
        piece.abc += abcLetter;
        piece.abc += o.abcSuffix;
        piece.abc += length;
        piece.abc += ' ';
    }

    int bar() {
        const int r = static_cast<int>(random.next() % kRhythms.size());
        const Rhythm &rhythm = kRhythms[r];
        if (style == VekStyle::kMacros) piece.vek += "{r" + std::to_string(r);
        for (int i = 0; i < rhythm.count; ++i) note("CDEFGAB"[random.next() % 7], rhythm.lengths[i]);
        piece.vek += style == VekStyle::kMacros ? "} " : "| ";
        return rhythm.count;
    }

    int section() {
        piece.vek += '(';
        piece.abc += "|: ";
        int written = 0;
        for (int b = 0; b < kBarsPerSection; ++b) {
            written += bar();
            if (b + 1 < kBarsPerSection) piece.abc += "| ";
        }
        piece.vek += ")2~\n";
        piece.abc += ":|\n";
        return written * kPlays;
    }

    void voiceBody(int64_t notes) {
        char header[64];
        std::snprintf(header, sizeof header, "track v%d $$%d %s\n", voice + 1, voice + 1,
                      kOctaves[voice].vekHeader);
        piece.vek += header;
        std::snprintf(header, sizeof header, "V:%d\n", voice + 1);
        piece.abc += header;
        for (int64_t played = 0; played < notes;) {
            const int n = section();
            played += n;
            piece.notes += n;
        }
    }
};

// One macro per rhythm: the pitches are the arguments, the bar line ends it.
// An argument number is one character, so "?12" is argument 1 lasting 2.
std::string rhythmMacros() {
    std::string s;
    for (size_t r = 0; r < kRhythms.size(); ++r) {
        s += "set r" + std::to_string(r) + " {";
        for (int i = 0; i < kRhythms[r].count; ++i)
            s += " ?" + std::to_string(i + 1) + kRhythms[r].lengths[i];
        s += " | }\n";
    }
    return s;
}

}  // namespace

Piece generatePiece(int64_t notes, VekStyle style) {
    Writer w{style, {}, {}, 0};
    w.piece.vek = "tempo =120\n";
    if (style == VekStyle::kListing) w.piece.vek += "list\n";
    if (style == VekStyle::kMacros) w.piece.vek += rhythmMacros();
    w.piece.abc = "X:1\nT:compare\nM:4/4\nL:1/4\nQ:1/4=120\nK:C\n";
    for (w.voice = 0; w.voice < kVoices; ++w.voice) w.voiceBody((notes + kVoices - 1) / kVoices);
    return w.piece;
}

}  // namespace vek::compare
