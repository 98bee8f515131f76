#include "input/open_file.h"

#include <cerrno>
#include <filesystem>

#include "platform/native_path.h"

namespace vek {

namespace {

bool isCommon(const std::error_code &e) {
    return e == std::errc::no_such_file_or_directory || e == std::errc::is_a_directory ||
           e == std::errc::not_a_directory;
}

}  // namespace

std::FILE *openFile(const std::string &name, const char *mode, std::error_code &why) {
    std::error_code ignored;
    if (std::filesystem::is_directory(nativePath(name), ignored)) {
        why = std::make_error_code(std::errc::is_a_directory);
        return nullptr;
    }
    errno = 0;
    if (std::FILE *f = openNative(name, mode)) {
        why.clear();
        return f;
    }
    why = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
    return nullptr;
}

std::FILE *openOnPath(const std::string &name, const char *mode, const std::string &path,
                      std::error_code *why, std::string *found) {
    std::error_code reason = std::make_error_code(std::errc::no_such_file_or_directory);
    std::string::size_type begin = 0;
    for (;;) {
        const auto end = path.find(';', begin);
        const std::string entry = path.substr(begin, end == std::string::npos ? end : end - begin);
        std::error_code failed;
        const std::string candidate = entry.empty() ? name : entry + "/" + name;
        if (std::FILE *f = openFile(candidate, mode, failed)) {
            if (found) *found = candidate;
            return f;
        }
        if (!isCommon(failed)) reason = failed;
        if (end == std::string::npos) {
            if (why) *why = reason;
            return nullptr;
        }
        begin = end + 1;
    }
}

}  // namespace vek
