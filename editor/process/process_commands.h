// Connects the Process menu and the playback buttons of the main frame to
// the compile, the internal player and the external start, and shows the
// player's state in the status bar.
#pragma once

#include "app/main_frame.h"
#include "process/compile_command.h"
#include "process/external_start.h"
#include "process/internal_player.h"

#include <QObject>

class QLabel;

namespace vek::editor {

class ProcessCommands : public QObject {
    Q_OBJECT
public:
    // Lives as long as `frame`, which becomes its parent. Applies the
    // sound settings ("SoundFont", "AudioDriver") to the player.
    ProcessCommands(CMainFrame &frame, const EditorContext &context);

    CompileCommand &compile() { return m_compile; }
    InternalPlayer &player() { return m_player; }
    ExternalStart &external() { return m_external; }
    // Compiles and plays: the selection (or the whole piece), or from the
    // caret's statement to the end (which first stops what plays).
    void playInternal(bool fromCaret = false);

private:
    void addMessagesPane();
    void showPlayerState(InternalPlayer::State state);
    bool playing() const { return m_player.state() == InternalPlayer::Playing; }

    CMainFrame &m_frame;
    CompileCommand m_compile;
    InternalPlayer m_player;
    ExternalStart m_external;
    QLabel *m_stateLabel;
};

}  // namespace vek::editor
