// The playback keys and panes around the internal player: F5 plays (the
// selection when there is one), Shift+F5 plays from the caret's statement
// to the end, Esc stops while playing, Pause on the Process menu and the
// toolbar; View > Follow Playback and View > Piano Roll.
#pragma once

#include <QObject>

class QAction;

namespace vek::editor {

class CMainFrame;
class PianoRollDock;
class PlayFollower;
class ProcessCommands;

class PlayCommands : public QObject {
    Q_OBJECT
public:
    // Lives as long as `frame`, which becomes its parent.
    PlayCommands(CMainFrame &frame, ProcessCommands &process);

    PianoRollDock &pianoRoll() { return *m_roll; }
    PlayFollower &follower() { return *m_follower; }
    QAction *playFromCaret() const { return m_fromCaret; }
    QAction *followPlayback() const { return m_follow; }

private:
    void addToMenus();
    void selectNoteText(int index);

    CMainFrame &m_frame;
    ProcessCommands &m_process;
    PianoRollDock *m_roll;
    PlayFollower *m_follower;
    QAction *m_fromCaret;
    QAction *m_follow;
};

}  // namespace vek::editor
