// Writes one part as Vek text, one bar per line.
#pragma once
#include <string>

#include "import/bar_map.h"
#include "import/song_model.h"

namespace vek::import {

// `runTo`: the part goes on at least to this tick, so that the meters and
// keys on the way are written (the first part carries them to the end).
void writePart(const ImportSong &song, const BarMap &bars, const ImportPart &part, uint32_t runTo,
               std::string &out);

}  // namespace vek::import
