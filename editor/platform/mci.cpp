#include "platform/mci.h"

#include "platform/fluid_sequencer.h"
#include "platform/process_start.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vek::editor {

namespace {

// The word after `key` in an open command ("type sequencer", "alias NAME").
QString valueAfter(const QStringList &words, const QString &key) {
    const qsizetype at = words.indexOf(key, 2);
    return at > 0 && at + 1 < words.size() ? words[at + 1] : QString();
}

}  // namespace

MciNotifyEvent::MciNotifyEvent(MciNotify code, QString alias)
    : QEvent(eventType()), m_code(code), m_alias(std::move(alias)) {}

QEvent::Type MciNotifyEvent::eventType() {
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

Mci::Mci(QObject *parent) : QObject(parent) {}

Mci::~Mci() { closeAll(); }

Mci &Mci::instance() {
    // A child of the application: its devices close before the
    // application's event machinery goes away.
    static QPointer<Mci> mci;
    if (!mci)
        mci = new Mci(QCoreApplication::instance());
    return *mci;
}

int Mci::sendString(const QString &command, QObject *notify) {
    const std::optional<QStringList> split = splitCommandLine(command);
    if (!split || split->isEmpty())
        return kMciBadCommand;
    const QStringList &words = *split;
    const QString verb = words[0].toLower();
    if (verb == QLatin1String("open"))
        return open(words);
    if (verb != QLatin1String("play") && verb != QLatin1String("stop") && verb != QLatin1String("pause") &&
        verb != QLatin1String("close"))
        return kMciUnknownCommand;
    if (words.size() < 2)
        return kMciBadCommand;
    const QString alias = words[1].toLower();
    const auto found = m_devices.find(alias);
    if (found == m_devices.end())
        return kMciUnknownAlias;
    const bool wantsNotice = words.mid(2).contains(QStringLiteral("notify"), Qt::CaseInsensitive);
    return control(verb, found->second, alias, wantsNotice ? notify : nullptr);
}

int Mci::open(const QStringList &words) {
    const QString alias = valueAfter(words, QStringLiteral("alias")).toLower();
    const QString type = valueAfter(words, QStringLiteral("type"));
    if (words.size() < 2 || alias.isEmpty() || (!type.isEmpty() && type.toLower() != QLatin1String("sequencer")))
        return kMciBadCommand;
    if (isOpen(alias))
        return kMciAliasInUse;
    FluidSequencer::Setup setup;
    setup.midiPath = words[1];
    setup.soundFont = m_options.soundFont.isEmpty() ? systemSoundFont() : m_options.soundFont;
    setup.audioDriver = m_options.audioDriver;
    setup.gain = m_options.gain;
    if (!m_options.renderFolder.isEmpty())
        setup.renderFile = QDir(m_options.renderFolder).filePath(alias + QStringLiteral(".wav"));
    int error = kMciOk;
    std::unique_ptr<FluidSequencer> sequencer = FluidSequencer::open(setup, error);
    if (!sequencer)
        return error;
    connect(sequencer.get(), &FluidSequencer::finished, this,
            [this, alias](bool ok) { onFinished(alias, ok); });
    m_devices[alias] = Device{std::move(sequencer), nullptr, setup.renderFile};
    return kMciOk;
}

int Mci::control(const QString &verb, Device &device, const QString &alias, QObject *notify) {
    // Any command ends the wait of an earlier "play ... notify": a new
    // play supersedes it, the others abort it.
    if (device.pending)
        post(device.pending, verb == QLatin1String("play") ? MciNotify::Superseded : MciNotify::Aborted, alias);
    device.pending = nullptr;
    int result = kMciOk;
    if (verb == QLatin1String("play")) {
        result = device.sequencer->play();
        if (result == kMciOk)
            device.pending = notify;
        else if (notify)
            post(notify, MciNotify::Failure, alias);
        return result;
    }
    if (verb == QLatin1String("pause"))
        result = device.sequencer->pause();
    else if (verb == QLatin1String("stop"))
        result = device.sequencer->stop();
    else
        m_devices.erase(alias);  // close: `device` is gone from here on
    if (notify)
        post(notify, result == kMciOk ? MciNotify::Successful : MciNotify::Failure, alias);
    return result;
}

void Mci::onFinished(const QString &alias, bool ok) {
    const auto found = m_devices.find(alias);
    if (found == m_devices.end() || !found->second.pending)
        return;
    post(found->second.pending, ok ? MciNotify::Successful : MciNotify::Failure, alias);
    found->second.pending = nullptr;
}

void Mci::post(QObject *target, MciNotify code, const QString &alias) {
    if (target)
        QCoreApplication::postEvent(target, new MciNotifyEvent(code, alias));
}

bool Mci::isPlaying(const QString &alias) const {
    const auto found = m_devices.find(alias.toLower());
    return found != m_devices.end() && found->second.sequencer->isPlaying();
}

int Mci::positionTicks(const QString &alias) const {
    const auto found = m_devices.find(alias.toLower());
    return found != m_devices.end() ? found->second.sequencer->currentTick() : -1;
}

QString Mci::renderFile(const QString &alias) const {
    const auto found = m_devices.find(alias.toLower());
    return found != m_devices.end() ? found->second.renderFile : QString();
}

void Mci::closeAll() { m_devices.clear(); }

QString Mci::errorString(int error) {
    switch (error) {
    case kMciOk: return QStringLiteral("The command was carried out.");
    case kMciUnknownCommand: return QStringLiteral("The player does not know this command.");
    case kMciBadCommand: return QStringLiteral("The player command is incomplete or has words out of place.");
    case kMciUnknownAlias: return QStringLiteral("No piece is open in the player under that name.");
    case kMciAliasInUse:
        return QStringLiteral("The player still holds a piece under that name (it is playing or paused). "
                              "Stop it first.");
    case kMciFileNotFound: return QStringLiteral("The MIDI file does not exist.");
    case kMciUnreadableFile: return QStringLiteral("The MIDI file cannot be read.");
    case kMciNotMidiFile:
        return QStringLiteral("The file is not a Standard MIDI File; it may be empty or damaged.");
    case kMciNoSoundFont:
        return QStringLiteral("No General MIDI sound font was found. Install one (for example the package "
                              "fluid-soundfont-gm) or choose one in Program Settings > Sound.");
    case kMciBadSoundFont:
        return QStringLiteral("The sound font cannot be loaded; it may be damaged or not a sound font. "
                              "Choose another one in Program Settings > Sound.");
    case kMciNoAudioDevice:
        return QStringLiteral("The sound device could not be opened: no sound card answered through the "
                              "chosen audio driver. Check that sound works on this computer, or choose "
                              "another audio driver in Program Settings > Sound.");
    case kMciOutputFailed: return QStringLiteral("The sound could not be written.");
    default: return QStringLiteral("Unknown player error %1.").arg(error);
    }
}

}  // namespace vek::editor
