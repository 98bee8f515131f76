// What a track's own settings do to a note's key and velocity, once the
// voice's modifiers are applied. Inline: they stand on every stored note.
#pragma once
#include <cstdint>

#include "events/emission_support.h"
#include "events/track.h"

namespace vek {

// Folds into the track's key range by whole octaves.
inline int32_t keyInTrackRange(const Track &t, int32_t key) {
    if (key < t.keyLow) key += 12 * ((t.keyLow - key + 11) / 12);
    if (key > t.keyHigh) key -= 12 * ((key - t.keyHigh + 11) / 12);
    return key;
}

// The track's velocity ramp at `time` (ticks).
inline int64_t trackCrescendo(const Track &t, int32_t time) {
    if (time > t.crescendoEnd) return t.crescendoAmount;
    if (time <= t.crescendoStart) return 0;
    return int64_t{t.crescendoAmount} * (int64_t{time} - t.crescendoStart) /
           (int64_t{t.crescendoEnd} - t.crescendoStart);
}

// A 0-127 velocity mapped onto the track's velocity range.
inline uint8_t velocityInTrackRange(const Track &t, uint8_t velocity) {
    if (t.velocityLow >= t.velocityHigh) return dataByte(t.velocityLow);
    return dataByte(t.velocityLow + (int64_t{t.velocityHigh} - t.velocityLow) * velocity / kMaxDataByte);
}

}  // namespace vek
