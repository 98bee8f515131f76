// Opening the files a compile reads: sources, include files, sysex files.
#pragma once
#include <cstdio>
#include <string>
#include <system_error>

namespace vek {

// Opens `name`; a folder is refused rather than read as an empty file.
// Null on failure, with the reason in `why`.
std::FILE *openFile(const std::string &name, const char *mode, std::error_code &why);

// Opens `name` on the ";"-separated `path` (entry "/" name; an empty entry
// means the name itself), the first candidate that opens. Null when none
// does; `why` (when given) then holds the most telling reason: one other
// than "not found" or "is a folder" when some candidate gave it. `found`
// (when given) gets the path that opened.
std::FILE *openOnPath(const std::string &name, const char *mode, const std::string &path,
                      std::error_code *why = nullptr, std::string *found = nullptr);

}  // namespace vek
