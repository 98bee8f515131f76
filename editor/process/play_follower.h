// Where the music is while the internal player plays: the notes sounding
// at the play position are marked in the window that was compiled (an
// extra selection, the caret stays where it is), and the view scrolls to
// them when following is on.
#pragma once

#include "process/internal_player.h"

#include <QObject>
#include <QTextCursor>
#include <QTimer>

namespace vek::editor {

class CompileCommand;
class CPadView;

// The word of a note at byte `offset` of the view's file. A macro call's
// offset is just past its name: then the name.
QTextCursor noteText(CPadView &view, qint64 offset);

class PlayFollower : public QObject {
    Q_OBJECT
public:
    PlayFollower(CompileCommand &compile, InternalPlayer &player, QObject *parent = nullptr);

    bool following() const { return m_following; }
    void setFollowing(bool on) { m_following = on; }
    // The last play position seen, ticks; -1 while nothing plays.
    int tick() const { return m_tick; }
    // Marks the notes of the compiled window sounding at `tick` (-1: none).
    void showTick(int tick);

signals:
    void tickChanged(int tick);

private:
    void poll();
    void onState(InternalPlayer::State state);

    CompileCommand &m_compile;
    QTimer m_timer;
    int m_tick = -1;
    bool m_following = true;
};

}  // namespace vek::editor
