// CTempoDialog and command 57700: the start tempo field and the tempo change
// it puts into the active view as one step of undo.
#include "app/commands.h"
#include "app/editor_settings.h"
#include "app/main_frame.h"
#include "app/pad_doc.h"
#include "app/pad_frame.h"
#include "app/program_settings.h"
#include "app/recent_files.h"
#include "app/tempo_dialog.h"
#include "editor_test_support.h"
#include "scratch_settings.h"
#include "platform/profile_file.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

// A main frame over scratch settings whose tempo dialogs are answered by
// typing `typed` and pressing Insert, or Cancel when `cancel` is set.
struct Fixture : ScratchSettings {
    PromptScript prompts;
    std::unique_ptr<CMainFrame> frame;
    QString typed;
    bool cancel = false;

    Fixture() {
        frame = std::make_unique<CMainFrame>(context());
        frame->show();
        prompts.dialog = [this](QDialog &shown) {
            auto *dialog = qobject_cast<CTempoDialog *>(&shown);
            if (!dialog || cancel)
                return int(QDialog::Rejected);
            QTest::keyClicks(dialog->startField(), typed);
            return int(QDialog::Accepted);
        };
    }
    CPadView *view(const QString &text) {
        CPadView *view = frame->newDocument()->view();
        view->setPlainText(text);
        return view;
    }
    void insert() { frame->action(cmd::ID_INSERT_TEMPO)->trigger(); }
};

}  // namespace

class TestCTempoDialog : public QObject {
    Q_OBJECT

private slots:
    void startFieldTakesSevenCharacters() {
        CTempoDialog dialog;
        QCOMPARE(dialog.startTempo(), QString());
        QCOMPARE(dialog.startField()->objectName(), QStringLiteral("1020"));
        QTest::keyClicks(dialog.startField(), QStringLiteral("12345678"));
        QCOMPARE(dialog.startTempo(), QStringLiteral("1234567"));
    }

    // Typing just before the insertion stays a step of its own: undo takes
    // back the tempo change alone.
    void insertionIsOneUndoStep_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("selectFrom");  // characters; -1: caret at the end
        QTest::addColumn<QString>("inserted");
        QTest::newRow("tempo at the caret") << "120" << -1 << "c d {_tempo,120}";
        QTest::newRow("empty, unchecked") << "" << -1 << "c d {_tempo,}";
        QTest::newRow("replaces the selection") << "90" << 2 << "c {_tempo,90}";
    }
    void insertionIsOneUndoStep() {
        QFETCH(QString, typed);
        QFETCH(int, selectFrom);
        QFETCH(QString, inserted);
        Fixture f;
        f.typed = typed;
        CPadView *view = f.view(QStringLiteral("c"));
        view->moveCursor(QTextCursor::End);
        QTest::keyClicks(view, QStringLiteral(" d "));
        if (selectFrom >= 0) {
            QTextCursor cursor = view->textCursor();
            cursor.setPosition(selectFrom, QTextCursor::KeepAnchor);
            view->setTextCursor(cursor);
        }
        f.insert();
        QCOMPARE(view->padDoc()->text(), inserted);
        QVERIFY(view->padDoc()->isModified());
        view->undo();
        QCOMPARE(view->padDoc()->text(), QStringLiteral("c d "));
        view->redo();
        QCOMPARE(view->padDoc()->text(), inserted);
    }

    void cancelOrNoViewInsertsNothing() {
        Fixture f;
        f.typed = QStringLiteral("120");
        f.insert();  // no document: the dialog shows, nothing happens
        QCOMPARE(f.prompts.dialogs, 1);
        QVERIFY(f.frame->frames().isEmpty());
        CPadView *view = f.view(QStringLiteral("c d"));
        f.cancel = true;
        f.insert();
        QCOMPARE(f.prompts.dialogs, 2);
        QCOMPARE(view->padDoc()->text(), QStringLiteral("c d"));
        QVERIFY(!view->document()->isUndoAvailable());
    }
};

QTEST_MAIN(TestCTempoDialog)
#include "tst_ctempodialog.moc"
