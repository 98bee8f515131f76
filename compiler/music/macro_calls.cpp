// Macro calls: starting a body, reading arguments at the call site, and
// going back to the call when a body or an argument ends. Everything is a
// move of the read position; no text is copied.
#include <algorithm>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "input/symbol_table.h"
#include "music/macro_frames.h"
#include "statements/attachments.h"

namespace vek {

namespace {

bool isHookKind(int32_t callKind) {
    return callKind >= kCallNotePattern && callKind <= kCallChordEffect;
}

bool isMacroOrPick(const HashEntry *e) {
    return e && (e->kind == kMacroSymbol || e->kind == kPickSymbol);
}

// The definition a call of `symbol` runs: its own, or a pick list's choice.
const Definition &definitionOf(CompileState &cs, HashEntry &symbol) {
    if (symbol.kind != kPickSymbol) return *static_cast<const Definition *>(symbol.value.object);
    const Definition *d = ChooseFromPickList(cs, *static_cast<PickList *>(symbol.value.object));
    if (!d) error(cs, kMsgZeroWeight);
    return *d;
}

// The length of the called name starting at cs.ch (a letter or "_") when
// the current block holds it and its delimiter and reading them needs no
// comment, carriage return, listing, debug output, selection bookkeeping or
// error; the name is then in cs.name. 0 otherwise.
int peekCalledName(CompileState &cs) {
    const InputState &in = cs.in;
    if (!cs.quiet || !isNameStart(cs.ch)) return 0;
    cs.name[0] = static_cast<char>(cs.ch);
    for (int length = 1; length <= kDeclaredNameMax; ++length) {
        const int32_t i = in.index + length - 1;
        if (i >= in.fill) return 0;
        const uint8_t kind = kByteClasses.of[in.data[i]];
        if (kind & kSlowAlways) return 0;
        if (kind & kEndsName) {
            if (in.charactersLeft < length + 1) return 0;
            cs.name[length] = '\0';
            return length;
        }
        cs.name[length] = static_cast<char>(in.data[i]);
    }
    return 0;
}

// The called name after "{" into cs.name. A peeked name is stepped over:
// the budget is charged what readName would deliver (the rest of the name
// and its delimiter), and the reader is left where readName leaves it: on a
// blank or macro character that ended the name, past any other delimiter.
void readCalledName(CompileState &cs) {
    const int length = peekCalledName(cs);
    if (length == 0) {
        readName(cs, kDeclaredNameMax, false);
        return;
    }
    InputState &in = cs.in;
    cs.nameStart = position(cs);
    in.index += length - 1;
    in.charactersLeft -= length;
    const int c = in.data[in.index];
    if (isMacroCharacter(c)) {
        cs.ch = ' ';
    } else {
        cs.ch = c;
        if (!isBlank(c)) ++in.index;
    }
}

// Step 1 of a call: the entry whose body runs.
HashEntry &calledSymbol(CompileState &cs, int32_t callKind) {
    if (isHookKind(callKind)) {
        if (!cs.hooks.element) error(cs, kMsgNoDefine);
        return *cs.hooks.element;
    }
    if (callKind == kCallInBraces) {
        // Blanks after the "{" are skipped raw: a "}" there must not end a body.
        do nextChar(cs, kReadRaw); while (isBlank(cs.ch));
        readCalledName(cs);
    }
    HashEntry *e = cs.symbols.find(cs.name);
    if (!isMacroOrPick(e)) error(cs, kMsgNoDefine);
    return *e;
}

// A call in braces: the offset of the first "," or "}" after the name.
int32_t argumentStart(CompileState &cs) {
    for (;;) {
        const int c = nextChar(cs, kReadRaw);
        if (c == ',' || c == '}') return position(cs) - 1;
        if (c == kEndOfInput) error(cs, kMsgDefinitionParentheses);
    }
}

// A call in braces, the reader just past the "," or "}" at call.position:
// notes the argument marks that the current block shows, as findArgument
// would note them, without reading: a "?" then starts at its mark. Stops at
// the closing brace, the end of the block, an argument past the last mark,
// or a quote or carriage return (which reading does not charge one per byte).
void markArguments(const CompileState &cs, MacroFrame &call) {
    const InputState &in = cs.in;
    if (in.data[in.index - 1] != ',') return;
    // In locals: a store into the frame could otherwise alias the block's
    // bounds, which would then be loaded again for every byte.
    const uint8_t *const data = in.data;
    const int32_t fill = in.fill, base = in.start, from = call.position;
    call.markOffset[0] = from + 1;
    call.markCost[0] = 1;
    int marks = 1, level = 1;
    for (int32_t i = in.index; i < fill; ++i) {
        const uint8_t c = data[i];
        if ((kByteClasses.of[c] & (kSlowAlways | kSlowNormal)) == 0) continue;
        if (c == '{') {
            ++level;
        } else if (c == '}') {
            if (--level > 0) continue;
            call.closeOffset = base + i + 1;
            call.closeCost = call.closeOffset - from;
            break;
        } else if (c == ',') {
            if (level > 1) continue;
            if (marks == kArgumentMarks) break;  // more arguments than marks
            call.markOffset[marks] = base + i + 1;
            call.markCost[marks] = base + i + 1 - from;
            ++marks;
        } else if (c != '?') {
            break;  // a quote or a carriage return
        }
    }
    call.marks = marks;
}

// A bare name: the offset of the character that ended it. The name reader
// leaves a blank or a macro character unread, and consumes anything else.
int32_t afterName(const CompileState &cs) {
    if (isBlank(cs.ch) || cs.ch == kEndOfInput) return position(cs);
    return position(cs) - 1;
}

// Pushes a macro body frame that returns to `position` of the block being
// read, built in place, and moves the reader to the body's first
// character. A call in braces stands just past the "," or "}" there.
void enterBody(CompileState &cs, int32_t position, int32_t callKind, HashEntry &symbol,
               const Definition &d) {
    MacroStack &m = cs.macros;
    if (m.depth >= kMacroFrames) error(cs, kMsgMacrosTooDeep);
    MacroFrame &f = m.frames[m.depth];
    f.stream = cs.in.current;
    f.position = position;
    f.slot = cs.in.slot;
    f.frameKind = 1;
    f.callKind = callKind;
    f.savedCurrentFrame = m.currentFrame;
    f.parameterCount = d.parameterCount;
    f.symbol = &symbol;
    f.marks = 0;
    f.closeCost = 0;
    m.currentFrame = m.depth++;
    m.inMacro = 1;
    if (callKind == kCallInBraces) markArguments(cs, f);
    loadFrom(cs, d.slot, d.stream, d.bodyPosition);
    d.slot = cs.in.slot;
}

// Pops the top frame, a body's; the caller moves the reader, as the skip
// after a call in braces may start past its arguments. The frame stays
// where it was, unchanged until the next push.
const MacroFrame &popBody(CompileState &cs) {
    MacroStack &m = cs.macros;
    if (m.depth == 0) error(cs, kMsgTooManyClosing);
    const MacroFrame &f = m.frames[--m.depth];
    m.currentFrame = f.savedCurrentFrame;
    syncInMacro(m);
    return f;
}

// The end of an argument's text (the top frame): back into the body. The
// frame is not copied, as nothing but its way back is needed.
void leaveArgument(CompileState &cs) {
    MacroStack &m = cs.macros;
    const MacroFrame &f = m.frames[--m.depth];
    m.currentFrame = f.savedCurrentFrame;
    syncInMacro(m);
    loadFrom(cs, f.slot, f.stream, f.position);
}

// A pattern or effect body has ended: the next active element of its kind
// runs at once, from the same place; with none the kind is no longer busy.
int chainHook(CompileState &cs, const MacroFrame &ended) {
    const VoiceState &v = *cs.voice;
    const auto kind = static_cast<uint8_t>(ended.callKind);
    HashEntry *next = v.track ? findActive(cs.attachments[v.track], kind, v.timing.time) : nullptr;
    if (!next) {
        cs.hooks.running[ended.callKind - kCallNotePattern] = 0;
        return 3;
    }
    cs.hooks.element = next;
    enterBody(cs, ended.position, ended.callKind, *next, definitionOf(cs, *next));
    return 1;
}

// No debug output or selection bookkeeping would see characters skipped
// (a quiet compile has neither).
bool skipsUnseen(const CompileState &cs) {
    const SongContext &s = *cs.song;
    return !cs.debugOn && (!(s.selectionFlag || s.extractMode) || s.selectionState == 2);
}

// The highest argument mark at or before argument k that reading may
// resume at, 0 for none. Skipping to it changes nothing but the character
// budget when no one would see the characters skipped.
int resumeMark(const CompileState &cs, const MacroFrame &call, int k) {
    if (call.marks == 0 || (!cs.quiet && !skipsUnseen(cs))) return 0;
    const int j = std::min(k, call.marks);
    return cs.in.charactersLeft >= call.markCost[j - 1] ? j : 0;
}

// Reads on from mark j, charging the budget what reading to it cost.
void resumeAt(CompileState &cs, const MacroFrame &call, int j) {
    loadFrom(cs, call.slot, call.stream, call.markOffset[j - 1]);
    cs.ch = ',';
    cs.in.charactersLeft -= call.markCost[j - 1];
}

// The reader stands just past the j-th "," of the call; `budget` is what
// was left when reading started at `position`.
void noteMark(CompileState &cs, MacroFrame &call, int j, int64_t budget) {
    if (j != call.marks + 1 || j > kArgumentMarks) return;
    call.markOffset[j - 1] = position(cs);
    call.markCost[j - 1] = static_cast<int32_t>(budget - cs.in.charactersLeft);
    call.marks = j;
}

// After a body called in braces: skips the call's arguments to its closing
// brace. Arguments beyond those the body uses run the body again, so a body
// with n parameters runs once per n arguments (once per argument with none).
// The skip starts at the nearest argument mark, when it may.
int skipArguments(CompileState &cs, const MacroFrame &ended) {
    int32_t left = std::max(ended.parameterCount, 1);
    // Every argument noted and none left over: straight past the brace.
    if (ended.closeCost > 0 && ended.marks <= left && (cs.quiet || skipsUnseen(cs)) &&
        cs.in.charactersLeft >= ended.closeCost) {
        loadFrom(cs, ended.slot, ended.stream, ended.closeOffset);
        cs.ch = '}';
        cs.in.charactersLeft -= ended.closeCost;
        return 1;
    }
    if (const int j = resumeMark(cs, ended, left)) {
        resumeAt(cs, ended, j);
        left -= j;
    } else {
        loadFrom(cs, ended.slot, ended.stream, ended.position);
    }
    int level = 1;
    for (;;) {
        const int c = nextChar(cs, kReadRaw);  // the first is the "," or "}" after the name
        if (c == '{') {
            ++level;
        } else if (c == '}') {
            if (--level == 0) return 1;
        } else if (c == ',' && level == 1 && --left < 0) {
            HashEntry &symbol = *ended.symbol;
            enterBody(cs, position(cs) - 1, kCallInBraces, symbol, definitionOf(cs, symbol));
            return 1;
        } else if (c == kEndOfInput) {
            nameInMessage(cs, ended.symbol);
            error(cs, kMsgDefinitionParentheses);
        }
    }
}

[[noreturn]] void tooFewArguments(CompileState &cs, const MacroFrame &call) {
    nameInMessage(cs, call.symbol);
    raiseError(cs, kMsgTooFewArguments);
}

// From the "," or "}" after the called name to the first character of
// argument k, or from the nearest argument mark. Not inlined: a "?" whose
// mark is noted resumes there without it.
VEK_NOINLINE void findArgument(CompileState &cs, MacroFrame &call, int k) {
    const int64_t budget = cs.in.charactersLeft;
    int seen = resumeMark(cs, call, k);
    if (seen > 0) {
        resumeAt(cs, call, seen);
    } else {
        loadFrom(cs, call.slot, call.stream, call.position);
        if (nextChar(cs, kReadRaw) != ',') tooFewArguments(cs, call);
        seen = 1;
        noteMark(cs, call, 1, budget);
    }
    for (int level = 1; seen < k;) {
        const int c = nextChar(cs, kReadRaw);
        if (c == '{') ++level;
        else if (c == '}' && --level == 0) tooFewArguments(cs, call);
        else if (c == ',' && level == 1) noteMark(cs, call, ++seen, budget);
        else if (c == kEndOfInput) tooFewArguments(cs, call);
    }
}

// "?" read: the argument's text is read at the call site, in the caller's
// macro context, until its "," or "}" brings the reader back here. The
// argument frame holds only its way back (and its kind).
// Not inlined, so that the "," that ends an argument pays for none of it.
VEK_NOINLINE bool enterArgument(CompileState &cs) {
    const int k = argumentNumber(nextChar(cs, kReadRaw));
    MacroStack &m = cs.macros;
    if (m.currentFrame < 0) error(cs, kMsgNoArgumentHere);
    if (m.depth >= kMacroFrames) error(cs, kMsgMacrosTooDeep);
    if (k < 1) error(cs, kMsgArgumentNumber);
    MacroFrame &call = m.frames[m.currentFrame];
    // Only a call in braces has arguments.
    if (call.callKind != kCallInBraces) tooFewArguments(cs, call);
    MacroFrame &f = m.frames[m.depth];
    f.stream = cs.in.current;
    f.position = position(cs);
    f.slot = cs.in.slot;
    f.frameKind = 0;
    f.savedCurrentFrame = m.currentFrame;
    ++m.depth;
    m.currentFrame = call.savedCurrentFrame;
    m.inMacro = 0;
    // A quiet compile resumes at a noted mark whenever the budget holds it
    // (resumeMark's answer, without its call); anything else asks findArgument.
    if (k <= call.marks && cs.quiet && cs.in.charactersLeft >= call.markCost[k - 1]) resumeAt(cs, call, k);
    else findArgument(cs, call, k);
    return true;
}

// A "}": the end of a body or an argument.
VEK_NOINLINE bool closingBrace(CompileState &cs) {
    EndMacro(cs);
    return true;
}

}  // namespace

// Not inlined, here and in EndMacro, so that the reader's hand-over of
// the "?" and "," pays for none of their registers and stack.
VEK_NOINLINE bool CallMacro(CompileState &cs, int32_t callKind) {
    HashEntry &symbol = calledSymbol(cs, callKind);
    const Definition &d = definitionOf(cs, symbol);
    if (cs.macros.depth >= kMacroFrames) error(cs, kMsgMacrosTooDeep);
    int32_t resume = position(cs);
    if (callKind == kCallInBraces) resume = argumentStart(cs);
    else if (!isHookKind(callKind)) resume = afterName(cs);
    else cs.hooks.running[callKind - kCallNotePattern] = 1;
    enterBody(cs, resume, callKind, symbol, d);
    if (callKind != kCallInBraces) nextChar(cs, kReadNormal);
    return true;
}

VEK_NOINLINE int EndMacro(CompileState &cs) {
    if (inArgumentText(cs.macros)) {
        leaveArgument(cs);
        return 1;
    }
    const MacroFrame &ended = popBody(cs);
    if (ended.callKind == kCallInBraces) return skipArguments(cs, ended);
    loadFrom(cs, ended.slot, ended.stream, ended.position);
    return isHookKind(ended.callKind) ? chainHook(cs, ended) : 3;
}

bool ArgumentOrEnd(CompileState &cs) {
    if (cs.ch == '?') return enterArgument(cs);
    if (!inArgumentText(cs.macros)) return false;
    leaveArgument(cs);
    return true;
}

// Every branch ends in a call that returns the answer, so that the "?"
// and the "," pass through without saving registers.
bool takeMacroCharacter(CompileState &cs) {
    switch (cs.ch) {
    case '{': return CallMacro(cs, kCallInBraces);  // "{" name ["," argument ...] "}"
    case '}': return closingBrace(cs);              // end of a body or an argument
    case '?': return ArgumentOrEnd(cs);             // "?" digit | letter
    case ',': return ArgumentOrEnd(cs);             // ends an argument, else ordinary text
    default: return false;
    }
}

}  // namespace vek
