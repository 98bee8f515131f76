#include "cli/interrupt.h"

namespace vek::cli {

namespace {

// A signal handler can only reach a flag of the process.
volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

}  // namespace

void catchInterrupt() { std::signal(SIGINT, onInterrupt); }

const volatile std::sig_atomic_t &interruptFlag() { return interrupted; }

}  // namespace vek::cli
