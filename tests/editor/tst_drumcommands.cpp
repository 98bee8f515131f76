// DrumCommands: the main frame's drum commands open their dialogs and put
// the record's program text in place of the selection as one undoable
// edit; Cancel or no editor view inserts nothing.
#include "app/commands.h"
#include "app/editor_settings.h"
#include "app/main_frame.h"
#include "app/pad_frame.h"
#include "app/pad_view.h"
#include "app/recent_files.h"
#include "drum_test_support.h"
#include "drums/drum_commands.h"
#include "drums/drum_machine_dialog.h"
#include "drums/drum_text.h"
#include "drums/figure_dialog.h"
#include "drums/pattern_dialog.h"
#include "platform/profile_file.h"
#include "scratch_settings.h"

#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

// A main frame with the drum commands over a scratch document folder.
struct Fixture : ScratchSettings {
    MessageRecorder messages;
    PromptScript prompts;
    std::unique_ptr<CMainFrame> frame;
    DrumCommands *drums = nullptr;
    QString inserted;  // the program text of the record the dialog ended with

    Fixture() {
        prepareDocumentFolder(dir.path(), installedDataDir(QCoreApplication::applicationDirPath()));
        frame = std::make_unique<CMainFrame>(context());
        drums = new DrumCommands(*frame, program);
        DrumSession::Player silent;
        silent.play = [](const QByteArray &, QObject *) {};
        silent.stop = [] {};
        drums->session().setPlayer(silent);
        frame->show();
    }

    // Answers the dialog with `button` and works out the text its record
    // gives.
    void answer(int button) {
        prompts.dialog = [this, button](QDialog &shown) {
            click(shown, button);
            DrumSession &session = drums->session();
            if (auto *machine = dynamic_cast<DrumMachineDialog *>(&shown)) {
                DrumPart part = machine->part();
                inserted = partProgram(part, session.instruments());
            } else if (auto *figure = dynamic_cast<DrumFigureDialog *>(&shown)) {
                inserted = insertedFigureProgram(
                    figure->figure(), session.library().instrumentText(figure->figure().instrument), session.tempo());
            } else if (auto *pattern = dynamic_cast<DrumPatternDialog *>(&shown)) {
                inserted = patternProgram(pattern->pattern(), session.instruments(), session.tempo());
            }
            return shown.result();
        };
    }
    CPadView *viewWith(const QString &text) {
        CPadView *view = frame->newDocument()->view();
        view->setPlainText(text);
        QTextCursor cursor = view->textCursor();
        cursor.setPosition(1);
        cursor.setPosition(2, QTextCursor::KeepAnchor);  // "b"
        view->setTextCursor(cursor);
        return view;
    }
};

// The text as the view holds it: one '\n' for each line break.
QString shownText(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

class TestDrumCommands : public QObject {
    Q_OBJECT

private slots:
    void eachCommandInsertsItsTextAsOneEdit_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("drum machine") << int(cmd::ID_DRUM_MACHINE) << "121";
        QTest::newRow("drum part") << int(cmd::ID_INSERT_DRUM_PART) << "121";
        QTest::newRow("drumfigure") << int(cmd::ID_INSERT_DRUMFIGURE) << "116";
        QTest::newRow("drumpattern") << int(cmd::ID_INSERT_DRUMPATTERN) << "115";
    }
    void eachCommandInsertsItsTextAsOneEdit() {
        QFETCH(int, command);
        QFETCH(QString, dialog);
        Fixture fixture;
        CPadView *view = fixture.viewWith(QStringLiteral("abc"));
        QString opened;
        fixture.answer(1);
        auto answer = fixture.prompts.dialog;
        fixture.prompts.dialog = [&](QDialog &shown) {
            opened = shown.objectName();
            return answer(shown);
        };
        QVERIFY(fixture.frame->action(command)->isEnabled());
        fixture.frame->action(command)->trigger();
        QCOMPARE(opened, dialog);
        QVERIFY(fixture.inserted.startsWith(QStringLiteral("include gm.vek\r\n")));
        QCOMPARE(view->toPlainText(), QStringLiteral("a") + shownText(fixture.inserted) + QStringLiteral("c"));
        view->undo();
        QCOMPARE(view->toPlainText(), QStringLiteral("abc"));
        QVERIFY(fixture.messages.messages.isEmpty());
    }

    void cancelOrNoViewInsertsNothing() {
        Fixture fixture;
        CPadView *view = fixture.viewWith(QStringLiteral("abc"));
        fixture.answer(2);
        fixture.frame->action(cmd::ID_INSERT_DRUMPATTERN)->trigger();
        QCOMPARE(view->toPlainText(), QStringLiteral("abc"));
        QVERIFY(!view->document()->isUndoAvailable());

        fixture.frame->activeFrame()->closeWithoutAsking();
        QTRY_VERIFY(!fixture.frame->activeView());
        fixture.answer(1);
        fixture.frame->action(cmd::ID_DRUM_MACHINE)->trigger();
        QCOMPARE(fixture.prompts.dialogs, 2);  // the dialog opens all the same
    }

    void thePatternGoesInAsLastCollected() {
        Fixture fixture;
        CPadView *view = fixture.viewWith(QStringLiteral("abc"));
        DrumPattern loaded;
        fixture.prompts.dialog = [&](QDialog &shown) {
            loaded = fixture.drums->session().library().loadPattern(comboText(shown, drum_ids::pattern::kName));
            type(shown, drum_ids::pattern::kSeed, QStringLiteral("4242"));
            click(shown, 1);
            return shown.result();
        };
        fixture.frame->action(cmd::ID_INSERT_DRUMPATTERN)->trigger();
        QVERIFY(!loaded.name.isEmpty());
        const QString expected = patternProgram(loaded, fixture.drums->session().instruments(), 0);
        QCOMPARE(view->toPlainText(), QStringLiteral("a") + shownText(expected) + QStringLiteral("c"));
        QVERIFY(!view->toPlainText().contains(QStringLiteral("4242")));
    }
};

QTEST_MAIN(TestDrumCommands)
#include "tst_drumcommands.moc"
