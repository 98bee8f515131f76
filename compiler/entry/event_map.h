// The caller's event map: the output's notes with their source places, and
// the tempo and meter maps, told through the caller's functions.
#pragma once
#include "vek/vekmain.h"

namespace vek {

struct NoteSourceLog;
struct SongContext;
struct Stretch;

// After the finishing passes; `stretch` is the range extraction's, or null.
void reportEventMap(SongContext &song, const NoteSourceLog &log, const Stretch *stretch,
                    VekEventMap &map);

}  // namespace vek
