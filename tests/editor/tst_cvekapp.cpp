// CVekApp: start-up and exit against a scratch profile and folders.
#include "app/commands.h"
#include "app/main_frame.h"
#include "app/pad_doc.h"
#include "app/pad_frame.h"
#include "app/set_tab_stops.h"
#include "app/vek_app.h"
#include "editor_test_support.h"

#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

struct Scratch {
    QTemporaryDir dir;
    CVekApp::Environment environment;

    Scratch() {
        environment.profilePath = dir.filePath(QStringLiteral("config/Vek/vekedit.ini"));
        environment.programDir = dir.filePath(QStringLiteral("bin"));
        environment.dataDir = dir.filePath(QStringLiteral("data"));
        environment.documentFolder = dir.filePath(QStringLiteral("Documents/Vek"));
        QDir().mkpath(environment.dataDir);
        writeFile(dir.filePath(QStringLiteral("data/gm.vek")), "' gm\n");
        writeFile(dir.filePath(QStringLiteral("data/builtins.vek")), "' builtins\n");
        writeFile(dir.filePath(QStringLiteral("data/Drum.ini")), "[drumfigure]\n");
    }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString profileText() const { return QString::fromUtf8(readFile(environment.profilePath)); }

    // One run of the editor: start, `during`, close, exit.
    void run(const StartOptions &options, const std::function<void(CVekApp &)> &during = {}) {
        CVekApp app(environment);
        QVERIFY(app.initInstance(options));
        if (during)
            during(app);
        app.mainFrame()->close();
        app.exitInstance();
    }
};

StartOptions quiet(QStringList files = {}) {
    StartOptions options;
    options.splash = false;
    options.files = std::move(files);
    return options;
}

}  // namespace

class TestCVekApp : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("showCmd");
        QTest::addColumn<bool>("splash");
        QTest::newRow("nothing") << QStringList() << QStringList() << 1 << true;
        QTest::newRow("files") << QStringList({"a.vek", "b.vek"}) << QStringList({"a.vek", "b.vek"}) << 1 << true;
        QTest::newRow("options") << QStringList({"--no-splash", "--maximized", "a.vek"}) << QStringList({"a.vek"}) << 3
                                 << false;
        QTest::newRow("after --") << QStringList({"--", "--no-splash"}) << QStringList({"--no-splash"}) << 1 << true;
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, files);
        QFETCH(int, showCmd);
        QFETCH(bool, splash);
        const StartOptions options = parseCommandLine(arguments);
        QCOMPARE(options.files, files);
        QCOMPARE(options.showCmd, showCmd);
        QCOMPARE(options.splash, splash);
    }

    void firstRunPreparesTheDocumentFolder() {
        Scratch s;
        QDir().mkpath(s.path("Documents/Vek/Include"));
        writeFile(s.path("Documents/Vek/Include/gm.vek"), "' mine\n");  // kept as it is
        s.run(quiet());
        const QString folder = s.environment.documentFolder;
        QCOMPARE(readFile(folder + "/Include/gm.vek"), QByteArray("' mine\n"));
        QCOMPARE(readFile(folder + "/Include/builtins.vek"), QByteArray("' builtins\n"));
        QCOMPARE(readFile(folder + "/Machines/Drum.ini"), QByteArray("[drumfigure]\n"));
        QVERIFY(s.profileText().contains("DocumentPath=" + folder));
    }

    void aRunWithoutChangesLeavesTheProfileAlone() {
        Scratch s;
        s.run(quiet());
        const QByteArray first = readFile(s.environment.profilePath);
        QVERIFY(!first.isEmpty());
        s.run(quiet());
        QCOMPARE(readFile(s.environment.profilePath), first);
        // Only what the first run had to change: the document folder and
        // the window placement.
        QStringList keys;
        const ProfileFile profile(s.environment.profilePath);
        for (const QString &section : profile.sections())
            for (const QString &key : profile.keys(section))
                keys << section + '/' + key;
        QCOMPARE(keys, QStringList({"Settings/WindowPos", "Setup/DocumentPath"}));
    }

    void lastFileIsReopened_data() {
        QTest::addColumn<bool>("exists");
        QTest::newRow("file there") << true;
        QTest::newRow("file gone") << false;
    }
    void lastFileIsReopened() {
        QFETCH(bool, exists);
        Scratch s;
        const QString piece = s.path("piece.vek");
        writeFile(piece, "c d e\n");
        s.run(quiet({piece}));
        QVERIFY(s.profileText().contains("[Recent File List]\nFile1=" + piece));
        if (!exists)
            QFile::remove(piece);
        CVekApp app(s.environment);
        QVERIFY(app.initInstance(quiet()));
        QCOMPARE(app.mainFrame()->frames().size(), 1);
        QCOMPARE(app.mainFrame()->activeFrame()->doc()->path(), exists ? piece : QString());
        QCOMPARE(app.mainFrame()->activeFrame()->doc()->title(),
                 exists ? QStringLiteral("piece.vek") : QStringLiteral("NoName1"));
    }

    void listingIsNotRememberedAsTheLastFile() {
        Scratch s;
        const QString piece = s.path("piece.vek");
        const QString listing = s.path("piece.vls");
        writeFile(piece, "c\n");
        writeFile(listing, "listing\n");
        s.run(quiet({piece, listing}));
        QVERIFY(!s.profileText().contains(QStringLiteral(".vls")));
        CVekApp app(s.environment);
        QVERIFY(app.initInstance(quiet()));
        QCOMPARE(app.mainFrame()->activeFrame()->doc()->path(), piece);
    }

    void commandLineFileThatCannotBeOpenedEndsTheProgram() {
        Scratch s;
        MessageRecorder messages;
        CVekApp app(s.environment);
        QVERIFY(!app.initInstance(quiet({s.path("missing.vek")})));
        QCOMPARE(messages.messages.size(), 1);
    }

    void tabStopsChangedInOneRunAreUsedInTheNext() {
        Scratch s;
        s.run(quiet(), [](CVekApp &app) {
            PromptScript prompts;
            prompts.dialog = [](QDialog &dialog) {
                dynamic_cast<CSetTabStops &>(dialog).field()->setValue(5);
                dialog.accept();
                return int(QDialog::Accepted);
            };
            app.mainFrame()->action(cmd::ID_VIEW_SET_TAB_STOPS)->trigger();
        });
        QVERIFY(s.profileText().contains(QStringLiteral("TabStops=20")));
        CVekApp app(s.environment);
        QVERIFY(app.initInstance(quiet()));
        QCOMPARE(app.mainFrame()->activeView()->tabStops(), 20);
    }

    void registeredPlayerIsWrittenAtExit() {
        Scratch s;
        s.environment.playerPath = QStringLiteral("/usr/bin/player");
        s.run(quiet());
        const ProfileFile profile(s.environment.profilePath);
        // Surrounding blanks are not kept by the profile format.
        QCOMPARE(profile.readString(QStringLiteral("Setup"), QStringLiteral("PlayCommand"), QString()),
                 QStringLiteral("/usr/bin/player /Play"));
        QCOMPARE(profile.readString(QStringLiteral("Setup"), QStringLiteral("SequencerCommand"), QString()),
                 QStringLiteral("/usr/bin/player /Open"));
    }

    void childShowCommandIsSavedAtExit() {
        Scratch s;
        s.run(quiet(), [](CVekApp &app) { app.mainFrame()->activeFrame()->showNormal(); });
        QVERIFY(s.profileText().contains(QStringLiteral("ShowCmd=1")));
        CVekApp app(s.environment);
        QVERIFY(app.initInstance(quiet()));
        QVERIFY(!app.mainFrame()->activeFrame()->isMaximized());
    }
};

QTEST_MAIN(TestCVekApp)
#include "tst_cvekapp.moc"
