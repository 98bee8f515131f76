// vek --import IN.mid [-o OUT.vek] [--force] [--quantize Q]: a MIDI file to
// Vek text.
#pragma once
#include <string>
#include <vector>

namespace vek::cli {

bool isImport(const std::vector<std::string> &args);

// Runs the import; returns the exit status (0, 1 on a bad file, 2 on usage).
int runImport(const std::vector<std::string> &args);

}  // namespace vek::cli
