#include "cli/watch_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

#include "cli/error_report.h"
#include "cli/file_names.h"

namespace vek::cli {

namespace {

bool blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// What ends a word besides a blank: brackets, groups and macro braces.
bool separator(char c) { return blank(c) || std::string_view("[](){}").find(c) != std::string_view::npos; }

// One item as the compiler reads it: up to a blank (or "]" in a list);
// double quotes enclose blanks and are dropped, "\" is a "/".
std::string readItem(const std::string &text, std::size_t &at, bool inList) {
    std::string item;
    bool quoted = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (!quoted && (blank(c) || (inList && c == ']'))) break;
        if (c == '"') quoted = !quoted;
        else item += c == '\\' ? '/' : c;
    }
    return item;
}

// An include name, or with `fileItem` the name after "fi", which also ends
// at the "]" of its byte list.
std::string readName(const std::string &text, std::size_t &at, bool fileItem) {
    while (at < text.size() && blank(text[at])) ++at;
    if (fileItem || at >= text.size() || text[at] != '[') return readItem(text, at, fileItem);
    std::string last;
    for (++at; at < text.size() && text[at] != ']';) {
        if (blank(text[at])) ++at;
        else last = readItem(text, at, true);
    }
    return last;
}

bool isWord(const std::string &word, const char *keyword) {
    return std::equal(word.begin(), word.end(), keyword, keyword + std::char_traits<char>::length(keyword),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

std::string readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

std::vector<std::string> includedNames(const std::string &text) {
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at < text.size()) {
        if (separator(text[at])) {
            ++at;
            continue;
        }
        const std::size_t start = at;
        while (at < text.size() && !separator(text[at])) ++at;
        const std::string word = text.substr(start, at - start);
        const bool fileItem = isWord(word, "fi");
        if (!fileItem && !isWord(word, "include")) continue;
        if (std::string name = readName(text, at, fileItem); !name.empty()) names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::string> filesOfPiece(const std::string &source, const std::string &includePath) {
    std::vector<std::string> files{effectiveSource(source)};
    // A source not written yet may appear under either name.
    std::error_code ec;
    if (!std::filesystem::exists(files.front(), ec)) files.push_back(source + ".vek");
    for (std::size_t next = 0; next < files.size(); ++next) {
        for (const std::string &name : includedNames(readFile(files[next]))) {
            const auto found = findErrorFile(name, source, includePath);
            if (found && std::find(files.begin(), files.end(), *found) == files.end()) files.push_back(*found);
        }
    }
    return files;
}

}  // namespace vek::cli
