#include "cli/watch.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "cli/compile_one.h"
#include "cli/file_watcher.h"
#include "cli/interrupt.h"
#include "cli/printable.h"
#include "cli/render_command.h"
#include "cli/watch_files.h"
#include "midi/smf_file.h"

namespace vek::cli {

namespace {

std::string timeOfDay() {
    const std::time_t now = std::time(nullptr);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", std::localtime(&now));
    return text;
}

// "ok in 12 ms, 340 notes", with the render's result after it.
std::string success(const Options &o, const CompileOutcome &compiled, long ms, const std::string &soundFont) {
    const long notes = midi::countNotesInFile(compiled.output);
    std::string line = "ok in " + std::to_string(ms) + " ms";
    if (notes >= 0) line += ", " + std::to_string(notes) + (notes == 1 ? " note" : " notes");
    if (o.renderPath.empty()) return line + "\n";
    const CompileOutcome rendered = renderAudio(o, compiled.output, soundFont);
    if (rendered.status != kExitSuccess)
        return line + "; " + (rendered.report.empty() ? "render stopped\n" : rendered.report);
    return line + "; rendered " + printable(o.renderPath) + "\n";
}

void compileAndReport(const Options &o, const std::string &includePath, const std::string &soundFont) {
    const auto start = std::chrono::steady_clock::now();
    const CompileOutcome compiled = compileOne(o, o.source, includePath);
    const long ms = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now() - start)
                                          .count());
    const std::string line = compiled.status == kExitSuccess ? success(o, compiled, ms, soundFont)
                                                             : compiled.report;
    std::fputs((timeOfDay() + " " + line).c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace

int runWatch(const Options &o, const std::string &includePath, const std::string &soundFont) {
    catchInterrupt();
    const SysexScratch scratch;
    do {
        // The watch starts before the compile, so a save during it counts.
        FileWatcher watcher(filesOfPiece(o.source, includePath), std::getenv("VEK_WATCH_POLL") != nullptr);
        compileAndReport(o, includePath, soundFont);
        if (!watcher.waitForChange(interruptFlag())) break;
    } while (!interruptFlag());
    return kExitSuccess;
}

}  // namespace vek::cli
