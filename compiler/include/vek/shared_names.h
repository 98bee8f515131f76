// Names the library, the command and the editor must agree on.
#pragma once

namespace vek {

// The system-exclusive records of the last compile, in the current folder.
inline constexpr const char *kSysexFileName = "sysex.out";

// Appended to every include search path: the current folder, then the
// "include" folders beside and above it.
inline constexpr const char *kDefaultSearchTail = ";;include;../include";

}  // namespace vek
