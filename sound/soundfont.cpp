#include "sound/soundfont.h"

#include <filesystem>
#include <system_error>

namespace vek::sound {

const std::vector<std::string> &soundFontCandidates() {
    static const std::vector<std::string> candidates{
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/soundfonts/default.sf2",
    };
    return candidates;
}

std::optional<std::string> findSoundFont() {
    for (const std::string &candidate : soundFontCandidates()) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
    }
    return std::nullopt;
}

}  // namespace vek::sound
