#include "cli/compile_one.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cli/error_report.h"
#include "cli/file_names.h"
#include "cli/printable.h"
#include "cli/source_checks.h"
#include "vek/shared_names.h"
#include "vek/vekmain.h"

namespace vek::cli {

namespace {


// The fields of a fixed-size record text, which need not end in a NUL.
template <std::size_t N>
std::string fieldText(const char (&field)[N]) {
    return std::string(field, std::find(field, field + N, '\0'));
}

ParseError callLibrary(const Options &o, const std::string &source, const std::string &listing,
                       const std::string &includePath) {
    const int32_t extract = o.extract ? 1 : 0;
    const VekmainArgs args{source.c_str(),      o.format.c_str(),  listing.c_str(),
                           includePath.c_str(), &o.selectionStart, &o.selectionEnd,
                           &extract,            VEKMAIN_VERSION};
    return Vekmain(VEKMAIN_ARGUMENT_COUNT, &args);
}

// Refusals before the compile; empty when it may run.
CompileOutcome refusal(const Options &o, const std::string &source, const std::string &listing) {
    CompileOutcome refused;
    refused.status = kExitUsage;
    if (const auto problem = sourceProblem(source, o.selectionEnd); !problem.empty())
        refused.report = usageReport(problem);
    else if (const auto clash = fileClash(source, listing, o.format); !clash.empty())
        refused.report = usageReport(clash);
    // The compiler skips a listing it cannot write; one the user named is
    // refused here instead.
    else if (const auto why = o.listingPath.empty() ? "" : unwritable(o.listingPath); !why.empty()) {
        refused.status = kExitFailure;
        refused.report = printable("vek: cannot write the listing " + o.listingPath + ": " + why + "\n");
    } else
        refused.status = kExitSuccess;
    return refused;
}

}  // namespace

std::string usageReport(const std::string &why) { return printable("vek: " + why + "\n") + usageText(); }

CompileOutcome compileOne(const Options &o, const std::string &source, const std::string &includePath) {
    const std::string listing = o.listingPath.empty() ? defaultListingPath(source) : o.listingPath;
    CompileOutcome outcome = refusal(o, source, listing);
    if (outcome.status != kExitSuccess) return outcome;

    const ParseError result = callLibrary(o, source, listing, includePath);
    // Leave no listing nobody asked for.
    if (o.listingPath.empty() && (result.actions & 1) == 0) removeIfEmpty(listing);
    outcome.output = outputPath(source, o.format);
    if (!result.failed) return outcome;
    // A failed compile leaves its output empty; an empty file would only
    // pass for a piece.
    removeIfEmpty(outcome.output);
    const FailedCompile failure{fieldText(result.message), fieldText(result.fileName),
                                result.hasLocation != 0, result.position};
    outcome.status = kExitFailure;
    outcome.report = printable(errorReport(failure, source, includePath));
    return outcome;
}

SysexScratch::SysexScratch() {
    std::error_code ec;
    existed_ = std::filesystem::exists(vek::kSysexFileName, ec);
}

SysexScratch::~SysexScratch() {
    if (!existed_) removeIfEmpty(vek::kSysexFileName);
}

}  // namespace vek::cli
