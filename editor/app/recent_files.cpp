#include "app/recent_files.h"

#include "app/app_strings.h"
#include "platform/profile_file.h"

#include <QFileInfo>

namespace vek::editor {

namespace {

const QString kSection = QStringLiteral("Recent File List");

QString entryKey(int index) { return QStringLiteral("File%1").arg(index + 1); }

}  // namespace

bool RecentFiles::isListing(const QString &path) {
    return path.endsWith(strings::kListingExtension, Qt::CaseInsensitive);
}

void RecentFiles::load(const ProfileFile &profile) {
    m_files.clear();
    for (int i = 0; i < kCapacity; ++i) {
        const QString path = profile.readString(kSection, entryKey(i), QString());
        if (!path.isEmpty())
            m_files << path;
    }
    m_loaded = m_files;
    emit changed();
}

bool RecentFiles::save(ProfileFile &profile) {
    if (m_files == m_loaded)
        return true;
    bool ok = true;
    for (int i = 0; i < kCapacity; ++i) {
        if (i < m_files.size())
            ok = profile.writeString(kSection, entryKey(i), m_files[i]) && ok;
        else
            ok = profile.removeKey(kSection, entryKey(i)) && ok;
    }
    if (ok)
        m_loaded = m_files;
    return ok;
}

void RecentFiles::add(const QString &path) {
    if (path.isEmpty() || isListing(path))
        return;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > kCapacity)
        m_files.removeLast();
    emit changed();
}

void RecentFiles::remove(const QString &path) {
    if (m_files.removeAll(path) > 0)
        emit changed();
}

}  // namespace vek::editor
