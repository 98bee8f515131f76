#include "app/pad_frame.h"

#include "app/app_message.h"
#include "app/app_strings.h"
#include "app/editor_settings.h"
#include "app/pad_doc.h"
#include "app/prompts.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

namespace vek::editor {

CPadFrame::CPadFrame(CPadDoc *doc, const CPadView::Style &style, QWidget *parent)
    : QMdiSubWindow(parent), m_doc(doc), m_view(new CPadView(doc, style)) {
    doc->setParent(this);
    setWidget(m_view);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/vekedit/vekedit-16.png")));
    connect(doc, &CPadDoc::pathChanged, this, &CPadFrame::updateTitle);
    connect(doc, &CPadDoc::modificationChanged, this, &QWidget::setWindowModified);
    connect(this, &QMdiSubWindow::windowStateChanged, this, &CPadFrame::onStateChanged);
    updateTitle();
}

CPadFrame::~CPadFrame() {
    // The base destructor still reports a state change; by then this is no
    // longer a CPadFrame, so the slot must be gone first.
    disconnect(this, &QMdiSubWindow::windowStateChanged, this, &CPadFrame::onStateChanged);
    // The view goes before the document it shows.
    setWidget(nullptr);
    delete m_view;
}

void CPadFrame::updateTitle() {
    setWindowTitle(m_doc->title() + QStringLiteral("[*]"));
    setWindowModified(m_doc->isModified());
}

void CPadFrame::onStateChanged(Qt::WindowStates previous, Qt::WindowStates now) {
    if ((now & Qt::WindowMaximized) && !(previous & Qt::WindowMaximized))
        emit showCommandChanged(kShowMaximized);
    else if (!(now & (Qt::WindowMaximized | Qt::WindowMinimized)) &&
             (previous & (Qt::WindowMaximized | Qt::WindowMinimized)))
        emit showCommandChanged(kShowNormal);
}

bool CPadFrame::save() {
    if (m_doc->path().isEmpty())
        return saveAs();
    if (!m_doc->saveAs(m_doc->path()))
        return false;
    emit documentSaved(m_doc->path());
    return true;
}

bool CPadFrame::saveAs() {
    const QString suggested = m_doc->path().isEmpty()
                                  ? QDir(m_defaultFolder).filePath(m_doc->title() + strings::kDefaultExtension)
                                  : m_doc->path();
    QString path = promptSaveFileName(this, suggested);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += strings::kDefaultExtension;
    if (!m_doc->saveAs(path))
        return false;
    emit documentSaved(m_doc->path());
    return true;
}

bool CPadFrame::queryClose() {
    if (!m_doc->isModified())
        return true;
    switch (appMessage(strings::askToSave(m_doc->title()), MessageButtons::YesNoCancel,
                       MessageIcon::Question)) {
    case MessageAnswer::Yes: return save();
    case MessageAnswer::No: return true;
    default: return false;
    }
}

void CPadFrame::closeWithoutAsking() {
    m_asked = true;
    close();
}

void CPadFrame::closeEvent(QCloseEvent *event) {
    if (m_asked || queryClose())
        QMdiSubWindow::closeEvent(event);
    else
        event->ignore();
}

}  // namespace vek::editor
