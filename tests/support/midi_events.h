// The music of a MIDI file as sorted text lines, one per note, controller,
// program, wheel, pressure, tempo, meter, key, text or sysex, whatever the
// track, the running status or the note-off form, so two files that sound
// alike compare equal.
#pragma once
#include <string>
#include <vector>

namespace vek::test {

std::vector<std::string> midiEvents(const std::string &bytes);

// The lines only one side has, marked "-" (first) and "+" (second), at most `limit`.
std::string eventDifference(const std::vector<std::string> &a, const std::vector<std::string> &b,
                            size_t limit = 8);

}  // namespace vek::test
