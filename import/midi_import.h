// Turns a Standard MIDI File into Vek text that compiles back to the same
// music: notes at their ticks with their velocities and lengths, the tempo,
// meter and key maps, programs, controllers, texts and system-exclusive
// messages. Nothing here prints or touches files.
#pragma once
#include <string>

#include "midi/smf_file.h"

namespace vek::import {

struct ImportOptions {
    std::string sourceName;  // shown in the heading comment
    int quantize = 0;        // snap to 1/quantize of a whole note; 0 keeps every tick
};

std::string importMidi(const midi::SmfFile &file, const ImportOptions &options);

// "1/16" or "16" gives 16; anything else 0.
int parseQuantize(const std::string &text);

}  // namespace vek::import
