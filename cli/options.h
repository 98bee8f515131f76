// Command line of `vek`: the options and their parser.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vek::cli {

struct Options {
    std::string format = "midi";           // "midi" or "wrk"
    std::string listingPath;               // empty: next to the source, ".vls"
    std::vector<std::string> includeDirs;  // -I folders, in the order given
    int32_t selectionStart = 0;            // bytes into the source
    int32_t selectionEnd = 0;
    bool extract = false;
    bool help = false;
    std::string source;
};

struct ParsedOptions {
    Options options;
    std::string error;  // empty when the command line is valid
};

// Parses the arguments after the program name. -h/--help wins over any
// other problem, so that help is always reachable.
ParsedOptions parseOptions(const std::vector<std::string> &args);

// One-line synopsis, ending with a line feed.
const char *usageText();
// The full description of every option, ending with a line feed.
const char *helpText();

}  // namespace vek::cli
