// Turns a failed compile's result into the line `vek` prints on stderr.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vek::cli {

struct Location {
    int line;    // 1-based
    int column;  // 1-based, in bytes
};

// Line and column of the byte at `position` in `text`. Carriage returns
// count in offsets but a CR directly before a LF is not a column of its
// own, so CR LF and LF files agree. Past the end: the end of the text.
Location locate(std::string_view text, int32_t position);

// The message without its leading and trailing blanks; each further line
// of a multi-line message is indented by 4 blanks.
std::string tidyMessage(std::string_view message);

// The file the compiler read under `name`: the source as given, or an
// include file found on `includePath` in the compiler's order (its
// folders, then ".", "include", "../include"). Returns the path opened
// and fills `content`; nothing when no candidate can be read.
std::optional<std::string> findErrorFile(const std::string &name, const std::string &sourcePath,
                                         const std::string &includePath, std::string &content);

struct FailedCompile {
    std::string message;   // as the compiler wrote it
    std::string fileName;  // file being read when the error arose
    bool hasLocation;
    int32_t position;      // bytes into fileName
};

// "FILE:LINE:COLUMN: error: MESSAGE\n", or "SOURCE: error: MESSAGE\n" when
// there is no location or its file cannot be read.
std::string errorReport(const FailedCompile &failure, const std::string &sourcePath,
                        const std::string &includePath);

}  // namespace vek::cli
