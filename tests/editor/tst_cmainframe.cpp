// CMainFrame: commands, menus, document windows, placement and closing.
#include "app/commands.h"
#include "app/editor_settings.h"
#include "app/main_frame.h"
#include "app/page_setup_dlg.h"
#include "app/pad_doc.h"
#include "app/pad_frame.h"
#include "app/program_settings.h"
#include "app/recent_files.h"
#include "app/set_tab_stops.h"
#include "editor_test_support.h"
#include "scratch_settings.h"
#include "platform/help_browser.h"
#include "platform/profile_file.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSyntaxHighlighter>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

Q_DECLARE_METATYPE(vek::editor::MessageAnswer)

namespace {

// A main frame over scratch settings.
struct Fixture : ScratchSettings {
    std::unique_ptr<CMainFrame> frame;

    Fixture() {
        frame = makeFrame();
        frame->show();
    }
    std::unique_ptr<CMainFrame> makeFrame() { return std::make_unique<CMainFrame>(context()); }
    QString file(const char *name, const QByteArray &bytes = "c d e\n") {
        const QString path = dir.filePath(QString::fromLatin1(name));
        writeFile(path, bytes);
        return path;
    }
    void trigger(int id) { frame->action(id)->trigger(); }
};

}  // namespace

class TestCMainFrame : public QObject {
    Q_OBJECT

private slots:
    void commandsHaveTheirIdsNamesAndKeys_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("keys");
        QTest::newRow("new") << 57600 << "ID_FILE_NEW" << "Ctrl+N";
        QTest::newRow("open") << 57601 << "ID_FILE_OPEN" << "Ctrl+O";
        QTest::newRow("save") << 57603 << "ID_FILE_SAVE" << "Ctrl+S";
        QTest::newRow("print") << 57607 << "ID_FILE_PRINT" << "Ctrl+P";
        QTest::newRow("settings") << 32769 << "ID_FILE_PROGRAM_SETTINGS" << "";
        QTest::newRow("undo") << 57643 << "ID_EDIT_UNDO" << "Ctrl+Z, Alt+Backspace";
        QTest::newRow("cut") << 57635 << "ID_EDIT_CUT" << "Ctrl+X, Shift+Del";
        QTest::newRow("copy") << 57634 << "ID_EDIT_COPY" << "Ctrl+C, Ctrl+Ins";
        QTest::newRow("paste") << 57637 << "ID_EDIT_PASTE" << "Ctrl+V, Shift+Ins";
        QTest::newRow("find") << 57636 << "ID_EDIT_FIND" << "Ctrl+F";
        QTest::newRow("find next") << 57640 << "ID_EDIT_REPEAT" << "F3";
        QTest::newRow("word wrap") << 1006 << "ID_EDIT_WORD_WRAP" << "";
        QTest::newRow("tab stops") << 1005 << "ID_VIEW_SET_TAB_STOPS" << "";
        QTest::newRow("font") << 1004 << "ID_VIEW_SET_FONT" << "";
        QTest::newRow("printer font") << 32770 << "ID_VIEW_SET_PRINTER_FONT" << "";
        QTest::newRow("mirror") << 104 << "ID_VIEW_MIRROR_DISPLAY_FONT" << "";
        QTest::newRow("drum machine") << 32787 << "ID_DRUM_MACHINE" << "";
        QTest::newRow("interpret") << 32774 << "ID_PROCESS_INTERPRET" << "";
        QTest::newRow("load") << 32777 << "ID_PROCESS_LOAD" << "";
        QTest::newRow("play") << 32773 << "ID_PROCESS_PLAY" << "";
        QTest::newRow("next pane") << 57680 << "ID_NEXT_PANE" << "F6";
        QTest::newRow("previous pane") << 57681 << "ID_PREV_PANE" << "Shift+F6";
        QTest::newRow("help contents") << 32776 << "ID_HELP_CONTENTS" << "";
        QTest::newRow("about") << 57664 << "ID_APP_ABOUT" << "";
    }
    void commandsHaveTheirIdsNamesAndKeys() {
        QFETCH(int, id);
        QFETCH(QString, name);
        QFETCH(QString, keys);
        Fixture f;
        QAction *action = f.frame->findChild<QAction *>(name);
        QVERIFY(action);
        QCOMPARE(action->property("commandId").toInt(), id);
        QCOMPARE(f.frame->action(id), action);
        QStringList shortcuts;
        for (const QKeySequence &key : action->shortcuts())
            shortcuts << key.toString();
        QCOMPARE(shortcuts.join(QStringLiteral(", ")), keys);
        QVERIFY(!action->statusTip().isEmpty());
    }

    void toolbarButtonsInOrder() {
        Fixture f;
        QStringList ids;
        for (QAction *action : f.frame->findChild<QToolBar *>(QStringLiteral("toolBar"))->actions())
            ids << (action->isSeparator() ? QStringLiteral("0") : action->property("commandId").toString());
        QCOMPARE(ids.join(' '), QStringLiteral("57600 57601 57603 0 57635 57634 57637 0 57607 0 32778 0 "
                                               "32774 0 32777 32773 0 32781 32782"));
        QVERIFY(f.frame->action(32781)->isVisible());
        QVERIFY(!f.frame->action(32782)->isVisible());
        f.frame->setPlayButton(true);
        QVERIFY(!f.frame->action(32781)->isVisible());
        QVERIFY(f.frame->action(32782)->isVisible());
    }

    void menusFollowTheOpenDocuments() {
        Fixture f;
        QStringList shown;
        auto visibleMenus = [&] {
            shown.clear();
            for (QAction *entry : f.frame->menuBar()->actions())
                if (entry->isVisible())
                    shown << entry->text();
            return shown.join(' ');
        };
        QCOMPARE(visibleMenus(), QStringLiteral("&File &View Drum &Machine &Help"));
        f.frame->newDocument();
        QCOMPARE(visibleMenus(), QStringLiteral("&File &Edit &View Drum &Machine &Process &Window &Help"));
        QVERIFY(f.frame->action(cmd::ID_FILE_SAVE)->isEnabled());
    }

    void everyTextToolHasAnEntryInTheInsertMenu() {
        Fixture f;
        auto *insert = f.frame->findChild<QMenu *>(QStringLiteral("insertMenu"));
        QVERIFY(insert);
        QStringList ids;
        for (QAction *entry : insert->actions())
            ids << entry->property("commandId").toString();
        QCOMPARE(ids.join(' '), QStringLiteral("32785 57703 32784 57700"));
    }

    void laterCommandsWaitForTheirHandlers() {
        Fixture f;
        f.frame->newDocument();
        QVERIFY(!f.frame->action(cmd::ID_PROCESS_INTERPRET)->isEnabled());
        int calls = 0;
        f.frame->wireCommand(cmd::ID_PROCESS_INTERPRET, [&] { ++calls; });
        QVERIFY(f.frame->action(cmd::ID_PROCESS_INTERPRET)->isEnabled());
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QCOMPARE(calls, 1);
        f.frame->activeFrame()->closeWithoutAsking();
        QTRY_VERIFY(!f.frame->action(cmd::ID_PROCESS_INTERPRET)->isEnabled());
    }

    void untitledDocumentsAreNumbered() {
        Fixture f;
        QCOMPARE(f.frame->newDocument()->doc()->title(), QStringLiteral("NoName1"));
        QCOMPARE(f.frame->newDocument()->doc()->title(), QStringLiteral("NoName2"));
    }

    void listingsNeverEnterTheRecentList_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("listed");
        QTest::newRow("source") << "piece.vek" << true;
        QTest::newRow("listing") << "piece.vls" << false;
        QTest::newRow("listing upper case") << "PIECE.VLS" << false;
    }
    void listingsNeverEnterTheRecentList() {
        QFETCH(QString, name);
        QFETCH(bool, listed);
        Fixture f;
        const QString path = f.file(name.toLatin1().constData());
        QVERIFY(f.frame->openDocument(path));
        QCOMPARE(f.recent.files().contains(path), listed);
        PromptScript prompts;
        prompts.saveName = f.dir.filePath(name + QStringLiteral(".copy.") + QFileInfo(name).suffix());
        QVERIFY(f.frame->activeFrame()->saveAs());
        QCOMPARE(f.recent.files().contains(prompts.saveName), listed);
    }

    void openingAnOpenFileActivatesItsWindow() {
        Fixture f;
        const QString path = f.file("a.vek");
        CPadFrame *first = f.frame->openDocument(path);
        f.frame->newDocument();
        QCOMPARE(f.frame->openDocument(path), first);
        QCOMPARE(f.frame->frames().size(), 2);
        QCOMPARE(f.frame->activeFrame(), first);
    }

    void tabStopsCarryToLaterViewsAndAreKept() {
        Fixture f;
        PromptScript prompts;
        prompts.dialog = [](QDialog &dialog) {
            auto &tabs = dynamic_cast<CSetTabStops &>(dialog);
            tabs.field()->setValue(3);
            dialog.accept();
            return int(QDialog::Accepted);
        };
        CPadFrame *first = f.frame->newDocument();
        f.trigger(cmd::ID_VIEW_SET_TAB_STOPS);
        QCOMPARE(first->view()->tabStops(), 12);
        QCOMPARE(f.editor.tabStops.get(), 12);
        QCOMPARE(f.frame->newDocument()->view()->tabStops(), 12);
        QCOMPARE(f.editor.save(f.profile), 1);
        QCOMPARE(ProfileFile(f.profile.path()).readInt(QStringLiteral("Settings"), QStringLiteral("TabStops"), 0), 12);
    }

    void tabStopsCancelChangesNothing() {
        Fixture f;
        PromptScript prompts;  // rejects
        CPadFrame *frame = f.frame->newDocument();
        f.trigger(cmd::ID_VIEW_SET_TAB_STOPS);
        QCOMPARE(prompts.dialogs, 1);
        QCOMPARE(frame->view()->tabStops(), 32);
        QVERIFY(!f.editor.tabStops.changed());
    }

    void wordWrapBecomesTheProcessWideStyle() {
        Fixture f;
        CPadFrame *first = f.frame->newDocument();
        f.trigger(cmd::ID_EDIT_WORD_WRAP);
        QVERIFY(first->view()->wordWrap());
        QVERIFY(f.frame->action(cmd::ID_EDIT_WORD_WRAP)->isChecked());
        QCOMPARE(f.editor.wordWrap.get(), 1);
        QVERIFY(f.frame->newDocument()->view()->wordWrap());
    }

    void fontsOfViewsAndPrinter() {
        Fixture f;
        PromptScript prompts;
        prompts.font = QFont(QStringLiteral("DejaVu Serif"), 14);
        CPadFrame *frame = f.frame->newDocument();
        f.trigger(cmd::ID_VIEW_SET_FONT);
        QCOMPARE(frame->view()->font().family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(f.editor.displayFont.get().faceName, QStringLiteral("DejaVu Serif"));
        QCOMPARE(f.frame->newDocument()->view()->font().family(), QStringLiteral("DejaVu Serif"));

        QVERIFY(f.frame->action(cmd::ID_VIEW_MIRROR_DISPLAY_FONT)->isChecked());
        f.trigger(cmd::ID_VIEW_SET_PRINTER_FONT);
        QVERIFY(f.editor.printerFont.get().isSet());
        QVERIFY(!f.frame->action(cmd::ID_VIEW_MIRROR_DISPLAY_FONT)->isChecked());
        f.trigger(cmd::ID_VIEW_MIRROR_DISPLAY_FONT);
        QVERIFY(!f.editor.printerFont.get().isSet());
        QVERIFY(f.frame->action(cmd::ID_VIEW_MIRROR_DISPLAY_FONT)->isChecked());
    }

    void childShowCommandTracksMaximiseAndRestore() {
        Fixture f;
        f.frame->show();
        CPadFrame *child = f.frame->newDocument();
        QVERIFY(child->isMaximized());  // the default show command is 3
        child->showNormal();
        QCOMPARE(f.editor.showCmd.get(), 1);
        QVERIFY(!f.frame->newDocument()->isMaximized());
        child->showMinimized();
        QCOMPARE(f.editor.showCmd.get(), 1);  // minimising changes nothing
        child->showMaximized();
        QCOMPARE(f.editor.showCmd.get(), 3);
        f.editor.showCmd.set(1);
        child->showMinimized();
        child->showNormal();
        QCOMPARE(f.editor.showCmd.get(), 1);
    }

    void windowPlacementRoundTrip_data() {
        QTest::addColumn<bool>("maximized");
        QTest::newRow("normal") << false;
        QTest::newRow("maximised") << true;
    }
    void windowPlacementRoundTrip() {
        QFETCH(bool, maximized);
        Fixture f;
        f.frame->placeWindow(1);
        f.frame->setGeometry(110, 120, 640, 480);
        if (maximized)
            f.frame->showMaximized();
        f.frame->saveWindowPlacement();
        const QString saved = f.profile.readString(QStringLiteral("Settings"), QStringLiteral("WindowPos"), QString());
        QCOMPARE(saved, QStringLiteral("%1,%2,-1,-1,-1,-1,110,120,750,600").arg(maximized ? "2" : "0", maximized ? "3" : "1"));

        auto again = f.makeFrame();
        again->placeWindow(1);
        QCOMPARE(again->isMaximized(), maximized);
        QCOMPARE(again->normalGeometry(), QRect(110, 120, 640, 480));
        again->close();
    }

    void malformedPlacementFallsBackToTheStartupCommand_data() {
        QTest::addColumn<QString>("windowPos");
        QTest::newRow("too few") << "0,3,-1,-1,-1,-1,10,10,500";
        QTest::newRow("not a number") << "0,3,-1,-1,-1,-1,10,x,500,400";
        QTest::newRow("empty") << "";
    }
    void malformedPlacementFallsBackToTheStartupCommand() {
        QFETCH(QString, windowPos);
        Fixture f;
        f.profile.writeString(QStringLiteral("Settings"), QStringLiteral("WindowPos"), windowPos);
        f.frame->placeWindow(1);
        QVERIFY(f.frame->isVisible());
        QVERIFY(!f.frame->isMaximized());
    }

    void startupCommandOverridesTheSavedOne() {
        Fixture f;
        f.profile.writeString(QStringLiteral("Settings"), QStringLiteral("WindowPos"),
                              QStringLiteral("0,1,-1,-1,-1,-1,10,20,610,420"));
        f.frame->placeWindow(3);
        QVERIFY(f.frame->isMaximized());
        QCOMPARE(f.frame->normalGeometry(), QRect(10, 20, 600, 400));
    }

    void unchangedPlacementIsNotWritten() {
        Fixture f;
        f.profile.writeString(QStringLiteral("Settings"), QStringLiteral("WindowPos"),
                              QStringLiteral("0,1,-1,-1,-1,-1,10,20,610,420"));
        f.frame->placeWindow(1);
        QFile::remove(f.profile.path());  // any write would bring the file back
        f.frame->saveWindowPlacement();
        QVERIFY(!QFile::exists(f.profile.path()));
    }

    void programSettingsOkStoresAndCancelLeaves_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("ok") << true;
        QTest::newRow("cancel") << false;
    }
    void programSettingsOkStoresAndCancelLeaves() {
        QFETCH(bool, ok);
        Fixture f;
        f.program.playCommand.set(QStringLiteral("old play"));
        PromptScript prompts;
        prompts.dialog = [ok](QDialog &dialog) {
            auto &settings = dynamic_cast<CPageSetupDlg &>(dialog);
            settings.playCommandEdit()->setText(QStringLiteral("new play"));
            settings.midButton()->setChecked(true);
            if (ok)
                dialog.accept();
            else
                dialog.reject();
            return dialog.result();
        };
        f.trigger(cmd::ID_FILE_PROGRAM_SETTINGS);
        QCOMPARE(prompts.dialogs, 1);
        QCOMPARE(f.program.playCommand.get(), ok ? QStringLiteral("new play") : QStringLiteral("old play"));
        QCOMPARE(f.program.outputFormat.get(), ok ? 1 : 0);
    }

    void closingAsksAboutChangesAndDeletesListings_data() {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("save") << MessageAnswer::Yes << true;
        QTest::newRow("discard") << MessageAnswer::No << true;
        QTest::newRow("cancel") << MessageAnswer::Cancel << false;
    }
    void closingAsksAboutChangesAndDeletesListings() {
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, closed);
        Fixture f;
        MessageRecorder messages;
        messages.answers = {answer};
        const QString path = f.file("song.vek", "c\n");
        const QString listing = f.file("song.vls", "listing\n");
        f.frame->placeWindow(1);
        CPadFrame *child = f.frame->openDocument(path);
        child->view()->moveCursor(QTextCursor::End);
        child->view()->insertPlainText(QStringLiteral("d\n"));
        f.frame->rememberListing(listing);
        f.frame->rememberListing(listing);
        QCOMPARE(f.frame->listings().size(), 1);
        QSignalSpy closing(f.frame.get(), &CMainFrame::closing);

        QCOMPARE(f.frame->close(), closed);
        QCOMPARE(messages.messages, QStringList({QStringLiteral("Save changes to song.vek?")}));
        QCOMPARE(closing.count(), closed ? 1 : 0);
        QCOMPARE(QFile::exists(listing), !closed);
        QCOMPARE(readFile(path), QByteArray(answer == MessageAnswer::Yes ? "c\nd\n" : "c\n"));
        QCOMPARE(f.profile.value(QStringLiteral("Settings"), QStringLiteral("WindowPos")).has_value(), closed);
    }

    void helpContentsShowsTheGuideOrAFriendlyPage() {
        Fixture f;
        f.trigger(cmd::ID_HELP_CONTENTS);
        HelpBrowser *help = f.frame->helpBrowser();
        QVERIFY(help->isVisible());
        const QString index = HelpBrowser::findIndex(f.dir.path());
        if (index.isEmpty())
            QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("not installed")));
        else
            QCOMPARE(help->browser()->source().toLocalFile(), index);
    }

    // File > Print through the print dialog, to PDF: the frame hands the
    // settings' header and footer and the document's path (or title) on.
    void printCarriesHeaderFooterAndPath_data() {
        QTest::addColumn<bool>("named");
        QTest::newRow("saved document") << true;
        QTest::newRow("untitled document") << false;
    }
    void printCarriesHeaderFooterAndPath() {
        QFETCH(bool, named);
        if (!QFileInfo(QStringLiteral(VEK_PDFTOTEXT)).isExecutable())
            QSKIP("pdftotext is not installed");
        Fixture f;
        f.program.header.set(QStringLiteral("Piece &f"));
        f.program.footer.set(QStringLiteral("Sheet &p of %Y"));
        f.program.footerTime.set(1);
        CPadFrame *child = named ? f.frame->openDocument(f.file("print.vek", "c d e f g\r\n"))
                                 : f.frame->newDocument();
        if (!named)
            child->view()->insertPlainText(QStringLiteral("c d e f g"));
        const QString pdf = f.dir.filePath(QStringLiteral("out.pdf"));
        PromptScript prompts;
        // Accepting applies the dialog's own destination, so the PDF file
        // is chosen after it.
        prompts.dialog = [&pdf](QDialog &dialog) {
            dialog.accept();
            QPrinter *printer = dynamic_cast<QPrintDialog &>(dialog).printer();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return int(QDialog::Accepted);
        };
        MessageRecorder messages;
        f.trigger(cmd::ID_FILE_PRINT);
        QCOMPARE(prompts.dialogs, 1);
        QCOMPARE(messages.messages, QStringList());
        QProcess text;
        text.start(QStringLiteral(VEK_PDFTOTEXT), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString page = QString::fromUtf8(text.readAllStandardOutput());
        const QString name = named ? f.dir.filePath(QStringLiteral("print.vek")) : QStringLiteral("NoName1");
        QVERIFY2(page.contains(QStringLiteral("Piece ") + name), qPrintable(page));
        QVERIFY(page.contains(QStringLiteral("c d e f g")));
        QVERIFY(page.contains(QStringLiteral("Sheet 1 of %1").arg(QDate::currentDate().year())));
    }

    void titleFollowsSaveAsAndNeverRepeatsTheName() {
        Fixture f;
        f.editor.showCmd.set(kShowMaximized);
        CPadFrame *child = f.frame->newDocument();
        QCOMPARE(f.frame->windowTitle(), QStringLiteral("Vek - NoName1"));
        PromptScript prompts;
        prompts.saveName = f.dir.filePath(QStringLiteral("tune.vek"));
        f.trigger(cmd::ID_FILE_SAVE_AS);
        QCOMPARE(f.frame->windowTitle(), QStringLiteral("Vek - tune.vek"));
        child->showNormal();
        child->showMaximized();
        QCOMPARE(f.frame->windowTitle(), QStringLiteral("Vek - tune.vek"));
    }

    void withoutADocumentButtonsGreyOutAndNoCaretShows() {
        Fixture f;
        f.frame->newDocument()->closeWithoutAsking();
        QTRY_VERIFY(!f.frame->action(cmd::ID_FILE_SAVE)->isEnabled());
        QVERIFY(f.frame->action(cmd::ID_FILE_SAVE)->isVisible());
        QCOMPARE(f.frame->findChild<QLabel *>(QStringLiteral("caretPosition"))->text(), QString());
    }

    void everyMenuHasAMnemonicAndAltNeverTypes() {
        Fixture f;
        CPadFrame *child = f.frame->newDocument();
        for (QAction *entry : f.frame->menuBar()->actions())
            QVERIFY2(entry->text().contains('&'), qPrintable(entry->text()));
        QTest::keyClick(child->view(), Qt::Key_Q, Qt::AltModifier);
        QCOMPARE(child->view()->toPlainText(), QString());
        QVERIFY(f.frame->action(cmd::ID_PROCESS_PLAY)->toolTip() != f.frame->action(cmd::ID_PLAY_INTERNAL)->toolTip());
    }

    void examplesLineNumbersAndPlainListings() {
        Fixture f;
        auto *examples = f.frame->findChild<QMenu *>(QStringLiteral("examplesMenu"));
        QVERIFY(examples && !examples->actions().isEmpty());
        examples->actions().constFirst()->trigger();
        CPadFrame *example = f.frame->activeFrame();
        QVERIFY(example->doc()->path().isEmpty() && example->doc()->isModified());
        QVERIFY(!example->view()->toPlainText().isEmpty());
        f.frame->findChild<QAction *>(QStringLiteral("LineNumbers"))->trigger();
        const QWidget *gutter = example->view()->findChild<QWidget *>(QStringLiteral("lineGutter"));
        QVERIFY(gutter && gutter->width() > 0 && example->view()->viewport()->x() >= gutter->width());
        QVERIFY(f.frame->newDocument()->view()->lineNumbers());
        QCOMPARE(f.profile.readInt(QStringLiteral("Settings"), QStringLiteral("LineNumbers"), 0), 1);
        CPadFrame *listing = f.frame->openDocument(f.file("a.vls", "c d e\n"));
        QVERIFY(!listing->doc()->textDocument()->findChild<QSyntaxHighlighter *>());
        QVERIFY(example->doc()->textDocument()->findChild<QSyntaxHighlighter *>());
    }

    void aNewDocumentFolderGetsTheShippedFilesAndKeepsItsOwn() {
        Fixture f;
        const QString folder = f.dir.filePath(QStringLiteral("picked"));
        QDir().mkpath(folder + QStringLiteral("/Include"));
        writeFile(folder + QStringLiteral("/Include/gm.vek"), "mine");
        PromptScript prompts;
        prompts.dialog = [&](QDialog &dialog) {
            dynamic_cast<CPageSetupDlg &>(dialog).documentPathEdit()->setText(folder);
            dialog.accept();
            return dialog.result();
        };
        f.trigger(cmd::ID_FILE_PROGRAM_SETTINGS);
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/Machines/Drum.ini")));
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/Include/builtins.vek")));
        QCOMPARE(readFile(folder + QStringLiteral("/Include/gm.vek")), QByteArray("mine"));
    }

    void caretPositionInTheStatusBar() {
        Fixture f;
        CPadFrame *child = f.frame->openDocument(f.file("caret.vek", "ab\ncde\n"));
        QLabel *label = f.frame->findChild<QLabel *>(QStringLiteral("caretPosition"));
        QVERIFY(label);
        QTextCursor cursor = child->view()->textCursor();
        cursor.setPosition(5);
        child->view()->setTextCursor(cursor);
        QCOMPARE(label->text(), QStringLiteral("Ln 2, Col 3"));
    }
};

QTEST_MAIN(TestCMainFrame)
#include "tst_cmainframe.moc"
