// The shared library exports the entry point and its mapping twin: anything
// else a host could bind to would become interface by accident.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace vek::test {
namespace {

// Defined dynamic symbols of code ("T" text, "W" weak, "i" indirect) by
// name. Data symbols such as _edata, _end and __bss_start mark the linker's
// layout and are no entry points, so they are not collected.
std::set<std::string> exportedFunctions(const std::string &library) {
    const std::string command = "nm -D --defined-only '" + library + "' 2>&1";
    std::FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string output;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    EXPECT_EQ(pclose(pipe), 0) << output;

    std::set<std::string> names;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (!(fields >> address >> type >> name)) continue;
        if (type == "T" || type == "W" || type == "i") names.insert(name);
    }
    return names;
}

TEST(Exports, OnlyTheEntryPointsAreExported) {
    std::set<std::string> names = exportedFunctions(VEK_LIBRARY_PATH);
    // Start-up and tear-down hooks that the C runtime adds to every library.
    names.erase("_init");
    names.erase("_fini");
    EXPECT_EQ(names, (std::set<std::string>{"Vekmain", "VekmainWithMap"}));
}

}  // namespace
}  // namespace vek::test
