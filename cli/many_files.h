// `vek a.vek b.vek ...`: each file compiled on its own, several at once.
#pragma once
#include <string>

#include "cli/options.h"

namespace vek::cli {

// Compiles every source of `o` on up to o.jobs threads (0: one per core).
// The library keeps no state between compiles, so they share nothing but
// the folder. Each report is printed whole, never mixed with another.
// Returns the worst status.
int compileMany(const Options &o, const std::string &includePath);

}  // namespace vek::cli
