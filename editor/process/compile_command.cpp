#include "process/compile_command.h"

#include "midi/smf_file.h"

#include "app/app_message.h"
#include "app/app_strings.h"
#include "app/commands.h"
#include "app/pad_doc.h"
#include "app/pad_frame.h"
#include "app/program_settings.h"
#include "app/recent_files.h"
#include "process/error_jump.h"
#include "process/play_range.h"
#include "process/vek_binding.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStatusBar>
#include <utility>

namespace vek::editor {

namespace {

bool isListing(const QString &path) { return RecentFiles::isListing(path); }

// The wait cursor for the length of the library call.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

ParseError notCompiled() {
    ParseError result{};
    result.failed = 1;
    return result;
}

}  // namespace

CompileCommand::CompileCommand(CMainFrame &frame, const EditorContext &context, QObject *parent)
    : QObject(parent), m_frame(frame), m_context(context), m_result(notCompiled()) {}

bool CompileCommand::extractSelection() const {
    return m_frame.action(cmd::ID_EXTRACT_SELECTION)->isChecked();
}

CPadFrame *CompileCommand::mappedFrame() const { return m_mappedFrame; }

bool CompileCommand::run(bool forceMidi) {
    m_result = notCompiled();
    const bool fromCaret = std::exchange(m_fromCaret, false);
    const QString searchPath = includeSearchPath(*m_context.program);
    if (m_frame.activeFrame())
        tidyDocuments();
    CPadFrame *target = findDocument();
    if (!target) {
        appMessage(QStringLiteral("No window to process!"));
        return false;
    }
    m_files = CompileFiles::forDocument(target->doc()->path());
    QDir::setCurrent(m_files.folder);
    if (!writeSource(target->doc()->bytes()))
        return false;
    m_fromCaret = fromCaret;
    const bool called = callLibrary(target, forceMidi, searchPath);
    m_fromCaret = false;
    QFile::remove(m_files.source);
    removeEmptySysex();
    if (called)
        m_frame.rememberListing(m_files.listing);
    const bool compiledWell = called && m_result.failed == 0;
    if (compiledWell) {
        m_mappedFrame = target;
        emit compiled();
    }
    return compiledWell;
}

// Listings close; other documents with a file are saved when modified, so
// that their include files compile as shown.
void CompileCommand::tidyDocuments() {
    for (CPadFrame *frame : m_frame.frames()) {
        const QString path = frame->doc()->path();
        if (path.isEmpty())
            continue;
        if (isListing(path))
            closeFrame(frame);
        else if (frame->doc()->isModified())
            frame->save();
    }
}

CPadFrame *CompileCommand::findDocument() {
    while (CPadFrame *frame = m_frame.activeFrame()) {
        CPadDoc *doc = frame->doc();
        if (doc->path().isEmpty())
            nameUntitled(doc);
        if (!isListing(doc->path()))
            return frame;
        closeFrame(frame);
    }
    return nullptr;
}

// An untitled document is compiled under its title in the document folder;
// nothing is written to that file.
void CompileCommand::nameUntitled(CPadDoc *doc) {
    const QString documentFolder = m_context.program->documentPath.get();
    const QDir folder = documentFolder.isEmpty() ? QDir::current() : QDir(documentFolder);
    const QString path = folder.absoluteFilePath(doc->title() + strings::kDefaultExtension);
    doc->setPath(path);
    m_context.recent->add(path);
}

void CompileCommand::closeFrame(CPadFrame *frame) {
    QPointer<CPadFrame> closing = frame;
    frame->closeWithoutAsking();
    // Gone at once, so that the next active window is the one behind it.
    if (closing)
        QCoreApplication::sendPostedEvents(closing, QEvent::DeferredDelete);
}

bool CompileCommand::writeSource(const QByteArray &bytes) {
    QFile file(m_files.source);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
        file.flush())
        return true;
    appMessage(QStringLiteral("Cannot write %1 for the compiler.\n%2")
                   .arg(QDir::toNativeSeparators(m_files.source), file.errorString()),
               MessageButtons::Ok, MessageIcon::Error);
    file.remove();
    return false;
}

VekCall CompileCommand::callFor(CPadFrame *target, bool forceMidi, const QString &searchPath) const {
    VekCall call;
    call.sourcePath = QFile::encodeName(m_files.sourceName);
    call.format = forceMidi || m_context.program->outputFormat.get() != 0 ? "midi" : "wrk";
    call.listingPath = QFile::encodeName(m_files.listing);
    call.includePath = QFile::encodeName(searchPath);
    call.selectionStart = int32_t(target->view()->selectionStartByte());
    call.selectionEnd = int32_t(target->view()->selectionEndByte());
    if (m_fromCaret) {
        const ByteRange range = caretToEnd(*target->view());
        call.selectionStart = int32_t(range.start);
        call.selectionEnd = int32_t(range.end);
    }
    call.extractMode = extractSelection() ? 1 : 0;
    return call;
}

bool CompileCommand::callLibrary(CPadFrame *target, bool forceMidi, const QString &searchPath) {
    QElapsedTimer clock;
    clock.start();
    VekOutcome outcome;
    {
        WaitCursor wait;
        outcome = callVekmain(callFor(target, forceMidi, searchPath), &m_map);
    }
    switch (outcome.status) {
    case VekOutcome::Status::NotLoaded:
        appMessage(libraryLoadFailureMessage(), MessageButtons::Ok, MessageIcon::Error);
        return false;
    case VekOutcome::Status::NoEntry:
        appMessage(libraryEntryMissingMessage(), MessageButtons::Ok, MessageIcon::Error);
        break;
    case VekOutcome::Status::Called: {
        m_result = outcome.result;
        CompileReport report = startReport(target, forceMidi);
        report.elapsedMs = clock.elapsed();
        if (m_result.failed)
            showError(target, searchPath, report);
        else
            showSuccess(report);
        emit reported(report);
        break;
    }
    }
    if (outcome.freeFailed)
        appMessage(QStringLiteral(" Unable to free DLL  "));
    return outcome.status == VekOutcome::Status::Called;
}

CompileReport CompileCommand::startReport(CPadFrame *target, bool forceMidi) const {
    CompileReport report;
    report.time = QTime::currentTime();
    report.source = QFileInfo(target->doc()->path()).fileName();
    const QTextCursor cursor = target->view()->textCursor();
    report.scope = cursor.hasSelection() ? selectionBars(target->view()->toPlainText(), cursor.selectionStart(),
                                                         cursor.selectionEnd())
                                         : QStringLiteral("the whole piece");
    report.midi = forceMidi || m_context.program->outputFormat.get() != 0;
    report.output = report.midi ? m_files.midi : m_files.work;
    return report;
}

void CompileCommand::showError(CPadFrame *target, const QString &searchPath, CompileReport &report) {
    m_frame.statusBar()->clearMessage();
    const QString message = resultMessage(m_result);
    QString text = message;
    report.failed = true;
    report.error = QStringLiteral("%1: %2").arg(report.source, message.trimmed());
    if (m_result.hasLocation) {
        const QByteArray name = resultFileName(m_result);
        CPadFrame *holder = target;
        if (name != QFile::encodeName(m_files.sourceName))
            holder = m_frame.openDocument(locateErrorFile(QFile::decodeName(name), searchPath));
        if (holder) {
            if (holder->isMinimized())
                holder->showNormal();
            const TextLocation at = selectErrorCharacter(*holder->view(), m_result.position);
            text += QStringLiteral("\n\n") + describeLocation(at, holder->doc()->title());
            report.error = QStringLiteral("%1:%2:%3: %4")
                               .arg(QFileInfo(holder->doc()->path()).fileName())
                               .arg(at.line)
                               .arg(at.column)
                               .arg(message.trimmed());
            report.errorDocument = holder->doc()->path();
            report.errorOffset = m_result.position;
        }
    }
    if (m_context.program->errorBox.get() != 0)
        appMessage(text, MessageButtons::Ok, MessageIcon::Error);
}

void CompileCommand::showSuccess(CompileReport &report) {
    if (report.midi)
        report.notes = int(midi::countNotesInFile(QFile::encodeName(report.output).toStdString()));
    m_frame.statusBar()->showMessage(statusText(report));
    if (m_result.actions & 1)
        m_frame.openDocument(m_files.listing);
}

// A compile that wrote no system-exclusive record leaves an empty
// "sysex.out"; the command line tool removes it too.
void CompileCommand::removeEmptySysex() const {
    const QFileInfo sysex(QDir(m_files.folder).filePath(QStringLiteral("sysex.out")));
    if (sysex.isFile() && sysex.size() == 0)
        QFile::remove(sysex.filePath());
}

}  // namespace vek::editor
