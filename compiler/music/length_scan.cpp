// The length most notes carry, read straight from the cached block.
#include "music/length_scan.h"

#include <cstdint>

#include "events/song_context.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/macro_frames.h"

namespace vek {

namespace {

// Up to 6 digits a field: no digit-count error, and n * unit stays in 64 bits.
constexpr int kMaxScannedDigits = 6;
constexpr int64_t kMaxNoteLength = 16777215;  // ticks

bool isDigit(int c) { return c >= '0' && c <= '9'; }

// After whole digits, the characters that make a longer number of them
// (a decimal, bars:beats:ticks, an SMPTE time); "/" is read here.
bool continuesNumber(int c) { return c == '.' || c == ':' || c == ';'; }

// The bytes after the read position that nextChar would deliver on its
// fast path, one by one: inside the block and the character budget.
struct Scan {
    const uint8_t *data;
    int32_t at, limit;
    int next() { return at < limit ? data[at++] : -1; }
};

VEK_ALWAYS_INLINE int digitsOf(Scan &s, int &c, int64_t &value) {
    int count = 0;
    for (value = 0; isDigit(c) && count < kMaxScannedDigits; ++count) {
        value = value * 10 + (c - '0');
        c = s.next();
    }
    return isDigit(c) ? -1 : count;
}

// The digits of a length from its first character `c` on, the rest read
// from `s`; in `c` the character after it (-1 past the scan's limit).
// False for every form the long way must read.
VEK_ALWAYS_INLINE bool lengthText(Scan &s, int &c, LengthText &t) {
    t.wholeDigits = digitsOf(s, c, t.whole);
    if (t.wholeDigits < 0 || (t.wholeDigits == 0 && c != '/')) return false;
    if (c == '/') {
        c = s.next();
        t.fraction = true;
        return digitsOf(s, c, t.divisor) > 0;  // halvings go the long way
    }
    return !continuesNumber(c);  // the long way reads those
}

// Ticks of a length with `unit` ticks a whole; false for a value the long
// way must report.
VEK_ALWAYS_INLINE bool ticksOf(const LengthText &t, int32_t unit, int32_t &ticks) {
    int64_t value = t.whole;
    if (t.fraction) {
        const int64_t numerator = (t.wholeDigits ? t.whole : 1) * (unit == 1 ? 0 : unit);
        value = t.divisor == 0 ? 0 : numerator / t.divisor;
        // A fraction is range-tested at 1/256 of its value, and a larger
        // one saturates: past 32 bits, the long way decides.
        if (value < 0 || value > INT32_MAX) return false;
    } else {
        if (unit != 0 && unit != 1) value *= unit;
        if (value < 0 || value > kMaxNoteLength) return false;
    }
    ticks = static_cast<int32_t>(value);
    return true;
}

bool isNoteWordLetter(int c) { return (c >= 'a' && c <= 'g') || (c >= 'A' && c <= 'G'); }
// The bytes that end a name (see kEndsName) and can end a common note word.
bool endsNoteWord(int c) { return c == ' ' || c == ')' || c == '\n' || c == ']' || c == '\t'; }

// The part of a note word after its letter: marks, a plain length and the
// delimiter, `c` its first character and the rest read from `s`.
VEK_ALWAYS_INLINE bool wordAfterLetter(Scan &s, int c, NoteWord &word) {
    for (; c == '#' || c == '&'; c = s.next()) {
        word.marks = static_cast<int8_t>(word.marks + (c == '#' ? 1 : -1));
        word.marked = true;
    }
    if ((c >= '0' && c <= '9') || c == '/') {
        if (!lengthText(s, c, word.length)) return false;
        word.lengthGiven = true;
    }
    return endsNoteWord(c);
}

}  // namespace

bool ScanPlainLength(CompileState &cs, int32_t unit, int32_t &ticks) {
    InputState &in = cs.in;
    if (!cs.quiet) return false;
    const int64_t budget = in.charactersLeft;
    Scan s{in.data, in.index, budget < in.fill - in.index ? in.index + static_cast<int32_t>(budget) : in.fill};
    int c = cs.ch;
    LengthText text;
    int32_t value = 0;
    if (!lengthText(s, c, text) || !ticksOf(text, unit, value)) return false;
    // The character after the length is read too, so it must be one that
    // nextChar's fast path delivers; the modifiers go on from it.
    if (c < 0 || (kByteClasses.of[c] & (kSlowAlways | kSlowNormal)) != 0) return false;
    in.charactersLeft -= s.at - in.index;
    in.index = s.at;
    cs.ch = c;
    cs.number = value;
    ticks = value;
    return true;
}

int PeekNoteWord(CompileState &cs, uint32_t &hash, NoteWord &word) {
    const InputState &in = cs.in;
    if (!cs.quiet || !isNoteWordLetter(cs.ch)) return 0;
    Scan s{in.data, in.index, in.fill};
    if (!wordAfterLetter(s, s.next(), word)) return 0;
    // The name's characters and delimiter, charged by the peek, then read
    // again for the note.
    // No longer than the longest name peekName takes.
    const int length = s.at - in.index;
    if (length > kStatementNameMax || in.charactersLeft < 2 * length + 1) return 0;
    word.consumed = length;
    cs.name[0] = static_cast<char>(cs.ch);
    hash = HashTable::hashStep(0, static_cast<char>(cs.ch));
    for (int k = 1; k < length; ++k) {
        const char b = static_cast<char>(in.data[in.index + k - 1]);
        cs.name[k] = b;
        hash = HashTable::hashStep(hash, b);
    }
    cs.name[length] = '\0';
    cs.nameStart = position(cs);
    return length;
}

bool PeekBodyArgumentNote(const CompileState &cs, ArgumentNote &note) {
    const InputState &in = cs.in;
    const MacroStack &m = cs.macros;
    if (!cs.quiet || in.index + 2 > in.fill || in.data[in.index] != '?' || m.depth >= kMacroFrames)
        return false;
    const int k = argumentNumber(in.data[in.index + 1]);
    const MacroFrame &call = m.frames[m.currentFrame];
    if (k < 1 || k > call.marks || call.callKind != kCallInBraces) return false;
    // The argument is one character when the next mark, or the closing
    // brace, stands two past its own.
    const int32_t start = call.markOffset[k - 1];
    const int32_t next = k < call.marks ? call.markOffset[k] : call.closeCost > 0 ? call.closeOffset : 0;
    const CacheSlot &site = in.cache[call.slot];
    if (next != start + 2 || !holds(site, call.stream, start)) return false;
    note.letter = site.data[start - site.start];
    if (!isNoteWordLetter(note.letter)) return false;
    const int32_t from = in.index + 2;
    Scan s{in.data, from, in.fill};
    if (!wordAfterLetter(s, s.next(), note.word)) return false;
    note.word.consumed = s.at - from;
    // "?", the digit, the way to the mark, the letter, the name and its
    // delimiter charged again, and the "," read once more; then the body.
    note.charge = 6 + call.markCost[k - 1];
    if (in.charactersLeft < note.charge + note.word.consumed) return false;
    note.nameStart = start + 1;
    return true;
}

bool NoteWordTicks(const NoteWord &word, int32_t unit, int32_t &ticks) {
    return ticksOf(word.length, unit, ticks);
}

bool LengthFits(const NoteWord &word, int32_t unit) {
    int32_t ticks = 0;
    return !word.lengthGiven || ticksOf(word.length, unit, ticks);
}

}  // namespace vek
