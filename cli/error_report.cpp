#include "cli/error_report.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "cli/include_path.h"

namespace vek::cli {

namespace {

// Searched by the compiler after the caller's folders.
constexpr const char *kDefaultTail[] = {"", "include", "../include"};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool readWhole(const std::string &path, std::string &content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    content = s.str();
    return true;
}

// The compiler reads a "\" in an include name as a folder separator.
std::string slashed(std::string name) {
    for (char &c : name) {
        if (c == '\\') c = '/';
    }
    return name;
}

}  // namespace

Location locate(std::string_view text, int32_t position) {
    std::size_t end = position < 0 ? 0 : static_cast<std::size_t>(position);
    if (end > text.size()) end = text.size();
    int line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    std::size_t column = end - lineStart + 1;
    const bool atLineFeed = end < text.size() && text[end] == '\n';
    if (atLineFeed && end > lineStart && text[end - 1] == '\r') --column;
    return {line, static_cast<int>(column)};
}

std::string tidyMessage(std::string_view message) {
    message = trim(message);
    std::string out;
    bool first = true;
    while (!message.empty() || first) {
        const auto lf = message.find('\n');
        const std::string_view line = trim(message.substr(0, lf));
        if (!first) out += line.empty() ? "\n" : "\n    ";
        out += line;
        first = false;
        message = lf == std::string_view::npos ? std::string_view() : message.substr(lf + 1);
    }
    return out;
}

std::optional<std::string> findErrorFile(const std::string &name, const std::string &sourcePath,
                                         const std::string &includePath, std::string &content) {
    if (name.empty()) return std::nullopt;
    if (name == sourcePath || name == sourcePath + ".vek") {
        if (readWhole(name, content)) return name;
        return std::nullopt;
    }
    const std::string file = slashed(name);
    std::vector<std::string> entries = splitSearchPath(includePath);
    entries.insert(entries.end(), std::begin(kDefaultTail), std::end(kDefaultTail));
    for (const auto &entry : entries) {
        const std::string candidate = entry.empty() ? file : entry + "/" + file;
        if (readWhole(candidate, content)) return candidate;
    }
    return std::nullopt;
}

std::string errorReport(const FailedCompile &failure, const std::string &sourcePath,
                        const std::string &includePath) {
    const std::string message = tidyMessage(failure.message);
    std::string content;
    const auto file = failure.hasLocation
                          ? findErrorFile(failure.fileName, sourcePath, includePath, content)
                          : std::nullopt;
    if (!file) return sourcePath + ": error: " + message + "\n";
    const Location at = locate(content, failure.position);
    return *file + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) +
           ": error: " + message + "\n";
}

}  // namespace vek::cli
