#include "music/ticks.h"

#include "input/errors.h"

namespace vek {

namespace {
constexpr int kCodeOutOfRange = 7;
constexpr int kCodeTimeTooFar = 80;
}  // namespace

int32_t checkedTicks(CompileState &cs, int64_t ticks) {
    if (ticks > kMaxTicks || ticks < -kMaxTicks) error(cs, kCodeOutOfRange);
    return static_cast<int32_t>(ticks);
}

void timeTooFar(CompileState &cs) { raiseError(cs, kCodeTimeTooFar); }

}  // namespace vek
