// The user's Vek document folder and the data shipped with the program.
#pragma once

#include <QString>

namespace vek::editor {

// The shipped data (include files, drum library): <program>/../share/vek
// when it exists (an installed editor), else the source tree's data folder.
QString installedDataDir(const QString &programDir);

// The example pieces: `dataDir`/examples when it exists (an installed
// editor), else the source tree's examples folder.
QString examplesFolder(const QString &dataDir);

// Creates `folder` with Include/ and Machines/ and copies the shipped files
// that are missing there: the ".vek" files into Include/, the ".ini" files
// into Machines/. Files already present are left alone. Returns false when
// the folders cannot be created.
bool prepareDocumentFolder(const QString &folder, const QString &dataDir);

// "Vek" in the user's documents folder.
QString defaultDocumentFolder();

}  // namespace vek::editor
