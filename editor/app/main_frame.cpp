#include "app/main_frame.h"

#include "app/app_strings.h"
#include "app/commands.h"
#include "app/editor_settings.h"
#include "app/pad_doc.h"
#include "app/pad_frame.h"
#include "app/program_settings.h"
#include "app/recent_files.h"
#include "app/window_placement.h"
#include "platform/help_browser.h"
#include "platform/profile_file.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>

namespace vek::editor {

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kWindowPos = QStringLiteral("WindowPos");

}  // namespace

CMainFrame::CMainFrame(const EditorContext &context, QWidget *parent)
    : QMainWindow(parent), m_context(context), m_mdi(new QMdiArea) {
    setObjectName(QStringLiteral("CMainFrame"));
    updateTitle();
    setWindowIcon(QIcon(QStringLiteral(":/vekedit/vekedit-48.png")));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    setAcceptDrops(true);
    // Paper margins, millimetres; the header and footer sit inside them.
    m_printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    connectCommands();
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::onSubWindowActivated);
    connect(m_context.recent, &RecentFiles::changed, this, &CMainFrame::updateRecentFileMenu);
    updateRecentFileMenu();
    updateCommandState();
}

CMainFrame::~CMainFrame() {
    // Closing the children during destruction must not reach the handlers,
    // ours or those of the helpers that watch the workspace.
    disconnect(m_mdi, nullptr, nullptr, nullptr);
    for (CPadFrame *frame : frames())
        disconnect(frame, nullptr, this, nullptr);
}

QAction *CMainFrame::action(int commandId) const { return m_actions.value(commandId); }

QList<CPadFrame *> CMainFrame::frames() const {
    QList<CPadFrame *> result;
    for (QMdiSubWindow *window : m_mdi->subWindowList())
        if (auto *frame = qobject_cast<CPadFrame *>(window))
            result << frame;
    return result;
}

CPadFrame *CMainFrame::activeFrame() const { return qobject_cast<CPadFrame *>(m_mdi->activeSubWindow()); }

CPadView *CMainFrame::activeView() const {
    CPadFrame *frame = activeFrame();
    return frame ? frame->view() : nullptr;
}

CPadFrame *CMainFrame::addFrame(CPadDoc *doc) {
    CPadView::Style style;
    style.font = m_context.editor->displayFont.get().toFont(screenDpi());
    style.tabStops = m_context.editor->tabStops.get();
    style.wordWrap = m_context.editor->wordWrap.get() != 0;
    auto *frame = new CPadFrame(doc, style);
    frame->setDefaultFolder(m_context.program->documentPath.get());
    m_mdi->addSubWindow(frame);
    connect(frame, &CPadFrame::documentSaved, m_context.recent, &RecentFiles::add);
    connect(frame, &CPadFrame::showCommandChanged, this,
            [this](int showCmd) { m_context.editor->showCmd.set(showCmd); });
    connect(frame, &QObject::destroyed, this, [this] { QMetaObject::invokeMethod(this, [this] {
        updateCommandState();
        updateWindowMenu();
    }, Qt::QueuedConnection); });
    connect(doc, &CPadDoc::pathChanged, this, &CMainFrame::updateWindowMenu);
    connect(doc, &CPadDoc::pathChanged, this, &CMainFrame::updateTitle);
    // A new child takes the remembered show command; a restored one is
    // about 80 columns by 30 lines, within the client area.
    if (m_context.editor->showCmd.get() == kShowMaximized) {
        frame->showMaximized();
    } else {
        const QFontMetrics metrics(style.font);
        const QSize room = m_mdi->viewport()->size();
        QSize wanted(metrics.horizontalAdvance(QLatin1Char('x')) * 84, metrics.lineSpacing() * 32);
        if (room.width() > 200 && room.height() > 150)
            wanted = wanted.boundedTo(room);
        frame->resize(wanted);
        frame->showNormal();
    }
    m_mdi->setActiveSubWindow(frame);
    frame->view()->setFocus();
    return frame;
}

CPadFrame *CMainFrame::newDocument() {
    auto *doc = new CPadDoc;
    doc->setUntitled(++m_untitledCount);
    return addFrame(doc);
}

CPadFrame *CMainFrame::openDocument(const QString &path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (CPadFrame *frame : frames()) {
        if (frame->doc()->path() == absolute) {
            m_mdi->setActiveSubWindow(frame);
            return frame;
        }
    }
    auto *doc = new CPadDoc;
    if (!doc->load(absolute)) {
        delete doc;
        return nullptr;
    }
    m_context.recent->add(absolute);
    return addFrame(doc);
}

void CMainFrame::placeWindow(int startupShowCmd) {
    m_loadedWindowPos = m_context.profile->readString(kSettings, kWindowPos, QString());
    const std::optional<WindowPlacement> saved = WindowPlacement::parse(m_loadedWindowPos);
    if (!saved) {
        resize(1000, 700);
        showWithCommand(*this, startupShowCmd);
        return;
    }
    saved->applyGeometry(*this);
    showWithCommand(*this, resolveShowCommand(int(saved->showCmd), startupShowCmd));
}

void CMainFrame::saveWindowPlacement() {
    const QString text = WindowPlacement::capture(*this).format();
    if (text != m_loadedWindowPos && m_context.profile->writeString(kSettings, kWindowPos, text))
        m_loadedWindowPos = text;
}

void CMainFrame::rememberListing(const QString &path) {
    if (!m_listings.contains(path))
        m_listings << path;
}

void CMainFrame::deleteListings() {
    for (const QString &path : std::as_const(m_listings))
        QFile::remove(path);
    m_listings.clear();
}

void CMainFrame::setPlayButton(bool playing) {
    action(cmd::ID_PLAY_INTERNAL)->setVisible(!playing);
    action(cmd::ID_PLAY_STOP)->setVisible(playing);
}

HelpBrowser *CMainFrame::helpBrowser() {
    if (!m_help)
        m_help = new HelpBrowser(this);
    m_help->setWindowFlag(Qt::Window);
    return m_help;
}

void CMainFrame::closeEvent(QCloseEvent *event) {
    // Ask about every unsaved document first, so that a Cancel leaves
    // everything (listings included) as it was.
    const QList<CPadFrame *> open = frames();
    for (CPadFrame *frame : open) {
        if (!frame->queryClose()) {
            event->ignore();
            return;
        }
    }
    saveWindowPlacement();
    deleteListings();
    emit closing();
    for (CPadFrame *frame : open)
        frame->closeWithoutAsking();
    if (m_help)
        m_help->close();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent *event) {
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            openDocument(url.toLocalFile());
    event->acceptProposedAction();
}

void CMainFrame::onSubWindowActivated(QMdiSubWindow *) {
    CPadView *view = activeView();
    if (m_connectedView && m_connectedView != view)
        disconnect(m_connectedView, nullptr, this, nullptr);
    m_connectedView = view;
    if (view) {
        connect(view, &QPlainTextEdit::copyAvailable, this, &CMainFrame::updateCommandState,
                Qt::UniqueConnection);
        connect(view, &QPlainTextEdit::undoAvailable, this, &CMainFrame::updateCommandState,
                Qt::UniqueConnection);
        connect(view, &CPadView::caretMoved, this, &CMainFrame::onCaretMoved, Qt::UniqueConnection);
        onCaretMoved(view->caretLine(), view->caretColumn());
    }
    if (!view)
        m_caretLabel->clear();
    updateTitle();
    updateCommandState();
    updateWindowMenu();
}

void CMainFrame::updateTitle() {
    const CPadFrame *frame = activeFrame();
    m_title = frame ? strings::kAppTitle + QStringLiteral(" - ") + frame->doc()->title() : strings::kAppTitle;
    setWindowTitle(m_title);
}

void CMainFrame::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange && !m_title.isEmpty() && windowTitle() != m_title)
        setWindowTitle(m_title);
}

void CMainFrame::onCaretMoved(int line, int column) {
    m_caretLabel->setText(QStringLiteral("Ln %1, Col %2").arg(line).arg(column));
}

}  // namespace vek::editor
