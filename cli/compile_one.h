// One compile of one source, as every mode of `vek` runs it: the checks
// before, the call of the library, the clean-up and the report after.
#pragma once
#include <string>

#include "cli/options.h"

namespace vek::cli {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;  // 128 + SIGINT, as a shell reports it

struct CompileOutcome {
    int status = kExitSuccess;
    std::string report;  // for stderr, already escaped; empty on success
    std::string output;  // the music file written
};

// The text of a usage error: "vek: WHY", then the synopsis.
std::string usageReport(const std::string &why);

// Compiles `source` with the settings of `o`. Never prints: the caller
// shows the report, so that parallel compiles do not mix their lines.
CompileOutcome compileOne(const Options &o, const std::string &source, const std::string &includePath);

// Keeps the current folder free of an empty "sysex.out" that this run
// made: created before the compiles, checks when destroyed.
class SysexScratch {
public:
    SysexScratch();
    ~SysexScratch();
    SysexScratch(const SysexScratch &) = delete;
    SysexScratch &operator=(const SysexScratch &) = delete;

private:
    bool existed_;
};

}  // namespace vek::cli
