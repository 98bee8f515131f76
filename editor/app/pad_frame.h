// The MDI child window of one document: owns the document and its view,
// keeps the title, and asks to save changes before it closes.
#pragma once

#include "app/pad_view.h"

#include <QMdiSubWindow>

namespace vek::editor {

class CPadDoc;

class CPadFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // Takes ownership of `doc`.
    CPadFrame(CPadDoc *doc, const CPadView::Style &style, QWidget *parent = nullptr);
    ~CPadFrame() override;

    CPadDoc *doc() const { return m_doc; }
    CPadView *view() const { return m_view; }

    // Folder offered by Save As for a document without a path.
    void setDefaultFolder(const QString &folder) { m_defaultFolder = folder; }

    // Saves to the document's path, or asks for one.
    bool save();
    bool saveAs();
    // Asks "Save changes to ...?" when modified; false when the user
    // cancels or the save fails.
    bool queryClose();
    // Closes after the caller has already asked about unsaved changes.
    void closeWithoutAsking();

signals:
    void documentSaved(const QString &path);
    // 3 when the window was maximised, 1 when it was restored.
    void showCommandChanged(int showCmd);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void updateTitle();
    void onStateChanged(Qt::WindowStates previous, Qt::WindowStates now);

    CPadDoc *m_doc;
    CPadView *m_view;
    QString m_defaultFolder;
    bool m_asked = false;
};

}  // namespace vek::editor
