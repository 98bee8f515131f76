// A fast path of ReadNumber for the length written after a note letter.
#pragma once
#include <cstdint>

namespace vek {

struct CompileState;

// At a length that starts in cs.ch ("n", "n/d" or "/d", with `unit` ticks a
// whole): reads it and the character after it as nextChar and ReadNumber
// would, puts the ticks in
// `ticks` and cs.number, and returns true. Returns false, having read
// nothing, for every other form, for a value out of range, and where
// nextChar would leave its fast path (block end, budget, listing, macro
// characters).
bool ScanPlainLength(CompileState &cs, int32_t unit, int32_t &ticks);

}  // namespace vek
