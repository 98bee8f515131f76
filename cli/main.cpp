// vek: compiles one Vek source from the command line.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/error_report.h"
#include "cli/file_names.h"
#include "cli/import_command.h"
#include "cli/include_path.h"
#include "cli/options.h"
#include "cli/printable.h"
#include "cli/source_checks.h"
#include "vek/vekmain.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr const char *kSysexFile = "sysex.out";  // the compiler's scratch file

// Everything on stderr goes through here: it may carry source bytes and
// file names.
void say(const std::string &text) { std::fputs(vek::cli::printable(text).c_str(), stderr); }

int usageError(const std::string &why) {
    say("vek: " + why + "\n" + vek::cli::usageText());
    return kExitUsage;
}

// The fields of a fixed-size record text, which need not end in a NUL.
template <std::size_t N>
std::string fieldText(const char (&field)[N]) {
    return std::string(field, std::find(field, field + N, '\0'));
}

ParseError compile(const vek::cli::Options &o, const std::string &listing,
                   const std::string &includePath) {
    const int32_t extract = o.extract ? 1 : 0;
    const VekmainArgs args{o.source.c_str(), o.format.c_str(),  listing.c_str(),
                           includePath.c_str(), &o.selectionStart, &o.selectionEnd,
                           &extract,           VEKMAIN_VERSION};
    return Vekmain(VEKMAIN_ARGUMENT_COUNT, &args);
}

}  // namespace

int main(int argc, char **argv) {
    using namespace vek::cli;
    if (const std::vector<std::string> all(argv + 1, argv + argc); isImport(all)) return runImport(all);
    const auto parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    const Options &o = parsed.options;
    if (o.help) {
        std::fputs(helpText(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) return usageError(parsed.error);

    if (const auto problem = sourceProblem(o.source, o.selectionEnd); !problem.empty())
        return usageError(problem);
    const std::string listing = o.listingPath.empty() ? defaultListingPath(o.source) : o.listingPath;
    if (const auto clash = fileClash(o.source, listing, o.format); !clash.empty())
        return usageError(clash);
    // The compiler skips a listing it cannot write; one the user named is
    // refused here instead.
    if (!o.listingPath.empty()) {
        if (const auto why = unwritable(o.listingPath); !why.empty()) {
            std::fprintf(stderr, "vek: cannot write the listing %s: %s\n", o.listingPath.c_str(),
                         why.c_str());
            return kExitFailure;
        }
    }
    const std::string includePath = buildIncludePath(
        o.includeDirs, std::getenv("VEK_INCLUDE_PATH"),
        dataIncludeDir(executablePath(argc > 0 ? argv[0] : nullptr), VEK_SOURCE_DATA_DIR).string());

    std::error_code ec;
    const bool sysexExisted = std::filesystem::exists(kSysexFile, ec);
    const ParseError result = compile(o, listing, includePath);
    // Leave no scratch files behind: an empty sysex.out, or a listing
    // nobody asked for.
    if (!sysexExisted) removeIfEmpty(kSysexFile);
    if (o.listingPath.empty() && (result.actions & 1) == 0) removeIfEmpty(listing);

    if (!result.failed) return 0;
    // A failed compile leaves its output empty; an empty file would only
    // pass for a piece.
    removeIfEmpty(outputPath(o.source, o.format));
    const FailedCompile failure{fieldText(result.message), fieldText(result.fileName),
                                result.hasLocation != 0, result.position};
    say(errorReport(failure, o.source, includePath));
    return kExitFailure;
}
