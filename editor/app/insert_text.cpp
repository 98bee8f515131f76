#include "app/insert_text.h"

#include "app/main_frame.h"
#include "app/pad_view.h"

namespace vek::editor {

bool insertIntoActiveView(CMainFrame &frame, const QString &text) {
    CPadView *view = frame.activeView();
    if (!view)
        return false;
    view->replaceSelection(text);
    view->ensureCursorVisible();
    return true;
}

}  // namespace vek::editor
