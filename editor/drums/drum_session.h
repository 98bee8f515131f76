// What the drum dialogs share while the editor runs: the drum library, the
// drum tempo, the random numbers that new seeds come from, and the way a
// generated text is heard. The main frame's drum commands own one session;
// every dialog, nested ones included, works through it.
#pragma once

#include "drums/drum_library.h"
#include "drums/drum_text.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QObject;

namespace vek::editor {

struct ProgramSettings;

class DrumSession {
public:
    // How a program text is heard; the default is the audition of the
    // Machines folder, tests put a recorder in its place.
    struct Player {
        std::function<void(const QByteArray &programText, QObject *notify)> play;
        std::function<void()> stop;  // ends what is still playing
    };

    explicit DrumSession(const ProgramSettings &settings);
    ~DrumSession();

    // Reads the library at the path that "DocumentPath" gives now; the
    // commands call it before they open a dialog.
    void openLibrary();
    DrumLibrary &library();
    InstrumentTexts instruments();

    // The drum tempo in beats per minute: 0 until the drum machine has shown
    // or collected a drum part, whose tempo it then follows. The figure and
    // pattern texts take it.
    int tempo() const { return m_tempo; }
    void setTempo(int bpm) { m_tempo = bpm; }

    // The random numbers of new seeds, 0 to 32767, from a generator of the
    // session's own.
    void seedRandom(quint32 seed) { m_random = seed; }
    int nextRandom();
    // A seed that changes every second, for mixing into the generator.
    static quint32 clockSeed();

    void play(const QString &programText, QObject *notify);
    void stopPlaying();
    void setPlayer(Player player) { m_player = std::move(player); }

private:
    const ProgramSettings &m_settings;
    std::unique_ptr<DrumLibrary> m_library;
    int m_tempo = 0;
    quint32 m_random = 1;
    Player m_player;
};

}  // namespace vek::editor
