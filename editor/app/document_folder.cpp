#include "app/document_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace vek::editor {

namespace {

void copyMissing(const QDir &from, const QStringList &patterns, const QDir &to) {
    for (const QFileInfo &file : from.entryInfoList(patterns, QDir::Files)) {
        const QString target = to.filePath(file.fileName());
        if (!QFileInfo::exists(target))
            QFile::copy(file.filePath(), target);
    }
}

}  // namespace

QString installedDataDir(const QString &programDir) {
    const QString installed = QDir::cleanPath(QDir(programDir).filePath(QStringLiteral("../share/vek")));
    if (QFileInfo(installed).isDir())
        return installed;
    return QDir(QStringLiteral(VEK_SOURCE_DIR)).filePath(QStringLiteral("data"));
}

QString examplesFolder(const QString &dataDir) {
    const QString installed = QDir(dataDir).filePath(QStringLiteral("examples"));
    if (!dataDir.isEmpty() && QFileInfo(installed).isDir())
        return installed;
    return QDir(QStringLiteral(VEK_SOURCE_DIR)).filePath(QStringLiteral("examples"));
}

bool prepareDocumentFolder(const QString &folder, const QString &dataDir) {
    QDir root(folder);
    if (!root.mkpath(QStringLiteral("Include")) || !root.mkpath(QStringLiteral("Machines")))
        return false;
    const QDir data(dataDir);
    copyMissing(data, {QStringLiteral("*.vek")}, QDir(root.filePath(QStringLiteral("Include"))));
    copyMissing(data, {QStringLiteral("*.ini")}, QDir(root.filePath(QStringLiteral("Machines"))));
    return true;
}

QString defaultDocumentFolder() {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return QDir(documents).filePath(QStringLiteral("Vek"));
}

}  // namespace vek::editor
