#include "drums/drum_session.h"

#include "app/program_settings.h"
#include "drums/audition.h"

#include <QDateTime>

namespace vek::editor {

DrumSession::DrumSession(const ProgramSettings &settings) : m_settings(settings) {
    m_player.play = [this](const QByteArray &text, QObject *notify) { audition(m_settings, text, notify); };
    m_player.stop = [] { stopAudition(); };
}

DrumSession::~DrumSession() = default;

void DrumSession::openLibrary() { m_library = std::make_unique<DrumLibrary>(m_settings.drumLibraryPath()); }

DrumLibrary &DrumSession::library() {
    if (!m_library)
        openLibrary();
    return *m_library;
}

InstrumentTexts DrumSession::instruments() {
    return [this](const QString &instrument) { return library().instrumentText(instrument); };
}

int DrumSession::nextRandom() {
    // A linear congruential generator; its upper bits are the better ones.
    m_random = m_random * 214013u + 2531011u;
    return int((m_random >> 16) & 0x7FFF);
}

quint32 DrumSession::clockSeed() { return quint32(QDateTime::currentSecsSinceEpoch()); }

void DrumSession::play(const QString &programText, QObject *notify) {
    if (m_player.play)
        m_player.play(programText.toUtf8(), notify);
}

void DrumSession::stopPlaying() {
    if (m_player.stop)
        m_player.stop();
}

}  // namespace vek::editor
