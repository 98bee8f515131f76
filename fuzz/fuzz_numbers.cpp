// libFuzzer target: the number reader and the time conversions.
//
// The first two bytes pick what the parser would pass (the mask, the
// unit, the range) and the compile's settings (frame rate, drop-frame,
// division); the rest is the source text the number is read from. A
// number that reads must have a form the mask allows and lie within its
// range; its value then goes through the SMPTE, millisecond and tick
// conversions, whose round trips must hold. Like the other targets the
// process works in a scratch folder of its own, so give libFuzzer an
// absolute -artifact_prefix or a crashing input is lost with the folder:
//
//   fuzz_numbers -dict=fuzz/numbers.dict -max_len=64 -artifact_prefix=$PWD/ CORPUS </dev/null

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/reader.h"
#include "music/numbers.h"
#include "scratch_folder.h"
#include "vek/vekmain.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

// What the parser's calls pass, and the settings a piece can make.
constexpr std::array<int, 4> kMasks{vek::kMaskInteger, vek::kMaskLength, vek::kMaskPosition, vek::kMaskFrames};
constexpr std::array<int32_t, 8> kUnits{0, 1, 2, 3, 120, 480, 1000, 65535};
struct Range {
    int32_t maximum, minimum;
};
constexpr std::array<Range, 8> kRanges{{{0, 0},
                                        {127, -127},
                                        {65535, 0},
                                        {65535, -16000},
                                        {INT_MAX, INT_MIN},
                                        {INT_MAX, 0},
                                        {11, -11},
                                        {1, 1}}};
// The SMPTE settings `smpte` and `drop` can make: frames per second, drop-frame.
struct Smpte {
    int32_t frameRate;
    bool dropFrame;
};
constexpr std::array<Smpte, 4> kSmpte{{{24, false}, {25, false}, {30, false}, {30, true}}};
constexpr std::array<int32_t, 2> kDivisions{48, 480};  // ticks per quarter note, as `ppq` allows

struct Setup {
    int mask;
    int32_t unit;
    Range range;
    bool dropFrame;
    int32_t frameRate, division;
};

Setup pick(uint8_t a, uint8_t b) {
    const Smpte smpte = kSmpte[b & 3];
    return {kMasks[a & 3], kUnits[(a >> 2) & 7], kRanges[(a >> 5) & 7],
            smpte.dropFrame, smpte.frameRate, kDivisions[(b >> 2) & 1]};
}

bool startsNumber(int c) { return (c >= '+' && c <= '=' && c != '.' && c != '<'); }

void checkForm(const vek::CompileState &cs, const Setup &s, int form) {
    using namespace vek;
    check(form == kNoNumber || form == kFormInteger || form == kFormFraction || form == kFormTicks ||
          form == kFormFrames || form == kFormNoSmpte);
    if (s.mask == kMaskInteger) check(form == kNoNumber || form == kFormInteger);
    if (form == kFormNoSmpte) check(cs.number == 0);
    if (form == kNoNumber || form == kFormNoSmpte) return;
    check((form & s.mask) != 0);
    if (s.range.maximum == 0 && s.range.minimum == 0) return;
    // Fractions are range-checked at 1/256 of their value.
    const int32_t tested = form == kFormFraction ? cs.number >> 8 : cs.number;
    check(tested >= s.range.minimum && tested <= s.range.maximum);
}

bool sameSmpte(const vek::SmpteTime &a, const vek::SmpteTime &b) {
    return a.frames == b.frames && a.seconds == b.seconds && a.minutes == b.minutes && a.hours == b.hours;
}

// Frame counts split into fields and back; milliseconds of a frame back
// to the frame; ticks to milliseconds and back to within a tick.
void checkConversions(vek::CompileState &cs, int32_t value, bool drop) {
    using namespace vek;
    const SmpteTime t = SmpteFromFrames(cs, value, drop);
    const int32_t rate = cs.frameRate;
    check(t.frames > -rate && t.frames < rate && t.seconds > -60 && t.seconds < 60);
    check(t.minutes > -60 && t.minutes < 60);
    check(FramesFromSmpte(cs, t, drop) == value);
    const int32_t ms = MsFromSmpte(cs, t, drop);
    if (ms > INT_MIN && ms < INT_MAX) check(sameSmpte(SmpteFromMs(cs, ms, drop), t));
    const int32_t tickMs = MsFromTicks(cs, value);
    if (tickMs > INT_MIN && tickMs < INT_MAX) {
        const int64_t back = TicksFromMs(cs, tickMs);
        check(back - value <= 1 && value - back <= 1);
    }
    AddSmpte(cs, t, SmpteFromTicks(cs, value, drop), drop);
    TicksFromSmpte(cs, t, drop);
}

void readOne(const Setup &s) {
    vek::SongContext song;
    song.listingPath = "number.vls";
    song.division = s.division;
    song.searchPath = ".";
    vek::CompileState cs("number.vek", song);
    cs.frameRate = s.frameRate;
    cs.dropFrame = s.dropFrame;
    try {
        cs.open();
        vek::nextChar(cs, vek::kReadNormal);
        const int first = cs.ch;
        const int32_t before = vek::position(cs);
        const int form = vek::ReadNumber(cs, s.mask, s.range.maximum, s.range.minimum, s.unit);
        if (!startsNumber(first)) check(form == vek::kNoNumber && cs.ch == first && vek::position(cs) == before);
        checkForm(cs, s, form);
        checkConversions(cs, cs.number, s.dropFrame);
    } catch (const vek::SourceError &e) {
        check(e.message[sizeof e.message - 1] == '\0' && e.fileName[sizeof e.fileName - 1] == '\0');
        check(e.code != 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2) return 0;
    vek::fuzz::enterScratchFolder("numbers");
    {
        std::ofstream out("number.vek", std::ios::binary);
        out.write(reinterpret_cast<const char *>(data + 2), static_cast<std::streamsize>(size - 2));
    }
    readOne(pick(data[0], data[1]));
    return 0;
}
