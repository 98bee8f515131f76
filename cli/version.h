// What `vek --version` prints.
#pragma once
#include <string>

namespace vek::cli {

// The command's version, the library interface it was built against, and
// the file of the compiler library this process loaded, where the system
// can tell.
std::string versionText();

}  // namespace vek::cli
