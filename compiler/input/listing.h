// The event listing: one line per stored event beside the source echo.
#pragma once

#include "events/event.h"

namespace vek {

struct CompileState;
struct Track;

// Writes one line for `e` (track: the receiving track, or none for tempo
// changes); switches the listing off past its size cap.
void listEvent(CompileState &cs, const Event &e, const Track *track);

// Makes the listing's bar and beat position restart at the meter's start.
void restartListPosition(CompileState &cs);

// Writes the listing to the song's listing path when the compile ends;
// false, writing nothing, when that is a file the compile read. A listing
// that cannot be opened is skipped: it is only an aid.
bool saveListing(const CompileState &cs);

}  // namespace vek
