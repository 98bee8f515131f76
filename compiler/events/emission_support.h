// Value arithmetic shared by the note, controller, sweep and glide emitters.
#pragma once
#include <cstdint>
#include <limits>

namespace vek {

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

// high when value is at least high, else the larger of value and low.
inline int32_t Clamp(int32_t value, int32_t low, int32_t high) {
    return value >= high ? high : (value > low ? value : low);
}

// Moves a key by whole octaves until it lies within 0-127.
inline int32_t foldKey(int32_t key) {
    if (key < 0) key += 12 * ((11 - key) / 12);
    if (key > kMaxDataByte) key -= 12 * ((key - kMaxDataByte + 11) / 12);
    return key;
}

}  // namespace vek
