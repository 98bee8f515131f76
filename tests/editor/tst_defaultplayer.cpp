// The default player rule: the desktop's opener fills empty player commands.
#include "app/main_frame.h"
#include "app/program_settings.h"
#include "app/vek_app.h"
#include "editor_test_support.h"
#include "platform/default_player.h"
#include "platform/profile_file.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

class TestDefaultPlayer : public QObject {
    Q_OBJECT

private slots:
    void openerFillsEmptyCommands_data() {
        QTest::addColumn<QString>("play");
        QTest::addColumn<QString>("sequencer");
        QTest::addColumn<bool>("haveOpener");
        QTest::addColumn<QString>("playAfter");
        QTest::addColumn<QString>("sequencerAfter");
        QTest::newRow("both empty") << "" << "" << true << "/usr/bin/xdg-open " << "/usr/bin/xdg-open ";
        QTest::newRow("play set") << "mine" << "" << true << "mine" << "/usr/bin/xdg-open ";
        QTest::newRow("both set") << "p" << "s" << true << "p" << "s";
        QTest::newRow("no opener") << "" << "" << false << "" << "";
    }
    void openerFillsEmptyCommands() {
        QFETCH(QString, play);
        QFETCH(QString, sequencer);
        QFETCH(bool, haveOpener);
        QFETCH(QString, playAfter);
        QFETCH(QString, sequencerAfter);
        ProgramSettings settings;
        settings.playCommand.load(play);
        settings.sequencerCommand.load(sequencer);
        applyDesktopOpener(settings, haveOpener ? std::optional<QString>(QStringLiteral("/usr/bin/xdg-open"))
                                                : std::nullopt);
        QCOMPARE(settings.playCommand.get(), playAfter);
        QCOMPARE(settings.sequencerCommand.get(), sequencerAfter);
        // Filled values are changes, written at exit.
        QCOMPARE(settings.playCommand.changed(), play != playAfter);
        QCOMPARE(settings.sequencerCommand.changed(), sequencer != sequencerAfter);
    }

    void openerIsFoundInPath() {
        QTemporaryDir dir;
        const QString opener = dir.filePath(QStringLiteral("xdg-open"));
        writeFile(opener, "#!/bin/sh\n");
        QFile(opener).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir.path()));
        const std::optional<QString> found = findDesktopOpener();
        qputenv("PATH", QDir::temp().filePath(QStringLiteral("no-such-folder-for-vek")).toUtf8());
        const std::optional<QString> missing = findDesktopOpener();
        qputenv("PATH", path);
        QCOMPARE(found, std::optional<QString>(opener));
        QCOMPARE(missing, std::nullopt);
    }

    void firstRunWritesTheOpenerCommands() {
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir dir;
        CVekApp::Environment environment;
        environment.profilePath = dir.filePath(QStringLiteral("vekedit.ini"));
        environment.programDir = dir.path();
        environment.dataDir = dir.filePath(QStringLiteral("data"));
        environment.documentFolder = dir.filePath(QStringLiteral("Vek"));
        environment.openerPath = QStringLiteral("/usr/bin/xdg-open");
        {
            CVekApp app(environment);
            StartOptions options;
            options.splash = false;
            QVERIFY(app.initInstance(options));
            app.mainFrame()->close();
            app.exitInstance();
        }
        const ProfileFile profile(environment.profilePath);
        // The profile keeps no surrounding blanks; the start adds one back.
        for (const char *key : {"PlayCommand", "SequencerCommand"})
            QCOMPARE(profile.readString(QStringLiteral("Setup"), QString::fromLatin1(key), QString()),
                     QStringLiteral("/usr/bin/xdg-open"));
    }
};

QTEST_MAIN(TestDefaultPlayer)
#include "tst_defaultplayer.moc"
