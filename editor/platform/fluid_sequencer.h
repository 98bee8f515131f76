// One MIDI file on a FluidSynth synthesizer: the sequencer device behind an
// MCI alias. It plays through an audio driver or, for tests and for
// rendering without a sound card, writes the sound to a WAV file as fast as
// the event loop allows.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

namespace vek::editor {

class FluidSequencer : public QObject {
    Q_OBJECT
public:
    struct Setup {
        QString midiPath;
        QString soundFont;    // a General MIDI sound font file
        QString audioDriver;  // empty: FluidSynth's default
        QString renderFile;   // not empty: render into this WAV file instead
        double gain = 0.2;    // the synthesizer's output level, 0 to 10
    };

    // Loads the file and the sound font and claims the audio device; null
    // with an MCI error code in `error` when any of it fails.
    static std::unique_ptr<FluidSequencer> open(const Setup &setup, int &error);
    ~FluidSequencer() override;

    // Start or resume; pause keeps the position, stop goes back to the
    // start. Each returns an MCI error code.
    int play();
    int pause();
    int stop();
    bool isPlaying() const { return m_timer.isActive(); }
    // Where the player stands, in the file's ticks.
    int currentTick() const;

    // The synthesizer's objects (fluid_sequencer.cpp).
    struct Fluid;

signals:
    // The end of the piece was reached (ok) or the output failed.
    void finished(bool ok);

private:
    explicit FluidSequencer(std::unique_ptr<Fluid> fluid);
    void advance();
    bool reachedEnd() const;
    void silence();

    std::unique_ptr<Fluid> m_fluid;
    QTimer m_timer;
};

}  // namespace vek::editor
