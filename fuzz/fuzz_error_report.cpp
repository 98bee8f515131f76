// libFuzzer target: the command's error report, from a byte offset to a
// line and column.
//
// The first four bytes are the offset (small ones wrapped into the text,
// so that they land on its bytes), the fifth sets the block sizes the line
// counter is fed in; the rest is the source text. The counter must agree
// with a plain count over the whole text however the blocks fall, the
// report read from a file must name the same place, and what the command
// prints must hold no control bytes but line feeds and tabs. Run it with
// an absolute -artifact_prefix (scratch_folder.h):
//
//   fuzz_error_report -max_len=4096 -artifact_prefix=$PWD/ CORPUS </dev/null

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

#include "cli/error_report.h"
#include "cli/printable.h"
#include "scratch_folder.h"

namespace {

constexpr const char *kSource = "error.vek";

void check(bool ok) {
    if (!ok) std::abort();
}

// The line and column counted over the whole text at once.
vek::cli::Location plainCount(std::string_view text, int32_t position) {
    const std::size_t end = std::min<std::size_t>(position < 0 ? 0 : position, text.size());
    int line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') line++, lineStart = i + 1;
    }
    std::size_t column = end - lineStart + 1;
    if (end < text.size() && text[end] == '\n' && end > lineStart && text[end - 1] == '\r') --column;
    return {line, static_cast<int>(column)};
}

vek::cli::Location fedInBlocks(std::string_view text, int32_t position, uint8_t blockSeed) {
    vek::cli::LineCounter counter(position);
    std::size_t block = 1 + blockSeed % 7;
    while (!text.empty()) {
        const std::size_t n = std::min(block, text.size());
        if (!counter.feed(text.substr(0, n))) break;
        text.remove_prefix(n);
        block = 1 + (block * 5 + blockSeed) % 13;
    }
    return counter.location();
}

bool printableOnly(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= 0x20 && byte < 0x7F) || c == '\n' || c == '\t';
    });
}

void checkReport(std::string_view text, int32_t position, const vek::cli::Location &at) {
    {
        std::ofstream out(kSource, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    // The message field holds source text too; keep it to the record's size.
    const std::string message(text.substr(0, 160));
    const std::string report = vek::cli::errorReport({message, kSource, true, position}, kSource, "");
    const std::string head = std::string(kSource) + ":" + std::to_string(at.line) + ":" +
                             std::to_string(at.column) + ": error: ";
    check(report.compare(0, head.size(), head) == 0);
    const std::string shown = vek::cli::printable(report);
    check(printableOnly(shown));
    check(vek::cli::printable(shown) == shown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 5) return 0;
    vek::fuzz::enterScratchFolder("error-report");
    const std::string_view text(reinterpret_cast<const char *>(data + 5), size - 5);
    uint32_t raw;
    std::memcpy(&raw, data, sizeof raw);
    // Offsets with the top bit clear land within a byte past the text; the
    // others may be anything: negative, or far past the end.
    const int32_t position = (raw & 0x80000000u) == 0 ? static_cast<int32_t>(raw % (text.size() + 2))
                                                      : static_cast<int32_t>(raw << 1);
    const vek::cli::Location at = plainCount(text, position);
    const vek::cli::Location fed = fedInBlocks(text, position, data[4]);
    check(fed.line == at.line && fed.column == at.column);
    checkReport(text, position, at);
    return 0;
}
