// The failure that is not a source error: a cap or the host's memory ran
// out. Never crosses the library's entry point, which turns it into a
// message without a position.
#pragma once

namespace vek {

struct FatalError {
    const char *message;
};

}  // namespace vek
