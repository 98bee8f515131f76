// The byte list of a system-exclusive definition: hexadecimal pairs and
// single digits, "#" numbers, "+k" shifts, "xs"/"xe" checksums, "$"
// strings and "fi" files.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "messages/message_codes.h"

namespace vek {

struct CompileState;

// Reads the items from the current read position up to and including the
// closing "]" and appends the bytes to `out`, at most `limit` of them.
// `definition` is the name that code 27 reports. Raises 7 (a "#" number
// out of 0-127), 27 and 31 (a "fi" file that cannot be read).
void ReadSysexBytes(CompileState &cs, const char *definition, size_t limit,
                    std::vector<uint8_t> &out);

}  // namespace vek
