#include "process/compile_files.h"

#include "app/program_settings.h"

#include <QDir>
#include <QFileInfo>

namespace vek::editor {

namespace {

// The compiler appends this to every search path: the current folder,
// then "include" and "../include" beneath it.
const QString kCompilerSearchTail = QStringLiteral(";;include;../include");

}  // namespace

CompileFiles CompileFiles::forDocument(const QString &documentPath) {
    const QFileInfo info(documentPath);
    const QDir folder = info.absoluteDir();
    const QString base = info.completeBaseName();
    CompileFiles files;
    files.folder = folder.absolutePath();
    files.sourceName = base + QStringLiteral(".vtp");
    files.source = folder.filePath(files.sourceName);
    files.listing = folder.filePath(base + QStringLiteral(".vls"));
    files.work = folder.filePath(base + QStringLiteral(".wrk"));
    files.midi = folder.filePath(base + QStringLiteral(".mid"));
    return files;
}

QString includeSearchPath(const ProgramSettings &settings) {
    QString path = settings.includeSearchPath.get();
    if (!path.isEmpty() && !path.endsWith(';'))
        path += ';';
    return path + settings.includeFolder();
}

QString locateErrorFile(const QString &name, const QString &searchPath) {
    if (QFileInfo(name).isAbsolute())
        return QDir::cleanPath(name);
    const QStringList entries = (searchPath + kCompilerSearchTail).split(';');
    for (const QString &entry : entries) {
        const QFileInfo candidate(entry.isEmpty() ? name : QDir(entry).filePath(name));
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return QFileInfo(name).absoluteFilePath();
}

}  // namespace vek::editor
