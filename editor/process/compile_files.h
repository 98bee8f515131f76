// The files of one compile from the editor, all named after the document
// and kept in its folder, and the include search path handed to the
// compiler.
#pragma once

#include <QString>

namespace vek::editor {

struct ProgramSettings;

struct CompileFiles {
    QString folder;      // the document's folder, current during the compile
    QString sourceName;  // the ".vtp" copy, relative to `folder`
    QString source;      // the same, absolute
    QString listing;     // ".vls"
    QString work;        // ".wrk"
    QString midi;        // ".mid"

    // `documentPath` keeps its folder and base name; the extension changes.
    static CompileFiles forDocument(const QString &documentPath);
};

// The setting "IncludeSearchPath", then the document folder's "Include".
// A ";" is put between them when the setting does not end with one, so
// that both stay separate entries.
QString includeSearchPath(const ProgramSettings &settings);

// The file a compile error names: an absolute name as it is, else the first
// file found the way the compiler looks for include files (the entries of
// `searchPath`, the current folder, "include", "../include"). A name found
// nowhere is taken relative to the current folder.
QString locateErrorFile(const QString &name, const QString &searchPath);

}  // namespace vek::editor
