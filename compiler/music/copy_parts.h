// What one copy body asks for, shared by its reader and its run.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "events/track.h"
#include "messages/message_codes.h"

namespace vek {

struct CompileState;

// ORDER COPY SLOTS: the slot names and fixed ranges in copy_parameters.cpp.
enum CopySlotIndex : int {
    kSlotSeed, kSlotPitch, kSlotDuration, kSlotInterval, kSlotChannel, kSlotVelocity,
    kSlotDiatonic, kSlotChromatic, kCopySlots,
};

enum CopyMode : uint8_t { kCopyKept = 0, kCopyFixed = 1, kCopyTimed = 2, kCopySequenced = 3 };

constexpr int kMaxCopySteps = 20;
constexpr size_t kMaxCopySources = 32;
// Nested definitions recurse on the host's stack; no piece needs more.
constexpr int kMaxCopyDepth = 64;

struct CopySlot {
    uint8_t mode = kCopyKept;
    int32_t fixed = 0;
    int32_t repeat = 1;             // how far one cycle of the steps moves in all
    std::vector<int32_t> steps{1};  // event index steps, taken in turn
    std::unique_ptr<Track> driver;  // the nested definition's events; freed with the slot
};

struct CopyRequest {
    CopyRequest() { slots[kSlotSeed].mode = kCopySequenced; }

    std::vector<Track *> sources;    // flattened
    int32_t windowStart = 0;         // ticks
    int32_t windowEnd = 0;           // ticks, excluded
    CopySlot slots[kCopySlots];
    int32_t repetitions = 1;

    int32_t windowLength() const { return windowEnd - windowStart; }
};

// The window after the source name (copy_window.cpp).
void readCopyWindow(CompileState &cs, CopyRequest &request);

// The parameters up to and past the closing "]" (copy_parameters.cpp).
void readCopyParameters(CompileState &cs, CopyRequest &request, int depth);
// Step table of a list of event numbers: their differences, then the step
// from the last back to the first plus `repeat`. No list: one step of `repeat`.
std::vector<int32_t> stepTable(const std::vector<int32_t> &numbers, int32_t repeat);

// Writes the copies; returns where the last source's passes end (copy_run.cpp).
int32_t runCopy(CompileState &cs, CopyRequest &request, const std::vector<Track *> &targets,
                int32_t start, int depth);

}  // namespace vek
