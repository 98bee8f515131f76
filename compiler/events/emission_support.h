// Helpers shared by the note, controller, sweep and glide emitters.
#pragma once
#include <cstdint>
#include <limits>

#include "events/emission.h"
#include "events/event.h"

namespace vek {

struct CompileState;
struct Track;

constexpr int32_t kMaxDataByte = 127;

// A tick sum worked out in 64 bits, brought back into the 32-bit time line.
inline int32_t saturateTicks(int64_t ticks) {
    if (ticks > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (ticks < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(ticks);
}

// A value clamped into a 7-bit MIDI data byte.
inline uint8_t dataByte(int64_t value) {
    return static_cast<uint8_t>(value < 0 ? 0 : (value > kMaxDataByte ? kMaxDataByte : value));
}

// Moves a key by whole octaves until it lies within 0-127.
inline int32_t foldKey(int32_t key) {
    if (key < 0) key += 12 * ((11 - key) / 12);
    if (key > kMaxDataByte) key -= 12 * ((key - kMaxDataByte + 11) / 12);
    return key;
}

// Inserts `e` into `track` and lists it when the listing is on.
void storeEvent(CompileState &cs, Track &track, const Event &e);

// Sweep end points are kept within +-2^24 (tempos within 1 to 2^24
// hundredths of a BPM), so that a sweep's arithmetic stays in 64 bits and a
// tempo never reaches 0.
int32_t limitSweepValue(uint8_t kind, int64_t value);

}  // namespace vek
