// Tools that write Vek text for the user (drum dialogs, tempo changes) put
// it into the document the same way: in place of the active editor view's
// selection, as one step of undo.
#pragma once

#include <QString>

namespace vek::editor {

class CMainFrame;

// Replaces the selection of the active editor view with `text` as a single
// undoable edit. Returns false, inserting nothing, when no editor view is
// active.
bool insertIntoActiveView(CMainFrame &frame, const QString &text);

}  // namespace vek::editor
