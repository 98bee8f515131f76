// vek: compiles Vek sources from the command line; renders, watches.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/compile_one.h"
#include "cli/import_command.h"
#include "cli/include_path.h"
#include "cli/many_files.h"
#include "cli/options.h"
#include "cli/render_command.h"
#include "cli/version.h"
#include "cli/watch.h"

namespace {

int finish(const vek::cli::CompileOutcome &outcome) {
    std::fputs(outcome.report.c_str(), stderr);
    return outcome.status;
}

}  // namespace

int main(int argc, char **argv) {
    using namespace vek::cli;
    if (const std::vector<std::string> all(argv + 1, argv + argc); isImport(all)) return runImport(all);
    const auto parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    const Options &o = parsed.options;
    if (o.help || o.version) {
        std::fputs(o.help ? helpText() : versionText().c_str(), stdout);
        return kExitSuccess;
    }
    if (!parsed.error.empty()) return finish({kExitUsage, usageReport(parsed.error), ""});

    const std::string includePath = buildIncludePath(
        o.includeDirs, std::getenv("VEK_INCLUDE_PATH"),
        dataIncludeDir(executablePath(argc > 0 ? argv[0] : nullptr), VEK_SOURCE_DATA_DIR).string());
    if (o.sources.size() > 1) return compileMany(o, includePath);

    std::string soundFont;
    if (!o.renderPath.empty()) {
        if (const auto refused = prepareRender(o, soundFont); refused.status != kExitSuccess)
            return finish(refused);
    }
    if (o.watch) return runWatch(o, includePath, soundFont);

    CompileOutcome outcome;
    {
        const SysexScratch scratch;
        outcome = compileOne(o, o.source, includePath);
    }
    if (outcome.status == kExitSuccess && !o.renderPath.empty())
        outcome = renderAudio(o, outcome.output, soundFont);
    return finish(outcome);
}
