// A folder of the benchmark's own under the system's temporary folder,
// current while it lives: compiles write their output beside the source.
#pragma once
#include <filesystem>
#include <string>
#include <unistd.h>

namespace vek::bench {

struct ScratchFolder {
    explicit ScratchFolder(const std::string &prefix) : previous(std::filesystem::current_path()) {
        dir = std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
    }
    ~ScratchFolder() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
    }
    std::filesystem::path previous, dir;
};

}  // namespace vek::bench
