// How one seed spreads over the records below it, so that a new seed for
// a pattern or a drum part gives every figure in it a seed of its own.
#pragma once

#include "drums/drum_records.h"

#include <array>

namespace vek::editor {

// Held sub-records keep their seeds (the Hold boxes of the dialogs).
using FigureHolds = std::array<bool, 4>;
using PatternHolds = std::array<bool, 3>;  // A, B, X

// The pattern takes `seed`; figures 1-4 take seed, seed ^ 0x1111,
// seed ^ 0x2222 and seed ^ 0x4444.
void reseedPattern(DrumPattern &pattern, int seed, const FigureHolds &held = {});

// From the part's own seed s: pattern A is reseeded with s, B with
// s ^ 0x7FFF and X with s ^ 0x5555.
void reseedPart(DrumPart &part, const PatternHolds &held = {});

// The seeds of the three figures of the ending: r, r ^ 0x3333, r ^ 0x6666
// for the part seed r.
std::array<int, 3> endingSeeds(int partSeed);

}  // namespace vek::editor
