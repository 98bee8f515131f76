// SMPTE settings: `smpte`, `drop`, `smpte_offset`, and the `test!!`
// conversion check written into the listing.
#include <limits>

#include "events/song_context.h"
#include "input/errors.h"
#include "input/reader.h"
#include "music/keyword_words.h"
#include "music/keywords.h"
#include "music/numbers.h"

namespace vek {

namespace {

constexpr int32_t kMaxRate = 127;    // frames per second
constexpr int32_t kMaxHours = 23;    // the hours byte keeps the rate code in bits 5-6

// The rate code of the SMPTE offset's hours byte, or -1.
int rateBits(int32_t rate) {
    switch (rate) {
    case 24: return 0;
    case 25: return 32;
    case 30: return 96;
    default: return -1;
    }
}

}  // namespace

// Non-drop rates; `drop` selects 30 drop-frame.
void smpteWord(CompileState &cs) {
    if (!hasNumber(ReadNumber(cs, kMaskInteger, kMaxRate, 0, 1))) invalidParameter(cs, kwSmpte);
    const int bits = rateBits(cs.number);
    if (bits < 0) error(cs, kMsgFrameRate);
    cs.frameRate = cs.number;
    cs.dropFrame = 0;
    cs.song->smpteRate = static_cast<uint8_t>(cs.number);
    cs.song->smpteRateBits = static_cast<uint8_t>(bits);
}

void dropWord(CompileState &cs) {
    cs.dropFrame = 1;
    cs.frameRate = 30;
    cs.song->smpteRate = 29;
    cs.song->smpteRateBits = 64;
}

// smpte_offset [=] hh;mm;ss;ff: where the piece starts in SMPTE time.
void smpteOffsetWord(CompileState &cs) {
    if (!hasNumber(ReadNumber(cs, kMaskFrames, std::numeric_limits<int32_t>::max(), 0, 1)))
        invalidParameter(cs, kwSmpteOffset);
    const int32_t frames = cs.number;
    const SmpteTime t = SmpteFromFrames(cs, frames, cs.dropFrame);
    if (t.hours > kMaxHours) error(cs, kMsgOutOfRange);
    SongContext &song = *cs.song;
    song.frameOffset = frames;
    song.smpteHours = static_cast<uint8_t>(t.hours);
    song.smpteMinutes = static_cast<uint8_t>(t.minutes);
    song.smpteSeconds = static_cast<uint8_t>(t.seconds);
    song.smpteFrames = static_cast<uint8_t>(t.frames);
}

void testWord(CompileState &cs) {
    const int32_t ms = MsFromTicks(cs, cs.voice->timing.time);
    listPrintf(cs, "\n realtime is %ld\n", static_cast<long>(ms));
    listPrintf(cs, "\n ticks is %ld\n", static_cast<long>(TicksFromMs(cs, ms)));
}

}  // namespace vek
