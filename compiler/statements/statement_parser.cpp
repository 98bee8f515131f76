#include "statements/statement_parser.h"

#include <cstring>
#include <memory>

#include "entry/compile_state.h"
#include "events/limits.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/keyword_statement.h"
#include "music/keywords.h"
#include "music/length_scan.h"
#include "music/macro_frames.h"
#include "music/macros.h"
#include "music/numbers.h"
#include "music/ticks.h"
#include "statements/hook_points.h"
#include "statements/statement_parts.h"

namespace vek {

namespace {


// A "(" group inside an addressed section goes to the section's current member.
void splitSection(CompileState &cs, VoiceState &v) {
    if (!v.sectionMode || !v.section || v.opener != '(') return;
    SectionGroup &s = *v.section;
    if (v.memberIndex < 0 || v.memberIndex >= s.count) error(cs, kMsgSplitFault);
    void *member = s.members[v.memberIndex];
    if (s.kinds[v.memberIndex] == kTrackSymbol) {
        v.track = static_cast<Track *>(member);
        v.sectionMode = 0;
    } else if (s.kinds[v.memberIndex] == kSectionSymbol) {
        v.section = static_cast<SectionGroup *>(member);
        v.memberIndex = 0;
    } else {
        error(cs, kMsgSplitFault);
    }
}

void nestedGroup(CompileState &cs) {
    VoiceState &parent = *cs.voice;
    if (++cs.groupDepth > kMaxGroupDepth) error(cs, kMsgNestedTooDeeply);
    auto copy = std::make_unique<VoiceState>(parent);
    copy->opener = static_cast<uint8_t>(cs.ch);
    const MacroSnapshot macros = saveMacros(cs);  // a repeat starts in the same macro context
    copy->macrosAtEntry = &macros;
    const uint8_t r = parseGroup(cs, *copy);
    if (cs.ch == '~') {
        int64_t end = copy->timing.time;
        if (copy->timing.pendingNotes > 0 && copy->hold.notesTogether()) end += copy->timing.step;
        parent.timing.time = parent.timing.eventStart = checkedTicks(cs, end);
        parent.timing.step = 0;
        nextChar(cs, kReadNormal);
    }
    cs.voice = &parent;
    if (parent.sectionMode && parent.section && r == 0)
        parent.memberIndex = (parent.memberIndex + 1) % (parent.section->count ? parent.section->count : 1);
}

// ")" or "]": true when the group ends, false when it is played again.
bool endOfGroup(CompileState &cs, VoiceState &v) {
    if (v.opener == 0) error(cs, kMsgUnbalanced);
    if ((cs.ch == ')') != (v.opener == '(')) error(cs, kMsgUnmatched);
    // The last cluster of each play ends here, so that a repeat starts after it.
    if (v.timing.pendingNotes > 0) endCluster(cs);
    nextChar(cs, kReadNormal);
    if (ReadNumber(cs, kMaskInteger, 65535, 0, 1) && ++v.repeatCount < cs.number) {
        if (v.macrosAtEntry) restoreMacros(cs, *v.macrosAtEntry);
        load(cs, v.groupStream, v.groupOffset);
        nextChar(cs, kReadNormal);
        return false;
    }
    if (--cs.groupDepth < 0) error(cs, kMsgUnbalanced);
    checkedTicks(cs, int64_t{v.timing.time} + v.timing.step);  // the group's end is a time too
    return true;
}

// The character after a blank when nextChar's fast path does not take it.
// In a body a "?" there mostly brings a one-letter note: true when that
// note statement was read whole.
VEK_NOINLINE bool slowAfterBlank(CompileState &cs) {
    if (cs.macros.inMacro && argumentNoteStatement(cs)) return true;
    nextCharSlow(cs, kReadNormal);
    return false;
}

// At a blank in cs.ch: the cluster ends, and the blanks are passed over.
// Inline in the dispatch: it runs after nearly every note, and a call
// costs about as much as its plain case.
VEK_ALWAYS_INLINE void blank(CompileState &cs, VoiceState &v) {
    if (v.sectionMode) v.memberIndex = 0;
    if (v.timing.pendingNotes > 0) {
        if (offerChordEffect(cs)) return;  // the blank is read again after its body
        endCluster(cs);
    }
    // What skipBlanks does, inline: mostly one blank stands between two
    // words. A statement read whole after the blanks ends it.
    do {
        if (!readPlain(cs, kReadNormal) && slowAfterBlank(cs)) return;
    } while (isBlank(cs.ch));
    cs.atStatementStart = 1;
}

// The word that starts a statement, kept for the messages raised in it.
void keepStatementWord(CompileState &cs, int peeked) {
    const InputState &in = cs.in;
    constexpr int kShortWord = 16;
    if (peeked > 0 && peeked < kShortWord && in.index + kShortWord <= kCacheBytes) {
        // A peeked word is still in the block: one fixed-size copy from
        // there, where no byte was just written (copying cs.name right after
        // it was written byte by byte stalls). Past the NUL the bytes are
        // never read.
        cs.statementWord[0] = static_cast<char>(cs.ch);
        std::memcpy(cs.statementWord + 1, in.data + in.index, kShortWord - 1);
        cs.statementWord[peeked] = '\0';
        return;
    }
    for (int i = 0; i < kNameBytes; ++i)
        if ((cs.statementWord[i] = cs.name[i]) == '\0') break;
}

void name(CompileState &cs) {
    uint32_t hash = 0;
    // Most names in music are note words: one walk over their bytes peeks
    // the name and reads the note. A note in argument text mostly ends at
    // the "," that ends the argument, where the walk gives up: not tried.
    NoteWord word;
    const int noteWord = inArgumentText(cs.macros) ? 0 : PeekNoteWord(cs, hash, word);
    const int peeked = noteWord ? noteWord : peekName(cs, hash);
    if (peeked == 0) readName(cs, kStatementNameMax, true);
    if (cs.atStatementStart) {
        keepStatementWord(cs, peeked);
        cs.atStatementStart = 0;
    }
    if (peeked > 0) return peekedNameStatement(cs, peeked, hash, noteWord ? &word : nullptr);
    nameStatement(cs);
}

void tilde(CompileState &cs, VoiceState &v) {
    nextChar(cs, kReadNormal);
    if (cs.ch == '~') {
        nextChar(cs, kReadNormal);
        KeywordStatement(cs, kwTempo);
    } else if (ReadNumber(cs, kMaskLength, 65535, 0, v.timing.displacementUnit)) {
        v.hold.tieLength = cs.number;
        v.hold.tieFlag = 1;
    } else {
        v.hold.mark = 1;
    }
}

void strayCharacter(CompileState &cs) {
    cs.name[0] = static_cast<char>(cs.ch);
    cs.name[1] = '\0';
    error(cs, kMsgSyntax);
}

// One character's worth of dispatch; false when the group has ended.
bool dispatch(CompileState &cs, VoiceState &v) {
    const int c = cs.ch;
    switch (c) {
    case ' ': case '\t': case '\n': blank(cs, v); return true;  // cluster end
    case '+': case ',': case '-': case '.': case '/': case ':': case ';': case '=':
    case '0': case '1': case '2': case '3': case '4':
    case '5': case '6': case '7': case '8': case '9':
        timeValue(cs);  // length -> number; value -> ("=" | "+" | "-") number
        return true;
    case '|': barLine(cs); return true;
    case '~': tilde(cs, v); return true;  // "~~" tempo | "~" number | "~"
    case '"': LyricStatement(cs); return true;
    case '!': case '@': case '*': case '^': case '#': case '$': case '>': case '<':
        prefixOperator(cs, v);
        return true;
    case '(': case '[': nestedGroup(cs); return true;
    case ')': case ']': return !endOfGroup(cs, v);
    case kEndOfInput:
        if (returnFromInclude(cs)) return true;
        if (cs.groupDepth != 0) error(cs, kMsgUnbalanced);
        return false;
    default:
        if (isNameStart(c) || c == '\\') {
            name(cs);
            // Most names are notes, ended by a blank: the cluster ends here
            // as the next turn of the loop would end it.
            cs.voice = &v;
            if (isBlank(cs.ch)) blank(cs, v);
            return true;
        }
        strayCharacter(cs);
        return false;
    }
}

}  // namespace

uint8_t parseGroup(CompileState &cs, VoiceState &v) {
    cs.voice = &v;
    cs.atStatementStart = 1;
    v.repeatCount = 0;
    v.groupStream = cs.in.current;
    v.groupOffset = position(cs);
    uint8_t result = v.opener == '[' ? 1 : 0;
    nextChar(cs, kReadNormal);
    if (cs.ch == '\\') {
        v.groupOffset = position(cs);
        nextChar(cs, kReadNormal);
        result = 1;
    }
    splitSection(cs, v);
    try {
        while (dispatch(cs, v)) cs.voice = &v;
    } catch (const EventLimitReached &) {
        error(cs, kMsgTooManyEvents);  // the innermost group reports it
    }
    return v.opener == 0 ? 1 : result;
}

}  // namespace vek
