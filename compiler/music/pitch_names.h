// The listing's names of the twelve pitch classes, two characters each: the
// sharp spelling, and the flat one after a key signature with flats.
#pragma once

namespace vek {

inline constexpr char kSharpNames[] = "C C#D D#E F F#G G#A A#B ";
inline constexpr char kFlatNames[] = "C D&D E&E F G&G A&A B&B ";

}  // namespace vek
