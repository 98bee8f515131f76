// Gathers notes, statements and the maps of a MIDI file into an ImportSong.
#pragma once
#include "import/midi_import.h"
#include "import/song_model.h"

namespace vek::import {

ImportSong collectSong(const midi::SmfFile &file, const ImportOptions &options);

}  // namespace vek::import
