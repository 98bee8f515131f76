// Checked arithmetic on song times and lengths.
#pragma once
#include <cstdint>

namespace vek {

struct CompileState;

// Times and lengths beyond a billion ticks (months of music) are refused,
// which keeps every sum of two of them inside 32 bits.
constexpr int64_t kMaxTicks = int64_t{1} << 30;

// The latest tick an event may start or end on: a MIDI file's gap between
// two events is at most four 7-bit bytes. Stored times are never negative,
// so no gap can be longer than this.
constexpr int64_t kMaxEventTime = 0x0FFFFFFF;

// `ticks` as a time, or code 7 (" Number out of range ") when it is beyond
// the limit either way.
int32_t checkedTicks(CompileState &cs, int64_t ticks);

// Raises code 80: an event too late for a MIDI file.
[[noreturn]] void timeTooFar(CompileState &cs);

// Code 80 when an event at `time` (ticks) could not be written. Inline: it
// stands on every stored note.
inline void checkEventTime(CompileState &cs, int64_t time) {
    if (time > kMaxEventTime) [[unlikely]] timeTooFar(cs);
}

}  // namespace vek
