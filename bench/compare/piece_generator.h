// The same generated music written as Vek and as ABC: four voices of bars
// in four-bar sections, each section played twice (a repeat).
#pragma once
#include <cstdint>
#include <string>

namespace vek::compare {

// How the Vek side is written; the music is the same in all three.
enum class VekStyle {
    kPlain,    // notes written out in repeated groups
    kMacros,   // every bar a call of a rhythm macro with the pitches as arguments
    kListing,  // as kPlain with the event listing on
};

struct Piece {
    std::string vek;
    std::string abc;
    int64_t notes = 0;  // notes played, repeats counted
};

// About `notes` notes in all (at least that many, rounded up to a section
// per voice).
Piece generatePiece(int64_t notes, VekStyle style);

}  // namespace vek::compare
