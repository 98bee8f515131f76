// The failure that is not a source error: a cap or the host's memory ran
// out. Never crosses the library's entry point, which turns it into the
// message of its code, without a position.
#pragma once
#include "messages/message_codes.h"

namespace vek {

struct FatalError {
    MessageCode code;
};

}  // namespace vek
