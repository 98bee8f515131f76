// The arithmetic of a sweep: how many events, at which ticks, with which
// values, and the event that carries each value.
#pragma once
#include <cstdint>

#include "events/event.h"

namespace vek {

struct ControllerDefinition;

// One event of a sweep: its tick and the value it carries.
struct SweepPoint {
    int32_t time;
    int32_t value;
};

// A sweep from value `from` at tick `start` to `to` at tick `end`.
struct SweepPlan {
    int64_t start = 0, end = 0;  // ticks
    int64_t from = 0, to = 0;
    int64_t count = 0;      // events to send
    int64_t increment = 0;  // value change per event

    // Event k of 1 to count; the last lands exactly on the end point.
    SweepPoint at(int64_t k) const;
};

// Events are limited by time (one per `timeStep` ticks) or, when that would
// make changes smaller than `valueStep`, by value (one per `valueStep`).
// The end points are limited for `kind` first (limitSweepValue).
SweepPlan planSweep(uint8_t kind, int64_t start, int64_t end, int64_t from, int64_t to,
                    int64_t timeStep, int64_t valueStep);

// Ticks between two events at `rate` events per second (0 counts as 1)
// with `beatTicks` ticks a beat at `tempo` (BPM x 100); 0 when the events
// would come faster than one per tick.
int64_t sweepTimeStep(int32_t beatTicks, int32_t tempo, uint8_t rate);

// Sweep end points are kept within +-2^24 (tempos within 1 to 2^24
// hundredths of a BPM), so that a sweep's arithmetic stays in 64 bits and a
// tempo never reaches 0.
int32_t limitSweepValue(uint8_t kind, int64_t value);

// The event carrying `value` (clamped to the definition's limits), by kind;
// a program keeps the template's number.
Event shapeEvent(const ControllerDefinition &d, Event e, int32_t value);

// Wheel units for a glide of `semitones` over the definition's span; a
// definition spanning no semitones is taken as spanning one, so the wheel
// goes to its limit.
int32_t glideWheel(const ControllerDefinition &d, int32_t semitones);

}  // namespace vek
