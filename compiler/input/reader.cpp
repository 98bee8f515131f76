#include "input/reader.h"

#include <cstring>

#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "music/macros.h"

namespace vek {

namespace {

// Fills a cache slot from the file; the file pointer is moved only when it
// does not already stand at `offset`, so sequential reading costs no seek.
bool fillSlot(InputState &in, int slot, int stream, int32_t offset) {
    std::FILE *f = in.streams[stream];
    if (!f) return false;
    if (in.filePos[stream] != offset) {
        if (std::fseek(f, offset, SEEK_SET) != 0) return false;
        in.filePos[stream] = offset;
    }
    CacheSlot &s = in.cache[slot];
    const size_t got = std::fread(s.data, 1, kCacheBytes, f);
    in.filePos[stream] = offset + static_cast<int32_t>(got);
    s.stream = stream;
    s.start = offset;
    s.end = offset + static_cast<int32_t>(got);
    return true;
}

// A block other than the current and the previous one: another cached
// block or, failing that, the least recently used slot filled anew. Kept
// out of load so that the two common cases pay for no loop.
VEK_NOINLINE bool loadOther(InputState &in, int stream, int32_t offset) {
    for (int i = 0; i < kCacheSlots; ++i) {
        if (holds(in.cache[i], stream, offset)) {
            makeCurrent(in, i);
            in.index = offset - in.start;
            return true;
        }
    }
    int oldest = 0;
    for (int i = 1; i < kCacheSlots; ++i)
        if (in.cache[i].stamp < in.cache[oldest].stamp) oldest = i;
    const bool ok = fillSlot(in, oldest, stream, offset);
    if (!ok) {
        in.cache[oldest].stream = -1;
        in.cache[oldest].start = in.cache[oldest].end = offset;
    }
    makeCurrent(in, oldest);
    in.index = 0;
    return ok;
}

}  // namespace

bool load(CompileState &cs, int stream, int32_t offset) {
    InputState &in = cs.in;
    in.current = stream;
    if (holds(in.cache[in.slot], stream, offset)) {
        in.index = offset - in.start;
        return true;
    }
    // A macro call and its body take turns: try the block read before.
    if (holds(in.cache[in.previousSlot], stream, offset)) {
        makeCurrent(in, in.previousSlot);
        in.index = offset - in.start;
        return true;
    }
    return loadOther(in, stream, offset);
}

bool refill(CompileState &cs) {
    load(cs, cs.in.current, cs.in.start + cs.in.fill);
    return cs.in.fill > 0;
}

void seek(CompileState &cs, int32_t delta, bool relative) {
    int32_t target = relative ? position(cs) + delta : delta;
    if (target < 0) target = 0;
    load(cs, cs.in.current, target);
}

void resetCache(CompileState &cs) {
    for (CacheSlot &s : cs.in.cache) {
        s.stream = -1;
        s.start = s.end = 0;
        s.stamp = 0;
    }
    cs.in.useCounter = 0;
    load(cs, cs.in.current, 0);
    skipByteOrderMark(cs);
}

void skipByteOrderMark(CompileState &cs) {
    InputState &in = cs.in;
    static constexpr uint8_t kMark[] = {0xEF, 0xBB, 0xBF};
    if (position(cs) == 0 && in.fill >= 3 && std::memcmp(in.data, kMark, sizeof kMark) == 0)
        in.index = sizeof kMark;
}

void unreadBlank(CompileState &cs) {
    int32_t p = position(cs) - 1;
    if (cs.ch == '\n' && p > 0) {
        load(cs, cs.in.current, p - 1);
        if (cs.in.index < cs.in.fill && cs.in.data[cs.in.index] == 13) --p;
    }
    load(cs, cs.in.current, p);
}

}  // namespace vek
