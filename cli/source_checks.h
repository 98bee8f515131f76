// What `vek` checks of the source before it compiles.
#pragma once
#include <cstdint>
#include <string>

namespace vek::cli {

// A reason to refuse the source, empty when it may be compiled: it is not
// a regular file (a device or a pipe may never end), or `selectionEnd`
// (bytes) lies past its end. A source that does not exist passes; the
// compiler reports it.
std::string sourceProblem(const std::string &sourcePath, int32_t selectionEnd);

}  // namespace vek::cli
