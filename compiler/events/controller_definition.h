// The record behind a controller-like name: limits, step, rate and target.
#pragma once
#include <cstdint>

namespace vek {

struct Track;

struct ControllerDefinition {
    int32_t step = 1;        // smallest value change between two sweep events
    int32_t minValue = 0;    // clamps for controller and pressure values
    int32_t maxValue = 127;
    int32_t lastValue = 0;   // value reached by the last track-specific sweep
    int32_t glideRangeHigh = 127;  // with glideRangeLow: semitones the wheel spans
    int32_t glideRangeLow = 0;
    uint8_t rate = 20;       // events per second during a sweep
    uint8_t number = 0;      // controller number
    uint8_t eventKind = 11;  // 11, 10, 13, 14, 12 or 1 (tempo)
    uint8_t channelOverride = 0;
    int32_t flags = 0;       // bit 0: use channelOverride; bit 1: target is a section
    void *target = nullptr;  // Track or SectionGroup; none: the caller's track
    int32_t reserved = 0;
};

}  // namespace vek
