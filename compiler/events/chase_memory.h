// The controller, pressure and wheel values that the skipped part of one
// track leaves behind, so that they can be sent again before the part that
// is kept.
#pragma once
#include <cstdint>
#include <vector>

#include "events/event.h"

namespace vek {

// One track's memory: a track has one port, so the values are kept per
// channel, kind and number. Storing a value makes it the most recent one.
class ChaseMemory {
public:
    ChaseMemory();

    // Remembers `value` for kinds 10, 11, 13 and 14; other kinds are ignored.
    // Wheel values are kept as data1 * 256 + data2, pressures of kind 13
    // under number 0.
    void store(uint8_t channel, uint8_t kind, uint8_t number, int32_t value);
    // Appends one event per remembered value, channel 0 to 15 and within a
    // channel the most recently stored first, one tick apart from `next`
    // (ticks) on; `next` ends behind the last one.
    void emit(int32_t &next, std::vector<Event> &out) const;

private:
    struct Slot {
        int32_t value;
        uint32_t stamp;  // order of storing; 0: nothing stored
    };
    static constexpr int kKinds = 4;       // 10, 11, 13, 14
    static constexpr int kNumbers = 256;   // every data1 value
    static constexpr int kChannels = 16;
    static constexpr int kSlotsPerChannel = kKinds * kNumbers;

    static Event eventFor(int index, int32_t value, int32_t time);

    std::vector<Slot> slots_;
    uint32_t stamp_ = 0;
};

}  // namespace vek
