#include "cli/file_names.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace vek::cli {

namespace {

bool sameFile(const std::string &a, const std::string &b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    const auto ca = std::filesystem::weakly_canonical(a, ec);
    if (ec) return a == b;
    const auto cb = std::filesystem::weakly_canonical(b, ec);
    return ec ? a == b : ca == cb;
}

}  // namespace

std::string effectiveSource(const std::string &sourcePath) {
    // The compiler passes over a folder of the piece's name, as over a
    // missing file.
    std::error_code ec;
    const bool usable = std::filesystem::exists(sourcePath, ec) &&
                        !std::filesystem::is_directory(sourcePath, ec);
    if (!usable && std::filesystem::exists(sourcePath + ".vek", ec)) return sourcePath + ".vek";
    return sourcePath;
}

std::string defaultListingPath(const std::string &sourcePath) {
    return std::filesystem::path(sourcePath).replace_extension(".vls").string();
}

std::string outputPath(const std::string &sourcePath, const std::string &format) {
    std::string stem = sourcePath;
    const std::size_t from = stem.rfind("..", 0) == 0 ? 2 : 0;
    // Only a dot among the last four characters ends the stem; a name of
    // fewer than five characters keeps everything.
    for (std::size_t i = from; i < stem.size(); ++i) {
        if (stem[i] == '.' && stem.size() >= 5 && i > stem.size() - 5) {
            stem.resize(i);
            break;
        }
    }
    return stem + (format == "midi" ? ".mid" : ".wrk");
}

std::string fileClash(const std::string &sourcePath, const std::string &listingPath,
                      const std::string &format) {
    const std::string output = outputPath(sourcePath, format);
    const std::string source = effectiveSource(sourcePath);
    if (sameFile(source, output))
        return "the output " + output + " would overwrite the source";
    if (sameFile(source, listingPath))
        return "the listing " + listingPath + " would overwrite the source; name another with -l";
    if (sameFile(listingPath, output))
        return "the listing " + listingPath + " and the output are the same file";
    return "";
}

std::string unwritable(const std::string &path) {
    // Appending opens without emptying the file.
    std::FILE *f = std::fopen(path.c_str(), "a");
    if (!f) return std::strerror(errno);
    std::fclose(f);
    return "";
}

void removeIfEmpty(const std::string &path) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec) && std::filesystem::file_size(path, ec) == 0 && !ec)
        std::filesystem::remove(path, ec);
}

}  // namespace vek::cli
