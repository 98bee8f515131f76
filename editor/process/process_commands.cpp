#include "process/process_commands.h"

#include "app/commands.h"
#include "app/program_settings.h"
#include "platform/mci.h"
#include "process/play_commands.h"
#include "app/pad_frame.h"
#include "app/sound_page.h"
#include "process/error_jump.h"
#include "process/messages_pane.h"

#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

namespace vek::editor {

using namespace cmd;

ProcessCommands::ProcessCommands(CMainFrame &frame, const EditorContext &context)
    : QObject(&frame),
      m_frame(frame),
      m_compile(frame, context),
      m_external(m_compile, *context.program),
      m_stateLabel(new QLabel) {
    applySoundSettings(*context.program);

    m_stateLabel->setObjectName(QStringLiteral("playerState"));
    m_stateLabel->hide();
    frame.statusBar()->addPermanentWidget(m_stateLabel);

    addMessagesPane();

    frame.wireCommand(ID_PROCESS_INTERPRET, [this] { m_compile.run(playing()); });
    frame.wireCommand(ID_PROCESS_LOAD, [this] { m_external.start(true, playing()); });
    frame.wireCommand(ID_PROCESS_PLAY, [this] { m_external.start(false, playing()); });
    // The button's own checked state is the extract flag.
    frame.wireCommand(ID_EXTRACT_SELECTION, [] {});
    frame.wireCommand(ID_PLAY_INTERNAL, [this] { playInternal(); });
    frame.wireCommand(ID_PLAY_STOP, [this] { m_player.stop(); });
    frame.wireCommand(ID_PLAY_PAUSE, [this] { m_player.pause(); });
    connect(&m_player, &InternalPlayer::stateChanged, this, &ProcessCommands::showPlayerState);
    // Queued: the message box that asked has gone before the dialog opens.
    connect(&m_player, &InternalPlayer::soundSetupWanted, this, [this] { m_frame.openProgramSettings(true); },
            Qt::QueuedConnection);
    connect(&frame, &CMainFrame::closing, &m_player, &InternalPlayer::closeForExit);
    new PlayCommands(frame, *this);  // owned by the frame
}

void ProcessCommands::addMessagesPane() {
    auto *pane = new MessagesPane(&m_frame);
    m_frame.addDockWidget(Qt::BottomDockWidgetArea, pane);
    pane->toggleViewAction()->setText(QStringLiteral("&Messages"));
    if (auto *view = m_frame.findChild<QMenu *>(QStringLiteral("viewMenu")))
        view->addAction(pane->toggleViewAction());
    connect(&m_compile, &CompileCommand::reported, pane, [pane](const CompileReport &report) {
        pane->add(report);
        if (report.failed)
            pane->show();
    });
    connect(pane, &MessagesPane::errorChosen, this, [this](const QString &document, qint64 offset) {
        if (CPadFrame *holder = m_frame.openDocument(document)) {
            selectErrorCharacter(*holder->view(), offset);
            holder->view()->setFocus();
        }
    });
}

void ProcessCommands::playInternal(bool fromCaret) {
    if (fromCaret) {
        if (m_player.state() != InternalPlayer::Idle)
            m_player.stop();
        m_compile.compileFromCaretOnce();
    }
    m_player.begin();
    if (m_compile.run(true))
        m_player.start(m_compile.midiPath());
    else
        m_player.abandon();
}

void ProcessCommands::showPlayerState(InternalPlayer::State state) {
    m_frame.setPlayButton(state == InternalPlayer::Playing);
    const QString name = QFileInfo(m_player.file()).fileName();
    switch (state) {
    case InternalPlayer::Playing: m_stateLabel->setText(QStringLiteral("Playing %1").arg(name)); break;
    case InternalPlayer::Paused: m_stateLabel->setText(QStringLiteral("Paused %1").arg(name)); break;
    case InternalPlayer::Idle: break;
    }
    m_stateLabel->setVisible(state != InternalPlayer::Idle);
}

}  // namespace vek::editor
