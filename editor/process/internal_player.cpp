#include "process/internal_player.h"

#include "app/app_message.h"
#include "platform/mci.h"
#include "process/sound_failure.h"

namespace vek::editor {

namespace {

const QString kOpen = QStringLiteral("open \"%1\" type sequencer alias myfile");
const QString kPlay = QStringLiteral("play myfile notify");
const QString kStop = QStringLiteral("stop myfile notify");
const QString kPause = QStringLiteral("pause myfile");
const QString kClose = QStringLiteral("close myfile");
const QString kAlias = QStringLiteral("myfile");

}  // namespace

InternalPlayer::InternalPlayer(QObject *parent) : QObject(parent) {}

void InternalPlayer::begin() {
    // Not announced: the button turns to Stop only once sound plays.
    m_state = Playing;
}

void InternalPlayer::abandon() { become(Idle); }

void InternalPlayer::start(const QString &midiPath) {
    Mci &mci = Mci::instance();
    const int opened = mci.sendString(kOpen.arg(midiPath));
    if (opened != kMciOk) {
        become(Idle);
        if (reportSoundFailure(opened))
            emit soundSetupWanted();
        return;
    }
    const int played = mci.sendString(kPlay, this);
    if (played != kMciOk) {
        mci.sendString(kClose);
        become(Idle);
        appMessage(Mci::errorString(played), MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    m_file = midiPath;
    become(Playing);
}

void InternalPlayer::pause() {
    // Only sound that plays can pause; anything else would leave a paused
    // state with no device behind it.
    if (m_state != Playing)
        return;
    Mci::instance().sendString(kPause);
    become(Paused);
}

void InternalPlayer::stop() {
    Mci &mci = Mci::instance();
    mci.sendString(kStop, this);
    mci.sendString(kClose);
    become(Idle);
}

void InternalPlayer::closeForExit() {
    if (m_state != Playing)
        return;
    Mci::instance().sendString(kClose);
    become(Idle);
}

bool InternalPlayer::event(QEvent *event) {
    if (event->type() != MciNotifyEvent::eventType())
        return QObject::event(event);
    // Every notice counts alike, but one left over from an earlier
    // playback must not end the sound that plays now; a paused device
    // stays open.
    if (m_state == Paused || (m_state == Playing && Mci::instance().isPlaying(kAlias)))
        return true;
    Mci::instance().sendString(kClose);
    become(Idle);
    return true;
}

void InternalPlayer::become(State state) {
    m_state = state;
    if (state == Idle)
        m_file.clear();
    emit stateChanged(state);
}

}  // namespace vek::editor
