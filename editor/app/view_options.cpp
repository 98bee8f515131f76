#include "app/view_options.h"

#include "app/main_frame.h"
#include "app/pad_frame.h"
#include "platform/profile_file.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>

namespace vek::editor {

namespace {

const QString kSettings = QStringLiteral("Settings");

}  // namespace

ViewOptions::ViewOptions(CMainFrame &frame, QMenu &view, ProfileFile &profile)
    : QObject(&frame), m_frame(frame), m_profile(profile),
      m_lineNumbers(addToggle(view, QStringLiteral("&Line Numbers"), QStringLiteral("LineNumbers"))),
      m_currentLine(addToggle(view, QStringLiteral("&Highlight Current Line"), QStringLiteral("CurrentLine"))) {
    connect(frame.mdiArea(), &QMdiArea::subWindowActivated, this, &ViewOptions::apply);
}

QAction *ViewOptions::addToggle(QMenu &view, const QString &text, const QString &key) {
    QAction *toggle = view.addAction(text);
    toggle->setObjectName(key);
    toggle->setCheckable(true);
    toggle->setChecked(m_profile.readInt(kSettings, key, 0) != 0);
    connect(toggle, &QAction::toggled, this, [this, key](bool on) {
        m_profile.writeInt(kSettings, key, on ? 1 : 0);
        apply();
    });
    return toggle;
}

void ViewOptions::apply() {
    for (CPadFrame *frame : m_frame.frames()) {
        frame->view()->setLineNumbers(m_lineNumbers->isChecked());
        frame->view()->setCurrentLineHighlight(m_currentLine->isChecked());
    }
}

}  // namespace vek::editor
