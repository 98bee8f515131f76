// CompileCommand: Interpret through the real compiler library, end to end.
#include "app/commands.h"
#include "process/compile_files.h"
#include "process/messages_pane.h"
#include "process_test_support.h"

#include <QListWidget>
#include <QMdiArea>
#include <QStatusBar>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

bool isMidi(const QByteArray &bytes) { return bytes.startsWith("MThd"); }

QStringList filesWithSuffix(const QString &folder, const QString &suffix) {
    return QDir(folder).entryList({QStringLiteral("*.") + suffix}, QDir::Files);
}

}  // namespace

class TestCompileCommand : public QObject {
    Q_OBJECT

private slots:
    void untitledWindowCompilesUnderItsTitle() {
        ProcessFixture f;
        CPadFrame *window = f.frame->newDocument();
        window->view()->setPlainText(QStringLiteral("c d e\n"));
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(f.messages.messages, QStringList());
        const QString path = f.path(QStringLiteral("NoName1.vek"));
        QCOMPARE(window->doc()->path(), path);
        QVERIFY(f.recent.files().contains(path));
        QVERIFY(!f.exists(QStringLiteral("NoName1.vek")));  // named, not written
        QVERIFY(isMidi(readFile(f.path(QStringLiteral("NoName1.mid")))));
        QVERIFY(f.exists(QStringLiteral("NoName1.vls")));
        QCOMPARE(QDir::currentPath(), f.dir.path());
        QVERIFY(f.frame->statusBar()->currentMessage().contains(QRegularExpression(QStringLiteral("^Compiled NoName1.vek to NoName1.mid in \\d+ ms$"))));
    }

    void listingWindowClosesAndTheSourceBehindItCompiles() {
        ProcessFixture f;
        CPadFrame *source = f.open(QStringLiteral("a.vek"), "c d e\n");
        f.open(QStringLiteral("old.vls"), "listing\n");
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(f.frame->frames(), QList<CPadFrame *>{source});
        QCOMPARE(f.frame->activeFrame(), source);
        QVERIFY(isMidi(readFile(f.path(QStringLiteral("a.mid")))));
        QCOMPARE(f.messages.messages, QStringList());
    }

    void onlyAListingOpenLeavesNoWindowToProcess() {
        ProcessFixture f;
        f.open(QStringLiteral("old.vls"), "listing\n");
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(f.frame->frames().size(), 0);
        QCOMPARE(f.messages.messages, QStringList{QStringLiteral("No window to process!")});
        QVERIFY(f.frame->listings().isEmpty());
        QVERIFY(f.process->compile().lastResult().failed);
    }

    void errorSelectsTheCharacterItNames_data() {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<int>("startByte");
        QTest::addColumn<int>("endByte");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("where");
        // The compiler names the byte just past what it read.
        QTest::newRow("LF") << QByteArray("c d\nxx e\n") << 5 << 6 << "x" << "Line 2, column 2 of a.vek.";
        QTest::newRow("CR LF") << QByteArray("c d\r\nxx e\r\n") << 6 << 7 << "x" << "Line 2, column 2 of a.vek.";
        QTest::newRow("CR LF at the offset") << QByteArray("c d\r\ne f\r\nq\r\n") << 11 << 13 << "\u2029"
                                             << "Line 3, column 2 of a.vek.";
        QTest::newRow("inside a UTF-8 character") << QByteArray("c d \xc3\xa9 e\n") << 4 << 6 << "\u00e9"
                                                  << "Line 1, column 5 of a.vek.";
        QTest::newRow("after a UTF-8 character") << QByteArray("\"caf\xc3\xa9\" c d\nxx e\n") << 13 << 14 << "x"
                                                 << "Line 2, column 2 of a.vek.";
    }
    void errorSelectsTheCharacterItNames() {
        QFETCH(QByteArray, source);
        QFETCH(int, startByte);
        QFETCH(int, endByte);
        QFETCH(QString, selected);
        QFETCH(QString, where);
        ProcessFixture f;
        CPadFrame *window = f.open(QStringLiteral("a.vek"), source);
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(f.frame->activeFrame(), window);
        CPadView *view = window->view();
        QCOMPARE(view->selectionStartByte(), qint64(startByte));
        QCOMPARE(view->selectionEndByte(), qint64(endByte));
        QCOMPARE(view->textCursor().selectedText(), selected);
        QCOMPARE(f.messages.messages.size(), 1);
        QVERIFY(f.messages.messages[0].endsWith(QStringLiteral("\n\n") + where));
        QVERIFY(f.process->compile().lastResult().failed);
        QVERIFY(!f.frame->statusBar()->currentMessage().startsWith(QStringLiteral("Compiled")));
    }

    void errorMessageIsTheCompilers() {
        ProcessFixture f;
        f.open(QStringLiteral("a.vek"), "c d\nxx e\n");
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(f.messages.messages.value(0),
                 QStringLiteral(" Sorry, I can't figure out what \"xx\" means. \n\nLine 2, column 2 of a.vek."));
    }

    void messagesPaneKeepsEachCompileAndLeadsToItsError() {
        ProcessFixture f;
        f.program.errorBox.set(0);
        CPadFrame *window = f.open(QStringLiteral("a.vek"), "c d e\n");
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        window->view()->setPlainText(QStringLiteral("c d\nxx e\n"));
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(f.messages.messages, QStringList());  // the box is off
        auto *list = f.frame->findChild<MessagesPane *>()->list();
        QCOMPARE(list->count(), 2);
        QVERIFY(list->item(0)->text().contains(QRegularExpression(
            QStringLiteral("^\\d\\d:\\d\\d:\\d\\d  a.vek to a.mid \\(MIDI file\\), \\d+ ms, 3 notes$"))));
        QVERIFY(list->item(1)->text().endsWith(QStringLiteral("a.vek:2:2: Sorry, I can't figure out what \"xx\" means.")));
        window->view()->moveCursor(QTextCursor::Start);
        emit list->itemClicked(list->item(1));
        QCOMPARE(window->view()->textCursor().selectionStart(), 5);
        QVERIFY(window->view()->textCursor().hasSelection());
    }

    void selectionIsReportedByItsBarsAndNoEmptySysexStays() {
        ProcessFixture f;
        CPadFrame *window = f.open(QStringLiteral("a.vek"), "c d | e f | g a | b\n");
        QTextCursor cursor = window->view()->textCursor();
        cursor.setPosition(6);
        cursor.setPosition(13, QTextCursor::KeepAnchor);  // "e f | g"
        window->view()->setTextCursor(cursor);
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QVERIFY(f.frame->statusBar()->currentMessage().contains(
            QRegularExpression(QStringLiteral("^Compiled bars 2-3 of a.vek to a.mid in \\d+ ms$"))));
        QVERIFY(!f.exists(QStringLiteral("sysex.out")));
    }

    void errorInAnIncludeFileThatIsNotOpenOpensIt() {
        ProcessFixture f;
        const QString include = f.file(QStringLiteral("Include/inc.vek"), "c d\nzz\n");
        CPadFrame *main = f.open(QStringLiteral("a.vek"), "include inc.vek\nc d\n");
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(f.frame->frames().size(), 2);
        CPadFrame *shown = f.frame->activeFrame();
        QVERIFY(shown != main);
        QCOMPARE(shown->doc()->path(), include);
        QCOMPARE(shown->view()->selectionStartByte(), qint64(5));
        QCOMPARE(shown->view()->textCursor().selectedText(), QStringLiteral("z"));
        QVERIFY(f.messages.messages.value(0).endsWith(QStringLiteral("Line 2, column 2 of inc.vek.")));
    }

    void errorInAnOpenIncludeFileActivatesIt() {
        ProcessFixture f;
        f.file(QStringLiteral("inc.vek"), "c d\nzz\n");
        CPadFrame *include = f.frame->openDocument(f.path(QStringLiteral("inc.vek")));
        include->showMinimized();
        f.open(QStringLiteral("a.vek"), "include inc.vek\nc d\n");
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(f.frame->frames().size(), 2);
        QCOMPARE(f.frame->activeFrame(), include);
        QVERIFY(!include->isMinimized());
        QCOMPARE(include->view()->selectionStartByte(), qint64(5));
    }

    void listingIsRememberedOnceAndDeletedWhenTheWindowCloses() {
        ProcessFixture f;
        f.open(QStringLiteral("a.vek"), "c d e\n");
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        const QString listing = f.path(QStringLiteral("a.vls"));
        QCOMPARE(f.frame->listings(), QStringList{listing});
        QVERIFY(QFileInfo::exists(listing));
        QVERIFY(f.frame->close());
        QVERIFY(!QFileInfo::exists(listing));
    }

    void listActionOpensTheListing() {
        ProcessFixture f;
        f.open(QStringLiteral("a.vek"), "list\nc d e\n");
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        const QString listing = f.path(QStringLiteral("a.vls"));
        QCOMPARE(f.frame->activeFrame()->doc()->path(), listing);
        QVERIFY(!f.recent.files().contains(listing));
        // The next compile closes the listing before it writes a new one.
        f.frame->mdiArea()->activatePreviousSubWindow();
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(f.frame->frames().size(), 2);
    }

    void noListingOpensWithoutTheAction() {
        ProcessFixture f;
        f.open(QStringLiteral("a.vek"), "c d e\n");
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(f.frame->frames().size(), 1);
    }

    void includeSearchPathReachesTheCompiler_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("includeAt");
        QTest::newRow("empty: the document folder's Include") << "" << "Include/inc.vek";
        QTest::newRow("a folder without separator") << "lib" << "lib/inc.vek";
        QTest::newRow("a folder with separator") << "lib;" << "lib/inc.vek";
        QTest::newRow("the Include folder after the setting") << "lib" << "Include/inc.vek";
    }
    void includeSearchPathReachesTheCompiler() {
        QFETCH(QString, setting);
        QFETCH(QString, includeAt);
        ProcessFixture f;
        f.program.includeSearchPath.set(setting.isEmpty() ? setting : f.path(setting));
        QDir(f.dir.path()).mkpath(QStringLiteral("lib"));
        f.file(includeAt, "c d\n");
        f.open(QStringLiteral("song/a.vek"), "include inc.vek\ne f\n");
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(f.messages.messages, QStringList());
        QVERIFY(isMidi(readFile(f.path(QStringLiteral("song/a.mid")))));
    }

    void outputFormatPicksTheFile_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("forceMidi");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("absent");
        QTest::newRow("0: work file") << 0 << false << "a.wrk" << "a.mid";
        QTest::newRow("1: MIDI file") << 1 << false << "a.mid" << "a.wrk";
        QTest::newRow("internal play: MIDI") << 0 << true << "a.mid" << "a.wrk";
    }
    void outputFormatPicksTheFile() {
        QFETCH(int, format);
        QFETCH(bool, forceMidi);
        QFETCH(QString, written);
        QFETCH(QString, absent);
        ProcessFixture f;
        f.program.outputFormat.set(format);
        f.open(QStringLiteral("a.vek"), "c d e\n");
        f.process->compile().run(forceMidi);
        QVERIFY(f.exists(written));
        const QByteArray bytes = readFile(f.path(written));
        QVERIFY(written.endsWith(QStringLiteral(".mid")) ? isMidi(bytes) : bytes.startsWith("CAKEWALK"));
        QVERIFY(!f.exists(absent));
        QCOMPARE(f.process->compile().midiPath(), f.path(QStringLiteral("a.mid")));
        QCOMPARE(f.process->compile().workPath(), f.path(QStringLiteral("a.wrk")));
    }

    void temporaryCopyIsGoneAfterEveryCompile_data() {
        QTest::addColumn<QByteArray>("source");
        QTest::newRow("success") << QByteArray("c d e\n");
        QTest::newRow("error") << QByteArray("c xx\n");
    }
    void temporaryCopyIsGoneAfterEveryCompile() {
        QFETCH(QByteArray, source);
        ProcessFixture f;
        f.open(QStringLiteral("a.vek"), source);
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(filesWithSuffix(f.dir.path(), QStringLiteral("vtp")), QStringList());
    }

    void compilesTheTextShownNotTheFile() {
        ProcessFixture f;
        CPadFrame *window = f.open(QStringLiteral("a.vek"), "c d e\n");
        window->view()->setPlainText(QStringLiteral("c xx\n"));
        window->doc()->setModified(false);  // not saved: the window's text still counts
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(f.messages.messages.size(), 1);
        QCOMPARE(readFile(f.path(QStringLiteral("a.vek"))), QByteArray("c d e\n"));
    }

    void modifiedDocumentsAreSavedFirst() {
        ProcessFixture f;
        CPadFrame *other = f.open(QStringLiteral("inc.vek"), "c\n");
        other->view()->selectAll();
        other->view()->insertPlainText(QStringLiteral("d e\n"));
        QVERIFY(other->doc()->isModified());
        f.open(QStringLiteral("a.vek"), "include inc.vek\nc\n");
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(readFile(f.path(QStringLiteral("inc.vek"))), QByteArray("d e\n"));
        QVERIFY(!other->doc()->isModified());
        QCOMPARE(f.messages.messages, QStringList());
    }

    void processCommandsFollowTheActiveWindow() {
        ProcessFixture f;
        for (int id : {cmd::ID_PROCESS_INTERPRET, cmd::ID_PROCESS_LOAD, cmd::ID_PROCESS_PLAY,
                       cmd::ID_EXTRACT_SELECTION, cmd::ID_PLAY_INTERNAL})
            QVERIFY(!f.frame->action(id)->isEnabled());
        f.frame->newDocument();
        for (int id : {cmd::ID_PROCESS_INTERPRET, cmd::ID_PROCESS_LOAD, cmd::ID_PROCESS_PLAY,
                       cmd::ID_EXTRACT_SELECTION, cmd::ID_PLAY_INTERNAL})
            QVERIFY(f.frame->action(id)->isEnabled());
    }

    void extractButtonFlipsTheFlag() {
        ProcessFixture f;
        f.frame->newDocument();
        QVERIFY(!f.process->compile().extractSelection());
        f.trigger(cmd::ID_EXTRACT_SELECTION);
        QVERIFY(f.process->compile().extractSelection());
        f.trigger(cmd::ID_EXTRACT_SELECTION);
        QVERIFY(!f.process->compile().extractSelection());
    }

    void filesAreNamedAfterTheDocument() {
        const CompileFiles files = CompileFiles::forDocument(QStringLiteral("/music/my.dir/piece.one.vek"));
        QCOMPARE(files.folder, QStringLiteral("/music/my.dir"));
        QCOMPARE(files.sourceName, QStringLiteral("piece.one.vtp"));
        QCOMPARE(files.source, QStringLiteral("/music/my.dir/piece.one.vtp"));
        QCOMPARE(files.listing, QStringLiteral("/music/my.dir/piece.one.vls"));
        QCOMPARE(files.work, QStringLiteral("/music/my.dir/piece.one.wrk"));
        QCOMPARE(files.midi, QStringLiteral("/music/my.dir/piece.one.mid"));
    }
};

QTEST_MAIN(TestCompileCommand)
#include "tst_compilecommand.moc"
