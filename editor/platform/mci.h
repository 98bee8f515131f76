// A small media control interface: the command strings the editor sends to
// play MIDI files ("open \"FILE\" type sequencer alias NAME",
// "play NAME notify", "stop NAME notify", "pause NAME", "close NAME"), one
// sequencer device per alias, and a text for every error code. The end of
// a playback started with "notify" reaches the notify object as a queued
// MciNotifyEvent, like any other event of its thread.
#pragma once

#include "platform/sound_setup.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>
#include <map>
#include <memory>

namespace vek::editor {

class FluidSequencer;

enum MciError : int {
    kMciOk = 0,
    kMciUnknownCommand,
    kMciBadCommand,      // words missing or out of place
    kMciUnknownAlias,    // nothing open under that alias
    kMciAliasInUse,
    kMciFileNotFound,
    kMciUnreadableFile,
    kMciNotMidiFile,
    kMciNoSoundFont,
    kMciBadSoundFont,
    kMciNoAudioDevice,
    kMciOutputFailed,
};

// How a command sent with "notify" ended.
enum class MciNotify { Successful = 1, Superseded = 2, Aborted = 4, Failure = 8 };

class MciNotifyEvent : public QEvent {
public:
    MciNotifyEvent(MciNotify code, QString alias);
    static QEvent::Type eventType();
    MciNotify code() const { return m_code; }
    const QString &alias() const { return m_alias; }

private:
    MciNotify m_code;
    QString m_alias;
};

struct MciOptions {
    QString soundFont;     // empty: the system's General MIDI sound font
    QString audioDriver;   // empty: the synthesizer's choice
    double gain = kDefaultGain;
    QString renderFolder;  // not empty: each alias renders to FOLDER/ALIAS.wav
};

class Mci : public QObject {
    Q_OBJECT
public:
    // The process-wide interface, owned by the application object.
    static Mci &instance();
    ~Mci() override;

    const MciOptions &options() const { return m_options; }
    // Applies to devices opened later.
    void setOptions(const MciOptions &options) { m_options = options; }

    // Carries out one command; 0 or an MciError. `notify` receives the
    // notice of a command that carries the word "notify".
    int sendString(const QString &command, QObject *notify = nullptr);
    static QString errorString(int error);

    bool isOpen(const QString &alias) const { return m_devices.count(alias.toLower()) > 0; }
    bool isPlaying(const QString &alias) const;
    // The play position of an open device in the file's ticks; -1 when closed.
    int positionTicks(const QString &alias) const;
    // The file a device renders to (empty when it plays aloud).
    QString renderFile(const QString &alias) const;
    void closeAll();

private:
    struct Device {
        std::unique_ptr<FluidSequencer> sequencer;
        QPointer<QObject> pending;  // waits for the end of "play ... notify"
        QString renderFile;
    };

    explicit Mci(QObject *parent);
    int open(const QStringList &words);
    int control(const QString &verb, Device &device, const QString &alias, QObject *notify);
    void onFinished(const QString &alias, bool ok);
    static void post(QObject *target, MciNotify code, const QString &alias);

    MciOptions m_options;
    std::map<QString, Device> m_devices;  // by alias in lower case
};

}  // namespace vek::editor
