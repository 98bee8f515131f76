#include "cli/options.h"

#include <charconv>
#include <cstddef>

namespace vek::cli {

namespace {

// A non-negative decimal that fits a 32-bit offset, and nothing else.
bool parseOffset(std::string_view text, int32_t &out) {
    if (text.empty() || text.front() == '-' || text.front() == '+') return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

std::string parseSelection(const std::string &text, Options &o) {
    const auto colon = text.find(':');
    if (colon == std::string::npos ||
        !parseOffset(std::string_view(text).substr(0, colon), o.selectionStart) ||
        !parseOffset(std::string_view(text).substr(colon + 1), o.selectionEnd))
        return "--select needs START:END, two byte offsets";
    if (o.selectionStart > o.selectionEnd) return "--select needs START <= END";
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

class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string> &args) : args_(args) {}
    bool done() const { return next_ >= args_.size(); }
    const std::string &take() { return args_[next_++]; }
    // The value of an option: glued on ("-Idir") or the next argument.
    bool value(const std::string &option, std::size_t glued, std::string &out) {
        if (option.size() > glued) {
            out = option.substr(glued);
            return true;
        }
        if (done()) return false;
        out = take();
        return true;
    }

private:
    const std::vector<std::string> &args_;
    std::size_t next_ = 0;
};

std::string parseOne(ArgumentReader &in, const std::string &arg, Options &o) {
    std::string value;
    if (arg == "--extract") {
        o.extract = true;
        return "";
    }
    if (arg == "--select" || arg.rfind("--select=", 0) == 0) {
        if (!in.value(arg, arg == "--select" ? arg.size() : 9, value)) return "--select needs START:END";
        return parseSelection(value, o);
    }
    if (arg.rfind("--", 0) == 0) return "unknown option " + arg;
    switch (arg[1]) {
    case 'f':
        if (!in.value(arg, 2, value)) return "-f needs a format (midi or wrk)";
        return setFormat(value, o);
    case 'l':
        if (!in.value(arg, 2, value) || value.empty()) return "-l needs a listing file";
        o.listingPath = value;
        return "";
    case 'I':
        if (!in.value(arg, 2, value)) return "-I needs a folder";
        return addIncludeDir(value, o);
    default:
        return "unknown option " + arg;
    }
}

bool isHelp(const std::string &arg) { return arg == "-h" || arg == "--help"; }

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string> &args) {
    ParsedOptions result;
    Options &o = result.options;
    for (const auto &arg : args) {
        if (arg == "--") break;
        if (isHelp(arg)) {
            o.help = true;
            return result;
        }
    }
    ArgumentReader in(args);
    bool optionsEnded = false;
    std::vector<std::string> files;
    while (!in.done() && result.error.empty()) {
        const std::string &arg = in.take();
        if (!optionsEnded && arg == "--") optionsEnded = true;
        else if (optionsEnded || arg.size() < 2 || arg[0] != '-') files.push_back(arg);
        else result.error = parseOne(in, arg, o);
    }
    if (!result.error.empty()) return result;
    if (files.size() != 1) {
        result.error = files.empty() ? "no source file given" : "more than one source file given";
        return result;
    }
    o.source = files.front();
    return result;
}

const char *usageText() {
    return "Usage: vek [-f midi|wrk] [-l LISTING] [-I DIR]... [--select START:END] [--extract] FILE\n";
}

const char *helpText() {
    return "Usage: vek [-f midi|wrk] [-l LISTING] [-I DIR]... [--select START:END] [--extract] FILE\n"
           "\n"
           "Compiles the Vek source FILE into a Standard MIDI File: FILE with its extension\n"
           "replaced by \".mid\" (\".wrk\" for a work file). If FILE does not exist, FILE.vek\n"
           "is read.\n"
           "\n"
           "Options:\n"
           "  -f FORMAT           output format: midi (the default, writes .mid) or wrk (.wrk)\n"
           "  -l LISTING          event listing file; the default is FILE with \".vls\",\n"
           "                      removed again when the piece did not ask for a listing\n"
           "  -I DIR              search DIR for include files; may be given more than once,\n"
           "                      searched in the order given\n"
           "  --select START:END  output only the music between these byte offsets of FILE\n"
           "  --extract           keep only the tracks in use at the selection start\n"
           "                      (offset 0 without --select)\n"
           "  -h, --help          show this help and exit\n"
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
           "Exit status: 0 success, 1 compile error, 2 usage error.\n";
}

}  // namespace vek::cli
