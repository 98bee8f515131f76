// Runs Vekmain on a source text inside the current (scratch) folder.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "vek/vekmain.h"

namespace vek::test {

struct CompileOptions {
    std::string format = "midi";
    std::string includePath;
    int32_t selectionStart = 0;
    int32_t selectionEnd = 0;
    int32_t extractMode = 0;
    std::string version = VEKMAIN_VERSION;
    int32_t count = VEKMAIN_ARGUMENT_COUNT;
    std::string sourceName = "song.vtp";  // written with the source text
    std::string listingName = "song.vls";
};

struct CompileResult {
    ParseError result;
    std::string output;   // bytes of the output file ("" when absent)
    std::string listing;  // bytes of the listing file
    bool failed() const { return result.failed != 0; }
    std::string message() const { return result.message; }
    std::string fileName() const { return result.fileName; }
};

// Writes `source` under options.sourceName, compiles it and reads back the
// output (song.mid or song.wrk) and the listing.
CompileResult compileText(const std::string &source, const CompileOptions &options = {});

}  // namespace vek::test
