// The files one `vek` run reads and writes besides the source.
#pragma once
#include <string>

namespace vek::cli {

// The file the compiler will read: the path as given, else with ".vek".
std::string effectiveSource(const std::string &sourcePath);

// The source path with its extension replaced by ".vls".
std::string defaultListingPath(const std::string &sourcePath);

// The output file the compiler writes for `sourcePath`: a final extension
// of at most three characters is dropped (a dot earlier in the path, or in
// a leading "..", stays), then ".mid" for "midi", else ".wrk".
std::string outputPath(const std::string &sourcePath, const std::string &format);

// A reason to refuse the run when the compile would empty the source (the
// listing or output file is the source) or write two outputs into one
// file; empty when the names are safe.
std::string fileClash(const std::string &sourcePath, const std::string &listingPath,
                      const std::string &format);

// Empty when `path` can be written, else why not. A missing file is
// created empty; an existing one is left as it is.
std::string unwritable(const std::string &path);

// Removes `path` when it exists and is empty.
void removeIfEmpty(const std::string &path);

}  // namespace vek::cli
