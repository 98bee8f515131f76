// The length most notes carry, read straight from the cached block.
#include "music/length_scan.h"

#include <cstdint>

#include "events/song_context.h"
#include "input/reader.h"

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

// The length from its first character `c` on, the rest read from `s`; in
// `c` the character after it (-1 past the scan's limit). False for every
// form and value the long way must read or report. Inlined in both scans:
// the call would cost a quarter of a short length.
VEK_ALWAYS_INLINE bool lengthOf(Scan &s, int &c, int32_t unit, int32_t &ticks) {
    int64_t whole = 0, divisor = 0;
    const int wholeDigits = digitsOf(s, c, whole);
    if (wholeDigits < 0 || (wholeDigits == 0 && c != '/')) return false;
    int64_t value = wholeDigits && unit != 0 && unit != 1 ? whole * unit : whole;
    if (c == '/') {
        c = s.next();
        if (digitsOf(s, c, divisor) <= 0) return false;  // halvings go the long way
        const int64_t numerator = (wholeDigits ? whole : 1) * (unit == 1 ? 0 : unit);
        value = divisor == 0 ? 0 : numerator / divisor;
        // A fraction is range-tested at 1/256 of its value, and a larger
        // one saturates: past 32 bits, the long way decides.
        if (value < 0 || value > INT32_MAX) return false;
    } else if (continuesNumber(c) || value < 0 || value > kMaxNoteLength) {
        return false;  // the long way reads it, or reports it
    }
    ticks = static_cast<int32_t>(value);
    return true;
}

bool isNoteWordLetter(int c) { return (c >= 'a' && c <= 'g') || (c >= 'A' && c <= 'G'); }

}  // namespace

bool ScanPlainLength(CompileState &cs, int32_t unit, int32_t &ticks) {
    InputState &in = cs.in;
    if (!cs.quiet) return false;
    const int64_t budget = in.charactersLeft;
    Scan s{in.data, in.index, budget < in.fill - in.index ? in.index + static_cast<int32_t>(budget) : in.fill};
    int c = cs.ch;
    int32_t value = 0;
    if (!lengthOf(s, c, unit, value)) return false;
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

bool ScanNoteWord(const CompileState &cs, int length, int32_t unit, NoteWord &word) {
    const InputState &in = cs.in;
    // The peek has charged length + 1 already; the word's bytes after the
    // letter and its delimiter, at most `length`, must each find budget.
    if (!cs.quiet || !isNoteWordLetter(cs.ch) || in.charactersLeft < length) return false;
    Scan s{in.data, in.index, in.index + length};
    int c = s.next();
    for (; c == '#' || c == '&'; c = s.next()) {
        word.marks = static_cast<int8_t>(word.marks + (c == '#' ? 1 : -1));
        word.marked = true;
    }
    if ((c >= '0' && c <= '9') || c == '/') {
        if (!lengthOf(s, c, unit, word.ticks)) return false;
        word.lengthGiven = true;
    }
    if (!NoteWordEndsAt(c)) return false;
    word.consumed = s.at - in.index;
    return true;
}

}  // namespace vek
