// The main frame's actions, menus, toolbar, status bar and enabling rules.
#include "app/app_strings.h"
#include "app/commands.h"
#include "app/editor_settings.h"
#include "app/find_dialog.h"
#include "app/lock_indicators.h"
#include "app/main_frame.h"
#include "app/pad_doc.h"
#include "app/pad_frame.h"
#include "app/recent_files.h"
#include "app/view_options.h"

#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QToolBar>

namespace vek::editor {

using namespace cmd;

namespace {

// Commands of later subsystems: disabled until a handler is wired.
const QList<int> kProcessCommands = {ID_PROCESS_INTERPRET, ID_PROCESS_LOAD, ID_PROCESS_PLAY,
                                     ID_EXTRACT_SELECTION, ID_PLAY_INTERNAL};
const QList<int> kToolCommands = {ID_DRUM_MACHINE, ID_INSERT_DRUM_PART, ID_INSERT_DRUMFIGURE,
                                  ID_INSERT_DRUMPATTERN, ID_INSERT_TEMPO, ID_PLAY_STOP, ID_PLAY_PAUSE};

// Needs an active document window.
const QList<int> kDocumentCommands = {
    ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
    ID_EDIT_PASTE, ID_EDIT_FIND, ID_EDIT_REPEAT, ID_EDIT_REPLACE, ID_EDIT_SELECT_ALL,
    ID_EDIT_WORD_WRAP, ID_VIEW_SET_TAB_STOPS, ID_VIEW_SET_FONT, ID_WINDOW_CASCADE,
    ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE, ID_NEXT_PANE, ID_PREV_PANE};

QIcon toolbarIcon(const QPixmap &strip, int id) {
    const int index = toolbarImage(id);
    const int edge = strip.height();
    if (strip.isNull() || index < 0 || (index + 1) * edge > strip.width())
        return QIcon();
    return QIcon(strip.copy(index * edge, 0, edge, edge));
}

QString recentText(int index, const QString &path) {
    QString shown = QDir::toNativeSeparators(path);
    const QString home = QDir::homePath();
    if (shown.startsWith(home + '/'))
        shown = '~' + shown.mid(home.size());
    if (shown.size() > 60)
        shown = QStringLiteral("...") + shown.right(57);
    shown.replace('&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

}  // namespace

void CMainFrame::createActions() {
    const QPixmap strip(QStringLiteral(":/vekedit/toolbar.png"));
    for (const Command &command : commandTable()) {
        const QString prompt = QString::fromUtf8(command.prompt);
        auto *action = new QAction(QString::fromUtf8(command.menuText), this);
        action->setObjectName(QString::fromLatin1(command.name));
        action->setProperty("commandId", command.id);
        action->setStatusTip(prompt.section('\n', 0, 0));
        action->setToolTip(prompt.section('\n', 1, 1));
        action->setShortcuts(command.keys);
        action->setIcon(toolbarIcon(strip, command.id));
        action->setIconVisibleInMenu(false);
        addAction(action);  // keeps accelerators of actions without a menu entry alive
        m_actions.insert(command.id, action);
    }
    for (int id : {ID_EDIT_WORD_WRAP, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_MIRROR_DISPLAY_FONT,
                   ID_EXTRACT_SELECTION})
        action(id)->setCheckable(true);
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto *recent = new QAction(this);
        recent->setObjectName(QStringLiteral("ID_FILE_MRU_FILE%1").arg(i + 1));
        recent->setProperty("commandId", ID_FILE_MRU_FILE1 + i);
        recent->setStatusTip(QStringLiteral("Open this document"));
        connect(recent, &QAction::triggered, this, [this, i] { onOpenRecent(i); });
        m_recentActions << recent;
    }
    for (int id : kDocumentCommands)
        m_documentActions << action(id);
}

void CMainFrame::createMenus() {
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    m_fileMenu->setObjectName(QStringLiteral("fileMenu"));
    m_fileMenu->addAction(action(ID_FILE_NEW));
    addExamplesMenu(*m_fileMenu);
    m_fileMenu->addActions({action(ID_FILE_OPEN), action(ID_FILE_IMPORT_MIDI), action(ID_FILE_CLOSE),
                            action(ID_FILE_SAVE), action(ID_FILE_SAVE_AS)});
    m_fileMenu->addSeparator();
    m_fileMenu->addActions({action(ID_FILE_PRINT), action(ID_FILE_PRINT_PREVIEW), action(ID_FILE_PRINT_SETUP)});
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(action(ID_FILE_PROGRAM_SETTINGS));
    m_recentSeparator = m_fileMenu->addSeparator();
    m_fileMenu->addActions(m_recentActions);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(action(ID_APP_EXIT));

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(action(ID_EDIT_UNDO));
    edit->addSeparator();
    edit->addActions({action(ID_EDIT_CUT), action(ID_EDIT_COPY), action(ID_EDIT_PASTE), action(ID_EDIT_CLEAR)});
    edit->addSeparator();
    edit->addActions({action(ID_EDIT_FIND), action(ID_EDIT_REPEAT), action(ID_EDIT_REPLACE)});
    edit->addSeparator();
    edit->addAction(action(ID_EDIT_SELECT_ALL));
    edit->addSeparator();
    edit->addAction(action(ID_EDIT_WORD_WRAP));
    // The text-writing tools, so that each can be reached without knowing
    // its command.
    edit->addSeparator();
    QMenu *insert = edit->addMenu(QStringLiteral("&Insert"));
    insert->setObjectName(QStringLiteral("insertMenu"));
    insert->addActions({action(ID_INSERT_DRUM_PART), action(ID_INSERT_DRUMPATTERN),
                        action(ID_INSERT_DRUMFIGURE), action(ID_INSERT_TEMPO)});

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("viewMenu"));
    view->addActions({action(ID_VIEW_TOOLBAR), action(ID_VIEW_STATUS_BAR)});
    view->addSeparator();
    view->addActions({action(ID_VIEW_SET_TAB_STOPS), action(ID_VIEW_SET_FONT),
                      action(ID_VIEW_SET_PRINTER_FONT), action(ID_VIEW_MIRROR_DISPLAY_FONT)});
    view->addSeparator();
    new ViewOptions(*this, *view, *m_context.profile);
    view->addSeparator();  // the dockable panes follow

    // The drum machine is a command on the menu bar itself, not a menu.
    menuBar()->addAction(action(ID_DRUM_MACHINE));

    QMenu *process = menuBar()->addMenu(QStringLiteral("&Process"));
    process->setObjectName(QStringLiteral("processMenu"));
    process->addActions({action(ID_PROCESS_INTERPRET), action(ID_PROCESS_LOAD), action(ID_PROCESS_PLAY)});

    m_windowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &CMainFrame::updateWindowMenu);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(action(ID_HELP_CONTENTS));
    help->addSeparator();
    help->addAction(action(ID_APP_ABOUT));

    m_documentMenus = {edit, process, m_windowMenu};
}

void CMainFrame::createToolBar() {
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(24, 24));
    for (int id : toolbarButtons()) {
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        m_toolBar->addAction(action(id));
        if (id == ID_PLAY_INTERNAL)
            m_toolBar->addAction(action(ID_PLAY_STOP));  // takes the same place while playing
    }
    setPlayButton(false);
    action(ID_VIEW_TOOLBAR)->setChecked(true);
    connect(action(ID_VIEW_TOOLBAR), &QAction::toggled, m_toolBar, &QToolBar::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, action(ID_VIEW_TOOLBAR), &QAction::setChecked);
}

void CMainFrame::createStatusBar() {
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    // A normal widget, so fly-by prompts replace it while they show.
    bar->addWidget(new QLabel(strings::kIdle), 1);
    m_caretLabel = new QLabel;
    m_caretLabel->setObjectName(QStringLiteral("caretPosition"));
    m_caretLabel->setMinimumWidth(m_caretLabel->fontMetrics().horizontalAdvance(QStringLiteral("Ln 99999, Col 9999")));
    bar->addPermanentWidget(m_caretLabel);
    new LockIndicators(bar);
    action(ID_VIEW_STATUS_BAR)->setChecked(true);
    connect(action(ID_VIEW_STATUS_BAR), &QAction::toggled, bar, &QStatusBar::setVisible);
}

void CMainFrame::wireCommand(int commandId, std::function<void()> handler) {
    QAction *target = action(commandId);
    if (!target)
        return;
    connect(target, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    m_wired.insert(commandId);
    updateCommandState();
}

void CMainFrame::updateRecentFileMenu() {
    const QStringList &files = m_context.recent->files();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction *recent = m_recentActions[i];
        recent->setVisible(i < files.size());
        if (i < files.size()) {
            recent->setText(recentText(i, files[i]));
            recent->setData(files[i]);
        }
    }
    m_recentSeparator->setVisible(!files.isEmpty());
}

void CMainFrame::updateWindowMenu() {
    m_windowMenu->clear();
    m_windowMenu->addActions({action(ID_WINDOW_CASCADE), action(ID_WINDOW_TILE_HORZ), action(ID_WINDOW_ARRANGE)});
    const QList<CPadFrame *> open = frames();
    if (!open.isEmpty())
        m_windowMenu->addSeparator();
    for (int i = 0; i < open.size(); ++i) {
        CPadFrame *frame = open[i];
        const QString title = frame->doc()->title();
        QAction *entry = m_windowMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QString(title).replace('&', QStringLiteral("&&"))));
        entry->setCheckable(true);
        entry->setChecked(frame == activeFrame());
        connect(entry, &QAction::triggered, this, [this, frame] { m_mdi->setActiveSubWindow(frame); });
    }
}

void CMainFrame::updateCommandState() {
    CPadView *view = activeView();
    const bool hasView = view != nullptr;
    for (QMenu *menu : std::as_const(m_documentMenus))
        menu->menuAction()->setVisible(hasView);
    for (QAction *documentAction : std::as_const(m_documentActions))
        documentAction->setEnabled(hasView);
    const bool selection = hasView && view->textCursor().hasSelection();
    action(ID_EDIT_CUT)->setEnabled(selection && !view->isReadOnly());
    action(ID_EDIT_COPY)->setEnabled(selection);
    action(ID_EDIT_CLEAR)->setEnabled(selection && !view->isReadOnly());
    action(ID_EDIT_UNDO)->setEnabled(hasView && view->document()->isUndoAvailable());
    action(ID_EDIT_WORD_WRAP)->setChecked(hasView && view->wordWrap());
    action(ID_VIEW_MIRROR_DISPLAY_FONT)->setChecked(!m_context.editor->printerFont.get().isSet());
    for (int id : kProcessCommands)
        action(id)->setEnabled(hasView && m_wired.contains(id));
    for (int id : kToolCommands)
        action(id)->setEnabled(m_wired.contains(id));
}

}  // namespace vek::editor
