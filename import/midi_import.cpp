#include "import/midi_import.h"

#include "import/bar_map.h"
#include "import/collect.h"
#include "import/part_writer.h"

namespace vek::import {

std::string importMidi(const midi::SmfFile &file, const ImportOptions &options) {
    if (file.division < 0)
        throw midi::SmfError(12, "expected ticks per quarter note, found an SMPTE division");
    ImportSong song = collectSong(file, options);
    const BarMap bars(song.ppq, song.meters);
    std::string out;
    for (const std::string &line : song.heading) out += "' " + line + "\n";
    out += "include gm.vek\n";
    if (song.ppq != 120) out += "ppq " + std::to_string(song.ppq) + "\n";
    for (const std::string &line : song.preamble) out += line + "\n";
    for (size_t i = 0; i < song.parts.size(); ++i)
        writePart(song, bars, song.parts[i], i == 0 ? song.lastTick : 0, out);
    return out;
}

int parseQuantize(const std::string &text) {
    const std::string digits = text.rfind("1/", 0) == 0 ? text.substr(2) : text;
    if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stoi(digits);
}

}  // namespace vek::import
