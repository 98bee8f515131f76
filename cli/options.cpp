#include "cli/options.h"

#include <charconv>
#include <cstddef>
#include <string_view>

namespace vek::cli {

namespace {

// A non-negative decimal that fits a 32-bit offset, and nothing else.
bool parseOffset(std::string_view text, int32_t &out) {
    if (text.empty() || text.front() == '-' || text.front() == '+') return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

template <typename Number>
bool parseNumber(const std::string &text, Number &out, Number low, Number high) {
    if (text.empty() || text.front() == '+') return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && out >= low && out <= high;
}

std::string setSelection(const std::string &text, Options &o) {
    const auto colon = text.find(':');
    if (colon == std::string::npos ||
        !parseOffset(std::string_view(text).substr(0, colon), o.selectionStart) ||
        !parseOffset(std::string_view(text).substr(colon + 1), o.selectionEnd))
        return "--select needs START:END, two byte offsets";
    if (o.selectionStart > o.selectionEnd) return "--select needs START <= END";
    o.selected = true;
    return "";
}

// The library takes the search path as one ";"-separated text.
std::string addIncludeDir(const std::string &dir, Options &o) {
    if (dir.empty()) return "-I needs a folder";
    if (dir.find(';') != std::string::npos) return "an include folder cannot contain ';': " + dir;
    o.includeDirs.push_back(dir);
    return "";
}

std::string setFormat(const std::string &format, Options &o) {
    if (format != "midi" && format != "wrk") return "unknown format '" + format + "' (midi or wrk)";
    o.format = format;
    return "";
}

std::string setListing(const std::string &path, Options &o) {
    if (path.empty()) return "-l needs a listing file";
    o.listingPath = path;
    return "";
}

std::string setRender(const std::string &path, Options &o) {
    if (path.empty()) return "--render needs an audio file";
    o.renderPath = path;
    return "";
}

std::string setSoundFont(const std::string &path, Options &o) {
    if (path.empty()) return "--soundfont needs a soundfont file";
    o.soundFont = path;
    o.soundSettingGiven = true;
    return "";
}

// FluidSynth's own limits for its master gain and sample rate.
std::string setGain(const std::string &text, Options &o) {
    o.soundSettingGiven = true;
    return parseNumber(text, o.gain, 0.0, 10.0) ? "" : "--gain needs a number from 0 to 10";
}

std::string setSampleRate(const std::string &text, Options &o) {
    o.soundSettingGiven = true;
    return parseNumber(text, o.sampleRate, 8000, 96000) ? ""
                                                         : "--sample-rate needs a rate from 8000 to 96000";
}

std::string setJobs(const std::string &text, Options &o) {
    return parseNumber(text, o.jobs, 1, 1024) ? "" : "-j needs a number of compiles from 1 to 1024";
}

// ORDER OPTIONS: the table, helpText() and the completion file.
struct OptionSpec {
    const char *name;       // "-f" or "--select"
    const char *valueName;  // null for a flag
    std::string (*apply)(const std::string &value, Options &o);
};

const OptionSpec kOptions[] = {
    {"-f", "a format (midi or wrk)", setFormat},
    {"-l", "a listing file", setListing},
    {"-I", "a folder", addIncludeDir},
    {"--select", "START:END", setSelection},
    {"--extract", nullptr, [](const std::string &, Options &o) { o.extract = true; return std::string(); }},
    {"--render", "an audio file", setRender},
    {"--soundfont", "a soundfont file", setSoundFont},
    {"--gain", "a number", setGain},
    {"--sample-rate", "a rate", setSampleRate},
    {"--watch", nullptr, [](const std::string &, Options &o) { o.watch = true; return std::string(); }},
    {"-j", "a number of compiles", setJobs},
};

class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string> &args) : args_(args) {}
    bool done() const { return next_ >= args_.size(); }
    const std::string &take() { return args_[next_++]; }

private:
    const std::vector<std::string> &args_;
    std::size_t next_ = 0;
};

// A short option takes its value glued on ("-Idir") or as the next
// argument, a long one after "=" or as the next argument.
std::string parseOne(ArgumentReader &in, const std::string &arg, Options &o) {
    for (const OptionSpec &spec : kOptions) {
        const std::string_view name = spec.name;
        const bool isShort = name.size() == 2;
        const bool exact = arg == name;
        const bool glued = arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
                           (isShort || arg[name.size()] == '=');
        if (!exact && !glued) continue;
        if (!spec.valueName) return exact ? spec.apply("", o) : "unknown option " + arg;
        if (glued) return spec.apply(arg.substr(name.size() + (isShort ? 0 : 1)), o);
        if (in.done()) return std::string(spec.name) + " needs " + spec.valueName;
        return spec.apply(in.take(), o);
    }
    return "unknown option " + arg;
}

// Options that name one output, or follow one file, cannot serve several.
std::string oneFileOnly(const Options &o) {
    if (!o.listingPath.empty()) return "-l names one listing: give one source file";
    if (!o.renderPath.empty()) return "--render names one audio file: give one source file";
    if (o.selected) return "--select gives offsets into one file: give one source file";
    if (o.watch) return "--watch follows one source file: give one";
    return "";
}

std::string checkCombination(const Options &o) {
    if (o.sources.empty()) return "no source file given";
    if (o.sources.size() > 1) return oneFileOnly(o);
    if (o.soundSettingGiven && o.renderPath.empty())
        return "--soundfont, --gain and --sample-rate need --render";
    return "";
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string> &args) {
    ParsedOptions result;
    Options &o = result.options;
    for (const auto &arg : args) {
        if (arg == "--") break;
        o.help = o.help || arg == "-h" || arg == "--help";
        o.version = o.version || arg == "--version";
    }
    if (o.help || o.version) return result;
    ArgumentReader in(args);
    bool optionsEnded = false;
    while (!in.done() && result.error.empty()) {
        const std::string &arg = in.take();
        if (!optionsEnded && arg == "--") optionsEnded = true;
        else if (optionsEnded || arg.size() < 2 || arg[0] != '-') o.sources.push_back(arg);
        else result.error = parseOne(in, arg, o);
    }
    if (result.error.empty()) result.error = checkCombination(o);
    if (!o.sources.empty()) o.source = o.sources.front();
    return result;
}

const char *usageText() {
    return "Usage: vek [OPTION]... FILE...   (vek --help lists the options)\n";
}

const char *helpText() {
    return "Usage: vek [OPTION]... FILE...\n"
           "\n"
           "Compiles each Vek source FILE into a Standard MIDI File: FILE with its extension\n"
           "replaced by \".mid\" (\".wrk\" for a work file). If FILE does not exist, FILE.vek\n"
           "is read. Several files are compiled in parallel.\n"
           "\n"
           "Options:\n"
           "  -f FORMAT            output format: midi (the default, writes .mid) or wrk (.wrk)\n"
           "  -l LISTING           event listing file (one FILE only); the default is FILE with\n"
           "                       \".vls\", removed again when the piece did not ask for one\n"
           "  -I DIR               search DIR for include files; may be given more than once\n"
           "  --select START:END   output only the music between these byte offsets of FILE\n"
           "  --extract            keep only the tracks in use at the selection start\n"
           "  --render AUDIO       also render the piece to AUDIO (.wav, .flac or .ogg) through\n"
           "                       FluidSynth; FILE.mid is written and kept as without it\n"
           "  --soundfont SF2      soundfont for --render (default: the system's General MIDI one)\n"
           "  --gain G             synthesizer gain for --render, 0 to 10 (default 0.5)\n"
           "  --sample-rate R      frames per second for --render, 8000 to 96000 (default 44100)\n"
           "  --watch              compile FILE again each time it or a file it includes is\n"
           "                       saved, one line per compile, until Ctrl+C (exit status 0)\n"
           "  -j N                 compile at most N files at once (default: one per core)\n"
           "  --version            show the versions of vek and of its compiler library\n"
           "  -h, --help           show this help and exit\n"
           "\n"
           "       vek --import IN.mid [-o OUT.vek] [--force] [--quantize 1/N]\n"
           "  --import IN.mid     turn a Standard MIDI File into Vek text, IN.vek beside it\n"
           "  -o OUT.vek          write the text there instead\n"
           "  --force             overwrite an existing output (never done otherwise)\n"
           "  --quantize 1/N      snap note starts and lengths to 1/N notes for reading\n"
           "\n"
           "Include files are searched in the -I folders, then in the folders of the\n"
           "environment variable VEK_INCLUDE_PATH (separated by \";\"), then in the shipped\n"
           "include folder, then in the current folder, include and ../include.\n"
           "\n"
           "Errors are reported as FILE:LINE:COLUMN: error: MESSAGE on standard error.\n"
           "Exit status: 0 success, 1 compile or render error (with several files, if any\n"
           "failed), 2 usage error, 130 a render stopped with Ctrl+C (it leaves no audio).\n";
}

}  // namespace vek::cli
