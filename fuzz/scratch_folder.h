// Every fuzz target works in a scratch folder of its own: a compile writes
// "sysex.out", outputs and listings into the current folder. Relative paths
// given to the fuzzer (corpus, -artifact_prefix) would then resolve there:
// pass absolute ones.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace vek::fuzz {

inline std::string &scratchFolder() {
    static std::string folder;
    return folder;
}

inline void removeScratchFolder() {
    std::error_code ec;
    std::filesystem::current_path("/", ec);
    std::filesystem::remove_all(scratchFolder(), ec);
}

// Creates /tmp/vek-fuzz-TAG-XXXXXX, makes it current and removes it at exit.
// Returns false when it was already entered.
inline bool enterScratchFolder(const char *tag) {
    if (!scratchFolder().empty()) return false;
    std::string pattern = std::string("/tmp/vek-fuzz-") + tag + "-XXXXXX";
    if (!mkdtemp(pattern.data()) || chdir(pattern.c_str()) != 0) {
        std::perror("vek fuzz: scratch folder");
        std::abort();
    }
    scratchFolder() = pattern;
    std::atexit(removeScratchFolder);
    return true;
}

}  // namespace vek::fuzz
