#include "process/play_commands.h"

#include "app/commands.h"
#include "app/main_frame.h"
#include "app/pad_frame.h"
#include "app/pad_view.h"
#include "process/piano_roll.h"
#include "process/play_follower.h"
#include "process/process_commands.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QToolBar>

namespace vek::editor {

using namespace cmd;

namespace {

// The toolbar strip has no Pause picture: two bars.
QIcon pauseIcon() {
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.fillRect(6, 5, 4, 14, QColor(0x33, 0x41, 0x55));
    p.fillRect(14, 5, 4, 14, QColor(0x33, 0x41, 0x55));
    return QIcon(picture);
}

}  // namespace

PlayCommands::PlayCommands(CMainFrame &frame, ProcessCommands &process)
    : QObject(&frame),
      m_frame(frame),
      m_process(process),
      m_roll(new PianoRollDock(&frame)),
      m_follower(new PlayFollower(process.compile(), process.player(), this)),
      m_fromCaret(new QAction(QStringLiteral("Play From &Caret"), &frame)),
      m_follow(new QAction(QStringLiteral("F&ollow Playback"), &frame)) {
    frame.action(ID_PLAY_INTERNAL)->setShortcut(QKeySequence(Qt::Key_F5));
    // Only while playing: Stop is hidden otherwise, and so is its key.
    frame.action(ID_PLAY_STOP)->setShortcut(QKeySequence(Qt::Key_Escape));
    if (frame.action(ID_PLAY_PAUSE)->icon().isNull())
        frame.action(ID_PLAY_PAUSE)->setIcon(pauseIcon());

    m_fromCaret->setObjectName(QStringLiteral("ID_PLAY_FROM_CARET"));
    m_fromCaret->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    m_fromCaret->setStatusTip(QStringLiteral("Play from the statement at the caret to the end"));
    frame.addAction(m_fromCaret);
    QAction *internal = frame.action(ID_PLAY_INTERNAL);
    connect(internal, &QAction::changed, m_fromCaret, [this, internal] { m_fromCaret->setEnabled(internal->isEnabled()); });
    m_fromCaret->setEnabled(internal->isEnabled());
    connect(m_fromCaret, &QAction::triggered, this, [this] { m_process.playInternal(true); });

    m_follow->setObjectName(QStringLiteral("ID_VIEW_FOLLOW_PLAYBACK"));
    m_follow->setCheckable(true);
    m_follow->setChecked(m_follower->following());
    m_follow->setStatusTip(QStringLiteral("Scroll the source to the music being played"));
    connect(m_follow, &QAction::toggled, m_follower, &PlayFollower::setFollowing);

    frame.addDockWidget(Qt::BottomDockWidgetArea, m_roll);
    m_roll->hide();
    m_roll->toggleViewAction()->setObjectName(QStringLiteral("ID_VIEW_PIANO_ROLL"));
    m_roll->toggleViewAction()->setText(QStringLiteral("Piano &Roll"));
    CompileCommand &compile = process.compile();
    connect(&compile, &CompileCommand::compiled, this, [this, &compile] { m_roll->setMap(compile.lastMap()); });
    connect(m_follower, &PlayFollower::tickChanged, m_roll, &PianoRollDock::setTick);
    connect(&m_roll->roll(), &PianoRoll::noteClicked, this, &PlayCommands::selectNoteText);
    addToMenus();
}

void PlayCommands::addToMenus() {
    if (auto *view = m_frame.findChild<QMenu *>(QStringLiteral("viewMenu"))) {
        view->addSeparator();
        view->addActions({m_follow, m_roll->toggleViewAction()});
    }
    if (auto *process = m_frame.findChild<QMenu *>(QStringLiteral("processMenu"))) {
        process->addSeparator();
        process->addActions({m_frame.action(ID_PLAY_INTERNAL), m_fromCaret, m_frame.action(ID_PLAY_PAUSE),
                             m_frame.action(ID_PLAY_STOP)});
    }
    if (auto *toolBar = m_frame.findChild<QToolBar *>(QStringLiteral("toolBar")))
        toolBar->addAction(m_frame.action(ID_PLAY_PAUSE));
}

void PlayCommands::selectNoteText(int index) {
    const VekMappedNote &note = m_roll->roll().map().notes[index];
    CPadFrame *frame = m_process.compile().mappedFrame();
    if (!frame || note.file != kSourceFileIndex)
        return;
    CPadView &view = *frame->view();
    view.setTextCursor(noteText(view, note.offset));
    view.ensureCursorVisible();
    m_frame.mdiArea()->setActiveSubWindow(frame);
    view.setFocus();
}

}  // namespace vek::editor
