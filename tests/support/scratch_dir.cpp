#include "support/scratch_dir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace vek::test {

ScratchDir::ScratchDir() : previous_(std::filesystem::current_path()) {
    std::random_device rd;
    for (;;) {
        path_ = std::filesystem::temp_directory_path() /
                ("vek-test-" + std::to_string(rd()) + std::to_string(rd()));
        if (std::filesystem::create_directory(path_)) break;
    }
    std::filesystem::current_path(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string ScratchDir::write(const std::string &name, const std::string &bytes) const {
    const auto full = path_ / name;
    if (full.has_parent_path()) std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out << bytes;
    return full.string();
}

std::string ScratchDir::read(const std::string &name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return "";
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace vek::test
