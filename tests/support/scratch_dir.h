// A fresh folder per test, made current for the test's length: a compile
// writes "sysex.out" into the current folder, so tests must not share one.
#pragma once
#include <filesystem>
#include <string>

namespace vek::test {

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;

    const std::filesystem::path &path() const { return path_; }
    // Writes a file (bytes as given) relative to the folder; returns its path.
    std::string write(const std::string &name, const std::string &bytes) const;
    // Whole content of a file, or "" when it cannot be read.
    static std::string read(const std::string &name);

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

}  // namespace vek::test
