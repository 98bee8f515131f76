#include "events/chase_memory.h"

#include <algorithm>
#include <iterator>

namespace vek {

namespace {

// ORDER CHASED KINDS: slot groups of one channel.
constexpr uint8_t kChasedKinds[] = {kKeyPressure, kController, kChannelPressure, kPitchWheel};

int kindIndex(uint8_t kind) {
    for (int i = 0; i < static_cast<int>(std::size(kChasedKinds)); ++i)
        if (kChasedKinds[i] == kind) return i;
    return -1;
}

}  // namespace

ChaseMemory::ChaseMemory() : slots_(kChannels * kSlotsPerChannel, Slot{0, 0}) {}

void ChaseMemory::store(uint8_t channel, uint8_t kind, uint8_t number, int32_t value) {
    const int k = kindIndex(kind);
    if (k < 0) return;
    const int index = (channel & 0x0F) * kSlotsPerChannel + k * kNumbers + number;
    slots_[static_cast<size_t>(index)] = Slot{value, ++stamp_};
}

Event ChaseMemory::eventFor(int index, int32_t value, int32_t time) {
    const uint8_t channel = static_cast<uint8_t>(index / kSlotsPerChannel);
    const uint8_t kind = kChasedKinds[(index % kSlotsPerChannel) / kNumbers];
    const uint8_t number = static_cast<uint8_t>(index % kNumbers);
    const auto byte = [](int32_t v) { return static_cast<uint8_t>(v & 0xFF); };
    switch (kind) {
    case kChannelPressure: return Event{time, channel, kind, byte(value), 0, 0};
    case kPitchWheel: return Event{time, channel, kind, byte(value / 256), byte(value % 256), 0};
    default: return Event{time, channel, kind, number, byte(value), 0};
    }
}

void ChaseMemory::emit(int32_t &next, std::vector<Event> &out) const {
    std::vector<int> stored;
    for (int channel = 0; channel < kChannels; ++channel) {
        stored.clear();
        const int begin = channel * kSlotsPerChannel;
        for (int i = begin; i < begin + kSlotsPerChannel; ++i)
            if (slots_[static_cast<size_t>(i)].stamp != 0) stored.push_back(i);
        std::sort(stored.begin(), stored.end(), [this](int a, int b) {
            return slots_[static_cast<size_t>(a)].stamp > slots_[static_cast<size_t>(b)].stamp;
        });
        for (int i : stored) out.push_back(eventFor(i, slots_[static_cast<size_t>(i)].value, next++));
    }
}

}  // namespace vek
