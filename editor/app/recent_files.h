// The recent-file list: at most eight documents, the latest first, kept in
// the profile section "Recent File List" as File1 ... File8. Listings
// (".vls") never enter it.
#pragma once

#include <QObject>
#include <QStringList>

namespace vek::editor {

class ProfileFile;

class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kCapacity = 8;

    explicit RecentFiles(QObject *parent = nullptr) : QObject(parent) {}

    static bool isListing(const QString &path);

    void load(const ProfileFile &profile);
    // Writes the list only when it differs from the list as loaded.
    bool save(ProfileFile &profile);

    const QStringList &files() const { return m_files; }
    // Moves `path` (made absolute) to the front; listings are ignored.
    void add(const QString &path);
    void remove(const QString &path);

signals:
    void changed();

private:
    QStringList m_files;
    QStringList m_loaded;
};

}  // namespace vek::editor
