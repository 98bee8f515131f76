// View > Line Numbers and View > Highlight Current Line: two toggles that
// apply to every edit view and are kept in the profile ("Settings").
#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace vek::editor {

class CMainFrame;
class ProfileFile;

class ViewOptions : public QObject {
    Q_OBJECT
public:
    // Adds its two entries to `view`; lives as long as `frame`.
    ViewOptions(CMainFrame &frame, QMenu &view, ProfileFile &profile);

private:
    QAction *addToggle(QMenu &view, const QString &text, const QString &key);
    void apply();

    CMainFrame &m_frame;
    ProfileFile &m_profile;
    QAction *m_lineNumbers;
    QAction *m_currentLine;
};

}  // namespace vek::editor
