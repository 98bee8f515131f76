// The one number reader of the language and the time conversions.
#pragma once
#include <cstdint>

namespace vek {

struct CompileState;

// Form codes returned by ReadNumber; also the mask bits it accepts.
enum NumberForm : int {
    kNoNumber = 0,
    kFormInteger = 1,
    kFormFraction = 2,
    kFormTicks = 8,        // bars/beats/ticks or SMPTE, converted to ticks
    kFormAbsolute = 16,    // mask bit: integers and ":" forms are positions
    kFormFrames = 64,      // SMPTE as a frame count
    kFormNoSmpte = 255,    // ";" with no digits on either side
};
constexpr int kMaskInteger = 1;
constexpr int kMaskLength = 15;
constexpr int kMaskPosition = 29;
constexpr int kMaskFrames = 64;

// Reads a number starting at cs.ch into cs.number; returns its form, 0 when
// cs.ch cannot start one (nothing is consumed then). Raises 5, 7 and 55.
int ReadNumber(CompileState &cs, int mask, int32_t maximum, int32_t minimum, int32_t unit);
// Reads decimal digits, adding their value to cs.number; returns the count.
int ReadDigits(CompileState &cs);

// Bars and beats count from 1; raises 36 for bar 0.
int32_t BarBeatTickToTicks(CompileState &cs, int32_t bar, int32_t beat, int32_t tick);

struct SmpteTime {
    int32_t frames = 0, seconds = 0, minutes = 0, hours = 0;
};

int32_t FramesFromSmpte(const CompileState &cs, const SmpteTime &t, bool dropFrame);
SmpteTime SmpteFromFrames(const CompileState &cs, int32_t frames, bool dropFrame);
int32_t MsFromSmpte(const CompileState &cs, const SmpteTime &t, bool dropFrame);
SmpteTime SmpteFromMs(const CompileState &cs, int32_t ms, bool dropFrame);
int32_t MsFromTicks(CompileState &cs, int32_t ticks);
int32_t TicksFromMs(CompileState &cs, int32_t ms);
SmpteTime SmpteFromTicks(CompileState &cs, int32_t ticks, bool dropFrame);
int32_t TicksFromSmpte(CompileState &cs, const SmpteTime &t, bool dropFrame);
SmpteTime AddSmpte(const CompileState &cs, const SmpteTime &a, const SmpteTime &b, bool dropFrame);

// Brings the meter in force (beatTicks, barTicks, ...) up to the voice's time.
void refreshMeter(CompileState &cs);
// The bar index (zero-based) and the tick of the start of the bar that
// holds `ticks`, under the meter map.
int32_t barIndexAt(CompileState &cs, int32_t ticks, int32_t *barStart = nullptr);

}  // namespace vek
