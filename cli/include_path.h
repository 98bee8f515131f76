// The include search path that `vek` hands to the compiler.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace vek::cli {

// Splits a ";"-separated list, dropping empty entries.
std::vector<std::string> splitSearchPath(const std::string &list);

// The -I folders in order, then the entries of VEK_INCLUDE_PATH (null when
// unset), then the shipped data folder (skipped when empty), joined by ";".
std::string buildIncludePath(const std::vector<std::string> &includeDirs, const char *environment,
                             const std::string &dataDir);

// The running program, through /proc/self/exe (on Windows the module's
// file name), else argv[0]; empty when neither can be resolved.
std::filesystem::path executablePath(const char *argv0);

// <executable's folder>/../share/vek when it exists (an installed vek),
// else the source tree's data folder (a vek run from the build tree).
std::filesystem::path dataIncludeDir(const std::filesystem::path &executable,
                                     const std::filesystem::path &sourceDataDir);

}  // namespace vek::cli
