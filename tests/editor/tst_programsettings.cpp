// ProgramSettings: the "Setup" section, written back only where changed.
#include "app/program_settings.h"
#include "editor_test_support.h"
#include "platform/profile_file.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

class TestProgramSettings : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_count = 0;
    QString profilePath(const QByteArray &bytes = QByteArray()) {
        const QString path = m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_count));
        if (!bytes.isNull())
            writeFile(path, bytes);
        return path;
    }

private slots:
    void defaultsOfAnEmptyProfile() {
        ProgramSettings settings;
        settings.load(ProfileFile(profilePath()));
        QCOMPARE(settings.playCommand.get(), QString());
        QCOMPARE(settings.sequencerCommand.get(), QString());
        QCOMPARE(settings.includeSearchPath.get(), QString());
        QCOMPARE(settings.outputFormat.get(), 0);
        QCOMPARE(settings.documentPath.get(), QString());
        QCOMPARE(settings.header.get(), QStringLiteral("File: &f"));
        QCOMPARE(settings.footer.get(), QStringLiteral("Page: &p"));
        QCOMPARE(settings.headerTime.get(), 0);
        QCOMPARE(settings.footerTime.get(), 0);
    }

    void nothingChangedWritesNothing() {
        const QString path = profilePath();
        ProfileFile profile(path);
        ProgramSettings settings;
        settings.load(profile);
        QCOMPARE(settings.save(profile), 0);
        QVERIFY(!QFile::exists(path));
    }

    void onlyChangedKeysAreWritten() {
        const QByteArray before = "[Setup]\nOutputFormat=0\nPlayCommand=play\nHeader=File: &f\n";
        const QString path = profilePath(before);
        ProfileFile profile(path);
        ProgramSettings settings;
        settings.load(profile);
        settings.outputFormat.set(1);
        settings.header.set(QStringLiteral("File: &f"));  // same value again
        QCOMPARE(settings.save(profile), 1);
        QCOMPARE(readFile(path), QByteArray("[Setup]\nOutputFormat=1\nPlayCommand=play\nHeader=File: &f\n"));
        QCOMPARE(settings.save(profile), 0);  // now in step with the file
    }

    void textsCompareCaseSensitively() {
        const QString path = profilePath("[Setup]\nIncludeSearchPath=/inc;\n");
        ProfileFile profile(path);
        ProgramSettings settings;
        settings.load(profile);
        settings.includeSearchPath.set(QStringLiteral("/INC;"));
        QCOMPARE(settings.save(profile), 1);
        QCOMPARE(ProfileFile(path).readString(QStringLiteral("Setup"), QStringLiteral("IncludeSearchPath"), QString()),
                 QStringLiteral("/INC;"));
    }

    void mediaPlayerRule_data() {
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<bool>("registered");
        QTest::addColumn<QString>("play");
        QTest::addColumn<QString>("sequencer");
        QTest::addColumn<int>("written");
        QTest::newRow("empty profile, player registered")
            << QByteArray() << true << "/opt/player /Play " << "/opt/player /Open " << 2;
        QTest::newRow("commands kept") << QByteArray("[Setup]\nPlayCommand=p\nSequencerCommand=s\n") << true
                                       << "p" << "s" << 0;
        QTest::newRow("only the empty one") << QByteArray("[Setup]\nPlayCommand=p\n") << true << "p"
                                            << "/opt/player /Open " << 1;
        QTest::newRow("no player registered") << QByteArray() << false << "" << "" << 0;
    }
    void mediaPlayerRule() {
        QFETCH(QByteArray, profile);
        QFETCH(bool, registered);
        QFETCH(QString, play);
        QFETCH(QString, sequencer);
        QFETCH(int, written);
        ProfileFile file(profilePath(profile));
        ProgramSettings settings;
        settings.load(file);
        settings.applyDefaultPlayer(registered ? std::optional<QString>(QStringLiteral("/opt/player")) : std::nullopt);
        QCOMPARE(settings.playCommand.get(), play);
        QCOMPARE(settings.sequencerCommand.get(), sequencer);
        QCOMPARE(settings.save(file), written);
    }

    void foldersFollowTheDocumentDirectory() {
        ProgramSettings settings;
        settings.documentPath.set(QStringLiteral("/home/u/Vek"));
        QCOMPARE(settings.machinesFolder(), QStringLiteral("/home/u/Vek/Machines/"));
        QCOMPARE(settings.includeFolder(), QStringLiteral("/home/u/Vek/Include"));
        QCOMPARE(settings.drumLibraryPath(), QStringLiteral("/home/u/Vek/Machines/Drum.ini"));
    }
};

QTEST_GUILESS_MAIN(TestProgramSettings)
#include "tst_programsettings.moc"
