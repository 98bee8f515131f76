// The files a compile of one source reads, as the watch follows them.
#pragma once
#include <string>
#include <vector>

namespace vek::cli {

// The names after every `include` and `fi` word of `text` (an include
// list "[a b]" gives its last item), wherever they stand: the scan is
// textual, so a name in a macro or a comment counts too, which at worst
// watches a file too many.
std::vector<std::string> includedNames(const std::string &text);

// The source, then every file found for those names along the include
// search path, and theirs in turn. Names that find no file are left out.
std::vector<std::string> filesOfPiece(const std::string &source, const std::string &includePath);

}  // namespace vek::cli
