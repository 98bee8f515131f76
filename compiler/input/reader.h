// The reader: source and include files as one random-access character stream.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "entry/compile_state.h"
#include "events/inlining.h"
#include "events/song_context.h"

namespace vek {

// Read modes of nextChar.
enum ReadMode {
    kReadNormal = 0,  // macro characters go to the macro machinery
    kReadRaw = 1,     // macro characters are returned as they are
    kReadName = 2,    // as raw, and the selection end is not taken here
};

// Refills the current block; false at the end of the current stream.
bool refill(CompileState &cs);

// Offset in the current stream of the next character to be read.
inline int32_t position(const CompileState &cs) { return cs.in.start + cs.in.index; }

// Next byte of the current stream, kEndOfInput at its end. Carriage returns are
// skipped here but still count in offsets.
inline int nextRaw(CompileState &cs) {
    InputState &in = cs.in;
    for (;;) {
        if (in.index >= in.fill && !refill(cs)) return kEndOfInput;
        const uint8_t c = in.data[in.index++];
        if (c != 13) return c;
    }
}

// Makes `offset` of input slot `stream` the read position; false when the
// file cannot be positioned.
bool load(CompileState &cs, int stream, int32_t offset);
// Whether cache slot `s` holds `offset` of input slot `stream`.
inline bool holds(const CacheSlot &s, int stream, int32_t offset) {
    return s.stream == stream && offset >= s.start && offset < s.end;
}
// Makes cache slot `slot` the block being read.
inline void makeCurrent(InputState &in, int slot) {
    CacheSlot &s = in.cache[slot];
    if (slot != in.slot) in.previousSlot = in.slot;
    in.slot = slot;
    in.data = s.data;
    in.start = s.start;
    in.fill = s.end - s.start;
    s.stamp = ++in.useCounter;
}
// load, trying first cache slot `slot`, the one that held the place when
// the reader left it (a macro frame's way back): no search when it still does.
inline bool loadFrom(CompileState &cs, int slot, int stream, int32_t offset) {
    InputState &in = cs.in;
    if (!holds(in.cache[slot], stream, offset)) return load(cs, stream, offset);
    in.current = stream;
    if (slot != in.slot) makeCurrent(in, slot);
    in.index = offset - in.start;
    return true;
}
// relative: move the read position by delta; else go to offset delta.
void seek(CompileState &cs, int32_t delta, bool relative);
// Empties the cache and reads the first block of the source.
void resetCache(CompileState &cs);
// Passes over a UTF-8 byte order mark when the read position is at the
// start of a file; its 3 bytes still count in offsets.
void skipByteOrderMark(CompileState &cs);

// What a byte asks of nextChar beyond being returned: bit 0 in every mode
// (quote, carriage return, the end marker), bit 1 in kReadNormal (macro
// characters). Bit 2: the byte ends a name that readName reads (its
// delimiters and the macro characters).
constexpr uint8_t kSlowAlways = 1, kSlowNormal = 2, kEndsName = 4;
struct ByteClasses {
    uint8_t of[kEndOfInput + 1] = {};
    constexpr ByteClasses() {
        for (const char c : {' ', '\t', '\n', ')', ']', '(', '[', '=', ';', '+', '-', '"'})
            of[static_cast<uint8_t>(c)] = kEndsName;
        of['\''] = of[13] = kSlowAlways;
        of[kEndOfInput] = kSlowAlways | kEndsName;
        of['{'] = of['}'] = of['?'] = of[','] = kSlowNormal | kEndsName;
    }
};
inline constexpr ByteClasses kByteClasses;

// nextChar with every check made: comments, echo, selection, macros.
int nextCharSlow(CompileState &cs, int mode);

// The fast path below is a dozen instructions; a call around it would
// double its cost, so it is always inlined (events/inlining.h).

// The common case of nextChar: a plain byte in the current block with no
// listing, debug output or selection to keep up is read into cs.ch; false
// (nothing read) for everything else.
VEK_ALWAYS_INLINE bool readPlain(CompileState &cs, int mode) {
    InputState &in = cs.in;
    if (in.index < in.fill && cs.quiet && in.charactersLeft > 0) {
        const uint8_t c = in.data[in.index];
        const uint8_t slow = mode == kReadNormal ? kSlowAlways | kSlowNormal : kSlowAlways;
        if ((kByteClasses.of[c] & slow) == 0) {
            ++in.index;
            --in.charactersLeft;
            cs.ch = c;
            return true;
        }
    }
    return false;
}

// Reads the next character into cs.ch and returns it: quote comments,
// listing echo, selection bookkeeping and macro characters included.
VEK_ALWAYS_INLINE int nextChar(CompileState &cs, int mode) {
    if (readPlain(cs, mode)) return cs.ch;
    return nextCharSlow(cs, mode);
}

// Steps back before the blank in cs.ch so that it is read once more,
// together with a carriage return that stands directly before a line feed.
void unreadBlank(CompileState &cs);

// The reserved word `include`: reads the name and switches to the file.
void include(CompileState &cs);
// At the end of an include file: back to the file that included it.
// False when no include file is being read.
bool returnFromInclude(CompileState &cs);

// Registers a stream (null when it did not open) in the next input slot;
// returns the slot.
int pushStream(CompileState &cs, std::FILE *f, const std::string &name);

// Listing echo of whole words and of single characters.
void listWord(CompileState &cs, const char *text);
void echoChar(CompileState &cs, int c);
// printf into the listing, counting the bytes.
void listPrintf(CompileState &cs, const char *format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

}  // namespace vek
