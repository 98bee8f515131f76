// Definitions, macro calls, arguments and pick lists.
#pragma once
#include <cstdint>
#include <vector>

namespace vek {

struct CompileState;
struct HashEntry;

constexpr int kMacroFrames = 200;
// Argument starts a call frame remembers; "?"s beyond them scan from the last.
constexpr int kArgumentMarks = 8;

// A named body kept as a place in the source, not as a copy.
struct Definition {
    int32_t stream = 0;        // input slot holding the body
    int32_t bodyPosition = 0;  // first character after the opening bracket
    uint8_t built = 0;         // sysex bodies: stored in "sysex.out" already
    uint8_t recordNumber = 0;  // sysex bodies: their record number
    int32_t parameterCount = 0;  // highest argument number the body uses
    // The cache slot that held the body at its last call: a guess for
    // loadFrom, so that a call finds the body's block without a search.
    mutable int32_t slot = 0;
};

// Call kinds of a macro frame.
enum CallKind : int32_t {
    kCallInBraces = 0,
    kCallBareMacro = 5,
    kCallNotePattern = 8, kCallChordPattern = 9, kCallNoteEffect = 10, kCallChordEffect = 11,
    kCallBarePick = 16,
};

struct MacroFrame {
    int32_t stream = 0;
    // Where reading goes on when the frame ends. A call in braces keeps the
    // offset of the "," or "}" after its name (its arguments start there);
    // any other call the offset of the character to read after the body.
    int32_t position = 0;
    int32_t slot = 0;          // the cache slot that held `position` (a guess for loadFrom)
    uint8_t frameKind = 0;     // 1 macro body, 0 argument text
    int32_t callKind = 0;
    int32_t savedCurrentFrame = -1;
    int32_t parameterCount = 0;
    HashEntry *symbol = nullptr;
    // A call in braces: where its first arguments start, noted as the "?"s
    // of the body find them. Mark j (arguments 1..marks) is the offset just
    // past the j-th "," and the characters read from `position` to get
    // there; later "?"s and the skip after the body start from one.
    int32_t marks = 0;
    // When the marks hold every argument: the offset just past the closing
    // brace and the characters read from `position` to get there; 0 unknown.
    int32_t closeOffset = 0;
    int32_t closeCost = 0;
    int32_t markOffset[kArgumentMarks] = {};
    int32_t markCost[kArgumentMarks] = {};  // characters, within one file
};

// The frame stack of one compile.
struct MacroStack {
    MacroFrame frames[kMacroFrames];
    int32_t depth = 0;
    int32_t currentFrame = -1;  // innermost macro body frame, -1 outside
    uint8_t inMacro = 0;        // frameKind of the top frame; 0 outside any frame
};

// The live frames as a group found them: a repeat of the group replays its
// text in the macro context it started in.
struct MacroSnapshot {
    std::vector<MacroFrame> frames;
    int32_t currentFrame = -1;
    uint8_t inMacro = 0;
};
MacroSnapshot saveMacros(const CompileState &cs);
void restoreMacros(CompileState &cs, const MacroSnapshot &saved);

struct PickEntry {
    HashEntry *symbol;  // a macro or a pick list
    int32_t weight;
    PickEntry *next;
};

struct PickList {
    PickEntry *head = nullptr, *tail = nullptr;
    int32_t totalWeight = 0;
    int32_t count = 0;
    int32_t argumentCount = -1;
    int32_t sequencePosition = 1;
    int32_t pickIndex = 0;     // 0 random .. 1000 sequential
    PickList() = default;
    PickList(const PickList &) = delete;
    PickList &operator=(const PickList &) = delete;
    ~PickList();
};

// Called by the reader for "{", "}", "?" and ","; true when the character
// was taken (reading then goes on), false when it is ordinary text.
bool takeMacroCharacter(CompileState &cs);

// The eight definition keywords (index: the reserved word).
void DefineStatement(CompileState &cs, int keyword);
// Starts a body. kCallInBraces: at the "{" (from the reader); the reader
// then reads the body's first character. kCallBareMacro, kCallBarePick:
// right after the name reader, with the name in cs.name; the character that
// ended the name is read again after the body. 8-11: cs.hooks.element is the
// element, and the caller has stepped the reader back so that the next
// character read is the one to go on with after the body; the kind is
// marked in progress. For every kind but 0, cs.ch is the body's first
// character on return.
bool CallMacro(CompileState &cs, int32_t callKind);
// At "}": 1, or 3 after a bare-name or pattern call (the character in hand
// before the call is read next).
int EndMacro(CompileState &cs);
// At "?": reads the argument's text at the call site. At "," (or "}" in
// argument text): back to the body.
bool ArgumentOrEnd(CompileState &cs);
void PickStatement(CompileState &cs);
void SeedStatement(CompileState &cs);
// The definition a call of the list runs; none when its total weight is 0.
const Definition *ChooseFromPickList(CompileState &cs, PickList &list);
// 0, 59 when the entry's argument count differs from the list's, 7 when
// the total weight would leave 32 bits, 3 without memory.
int AddPickEntry(PickList &list, HashEntry *symbol, int32_t weight);

// The compile's own random numbers: the classic C runtime arithmetic, so
// that a seed gives the same piece on every platform and run.
struct RandomGenerator {
    uint32_t state = 1;
    void seed(uint32_t s) { state = s; }
    int next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

// A seed that differs from call to call: the clock and a per-compile count.
uint32_t clockSeed(CompileState &cs);

}  // namespace vek
