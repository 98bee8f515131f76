// FindDialog: finding, replacing, and telling when nothing is found.
#include "app/find_dialog.h"
#include "app/pad_doc.h"
#include "app/pad_view.h"

#include <QSignalSpy>
#include <QtTest>

using namespace vek::editor;

class TestFindDialog : public QObject {
    Q_OBJECT

private slots:
    void findNextMovesThroughTheMatches() {
        CPadDoc doc;
        CPadView view(&doc, CPadView::Style{});
        view.setPlainText(QStringLiteral("c d C d c"));
        FindDialog find([&] { return &view; });
        find.setFindText(QStringLiteral("c"));
        QVERIFY(find.findNext());
        QCOMPARE(view.textCursor().selectionStart(), 0);
        QVERIFY(find.findNext());
        QCOMPARE(view.textCursor().selectionStart(), 4);  // case ignored
        QVERIFY(find.findNext());
        QSignalSpy notFound(&find, &FindDialog::notFound);
        QVERIFY(!find.findNext());
        QCOMPARE(notFound.count(), 1);
        QCOMPARE(notFound.first().first().toString(), QStringLiteral("c"));
    }

    void replaceAllIsOneUndoStep() {
        CPadDoc doc;
        CPadView view(&doc, CPadView::Style{});
        view.setPlainText(QStringLiteral("tempo=90 c tempo=90"));
        FindDialog find([&] { return &view; });
        find.setFindText(QStringLiteral("tempo=90"));
        find.setReplaceText(QStringLiteral("tempo=120"));
        QCOMPARE(find.replaceAll(), 2);
        QCOMPARE(doc.text(), QStringLiteral("tempo=120 c tempo=120"));
        view.undo();
        QCOMPARE(doc.text(), QStringLiteral("tempo=90 c tempo=90"));
    }

    void noViewNoSearch() {
        FindDialog find([] { return static_cast<CPadView *>(nullptr); });
        find.setFindText(QStringLiteral("c"));
        QVERIFY(!find.findNext());
        QCOMPARE(find.replaceAll(), 0);
    }
};

QTEST_MAIN(TestFindDialog)
#include "tst_finddialog.moc"
