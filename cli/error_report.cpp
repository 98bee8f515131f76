#include "cli/error_report.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "cli/include_path.h"
#include "vek/shared_names.h"

namespace vek::cli {

namespace {

// The folders the compiler searches after the caller's, one by one ("" is
// the current folder, so empty entries are kept).
std::vector<std::string> defaultTail() {
    std::string_view tail = vek::kDefaultSearchTail;
    tail.remove_prefix(1);  // the ";" after the caller's folders
    std::vector<std::string> entries;
    for (std::size_t end; (end = tail.find(';')) != std::string_view::npos; tail.remove_prefix(end + 1))
        entries.emplace_back(tail.substr(0, end));
    entries.emplace_back(tail);
    return entries;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Bytes read from a file at a time while counting lines.
constexpr std::size_t kBlockBytes = 64 * 1024;

enum class Candidate { kMissing, kRegular, kOther };

// What the compiler's open would find at `path`; it passes over folders.
Candidate probe(const std::string &path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status) || std::filesystem::is_directory(status))
        return Candidate::kMissing;
    if (!std::filesystem::is_regular_file(status)) return Candidate::kOther;
    return std::ifstream(path, std::ios::binary) ? Candidate::kRegular : Candidate::kMissing;
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
// stretched back to the blank, "[" or quote before it. Read a line at a
// time: a name never spans lines.
std::vector<std::string> namesEndingIn(const std::string &sourcePath, std::string_view tail) {
    std::vector<std::string> names;
    std::ifstream in(sourcePath, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        line = slashed(line);
        for (auto at = line.find(tail); at != std::string::npos; at = line.find(tail, at + 1)) {
            auto begin = line.find_last_of(" \t\r[\"", at);
            begin = begin == std::string::npos ? 0 : begin + 1;
            names.push_back(line.substr(begin, at + tail.size() - begin));
        }
    }
    return names;
}

}  // namespace

LineCounter::LineCounter(int32_t position)
    : target_(position < 0 ? 0 : static_cast<std::size_t>(position)) {}

bool LineCounter::feed(std::string_view chunk) {
    if (seen_ > target_) return false;
    const std::size_t count = std::min(chunk.size(), target_ - seen_);  // bytes before the target
    const char *const first = chunk.data();
    const char *const end = first + count;
    for (const char *p = first; p < end;) {
        const void *lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        if (!lf) break;
        p = static_cast<const char *>(lf) + 1;
        ++line_;
        lineStart_ = seen_ + static_cast<std::size_t>(p - first);
    }
    if (count > 0) before_ = chunk[count - 1];
    seen_ += count;
    if (count == chunk.size()) return true;
    atLineFeed_ = chunk[count] == '\n';
    ++seen_;
    return false;
}

Location LineCounter::location() const {
    const std::size_t end = std::min(seen_, target_);
    std::size_t column = end - lineStart_ + 1;
    if (atLineFeed_ && end > lineStart_ && before_ == '\r') --column;
    return {line_, static_cast<int>(column)};
}

Location locate(std::string_view text, int32_t position) {
    LineCounter counter(position);
    counter.feed(text);
    return counter.location();
}

std::optional<Location> locateInFile(const std::string &path, int32_t position) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    LineCounter counter(position);
    std::array<char, kBlockBytes> block;
    while (in) {
        in.read(block.data(), block.size());
        if (!counter.feed(std::string_view(block.data(), static_cast<std::size_t>(in.gcount())))) break;
    }
    return counter.location();
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
                                         const std::string &includePath) {
    if (name.empty()) return std::nullopt;
    if (name.size() == kCutName && name.rfind(kCutMark, 0) == 0) {
        const std::string_view tail = std::string_view(name).substr(kCutMark.size());
        for (const std::string &source : {sourcePath, sourcePath + ".vek"})
            if (endsWith(source, tail)) return findErrorFile(source, sourcePath, includePath);
        for (const std::string &full : namesEndingIn(sourcePath, tail))
            if (auto file = findErrorFile(full, sourcePath, includePath)) return file;
        return std::nullopt;
    }
    if (name == sourcePath || name == sourcePath + ".vek") {
        if (probe(name) == Candidate::kRegular) return name;
        return std::nullopt;
    }
    const std::string file = slashed(name);
    std::vector<std::string> entries = splitSearchPath(includePath);
    for (std::string &entry : defaultTail()) entries.push_back(std::move(entry));
    for (const auto &entry : entries) {
        const std::string candidate = entry.empty() ? file : entry + "/" + file;
        switch (probe(candidate)) {
        case Candidate::kMissing: continue;
        case Candidate::kRegular: return candidate;
        case Candidate::kOther: return std::nullopt;
        }
    }
    return std::nullopt;
}

std::string errorReport(const FailedCompile &failure, const std::string &sourcePath,
                        const std::string &includePath) {
    const std::string message = tidyMessage(failure.message);
    const auto file = failure.hasLocation ? findErrorFile(failure.fileName, sourcePath, includePath)
                                          : std::nullopt;
    const auto at = file ? locateInFile(*file, failure.position) : std::nullopt;
    if (!at) return sourcePath + ": error: " + message + "\n";
    return *file + ":" + std::to_string(at->line) + ":" + std::to_string(at->column) +
           ": error: " + message + "\n";
}

}  // namespace vek::cli
