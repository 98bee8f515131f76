// The number of notes in a Standard MIDI File, for the watch's report.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vek::cli {

// Note-ons with a velocity above 0 in every track chunk of `smf`;
// nothing when the bytes are not a MIDI file.
std::optional<long> countNotes(std::string_view smf);

// The same over a file.
std::optional<long> countNotesInFile(const std::string &path);

}  // namespace vek::cli
