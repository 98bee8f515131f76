// Ctrl+C as a request: the watch and a render stop at the next safe point
// instead of the process ending mid-write.
#pragma once
#include <csignal>

namespace vek::cli {

// From now on SIGINT sets the flag instead of ending the process.
void catchInterrupt();

// The flag; set once SIGINT has arrived.
const volatile std::sig_atomic_t &interruptFlag();

}  // namespace vek::cli
