#include "drums/audition.h"

#include "app/app_message.h"
#include "app/program_settings.h"
#include "platform/mci.h"
#include "process/vek_binding.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <optional>

namespace vek::editor {

namespace {

const QString kClose = QStringLiteral("close myfile2");
const QString kOpen = QStringLiteral("open \"%1\" type sequencer alias myfile2");
const QString kPlay = QStringLiteral("play myfile2 notify");

// The compiler names the MIDI file after the source.
const QString kSourceName = QStringLiteral("Audition.vek");
const QString kMidiName = QStringLiteral("Audition.mid");
const QByteArray kListingName = "aud.lis";  // relative: the current folder

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

void showError(const QString &text) { appMessage(text, MessageButtons::Ok, MessageIcon::Error); }

// A file cut short would compile as a different piece, so a failed write
// counts as a failed open.
bool writeScratch(const QString &path, const QByteArray &text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size() && file.flush())
        return true;
    showError(QStringLiteral("ERROR: can't open file audition.vek, reason %1\n%2")
                  .arg(int(file.error()))
                  .arg(file.errorString()));
    return false;
}

// The compile result, or nothing when the library could not be called
// (the user has been told).
std::optional<ParseError> compileScratch(const QString &source, const ProgramSettings &settings) {
    VekCall call;
    call.sourcePath = QFile::encodeName(source);
    call.format = "midi";
    call.listingPath = kListingName;
    call.includePath = QFile::encodeName(auditionIncludePath(settings));
    // Equal bounds: the whole text, no selection.
    call.selectionStart = 1;
    call.selectionEnd = 1;
    VekOutcome outcome;
    {
        WaitCursor wait;
        outcome = callVekmain(call);
    }
    if (outcome.status == VekOutcome::Status::NotLoaded) {
        showError(libraryLoadFailureMessage());
        return std::nullopt;
    }
    if (outcome.freeFailed)
        appMessage(QStringLiteral(" Unable to free VEK DLL "));
    if (outcome.status == VekOutcome::Status::NoEntry) {
        showError(libraryEntryMissingMessage());
        return std::nullopt;
    }
    return outcome.result;
}

void play(const QString &midiPath, QObject *notify) {
    Mci &mci = Mci::instance();
    int error = mci.sendString(kOpen.arg(midiPath));
    if (error == kMciOk) {
        error = mci.sendString(kPlay, notify);
        if (error == kMciOk)
            return;
    }
    showError(Mci::errorString(error));
    mci.sendString(kClose);
}

}  // namespace

QString machinesFolder(const QString &documentPath) {
    return QDir(documentPath).filePath(QStringLiteral("Machines")) + '/';
}

QString auditionIncludePath(const ProgramSettings &settings) {
    return settings.includeSearchPath.get() + ';' + settings.includeFolder();
}

void audition(const ProgramSettings &settings, const QByteArray &programText, QObject *notify) {
    // Closed first: the device must let go of the MIDI file before the
    // compiler writes it again.
    stopAudition();
    const QString folder = machinesFolder(settings.documentPath.get());
    const QString source = folder + kSourceName;
    if (!writeScratch(source, programText))
        return;
    const std::optional<ParseError> result = compileScratch(source, settings);
    if (!result)
        return;
    if (result->failed) {
        showError(resultMessage(*result));
        return;
    }
    play(folder + kMidiName, notify);
}

void stopAudition() { Mci::instance().sendString(kClose); }

}  // namespace vek::editor
