#include "cli/many_files.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "cli/compile_one.h"

namespace vek::cli {

namespace {

unsigned threadCount(const Options &o) {
    const unsigned wanted = o.jobs > 0 ? static_cast<unsigned>(o.jobs)
                                       : std::max(1u, std::thread::hardware_concurrency());
    return std::min<unsigned>(wanted, static_cast<unsigned>(o.sources.size()));
}

}  // namespace

int compileMany(const Options &o, const std::string &includePath) {
    const SysexScratch scratch;
    std::atomic<std::size_t> next{0};
    std::atomic<int> worst{kExitSuccess};
    std::mutex printing;
    auto work = [&] {
        for (std::size_t i; (i = next++) < o.sources.size();) {
            const CompileOutcome outcome = compileOne(o, o.sources[i], includePath);
            for (int seen = worst; outcome.status > seen && !worst.compare_exchange_weak(seen, outcome.status);) {}
            if (outcome.report.empty()) continue;
            const std::lock_guard<std::mutex> lock(printing);
            std::fputs(outcome.report.c_str(), stderr);
        }
    };
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < threadCount(o); ++t) threads.emplace_back(work);
    work();
    for (auto &thread : threads) thread.join();
    return worst;
}

}  // namespace vek::cli
