// Load and Play: compile, then hand the output to an external program, the
// sequencer command for Load and the play command for Play.
#pragma once

#include <QString>

namespace vek::editor {

class CompileCommand;
struct ProgramSettings;

class ExternalStart {
public:
    ExternalStart(CompileCommand &compile, const ProgramSettings &settings);

    // `load` picks the sequencer command; `forceMidi` is passed to the
    // compile. With the extract button down it only compiles.
    void start(bool load, bool forceMidi);

    // The command line of the last start attempt; empty when none was made.
    const QString &lastCommandLine() const { return m_lastCommandLine; }

    // The message for a failed start of `command`; empty for success and
    // for codes that are not reported.
    static QString failureMessage(int startCode, const QString &command);

private:
    QString baseCommand(bool load) const;

    CompileCommand &m_compile;
    const ProgramSettings &m_settings;
    QString m_lastCommandLine;
};

}  // namespace vek::editor
