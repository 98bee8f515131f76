// The player commands used when the settings name none. This platform has
// no registered media player; the desktop's opener hands a file to the
// program the user chose for its type, so it stands in for one.
#pragma once

#include <QString>
#include <optional>

namespace vek::editor {

struct ProgramSettings;

// Full path of the desktop's opener (xdg-open) when it is installed.
std::optional<QString> findDesktopOpener();

// An empty "PlayCommand" or "SequencerCommand" becomes the opener's path
// followed by a blank; the new values count as changes, so they are
// written at exit. No opener: nothing changes.
void applyDesktopOpener(ProgramSettings &settings, const std::optional<QString> &openerPath);

// The command of the external start when neither the settings nor the
// default rule give one.
QString lastResortPlayer();

}  // namespace vek::editor
