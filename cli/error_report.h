// Turns a failed compile's result into the line `vek` prints on stderr.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vek::cli {

struct Location {
    int line;    // 1-based
    int column;  // 1-based, in bytes
};

// Line and column of the byte at `position`, counted over the text one
// chunk at a time so that a file is never held whole: only the bytes up to
// the position and the one at it are read. Carriage returns count in
// offsets but a CR directly before a LF is not a column of its own, so
// CR LF and LF files agree. Past the end: the end of the text.
class LineCounter {
public:
    explicit LineCounter(int32_t position);
    // Takes the next bytes of the text; false once no more are needed.
    bool feed(std::string_view chunk);
    Location location() const;

private:
    std::size_t target_;         // the position, in bytes
    std::size_t seen_ = 0;       // bytes taken; target_ + 1 once done
    std::size_t lineStart_ = 0;  // offset of the first byte of the line
    int line_ = 1;
    char before_ = 0;            // the byte before the target
    bool atLineFeed_ = false;    // the byte at the target is a LF
};

// The same over a whole text in memory.
Location locate(std::string_view text, int32_t position);

// The same over a file, read in fixed-size blocks; nothing when it cannot
// be read.
std::optional<Location> locateInFile(const std::string &path, int32_t position);

// The message without its leading and trailing blanks; each further line
// of a multi-line message is indented by 4 blanks.
std::string tidyMessage(std::string_view message);

// The file the compiler read under `name`: the source as given, or an
// include file found on `includePath` in the compiler's order (its
// folders, then ".", "include", "../include"). Returns the path opened;
// nothing when no candidate opens, or when the one that does is not a
// regular file (a device or a pipe may never end).
std::optional<std::string> findErrorFile(const std::string &name, const std::string &sourcePath,
                                         const std::string &includePath);

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
