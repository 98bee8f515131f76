// Starting an external program from a command line, detached from the
// editor, with the outcome told by the classic start codes: a value above
// 31 is success, the rest name what went wrong.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vek::editor {

enum StartCode : int {
    kStartNoResources = 0,    // out of memory, processes or argument space
    kStartFileNotFound = 2,   // no such program (or an empty command line)
    kStartPathNotFound = 3,   // a folder in the program's path is missing
    kStartNotExecutable = 11, // found but cannot be run
    kStartStarted = 33,
};

// Splits a command line into words as a POSIX shell does without expanding
// anything: blanks separate words; single quotes keep everything up to the
// next single quote; double quotes keep everything but a backslash before
// $, `, ", \ or a line feed; a backslash outside quotes takes the next
// character literally. Nullopt for an unterminated quote.
std::optional<QStringList> splitCommandLine(const QString &commandLine);

// Splits `commandLine` and starts its first word with the rest as
// arguments, in a new session that the editor does not wait for. A program
// named without a "/" is searched in PATH.
int startCommandLine(const QString &commandLine);

}  // namespace vek::editor
