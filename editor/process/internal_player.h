// Playback through the editor's own MIDI sequencer under the MCI alias
// "myfile": the play, pause and stop state machine and the notice that
// playback ended.
//
//   state     entered by                              left by
//   Idle      start, Stop, end notice, window close   internal play
//   Playing   internal play (before its compile)      Stop, Pause, end notice,
//                                                     window close, failed compile or open
//   Paused    Pause                                   internal play, Stop
#pragma once

#include <QObject>
#include <QString>

namespace vek::editor {

class InternalPlayer : public QObject {
    Q_OBJECT
public:
    enum State { Idle = 0, Paused = 1, Playing = 2 };

    explicit InternalPlayer(QObject *parent = nullptr);

    State state() const { return m_state; }
    // The file being played or paused; empty when idle.
    const QString &file() const { return m_file; }

    // Internal play runs begin(), the compile (which gives MIDI output
    // while the state is Playing), then start() with the MIDI file, or
    // abandon() when the compile failed.
    void begin();
    void start(const QString &midiPath);
    void abandon();
    void pause();
    // Stops and closes the device in any state.
    void stop();
    // The main window is closing: playback ends, a paused device stays.
    void closeForExit();

signals:
    void stateChanged(InternalPlayer::State state);
    // The device could not be opened and the user asked for the Sound page.
    void soundSetupWanted();

protected:
    // The end-of-playback notice of the device.
    bool event(QEvent *event) override;

private:
    void become(State state);

    State m_state = Idle;
    QString m_file;
};

}  // namespace vek::editor
