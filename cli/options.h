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
    bool selected = false;                 // --select was given
    bool extract = false;
    bool help = false;
    bool version = false;
    bool watch = false;
    std::string renderPath;                // audio file; empty: no render
    std::string soundFont;                 // empty: the system's default
    double gain = -1;                      // below 0: the default
    int sampleRate = 44100;                // frames per second
    bool soundSettingGiven = false;        // --soundfont, --gain or --sample-rate
    int jobs = 0;                          // parallel compiles; 0: one per core
    std::vector<std::string> sources;      // in the order given
    std::string source;                    // the first of them
};

struct ParsedOptions {
    Options options;
    std::string error;  // empty when the command line is valid
};

// Parses the arguments after the program name. -h/--help and --version
// win over any other problem, so that they are always reachable.
ParsedOptions parseOptions(const std::vector<std::string> &args);

// One-line synopsis, ending with a line feed.
const char *usageText();
// The full description of every option, ending with a line feed.
const char *helpText();

}  // namespace vek::cli
