// `vek --render AUDIO`: the piece's MIDI file played into an audio file.
#pragma once
#include <string>

#include "cli/compile_one.h"
#include "cli/options.h"

namespace vek::cli {

// Checks the audio type and finds the soundfont before anything is
// compiled; sets `soundFont`. A refusal's status is kExitUsage for a bad
// command line, kExitFailure for a missing soundfont.
CompileOutcome prepareRender(const Options &o, std::string &soundFont);

// Renders `midiPath` to o.renderPath, with a progress bar on a terminal
// once it has taken two seconds.
CompileOutcome renderAudio(const Options &o, const std::string &midiPath, const std::string &soundFont);

}  // namespace vek::cli
