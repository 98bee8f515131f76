#include "cli/include_path.h"

#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace vek::cli {

std::vector<std::string> splitSearchPath(const std::string &list) {
    std::vector<std::string> entries;
    std::string::size_type begin = 0;
    while (begin <= list.size()) {
        auto end = list.find(';', begin);
        if (end == std::string::npos) end = list.size();
        if (end > begin) entries.push_back(list.substr(begin, end - begin));
        begin = end + 1;
    }
    return entries;
}

std::string buildIncludePath(const std::vector<std::string> &includeDirs, const char *environment,
                             const std::string &dataDir) {
    std::vector<std::string> entries = includeDirs;
    if (environment) {
        for (auto &entry : splitSearchPath(environment)) entries.push_back(std::move(entry));
    }
    if (!dataDir.empty()) entries.push_back(dataDir);
    std::string joined;
    for (const auto &entry : entries) {
        if (!joined.empty()) joined += ';';
        joined += entry;
    }
    return joined;
}

namespace {

// The running program as the system knows it; empty when it cannot say.
std::filesystem::path runningProgram() {
#ifdef _WIN32
    // argv[0] there is what the user typed, often without folder or ".exe".
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return {};
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name);
        }
        name.resize(name.size() * 2);
    }
#else
    std::error_code ec;
    auto self = std::filesystem::canonical("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : self;
#endif
}

}  // namespace

std::filesystem::path executablePath(const char *argv0) {
    std::error_code ec;
    auto self = runningProgram();
    if (!self.empty()) return self;
    if (!argv0 || !*argv0) return {};
    self = std::filesystem::canonical(argv0, ec);
    return ec ? std::filesystem::path() : self;
}

std::filesystem::path dataIncludeDir(const std::filesystem::path &executable,
                                     const std::filesystem::path &sourceDataDir) {
    if (!executable.empty()) {
        const auto installed = executable.parent_path() / ".." / "share" / "vek";
        std::error_code ec;
        if (std::filesystem::is_directory(installed, ec)) return installed.lexically_normal();
    }
    return sourceDataDir;
}

}  // namespace vek::cli
