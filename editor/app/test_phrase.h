// The few notes the Sound page's Test button plays.
#pragma once

#include <QByteArray>

namespace vek::editor {

// A Standard MIDI File of one track: a rising C major arpeggio on the
// piano, about one and a half seconds long.
QByteArray testPhraseMidi();

}  // namespace vek::editor
