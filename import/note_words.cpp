#include "import/note_words.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numeric>

namespace vek::import {

namespace {

constexpr char kLetters[] = "CDEFGAB";
// Letter index and alteration of each pitch class, spelt with sharps or flats.
constexpr int kSharpLetter[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
constexpr int kSharpAlter[12] = {0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0};
constexpr int kFlatLetter[12] = {0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6};
constexpr int kFlatAlter[12] = {0, -1, 0, -1, 0, 0, -1, 0, -1, 0, -1, 0};
constexpr int kSharpOrder[7] = {3, 0, 4, 1, 5, 2, 6};  // F C G D A E B

bool isReserved(const std::string &name) {
    static const char *const kWords[] = {
        "accent", "aftertouch", "author", "break", "cchannel", "channel", "chord_effect",
        "chord_pattern", "chromatic", "comments", "control", "copy", "copyright", "crescendo",
        "cue", "cursor", "debug_off", "debug_on", "diatonic", "displacement", "drop", "duration",
        "duration_factor", "gap", "include", "instructions", "into", "inv", "key", "keywords",
        "list", "list_smpte", "marker", "maximum", "mci", "meter", "min_change", "minimum", "mode",
        "name2", "nolist", "note_effect", "note_pattern", "octave", "patch", "pattern", "pick",
        "pitch_range", "polyphonic", "port", "ppq", "range", "rate", "relative_pitch", "restart",
        "seed", "set", "shift", "smpte", "smpte_offset", "squeeze", "stretch", "subtitle", "sysex",
        "tempo", "text", "time", "title", "tonality", "track", "velocity", "velocity_range", "vek",
        "w", "wave", "wheel", "wipe"};
    for (const char *w : kWords)
        if (name == w) return true;
    return false;
}

}  // namespace

void LetterState::setKey(int sharps) {
    for (int &a : alter) a = 0;
    for (int i = 0; i < std::abs(sharps) && i < 7; ++i)
        alter[sharps > 0 ? kSharpOrder[i] : kSharpOrder[6 - i]] = sharps > 0 ? 1 : -1;
}

std::string noteWord(int key, bool flats, const std::string &length, LetterState &state) {
    const int pc = key % 12, octave = key / 12;
    const int letter = flats ? kFlatLetter[pc] : kSharpLetter[pc];
    const int alter = flats ? kFlatAlter[pc] : kSharpAlter[pc];
    std::string word(1, octave == 4 ? static_cast<char>(kLetters[letter] + 32) : kLetters[letter]);
    if (state.alter[letter] != alter) word += alter > 0 ? "#" : alter < 0 ? "&" : "^";
    state.alter[letter] = alter;
    word += length;
    if (octave != 4 && octave != 5) word += "@" + std::to_string(octave);
    return word;
}

std::string lengthText(uint32_t ticks, uint32_t unit) {
    const uint32_t g = std::gcd(ticks, unit);
    const uint32_t p = ticks / g, q = unit / g;
    if (q == 1) return p == 1 ? "" : std::to_string(p);
    if (p == 3 && q == 2) return ".";
    return (p == 1 ? "" : std::to_string(p)) + "/" + std::to_string(q);
}

std::string tempoText(uint32_t microseconds, bool &exact) {
    // The compiler keeps hundredths of beats per minute and writes
    // 6,000,000,000 / tempo microseconds, cut to a whole number.
    const int64_t hundredths = std::llround(6e9 / std::max<uint32_t>(microseconds, 1));
    exact = hundredths > 0 && 6000000000LL / hundredths == microseconds;
    std::string text = "tempo =" + std::to_string(hundredths / 100);
    const int64_t rest = hundredths % 100;
    if (rest) text += (rest < 10 ? ".0" : ".") + std::to_string(rest % 10 ? rest : rest / 10);
    return text;
}

std::string keyText(int sharps, bool minor) {
    static const char *const kMajor[15] = {"C&", "G&", "D&", "A&", "E&", "B&", "F", "C",
                                           "G",  "D",  "A",  "E",  "B",  "F#", "C#"};
    static const char *const kMinor[15] = {"a&", "e&", "b&", "f", "c", "g", "d", "a",
                                           "e",  "b",  "f#", "c#", "g#", "d#", "a#"};
    const int i = std::clamp(sharps, -7, 7) + 7;
    return std::string("key ") + (minor ? kMinor[i] : kMajor[i]);
}

std::string bracketText(const std::string &text) {
    std::string out;
    int depth = 0;
    for (char c : text) {
        if (c == '[') ++depth;
        if (c == ']' && depth-- == 0) {
            depth = 0;
            c = ')';
        }
        out += c == '\n' || c == '\r' ? ' ' : c;
    }
    for (size_t i = out.size(); depth > 0 && i-- > 0;)
        if (out[i] == '[') out[i] = '(', --depth;
    return "[" + out + "]";
}

std::string cleanName(const std::string &raw) {
    std::string name;
    bool upper = false;
    for (char c : raw) {
        const bool word = std::isalnum(static_cast<unsigned char>(c)) || c == '_';
        if (word) name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        upper = !word && !name.empty();
    }
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) name = "part" + name;
    if (name.find_first_not_of("abcdefghmrtwABCDEFGHMRTW") == std::string::npos || isReserved(name))
        name += "_part";
    return name;
}

}  // namespace vek::import
