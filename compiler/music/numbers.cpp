// ReadNumber: integers, dotted values, decimals and fractions of a unit,
// bar:beat:tick lengths and positions, and SMPTE times.
#include "music/numbers.h"

#include <cstdint>
#include <limits>

#include "events/song_context.h"
#include "input/errors.h"
#include "input/reader.h"

namespace vek {

namespace {

constexpr int kMaxDigits = 9;          // 999999999 still fits 32 bits
constexpr int kMaxFractionDigits = 6;  // 10^6 keeps the scaling in range
constexpr int kMaxColonFields = 3;     // bars, beats, ticks
constexpr int kMaxSmpteFields = 4;     // hours, minutes, seconds, frames

bool isDigit(int c) { return c >= '0' && c <= '9'; }

int32_t saturate(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

void advance(CompileState &cs) { nextChar(cs, kReadNormal); }

// Digits as a value of their own; returns the count.
int readField(CompileState &cs, int32_t &value) {
    cs.number = 0;
    const int count = ReadDigits(cs);
    value = cs.number;
    return count;
}

void checkRange(CompileState &cs, int32_t tested, int32_t maximum, int32_t minimum) {
    if (maximum == 0 && minimum == 0) return;
    if (tested > maximum || tested < minimum) error(cs, kMsgOutOfRange);
}

// What has been read so far of one number.
struct Reading {
    int form = kNoNumber;
    int64_t value = 0;
    bool dotted = false;
};

// Fields joined by `separator`, the digits already read being the first;
// a separator without digits after it ends the list (and is consumed).
// Returns the number of fields.
int readFieldList(CompileState &cs, int separator, int32_t first, int32_t *fields, int maxFields) {
    int count = 0;
    fields[count++] = first;
    while (cs.ch == separator) {
        advance(cs);
        if (!isDigit(cs.ch)) break;
        if (count == maxFields) error(cs, kMsgBadNumber);
        readField(cs, fields[count++]);
    }
    return count;
}

// A plain or dotted integer: a bar number as a position, else a count of
// units; a dot adds half.
void finishInteger(CompileState &cs, Reading &r, int mask, int32_t unit) {
    if (r.form == kFormInteger && (mask & kFormAbsolute)) {
        r.value = BarBeatTickToTicks(cs, saturate(r.value), 0, 0);
        return;
    }
    if (r.form == kFormInteger && unit != 0 && unit != 1) r.value *= unit;
    if (r.dotted) r.value += r.value / 2;
}

// "n." dotted, "n.f" a decimal of the unit. With unit 1 (plain counts) the
// fraction is dropped.
void readDecimal(CompileState &cs, Reading &r, int mask, int32_t unit) {
    advance(cs);
    int32_t fraction = 0;
    const int digits = readField(cs, fraction);
    if (digits == 0 || unit == 1) {
        r.dotted = digits == 0;
        finishInteger(cs, r, mask, unit);
        return;
    }
    if (digits > kMaxFractionDigits) error(cs, kMsgTooManyDigits);
    int32_t denominator = 1;
    for (int i = 0; i < digits; ++i) denominator *= 10;
    r.value = r.value * unit + scaleTime(fraction, unit, denominator);
    r.form = kFormFraction;
}

// "a/d" is a/d of the unit; each "/" without digits halves instead, and an
// odd number of halvings before the digits turns the division round: "3/"
// is 1.5 units, "1//" a quarter, "/3" a third.
void readFraction(CompileState &cs, Reading &r, int32_t unit) {
    const int64_t numerator = r.form == kNoNumber ? 1 : r.value;
    int64_t a = unit == 1 ? 0 : numerator * unit;
    r.form = kFormFraction;
    advance(cs);
    int32_t d = 0;
    int digits = readField(cs, d);
    int halvings = 0;
    while (digits == 0) {
        a /= 2;
        ++halvings;
        if (cs.ch != '/') break;
        advance(cs);
        digits = readField(cs, d);
    }
    if (digits == 0)
        r.value = a;
    else if (halvings % 2 == 0)
        r.value = d == 0 ? 0 : a / d;
    else
        r.value = int64_t{saturate(a)} * d;
}

// "bars:beats:ticks" as a length, or "bar:beat:tick" as a position.
void readBarsBeatsTicks(CompileState &cs, Reading &r, int mask) {
    int32_t f[kMaxColonFields] = {};
    const int n = readFieldList(cs, ':', saturate(r.value), f, kMaxColonFields);
    r.form = kFormTicks;
    if (mask & kFormAbsolute) {
        r.value = BarBeatTickToTicks(cs, f[0], n > 1 ? f[1] : 0, n > 2 ? f[2] : 0);
        return;
    }
    const int64_t ticks = f[n - 1];
    const int64_t beats = n > 1 ? f[n - 2] : 0;
    const int64_t bars = n > 2 ? f[n - 3] : 0;
    r.value = bars * cs.barTicks + beats * cs.beatTicks + ticks;
}

// A real-time length from the event's start point, in ticks: the tempo map
// decides how many ticks the SMPTE span covers there.
int64_t smpteLength(CompileState &cs, const SmpteTime &span) {
    const VoiceState &v = *cs.voice;
    const bool fromEvent = cs.ch == '=' || cs.ch == '+' || cs.ch == '-';
    const int32_t start = fromEvent ? v.timing.eventStart : saturate(int64_t{v.timing.time} - v.timing.step);
    const bool drop = cs.dropFrame != 0;
    const SmpteTime end = AddSmpte(cs, SmpteFromTicks(cs, start, drop), span, drop);
    return int64_t{TicksFromSmpte(cs, end, drop)} - start;
}

// "h;m;s;f" (fields counted from the right). Returns false for a lone ";".
bool readSmpte(CompileState &cs, Reading &r, int mask) {
    int32_t f[kMaxSmpteFields] = {};
    const int n = readFieldList(cs, ';', saturate(r.value), f, kMaxSmpteFields);
    if (n == 1 && r.form == kNoNumber) return false;
    SmpteTime t;
    t.frames = f[n - 1];
    t.seconds = n > 1 ? f[n - 2] : 0;
    t.minutes = n > 2 ? f[n - 3] : 0;
    t.hours = n > 3 ? f[n - 4] : 0;
    const bool drop = cs.dropFrame != 0;
    r.form = kFormTicks;
    if (mask & kFormFrames) {
        r.value = FramesFromSmpte(cs, t, drop);
        r.form = kFormFrames;
    } else if (mask & kFormAbsolute) {
        // Measured from the start of bar 1 (after any restart).
        const int64_t ms = int64_t{MsFromSmpte(cs, t, drop)} +
                           MsFromTicks(cs, BarBeatTickToTicks(cs, 1, 1, 0));
        r.value = TicksFromMs(cs, saturate(ms));
    } else {
        r.value = smpteLength(cs, t);
    }
    return true;
}

}  // namespace

int ReadDigits(CompileState &cs) {
    int count = 0;
    int32_t value = 0;
    while (isDigit(cs.ch)) {
        if (count == kMaxDigits) error(cs, kMsgTooManyDigits);
        value = value * 10 + (cs.ch - '0');
        ++count;
        advance(cs);
    }
    cs.number = saturate(int64_t{cs.number} + value);
    return count;
}

int ReadNumber(CompileState &cs, int mask, int32_t maximum, int32_t minimum, int32_t unit) {
    // Only "+ , - / 0-9 : ; =" can start a number.
    if (cs.ch < '+' || cs.ch > '=' || cs.ch == '.' || cs.ch == '<') return kNoNumber;
    int sign = 1;
    if (cs.ch == '+' || cs.ch == '=') {
        advance(cs);
    } else if (cs.ch == '-') {
        sign = -1;
        advance(cs);
    }
    cs.number = 0;
    Reading r;
    if (ReadDigits(cs) > 0) r.form = kFormInteger;
    r.value = cs.number;
    if (mask == kMaskInteger) {
        cs.number *= sign;
        // No digits is no number: the caller decides, whatever the range.
        if (r.form != kNoNumber) checkRange(cs, cs.number, maximum, minimum);
        return r.form;
    }
    switch (cs.ch) {
    case '.': readDecimal(cs, r, mask, unit); break;
    case '/': readFraction(cs, r, unit); break;
    case ':': readBarsBeatsTicks(cs, r, mask); break;
    case ';':
        if (!readSmpte(cs, r, mask)) {
            cs.number = 0;
            return kFormNoSmpte;
        }
        break;
    default: finishInteger(cs, r, mask, unit); break;
    }
    cs.number = saturate(r.value * sign);
    if ((r.form & mask) == 0) error(cs, kMsgBadNumber);
    // Fractions are tested at 1/256 of their value, so they may exceed the
    // range by up to that factor.
    checkRange(cs, r.form == kFormFraction ? cs.number >> 8 : cs.number, maximum, minimum);
    return r.form;
}

}  // namespace vek
