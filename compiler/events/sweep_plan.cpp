#include "events/sweep_plan.h"

#include <cstdlib>

#include "events/controller_definition.h"
#include "events/emission_support.h"

namespace vek {

namespace {

constexpr int64_t kValueLimit = int64_t{1} << 24;
constexpr int64_t kLongestStep = int64_t{1} << 32;  // ticks; longer than any sweep
constexpr int64_t kRateUnit = 6000;                 // tempo (BPM x 100) times 60 s
constexpr int32_t kWheelSpan = 16384;  // wheel units over the definition's semitone span

}  // namespace

SweepPoint SweepPlan::at(int64_t k) const {
    if (k == count) return {static_cast<int32_t>(end), static_cast<int32_t>(to)};
    const int64_t change = k * increment;
    return {static_cast<int32_t>(start + change * (end - start) / (to - from)),
            static_cast<int32_t>(from + change)};
}

SweepPlan planSweep(uint8_t kind, int64_t start, int64_t end, int64_t from, int64_t to,
                    int64_t timeStep, int64_t valueStep) {
    SweepPlan p{start, end, limitSweepValue(kind, from), limitSweepValue(kind, to), 0, 0};
    const int64_t dt = end - start, dv = p.to - p.from, s = timeStep, step = valueStep;
    if (dt == 0 || dv == 0) {
        p.count = 1;
        p.increment = dv;
        return p;
    }
    const int64_t sign = dv > 0 ? 1 : -1;
    int64_t n = s ? dt / s : 1;
    if (dt < 1) {
        p.count = n;
        return p;
    }
    if (s * sign * dv / dt < step) {
        p.count = sign * dv / step;
        p.increment = sign * step;
        return p;
    }
    if (n < 1) n = 1;
    const int64_t i = dv / n;
    const int64_t q = dv / i;
    // One more event when whole increments fall short of the change, in
    // either direction, so that the last step is never the largest.
    p.count = q + (std::llabs(q * i) < std::llabs(dv) ? 1 : 0);
    p.increment = i;
    return p;
}

int64_t sweepTimeStep(int32_t beatTicks, int32_t tempo, uint8_t rate) {
    const int64_t perSecond = rate ? rate : 1;
    const int64_t s = int64_t{beatTicks} * limitSweepValue(kTempoEvent, tempo) / (perSecond * kRateUnit);
    return s < 0 ? 0 : (s > kLongestStep ? kLongestStep : s);
}

int32_t limitSweepValue(uint8_t kind, int64_t value) {
    const int64_t low = kind == kTempoEvent ? 1 : -kValueLimit;
    return static_cast<int32_t>(value < low ? low : (value > kValueLimit ? kValueLimit : value));
}

Event shapeEvent(const ControllerDefinition &d, Event e, int32_t value) {
    switch (e.kind) {
    case kPitchWheel: return wheelEvent(e.time, e.channel, value);  // 8192 goes out as 8191
    case kController:
    case kKeyPressure: e.data2 = dataByte(Clamp(value, d.minValue, d.maxValue)); break;
    case kChannelPressure: e.data1 = dataByte(Clamp(value, d.minValue, d.maxValue)); break;
    default: break;
    }
    return e;
}

int32_t glideWheel(const ControllerDefinition &d, int32_t semitones) {
    int64_t span = int64_t{d.glideRangeHigh} - d.glideRangeLow;
    if (span == 0) span = 1;
    return Clamp(static_cast<int32_t>(int64_t{semitones} * kWheelSpan / span), d.minValue, d.maxValue);
}

}  // namespace vek
