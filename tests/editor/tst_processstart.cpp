// The process-start layer: shell-like splitting and the start codes.
#include "editor_test_support.h"
#include "platform/process_start.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

class TestProcessStart : public QObject {
    Q_OBJECT

private slots:
    void splitsAsAShellDoes_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("blanks and tabs") << " a  b\tc " << QStringList{"a", "b", "c"};
        QTest::newRow("double quotes keep blanks") << "play \"/my songs/a.mid\"" << QStringList{"play", "/my songs/a.mid"};
        QTest::newRow("quotes inside a word") << "a\"b c\"d" << QStringList{"ab cd"};
        QTest::newRow("single quotes keep everything") << "'a \\\" b'" << QStringList{"a \\\" b"};
        QTest::newRow("escapes in double quotes") << "\"a\\\"b\\\\c\\d\"" << QStringList{"a\"b\\c\\d"};
        QTest::newRow("backslash outside quotes") << "a\\ b c" << QStringList{"a b", "c"};
        QTest::newRow("empty quotes are a word") << "a \"\" b" << QStringList{"a", "", "b"};
        QTest::newRow("nothing") << "   " << QStringList{};
    }
    void splitsAsAShellDoes() {
        QFETCH(QString, line);
        QFETCH(QStringList, words);
        const std::optional<QStringList> split = splitCommandLine(line);
        QVERIFY(split);
        QCOMPARE(*split, words);
    }

    void unterminatedQuotesDoNotSplit() {
        QVERIFY(!splitCommandLine(QStringLiteral("a \"b")));
        QVERIFY(!splitCommandLine(QStringLiteral("a 'b")));
        QCOMPARE(startCommandLine(QStringLiteral("true \"b")), int(kStartFileNotFound));
    }

    void startCodes_data() {
        QTest::addColumn<QString>("line");  // "@" stands for a scratch folder
        QTest::addColumn<int>("code");
        QTest::newRow("found in PATH") << "true" << int(kStartStarted);
        QTest::newRow("full path") << "/bin/true a b" << int(kStartStarted);
        QTest::newRow("empty") << "" << int(kStartFileNotFound);
        QTest::newRow("not in PATH") << "no-such-program-for-vek" << int(kStartFileNotFound);
        QTest::newRow("no such file") << "@/none" << int(kStartFileNotFound);
        QTest::newRow("no such folder") << "@/none/player" << int(kStartPathNotFound);
        QTest::newRow("a file as folder") << "@/data/player" << int(kStartPathNotFound);
        QTest::newRow("no execute permission") << "@/data" << int(kStartNotExecutable);
        QTest::newRow("a folder") << "@" << int(kStartNotExecutable);
        QTest::newRow("executable but no program") << "@/garbage" << int(kStartNotExecutable);
        QTest::newRow("argument too long") << QStringLiteral("true ") + QString(200000, 'x') << int(kStartNoResources);
    }
    void startCodes() {
        QFETCH(QString, line);
        QFETCH(int, code);
        if (code == kStartNoResources && underValgrind())
            QSKIP("the argument limit does not apply under valgrind");
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("data")), "text\n");
        writeFile(dir.filePath(QStringLiteral("garbage")), QByteArray(64, '\x01'));
        QFile(dir.filePath(QStringLiteral("garbage"))).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QCOMPARE(startCommandLine(line.replace('@', dir.path())), code);
    }

    void startedProgramGetsItsArgumentsAndOutlivesTheCall() {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out"));
        const QString line = QStringLiteral("sh -c 'sleep 0.2; echo \"$0|$1\" > \"$2\"' \"first word\" second ") + out;
        QCOMPARE(startCommandLine(line), int(kStartStarted));
        QVERIFY(!QFileInfo::exists(out));  // the call did not wait for it
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(out).size() > 0, 10000);
        QCOMPARE(readFile(out), QByteArray("first word|second\n"));
    }
};

QTEST_GUILESS_MAIN(TestProcessStart)
#include "tst_processstart.moc"
