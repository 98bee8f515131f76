// Checked arithmetic on song times and lengths.
#pragma once
#include <cstdint>

namespace vek {

struct CompileState;

// Times and lengths beyond a billion ticks (months of music) are refused,
// which keeps every sum of two of them inside 32 bits.
constexpr int64_t kMaxTicks = int64_t{1} << 30;

// `ticks` as a time, or code 7 (" Number out of range ") when it is beyond
// the limit either way.
int32_t checkedTicks(CompileState &cs, int64_t ticks);

}  // namespace vek
