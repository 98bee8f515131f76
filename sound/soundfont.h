// Where a General MIDI soundfont is found when none is named.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace vek::sound {

// The Debian package that installs the default soundfont.
inline constexpr const char *kSoundFontPackage = "fluid-soundfont-gm";

// The places searched, in order: the system's General MIDI link first.
const std::vector<std::string> &soundFontCandidates();

// The first candidate that is a regular file; nothing when none is.
std::optional<std::string> findSoundFont();

}  // namespace vek::sound
