// The eight definition words: a definition records where its body lies in
// the source and the highest argument number the body uses.
#include <algorithm>
#include <cstring>
#include <new>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "input/symbol_table.h"
#include "music/keyword_words.h"
#include "music/keywords.h"
#include "music/macro_frames.h"

namespace vek {

namespace {

struct BodyForm {
    uint8_t kind;       // symbol kind
    char open, close;   // body brackets
};

BodyForm bodyForm(int keyword) {
    switch (keyword) {
    case kwSysex: return {kSysexSymbol, '[', ']'};
    case kwNotePattern: return {kNotePattern, '{', '}'};
    case kwChordPattern: return {kChordPattern, '{', '}'};
    case kwNoteEffect: return {kNoteEffect, '{', '}'};
    case kwChordEffect: return {kChordEffect, '{', '}'};
    case kwMode: return {kModeSymbol, '[', ']'};
    case kwInv: return {kInversionSymbol, '[', ']'};
    default: return {kMacroSymbol, '{', '}'};  // set
    }
}

[[noreturn]] void raiseNaming(CompileState &cs, int code, const char *name) {
    std::memcpy(cs.name, name, kNameBytes);
    raiseError(cs, code);
}

// Blanks up to the opening bracket. A "}" or "?" on the way ends a body or
// an argument, or enters one, so the bracket may lie in other text.
void findOpening(CompileState &cs, const BodyForm &form, const char *name) {
    while (cs.ch != form.open) {
        if (cs.ch == kEndOfInput) raiseNaming(cs, kMsgDefinitionParentheses, name);
        if (!isBlank(cs.ch)) {
            std::memcpy(cs.name, name, kNameBytes);
            cs.ch = form.open;  // the message shows the bracket expected
            raiseError(cs, kMsgMissingInDeclaration);
        }
        const int c = nextChar(cs, kReadRaw);
        if (c == '}' || c == '?') {
            takeMacroCharacter(cs);
            cs.ch = ' ';
        }
    }
}

// Raw scan to the matching closing bracket, counting the arguments used.
void scanBody(CompileState &cs, const BodyForm &form, Definition &d, const char *name) {
    for (int level = 1;;) {
        int c = nextChar(cs, kReadRaw);
        if (c == '?') {
            c = nextChar(cs, kReadRaw);
            const int k = argumentNumber(c);
            d.parameterCount = std::max(d.parameterCount, k);
            if (k >= 0) continue;
        }
        if (c == kEndOfInput) raiseNaming(cs, kMsgDefinitionParentheses, name);
        if (c == form.open) ++level;
        else if (c == form.close && --level == 0) return;
    }
}

void defineOne(CompileState &cs, const BodyForm &form) {
    if (readName(cs, kDeclaredNameMax, false) != 0) error(cs, kMsgNameStart);
    char name[kNameBytes];
    std::memcpy(name, cs.name, kNameBytes);
    findOpening(cs, form, name);
    Definition *d = new (std::nothrow) Definition;
    if (!d) error(cs, kMsgNoMemory);
    d->stream = cs.in.current;
    d->bodyPosition = position(cs);
    if (!cs.symbols.add(form.kind, d, name)) {
        delete d;
        raiseNaming(cs, kMsgReservedName, name);
    }
    scanBody(cs, form, *d, name);
}

}  // namespace

void DefineStatement(CompileState &cs, int keyword) {
    const BodyForm form = bodyForm(keyword);
    const bool group = cs.ch == '[';
    if (group) nextChar(cs, kReadNormal);
    for (;;) {
        defineOne(cs, form);
        nextChar(cs, kReadNormal);  // past the closing bracket
        skipBlanks(cs);
        if (cs.ch == ']') {
            if (!group) error(cs, kMsgMissingGroupOpener);
            nextChar(cs, kReadNormal);
            return;
        }
        if (!group) return;
    }
}

}  // namespace vek
