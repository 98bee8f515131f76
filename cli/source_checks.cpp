#include "cli/source_checks.h"

#include <filesystem>
#include <system_error>

#include "cli/file_names.h"

namespace vek::cli {

std::string sourceProblem(const std::string &sourcePath, int32_t selectionEnd) {
    const std::string source = effectiveSource(sourcePath);
    std::error_code ec;
    const auto status = std::filesystem::status(source, ec);
    // A missing source or a folder is the compiler's to report: it says
    // why each name it tried failed.
    if (ec || !std::filesystem::exists(status) || std::filesystem::is_directory(status)) return "";
    if (!std::filesystem::is_regular_file(status)) return source + " is not a regular file";
    const auto size = std::filesystem::file_size(source, ec);
    if (!ec && static_cast<std::uintmax_t>(selectionEnd) > size)
        return "--select goes past the end of " + source + " (" + std::to_string(size) + " bytes)";
    return "";
}

}  // namespace vek::cli
