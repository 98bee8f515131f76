// ExternalStart: Load and Play compile through the real library and start a
// fake player, which writes the arguments it received beside itself.
#include "app/commands.h"
#include "platform/default_player.h"
#include "process_test_support.h"

#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

struct StartFixture : ProcessFixture {
    QString player = path(QStringLiteral("bin/record"));

    StartFixture() {
        file(QStringLiteral("bin/record"), "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args\"\n");
        QFile(player).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        program.playCommand.set(player + QStringLiteral(" --play"));
        program.sequencerCommand.set(player + QStringLiteral(" --load"));
    }
    // The arguments the fake player received, once it has run.
    QStringList received() const {
        const QString args = player + QStringLiteral(".args");
        if (!QTest::qWaitFor([&] { return QFileInfo(args).size() > 0; }, 10000))
            return {QStringLiteral("(the player did not run)")};
        QTest::qWait(50);  // let it finish writing
        return QString::fromUtf8(readFile(args)).split('\n', Qt::SkipEmptyParts);
    }
    ExternalStart &external() { return process->external(); }
};

}  // namespace

class TestExternalStart : public QObject {
    Q_OBJECT

private slots:
    void commandLineNamesTheOutput_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("format");
        QTest::addColumn<QStringList>("arguments");
        // The MIDI path is quoted; the work file path is not, so its
        // blank splits it.
        QTest::newRow("play, MIDI") << int(cmd::ID_PROCESS_PLAY) << 1
                                    << QStringList{"--play", "my songs/a.mid"};
        QTest::newRow("load, MIDI") << int(cmd::ID_PROCESS_LOAD) << 1
                                    << QStringList{"--load", "my songs/a.mid"};
        QTest::newRow("play, work file") << int(cmd::ID_PROCESS_PLAY) << 0
                                         << QStringList{"--play", "my", "songs/a.wrk"};
    }
    void commandLineNamesTheOutput() {
        QFETCH(int, command);
        QFETCH(int, format);
        QFETCH(QStringList, arguments);
        StartFixture f;
        f.program.outputFormat.set(format);
        f.open(QStringLiteral("my songs/a.vek"), "c d e\n");
        f.trigger(command);
        QCOMPARE(f.messages.messages, QStringList());
        const QString base = command == cmd::ID_PROCESS_LOAD ? f.program.sequencerCommand.get()
                                                             : f.program.playCommand.get();
        const QString output = f.path(format == 1 ? QStringLiteral("my songs/a.mid") : QStringLiteral("my songs/a.wrk"));
        QCOMPARE(f.external().lastCommandLine(),
                 base + ' ' + (format == 1 ? '"' + output + '"' : output));
        // Only the first piece of the path is absolute; the unquoted work
        // file path leaves the rest of it as a separate argument.
        QStringList expected = arguments;
        expected[1] = f.path(expected[1]);
        QCOMPARE(f.received(), expected);
    }

    void emptyCommandsFallBackToTheLastResort_data() {
        QTest::addColumn<int>("command");
        QTest::newRow("play") << int(cmd::ID_PROCESS_PLAY);
        QTest::newRow("load") << int(cmd::ID_PROCESS_LOAD);
    }
    void emptyCommandsFallBackToTheLastResort() {
        QFETCH(int, command);
        StartFixture f;
        f.program.playCommand.set(QString());
        f.program.sequencerCommand.set(QString());
        f.open(QStringLiteral("a.vek"), "c d e\n");
        f.trigger(command);
        QCOMPARE(f.external().lastCommandLine(),
                 lastResortPlayer() + QStringLiteral(" \"") + f.path(QStringLiteral("a.mid")) + '"');
    }

    void extractButtonOnlyCompiles() {
        StartFixture f;
        f.open(QStringLiteral("a.vek"), "c d e\n");
        f.trigger(cmd::ID_EXTRACT_SELECTION);
        f.trigger(cmd::ID_PROCESS_PLAY);
        f.trigger(cmd::ID_PROCESS_LOAD);
        QVERIFY(f.exists(QStringLiteral("a.mid")));
        QCOMPARE(f.external().lastCommandLine(), QString());
        QTest::qWait(200);
        QVERIFY(!QFileInfo::exists(f.player + QStringLiteral(".args")));
        QCOMPARE(f.messages.messages, QStringList());
    }

    void compileErrorStartsNothing() {
        StartFixture f;
        f.open(QStringLiteral("a.vek"), "c xx\n");
        f.trigger(cmd::ID_PROCESS_PLAY);
        QCOMPARE(f.external().lastCommandLine(), QString());
        QCOMPARE(f.messages.messages.size(), 1);
        QVERIFY(f.messages.messages[0].contains(QStringLiteral("\"xx\"")));
    }

    void failuresAreReported_data() {
        QTest::addColumn<QString>("command");  // "@" stands for the scratch folder
        QTest::addColumn<QString>("message");  // "%1" stands for the command
        const QString modify = QStringLiteral(" Modify your play command using the File->Program Settings menu. ");
        QTest::newRow("nothing found") << "no-such-player-for-vek"
                                       << QStringLiteral(" Can't exec %1 ...File not found.") + modify;
        QTest::newRow("file missing") << "@/bin/missing" << QStringLiteral(" Can't exec %1 ...File not found.") + modify;
        QTest::newRow("folder missing") << "@/no-folder/player"
                                        << QStringLiteral(" Can't exec %1 ...Path not found.") + modify;
        QTest::newRow("not executable") << "@/a.vek" << QStringLiteral("Sorry, but %1 is not executable.") + modify;
        QTest::newRow("a folder") << "@/bin" << QStringLiteral("Sorry, but %1 is not executable.") + modify;
        // One argument beyond what the system passes to a program.
        QTest::newRow("no resources") << QStringLiteral("/bin/true ") + QString(200000, 'x')
                                      << QStringLiteral("Sorry, can't start%1 due to lack of resources. "
                                                        "Stop some other processes and try again.");
    }
    void failuresAreReported() {
        QFETCH(QString, command);
        QFETCH(QString, message);
        if (command.size() > 100000 && underValgrind())
            QSKIP("the argument limit does not apply under valgrind");
        StartFixture f;
        command.replace('@', f.dir.path());
        f.program.playCommand.set(command);
        f.open(QStringLiteral("a.vek"), "c d e\n");
        f.trigger(cmd::ID_PROCESS_PLAY);
        QCOMPARE(f.messages.messages, QStringList{message.arg(command)});
    }
};

QTEST_MAIN(TestExternalStart)
#include "tst_externalstart.moc"
