// Names in the music: undeclared names are notes, declared ones act by kind.
#include "entry/compile_state.h"
#include "music/note_marks.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "music/emission.h"
#include "music/keys_modes.h"
#include "music/keyword_statement.h"
#include "music/keyword_words.h"
#include "music/length_scan.h"
#include "music/macros.h"
#include "music/notes.h"
#include "music/sysex_records.h"
#include "music/ticks.h"
#include "statements/declarations.h"
#include "statements/hook_points.h"
#include "statements/statement_parser.h"
#include "statements/statement_parts.h"

namespace vek {

namespace {


void nextMember(VoiceState &v) {
    if (!v.sectionMode || !v.section || v.section->count == 0) return;
    v.memberIndex = (v.memberIndex + 1) % v.section->count;
}

bool isNoteStart(int c) { return isNameStart(c); }

void controllerName(CompileState &cs, ControllerDefinition *definition) {
    VoiceState &v = *cs.voice;
    v.controller = definition;
    v.timing.eventStart = v.timing.time - v.timing.step;
    if (definition->eventKind == kPitchWheel && v.track) v.track->glideDefinition = definition;
}

void timeMark(VoiceState &v, int32_t mark) {
    v.timing.time = mark;
    v.timing.step = 0;
    v.timing.pendingNotes = 0;
    v.hold.tieFlag = 0;
    for (int i = 0; i < 7; ++i) v.key.table[i] = v.key.signature[i];
}

// The record is stored on first use; every use sends it at the voice's
// time (with a section addressed, from its first track).
void sysexName(CompileState &cs, Definition &d) {
    if (!d.built) StoreSysexDefinition(cs, d, cs.name);
    Track *track = firstTarget(cs);
    if (!track) return;
    Event &e = cs.systemTemplate;
    e.time = cs.voice->timing.time;
    e.data1 = d.recordNumber;
    storeEvent(cs, *track, e);
}

void declaredName(CompileState &cs, HashEntry &entry) {
    if (cs.listOn) listWord(cs, cs.name);
    switch (entry.kind) {
    case kReservedWord: KeywordStatement(cs, entry.value.number); return;
    case kTrackSymbol: case kSecondName: addressTrack(cs, static_cast<Track *>(entry.value.object)); return;
    case kSectionSymbol: addressSection(cs, static_cast<SectionGroup *>(entry.value.object)); return;
    case kControllerSymbol: controllerName(cs, static_cast<ControllerDefinition *>(entry.value.object)); return;
    case kTimeMark: timeMark(*cs.voice, *static_cast<int32_t *>(entry.value.object)); return;
    case kMacroSymbol: CallMacro(cs, kCallBareMacro); return;  // the body, then what ended the name
    case kPickSymbol: CallMacro(cs, kCallBarePick); return;
    case kSysexSymbol: sysexName(cs, *static_cast<Definition *>(entry.value.object)); return;
    case kNotePattern: case kChordPattern: case kNoteEffect: case kChordEffect:
        switchElement(cs, entry);  // name length [period]
        return;
    case kPatternSymbol: switchPattern(cs, entry); return;  // name on|off
    case kPatchSymbol: patchName(cs, entry); return;
    case kModeSymbol: modeName(cs, entry); return;           // name ["+"]
    case kInversionSymbol: degreeChordName(cs, entry); return;  // name ["+"]
    default: error(cs, kMsgNotUnderstood);
    }
}

// An undeclared name, read from its first letter in cs.ch; `word`: the
// note word PeekNoteWord read, or null.
void music(CompileState &cs, const NoteWord *word) {
    if (offerChordPattern(cs)) return;  // the chord is read again after its body
    readChord(cs, *cs.voice, word);
}

}  // namespace

void readChord(CompileState &cs, VoiceState &v, const NoteWord *word) {
    const bool sources = cs.song->noteSources != nullptr;  // set before the compile
    do {
        if (sources) markNoteSource(cs);
        if (!word || !ReadPeekedNote(cs, v, *word)) {
            error(cs, ReadNoteName(cs, v));
            error(cs, ReadNoteModifiers(cs, v));
        }
        word = nullptr;  // the peek covered the first note only
        EmitNote(cs);
        if (sources) clearNoteMark(cs);
        if (!v.hold.allClear() && (!v.hold.notesTogether() || v.hold.sequential || v.hold.advanceOnce)) {
            v.timing.time = checkedTicks(cs, int64_t{v.timing.time} + v.timing.step);
            v.hold.advanceOnce = 0;
        }
        v.flags = {};
        if (!v.hold.sequential) nextMember(v);
        // A body's own notes get no effect, also the last one, whose reading
        // ended the body. The effect's body goes on with the chord.
        if (cs.hooks.attachmentsMade && !cs.hooks.noteInBody) offerNoteEffect(cs);
    } while (isNoteStart(cs.ch));
}

void nameStatement(CompileState &cs) {
    HashEntry *entry = cs.symbols.find(cs.name);
    if (entry) return declaredName(cs, *entry);
    // Music: read the name again from its first character.
    load(cs, cs.in.current, cs.nameStart - 1);
    nextChar(cs, kReadRaw);
    music(cs, nullptr);
}

namespace {

// Whether a note word whose letter comes from a macro argument reads as
// the same note when the argument's frame is left out: no pattern could
// add to it, no note log records its place, its letter names no symbol,
// and its length is in range.
bool readsWithoutFrame(CompileState &cs, char letter, const NoteWord &word) {
    if (cs.hooks.attachmentsMade || cs.song->noteSources) return false;
    const char name[2] = {letter, '\0'};
    HashTable &symbols = cs.symbols;
    if (symbols.mayHold(HashTable::hashStep(0, letter)) && symbols.find(name)) return false;
    return NoteWordFits(*cs.voice, word);
}

}  // namespace

VEK_NOINLINE bool argumentNoteStatement(CompileState &cs) {
    ArgumentNote a;
    if (!PeekBodyArgumentNote(cs, a)) return false;
    const char letter = static_cast<char>(a.letter);
    if (!readsWithoutFrame(cs, letter, a.word)) return false;
    // Where the argument's text would leave things at the note's letter.
    InputState &in = cs.in;
    in.index += 2;
    in.charactersLeft -= a.charge;
    cs.ch = a.letter;
    cs.name[0] = cs.statementWord[0] = letter;
    cs.name[1] = cs.statementWord[1] = '\0';
    cs.nameStart = a.nameStart;
    cs.atStatementStart = 0;
    readChord(cs, *cs.voice, &a.word);
    return true;
}

void peekedNameStatement(CompileState &cs, int length, uint32_t hash, const NoteWord *word) {
    HashTable &symbols = cs.symbols;
    if (symbols.mayHold(hash) && symbols.find(cs.name)) {
        readName(cs, kStatementNameMax, true);
        return nameStatement(cs);
    }
    // The characters that reading the name and going back would have taken
    // from the budget, so that a long piece stops at the same place.
    cs.in.charactersLeft -= length + 1;
    music(cs, word);
}

}  // namespace vek
