// libFuzzer target: every input is a Vek source compiled through Vekmain.
// It works in a scratch folder of its own (scratch_folder.h).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "scratch_folder.h"
#include "vek/vekmain.h"

namespace {

constexpr const char *kSource = "fuzz.vek";
constexpr const char *kListing = "fuzz.vls";

bool writeSource(const uint8_t *data, size_t size) {
    std::FILE *f = std::fopen(kSource, "wb");
    if (!f) return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

// The first byte also picks the output format, a selection and the extract
// flag, so that range extraction and both writers are fuzzed as well; the
// whole input stays the source text.
struct Settings {
    const char *format = "midi";
    int32_t selectionStart = 0;
    int32_t selectionEnd = 0;
    int32_t extractMode = 0;
};

Settings settingsFor(const uint8_t *data, size_t size) {
    Settings s;
    if (size == 0) return s;
    const uint8_t b = data[0];
    const auto length = static_cast<int64_t>(size);
    if (b & 0x01) {
        s.selectionStart = static_cast<int32_t>(length * ((b >> 2) & 7) / 8);
        s.selectionEnd = static_cast<int32_t>(s.selectionStart + (length - s.selectionStart) / 2);
    }
    if (b & 0x02) s.extractMode = 1;
    if (b & 0x80) s.format = "wrk";
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    vek::fuzz::enterScratchFolder("vekmain");
    if (!writeSource(data, size)) return 0;
    const Settings s = settingsFor(data, size);
    const VekmainArgs args{kSource, s.format, kListing, VEK_FUZZ_INCLUDE_PATH, &s.selectionStart,
                           &s.selectionEnd, &s.extractMode, VEKMAIN_VERSION};
    const ParseError result = Vekmain(VEKMAIN_ARGUMENT_COUNT, &args);
    // The record must be a sound C string pair whatever the input was.
    if (result.failed && (result.message[sizeof result.message - 1] != '\0' ||
                          result.fileName[sizeof result.fileName - 1] != '\0'))
        std::abort();
    return 0;
}
