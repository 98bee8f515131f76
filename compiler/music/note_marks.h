// Marking where each note is written, for the event map: the parse side
// of the NoteSourceLog the song keeps when the caller asked for a map.
#pragma once
#include "events/note_sources.h"

namespace vek {

struct CompileState;
struct Event;

// At a note's first character (in cs.ch): the place its events get.
void markNoteSource(CompileState &cs);
void clearNoteMark(CompileState &cs);
// A note stored in `track`: the mark, or without one (a copied note) the
// statement being read.
void logNoteSource(CompileState &cs, const Track &track, const Event &e);

}  // namespace vek
