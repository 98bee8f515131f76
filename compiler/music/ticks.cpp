#include "music/ticks.h"

#include "input/errors.h"

namespace vek {

namespace {
}  // namespace

int32_t checkedTicks(CompileState &cs, int64_t ticks) {
    if (ticks > kMaxTicks || ticks < -kMaxTicks) error(cs, kMsgOutOfRange);
    return static_cast<int32_t>(ticks);
}

void timeTooFar(CompileState &cs) { raiseError(cs, kMsgTimeTooFar); }

}  // namespace vek
