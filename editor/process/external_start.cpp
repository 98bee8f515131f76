#include "process/external_start.h"

#include "app/app_message.h"
#include "app/program_settings.h"
#include "platform/default_player.h"
#include "platform/process_start.h"
#include "process/compile_command.h"

namespace vek::editor {

namespace {

const QString kModify = QStringLiteral(" Modify your play command using the File->Program Settings menu. ");

}  // namespace

ExternalStart::ExternalStart(CompileCommand &compile, const ProgramSettings &settings)
    : m_compile(compile), m_settings(settings) {}

QString ExternalStart::baseCommand(bool load) const {
    QString command = load ? m_settings.sequencerCommand.get() : m_settings.playCommand.get();
    return command.isEmpty() ? lastResortPlayer() : command;
}

void ExternalStart::start(bool load, bool forceMidi) {
    m_lastCommandLine.clear();
    if (m_compile.extractSelection()) {
        m_compile.run(forceMidi);
        return;
    }
    const QString command = baseCommand(load);
    QString line = command + ' ';
    if (!m_compile.run(forceMidi))
        return;
    // The file the compile wrote: a forced MIDI compile (internal playback
    // running) wrote no work file.
    const int format = forceMidi ? 1 : m_settings.outputFormat.get();
    if (format == 0)
        line += m_compile.workPath();  // unquoted, as work file commands have always had it
    else if (format == 1)
        line += '"' + m_compile.midiPath() + '"';
    m_lastCommandLine = line;
    const QString failure = failureMessage(startCommandLine(line), command);
    if (!failure.isEmpty())
        appMessage(failure);
}

QString ExternalStart::failureMessage(int startCode, const QString &command) {
    switch (startCode) {
    case kStartNoResources:
        return QStringLiteral("Sorry, can't start") + command +
               QStringLiteral(" due to lack of resources. Stop some other processes and try again.");
    case kStartFileNotFound:
        return QStringLiteral(" Can't exec ") + command + QStringLiteral(" ...File not found.") + kModify;
    case kStartPathNotFound:
        return QStringLiteral(" Can't exec ") + command + QStringLiteral(" ...Path not found.") + kModify;
    case kStartNotExecutable:
        return QStringLiteral("Sorry, but ") + command + QStringLiteral(" is not executable.") + kModify;
    default: return QString();
    }
}

}  // namespace vek::editor
