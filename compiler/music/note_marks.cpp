#include "music/note_marks.h"

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/reader.h"

namespace vek {

namespace {

// Inside a macro body or pattern the music belongs to the piece's own
// text: the outermost call, which moves with the music, not a body that
// every call shares (often in an include file).
void currentPlace(const CompileState &cs, int32_t &stream, int32_t &offset) {
    if (cs.macros.depth > 0) {
        stream = cs.macros.frames[0].stream;
        offset = cs.macros.frames[0].position;
        return;
    }
    stream = cs.in.current;
    offset = position(cs) > 0 ? position(cs) - 1 : 0;
}

}  // namespace

void markNoteSource(CompileState &cs) {
    NoteSourceLog &log = *cs.song->noteSources;
    currentPlace(cs, log.markStream, log.markOffset);
}

void clearNoteMark(CompileState &cs) { cs.song->noteSources->markStream = -1; }

void logNoteSource(CompileState &cs, const Track &track, const Event &e) {
    NoteSourceLog &log = *cs.song->noteSources;
    NoteSource s{&track, e.time, e.channel, e.data1, log.markStream, log.markOffset};
    if (s.stream < 0) currentPlace(cs, s.stream, s.offset);
    log.notes.push_back(s);
}

}  // namespace vek
