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

// The compiler's name field keeps "..." and the last 76 characters of a
// longer name.
constexpr std::size_t kCutName = 79;
constexpr std::string_view kCutMark = "...";

bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// The include names in the source that end with `tail`: each occurrence
// stretched back to the blank, "[" or quote before it.
std::vector<std::string> namesEndingIn(const std::string &sourcePath, std::string_view tail) {
    std::string text;
    std::vector<std::string> names;
    if (!readWhole(sourcePath, text)) return names;
    text = slashed(text);
    for (auto at = text.find(tail); at != std::string::npos; at = text.find(tail, at + 1)) {
        auto begin = text.find_last_of(" \t\r\n[\"", at);
        begin = begin == std::string::npos ? 0 : begin + 1;
        names.push_back(text.substr(begin, at + tail.size() - begin));
    }
    return names;
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
    if (name.size() == kCutName && name.rfind(kCutMark, 0) == 0) {
        const std::string_view tail = std::string_view(name).substr(kCutMark.size());
        for (const std::string &source : {sourcePath, sourcePath + ".vek"})
            if (endsWith(source, tail)) return findErrorFile(source, sourcePath, includePath, content);
        for (const std::string &full : namesEndingIn(sourcePath, tail))
            if (auto file = findErrorFile(full, sourcePath, includePath, content)) return file;
        return std::nullopt;
    }
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
