// `vek --watch FILE`: compiles FILE, then again whenever it or a file it
// includes is saved, until Ctrl+C.
#pragma once
#include <string>

#include "cli/options.h"

namespace vek::cli {

// Prints one line per compile on stdout: the time, then "ok" with the
// duration and the number of notes, or the error. A compile error never
// ends the watch; Ctrl+C (SIGINT) ends it with status 0. With --render
// every good compile is rendered too (`soundFont` is its soundfont).
int runWatch(const Options &o, const std::string &includePath, const std::string &soundFont);

}  // namespace vek::cli
