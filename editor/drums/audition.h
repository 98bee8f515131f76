// Hearing a generated drum text at once, without touching any document:
// the text goes to "Audition.vek" in the Machines folder, is compiled to
// "Audition.mid" beside it (listing "aud.lis" in the current folder) and
// played under the alias "myfile2", which never collides with the main
// player's "myfile". Every outcome is shown through appMessage().
#pragma once

#include <QObject>
#include <QString>

namespace vek::editor {

struct ProgramSettings;

// The Machines folder of a document folder, with a trailing separator.
QString machinesFolder(const QString &documentPath);

// The include path an audition hands the compiler: IncludeSearchPath, ";",
// then the document folder's Include folder.
QString auditionIncludePath(const ProgramSettings &settings);

// Stops any audition still playing, then writes, compiles and plays
// `programText`. `notify` receives the device's end-of-play notice (the
// drum dialogs ignore it; it may be null).
void audition(const ProgramSettings &settings, const QByteArray &programText, QObject *notify);

// Ends any audition still playing ("close myfile2"); the drum machine
// dialog calls it when it closes.
void stopAudition();

}  // namespace vek::editor
