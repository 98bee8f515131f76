// Key signatures, modes and degree chords.
#include "music/keys_modes.h"

#include <cstring>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/keyword_words.h"
#include "music/macros.h"
#include "music/numbers.h"
#include "music/pitch.h"
#include "music/ticks.h"

namespace vek {

namespace {

constexpr int32_t kMaxMultiplier = 10;   // octaves per wrap of a mode
constexpr int32_t kMaxDegree = 127;

// ---- Key signatures ----

// Indices of the letters in the key tables (A to G).
enum Letter { kA, kB, kC, kD, kE, kF, kG };

struct KeyRow {
    char letter;     // upper case: a major key; lower case: its relative minor
    int8_t sharps;   // flats negative
    uint8_t tonic;   // pitch class of the major tonic
};

constexpr KeyRow kKeys[] = {
    {'C', 0, 0},  {'a', 0, 0},  {'G', 1, 7},   {'e', 1, 7},  {'D', 2, 2},
    {'b', 2, 2},  {'A', 3, 9},  {'E', 4, 4},   {'B', 5, 11}, {'F', -1, 5},
    {'d', -1, 5}, {'g', -2, 10}, {'c', -3, 3}, {'f', -4, 8},
};
constexpr Letter kSharpOrder[] = {kF, kC, kG, kD, kA, kE};
constexpr Letter kFlatOrder[] = {kB, kE, kA, kD};

const KeyRow *findKey(int letter) {
    for (const KeyRow &k : kKeys)
        if (k.letter == letter) return &k;
    return nullptr;
}

// "#" or "&" after the letter moves every letter by a semitone. The letters
// keep their octave: B# is 12 and Cb is -1, as the accidentals of notes are.
void shiftWholeKey(CompileState &cs, VoiceState &v, int8_t &sharps, int direction) {
    if (sharps * direction > 0) error(cs, kMsgInvalidKey);
    sharps = static_cast<int8_t>(sharps + 7 * direction);
    for (int8_t &pitch : v.key.table) pitch = static_cast<int8_t>(pitch + direction);
    v.key.tonic = static_cast<uint8_t>((v.key.tonic + 12 + direction) % 12);
    advance(cs);
}

// The new key takes effect from the start of the bar that holds the voice's
// time, in a meter entry that copies the meter in force.
void markKey(CompileState &cs, int8_t sharps) {
    int32_t start = 0;
    const int32_t bar = barIndexAt(cs, cs.voice->timing.time, &start);
    MeterMap &map = cs.song->meterMap;
    const MeterEntry *inForce = map.meterAt(start);
    MeterEntry e = inForce ? *inForce : MeterEntry{0, 1, 4, 2, 0, 120, 480};
    e.time = start;
    e.measure = bar + 1;
    e.key = sharps;
    checkEventTime(cs, start);
    map.insertMeter(e);
}

// ---- Mode and chord bodies, read again from their definitions ----

// Where the reader stood before a body was read again.
struct ReadPosition {
    int stream;
    int32_t offset;
    int ch;
};

ReadPosition enterBody(CompileState &cs, const Definition &d) {
    const ReadPosition saved{cs.in.current, position(cs), cs.ch};
    load(cs, d.stream, d.bodyPosition);
    nextChar(cs, kReadRaw);
    return saved;
}

void leaveBody(CompileState &cs, const ReadPosition &saved) {
    load(cs, saved.stream, saved.offset);
    cs.ch = saved.ch;
}

// Bodies are read raw: a macro character in them is an error, not a call.
void rawAdvance(CompileState &cs) { nextChar(cs, kReadRaw); }

void skipRawBlanks(CompileState &cs) {
    while (isBlank(cs.ch)) rawAdvance(cs);
}

bool isDigit(int c) { return c >= '0' && c <= '9'; }

// An optional sign and decimal digits; false when no digit follows.
bool readInteger(CompileState &cs, int32_t &value) {
    const bool negative = cs.ch == '-';
    if (cs.ch == '+' || cs.ch == '-') rawAdvance(cs);
    if (!isDigit(cs.ch)) return false;
    int64_t n = 0;
    for (; isDigit(cs.ch); rawAdvance(cs))
        if (n <= 1000000) n = n * 10 + (cs.ch - '0');
    value = static_cast<int32_t>(negative ? -n : n);
    return true;
}

// The optional header: "#" (up), "&" (down) or "^" (no octave) and an
// optional number of octaves per wrap.
int readStep(CompileState &cs, int8_t &step) {
    const int c = cs.ch;
    if (c != '#' && c != '&' && c != '^') return 0;
    rawAdvance(cs);
    int32_t octaves = 1;
    if (isDigit(cs.ch) && (!readInteger(cs, octaves) || octaves > kMaxMultiplier))
        return kMsgOutOfRange;
    step = static_cast<int8_t>(c == '#' ? octaves : c == '&' ? -octaves : 0);
    skipRawBlanks(cs);
    return 0;
}

int storeEntry(ModeTable &t, int32_t pitch) {
    if (t.last + 1 >= kMaxModeEntries) return kMsgBadMode;
    if (pitch < -128 || pitch > 127) return kMsgOutOfRange;
    t.entries[++t.last] = static_cast<int8_t>(pitch);
    return 0;
}

// "@" after a mode entry: "@n" n octaves, "@=n" octave n counted from the
// middle, a bare "@" one octave up (upper case) or down (lower case).
int entryOctave(CompileState &cs, int32_t &pitch, bool upper) {
    rawAdvance(cs);
    const bool absolute = cs.ch == '=';
    if (absolute) rawAdvance(cs);
    const bool signOrDigit = isDigit(cs.ch) || cs.ch == '+' || cs.ch == '-';
    int32_t n = 0;
    if (!signOrDigit || !readInteger(cs, n)) {
        if (absolute || signOrDigit) return kMsgBadMode;
        pitch += upper ? 12 : -12;
        return 0;
    }
    if (n < -10 || n > 11) return kMsgOutOfRange;
    pitch += 12 * n - (absolute ? 60 : 0);
    return 0;
}

// A letter and its "#", "&" and "@" modifiers: semitones from middle C's
// octave (lower case letters one octave down).
int readModeEntry(CompileState &cs, const VoiceState &v, ModeTable &t) {
    const int c = cs.ch;
    const bool upper = c >= 'A' && c <= 'G';
    if (!upper && !(c >= 'a' && c <= 'g')) return kMsgBadMode;
    int32_t pitch = v.key.natural[c - (upper ? 'A' : 'a')] - (upper ? 0 : 12);
    rawAdvance(cs);
    for (;;) {
        if (cs.ch == '#' || cs.ch == '&') {
            pitch += cs.ch == '#' ? 1 : -1;
            rawAdvance(cs);
        } else if (cs.ch == '@') {
            if (const int code = entryOctave(cs, pitch, upper)) return code;
        } else {
            return storeEntry(t, pitch);
        }
    }
}

int readModeBody(CompileState &cs, const VoiceState &v, ModeTable &t) {
    skipRawBlanks(cs);
    if (const int code = readStep(cs, t.step)) return code;
    while (cs.ch != ']') {
        if (const int code = readModeEntry(cs, v, t)) return code;
        skipRawBlanks(cs);
    }
    return t.last < 0 ? kMsgBadMode : 0;
}

// Degree n of the source, whole wraps of the source adding its step of
// octaves each.
int32_t degreePitch(const ModeTable &source, int32_t n) {
    const int32_t length = source.last + 1;
    int32_t wraps = n >= 0 ? n / length : -((-n + length - 1) / length);
    return source.entries[n - wraps * length] + 12 * wraps * source.step;
}

int readChordBody(CompileState &cs, const ModeTable &source, ModeTable &t) {
    skipRawBlanks(cs);
    t.step = source.step;
    if (const int code = readStep(cs, t.step)) return code;
    while (cs.ch != ']') {
        int32_t n = 0;
        if (!readInteger(cs, n)) return kMsgBadMode;
        if (n < -kMaxDegree || n > kMaxDegree) return kMsgOutOfRange;
        if (const int code = storeEntry(t, degreePitch(source, n))) return code;
        skipRawBlanks(cs);
    }
    return t.last < 0 ? kMsgBadMode : 0;
}

const Definition *definitionOf(const HashEntry &e) {
    return static_cast<const Definition *>(e.value.object);
}

// The chords applied in cascade, again on a new mode: the first on the
// mode itself, each further one on the chord before it.
int reapplyChords(CompileState &cs, VoiceState &v) {
    for (int i = 0; i < v.key.cascadeCount && i < kMaxCascade; ++i) {
        const Definition *d = v.key.chordSymbols[i] ? definitionOf(*v.key.chordSymbols[i]) : nullptr;
        if (!d) return kMsgBadMode;
        if (const int code = ApplyDegreeChord(cs, *d, v, i > 0)) return code;
    }
    return 0;
}

}  // namespace

void ReadKeySignature(CompileState &cs) {
    VoiceState &v = *cs.voice;
    skipBlanks(cs);
    if (cs.ch == '=') {
        advance(cs);
        skipBlanks(cs);
    }
    const KeyRow *key = findKey(cs.ch);
    if (!key) error(cs, kMsgInvalidKey);
    advance(cs);
    SettlePitchMemory(v);
    std::memcpy(v.key.table, v.key.natural, sizeof v.key.table);
    int8_t sharps = key->sharps;
    v.key.tonic = key->tonic;
    for (int i = 0; i < sharps; ++i) ++v.key.table[kSharpOrder[i]];
    for (int i = 0; i < -sharps; ++i) --v.key.table[kFlatOrder[i]];
    if (cs.ch == '#') shiftWholeKey(cs, v, sharps, 1);
    else if (cs.ch == '&') shiftWholeKey(cs, v, sharps, -1);
    cs.pitchNames = v.key.table[kB] == 10 ? kFlatNames : kSharpNames;
    std::memcpy(v.key.signature, v.key.table, sizeof v.key.signature);
    if (cs.groupDepth > 0) return;
    markKey(cs, sharps);
    cs.song->keyTonic = v.key.tonic;
}

int ApplyMode(CompileState &cs, const Definition &mode, VoiceState &v, bool keepChords) {
    const ReadPosition saved = enterBody(cs, mode);
    ModeTable t;
    int code = readModeBody(cs, v, t);
    if (code == 0) {
        SettlePitchMemory(v);
        v.key.mode = t;
        v.key.baseMode = t;
        if (keepChords) code = reapplyChords(cs, v);
    }
    leaveBody(cs, saved);
    return code;
}

int ApplyDegreeChord(CompileState &cs, const Definition &chord, VoiceState &v, bool cascade) {
    const ModeTable &source = cascade && v.key.cascadeCount > 0 ? v.key.mode : v.key.baseMode;
    if (source.last < 0) return kMsgBadMode;
    const ReadPosition saved = enterBody(cs, chord);
    ModeTable t;
    const int code = readChordBody(cs, source, t);
    if (code == 0) {
        SettlePitchMemory(v);
        v.key.mode = t;
    }
    leaveBody(cs, saved);
    return code;
}

void modeName(CompileState &cs, HashEntry &mode) {
    VoiceState &v = *cs.voice;
    const bool keepChords = cs.ch == '+';
    if (keepChords) advance(cs);
    else v.key.cascadeCount = 0;
    const Definition *d = definitionOf(mode);
    error(cs, d ? ApplyMode(cs, *d, v, keepChords) : kMsgBadMode);
}

void degreeChordName(CompileState &cs, HashEntry &chord) {
    VoiceState &v = *cs.voice;
    const bool cascade = cs.ch == '+';
    if (cascade) {
        advance(cs);
        if (v.key.cascadeCount >= kMaxCascade) error(cs, kMsgCascade);
        v.key.chordSymbols[v.key.cascadeCount++] = &chord;
    } else {
        v.key.cascadeCount = 1;
        v.key.chordSymbols[0] = &chord;
    }
    const Definition *d = definitionOf(chord);
    error(cs, d ? ApplyDegreeChord(cs, *d, v, cascade) : kMsgBadMode);
}

}  // namespace vek
