#include "process/compile_files.h"

#include "app/program_settings.h"

#include <QDir>
#include <QFileInfo>

#include "vek/shared_names.h"

namespace vek::editor {

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
    const QStringList entries = (searchPath + QLatin1String(vek::kDefaultSearchTail)).split(';');
    for (const QString &entry : entries) {
        const QFileInfo candidate(entry.isEmpty() ? name : QDir(entry).filePath(name));
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return QFileInfo(name).absoluteFilePath();
}

}  // namespace vek::editor
