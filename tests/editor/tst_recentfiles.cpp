// RecentFiles: eight entries, latest first, no listings.
#include "app/recent_files.h"
#include "editor_test_support.h"
#include "platform/profile_file.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

class TestRecentFiles : public QObject {
    Q_OBJECT

private slots:
    void latestFirstWithoutDuplicatesOrListings() {
        RecentFiles recent;
        QSignalSpy changed(&recent, &RecentFiles::changed);
        recent.add(QStringLiteral("/m/a.vek"));
        recent.add(QStringLiteral("/m/b.vek"));
        recent.add(QStringLiteral("/m/a.vek"));
        recent.add(QStringLiteral("/m/a.VLS"));
        QCOMPARE(recent.files(), QStringList({"/m/a.vek", "/m/b.vek"}));
        QCOMPARE(changed.count(), 3);
        for (int i = 0; i < 10; ++i)
            recent.add(QStringLiteral("/m/%1.vek").arg(i));
        QCOMPARE(recent.files().size(), RecentFiles::kCapacity);
        QCOMPARE(recent.files().first(), QStringLiteral("/m/9.vek"));
    }

    void savedOnlyWhenChanged() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.ini"));
        writeFile(path, "[Recent File List]\nFile1=/m/a.vek\nFile2=/m/b.vek\n");
        ProfileFile profile(path);
        RecentFiles recent;
        recent.load(profile);
        QCOMPARE(recent.files(), QStringList({"/m/a.vek", "/m/b.vek"}));
        QFile::remove(path);
        QVERIFY(recent.save(profile));
        QVERIFY(!QFile::exists(path));  // nothing changed, nothing written
        recent.remove(QStringLiteral("/m/a.vek"));
        QVERIFY(recent.save(profile));
        QCOMPARE(readFile(path), QByteArray("[Recent File List]\nFile1=/m/b.vek\n"));
    }
};

QTEST_GUILESS_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
