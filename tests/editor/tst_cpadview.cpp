// CPadView: word wrap, tab stops, fonts, selections in bytes, clipboard.
#include "app/pad_doc.h"
#include "app/pad_view.h"
#include "editor_test_support.h"

#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

// Exposes the clipboard data the view would hand out.
class ProbeView : public CPadView {
public:
    using CPadView::CPadView;
    bool canPaste(const QMimeData *data) const { return canInsertFromMimeData(data); }
    std::unique_ptr<QMimeData> selectionData() const {
        return std::unique_ptr<QMimeData>(createMimeDataFromSelection());
    }
};

CPadView::Style style(int tabStops = 32, bool wrap = false) {
    CPadView::Style s;
    s.font = QFont(QStringLiteral("DejaVu Sans Mono"), 11);
    s.tabStops = tabStops;
    s.wordWrap = wrap;
    return s;
}

}  // namespace

class TestCPadView : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void wordWrapKeepsTextCaretFontAndTabs_data() {
        QTest::addColumn<bool>("startWrapped");
        QTest::newRow("wrap on") << false;
        QTest::newRow("wrap off") << true;
    }
    void wordWrapKeepsTextCaretFontAndTabs() {
        QFETCH(bool, startWrapped);
        CPadDoc doc;
        ProbeView view(&doc, style(24, startWrapped));
        view.resize(300, 200);
        view.show();
        view.insertPlainText(QString(QStringLiteral("c d e f g a b ")).repeated(40) + "\n\tend");
        QTextCursor caret = view.textCursor();
        caret.setPosition(30);
        caret.setPosition(42, QTextCursor::KeepAnchor);
        view.setTextCursor(caret);
        view.setFocus();
        const QString text = doc.text();
        const QFont font = view.font();
        const qreal tabs = view.tabStopDistance();

        view.setWordWrap(!startWrapped);

        QCOMPARE(view.wordWrap(), !startWrapped);
        QCOMPARE(view.lineWrapMode(), startWrapped ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        QCOMPARE(view.horizontalScrollBarPolicy(), startWrapped ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        QCOMPARE(doc.text(), text);
        QCOMPARE(view.textCursor().anchor(), 30);
        QCOMPARE(view.textCursor().position(), 42);
        QCOMPARE(view.font(), font);
        QCOMPARE(view.tabStopDistance(), tabs);
        QCOMPARE(view.tabStops(), 24);
        QCOMPARE(view.document()->isUndoAvailable(), true);  // the history survives
    }

    void tabStopsAreDialogUnits() {
        CPadDoc doc;
        CPadView view(&doc, style(32));
        const qreal eight = view.tabStopDistance();
        view.setTabStops(16);
        QCOMPARE(view.tabStopDistance(), eight / 2);
        view.setDisplayFont(QFont(QStringLiteral("DejaVu Sans Mono"), 22));
        QVERIFY(view.tabStopDistance() > eight / 2);  // follows the wider font
    }

    void selectionInBytes() {
        const QString path = m_dir.filePath(QStringLiteral("sel.vek"));
        QVERIFY(writeFile(path, "\xc3\xa9t\xc3\xa9\r\nc d\r\n"));
        CPadDoc doc;
        QVERIFY(doc.load(path));
        CPadView view(&doc, style());
        view.selectBytes(7, 8);  // the "c" of line 2
        QCOMPARE(view.textCursor().selectedText(), QStringLiteral("c"));
        QCOMPARE(view.selectionStartByte(), qint64(7));
        QCOMPARE(view.selectionEndByte(), qint64(8));
        QCOMPARE(view.caretLine(), 2);
        QCOMPARE(view.caretColumn(), 2);
    }

    void caretMovesAreSignalled() {
        CPadDoc doc;
        CPadView view(&doc, style());
        view.setPlainText(QStringLiteral("ab\ncde"));
        QSignalSpy moved(&view, &CPadView::caretMoved);
        view.moveCursor(QTextCursor::End);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.last().at(0).toInt(), 2);
        QCOMPARE(moved.last().at(1).toInt(), 4);
    }

    void clipboardCarriesALinkOrTheDocument() {
        const QString path = m_dir.filePath(QStringLiteral("clip.vek"));
        QVERIFY(writeFile(path, "ab\r\ncd\r\n"));
        CPadDoc doc;
        QVERIFY(doc.load(path));
        ProbeView view(&doc, style());
        view.selectBytes(4, 6);
        auto part = view.selectionData();
        QCOMPARE(part->text(), QStringLiteral("cd"));
        QCOMPARE(part->data(QString::fromLatin1(kLinkMimeType)), (doc.path() + "\n4 6").toUtf8());
        QVERIFY(!part->hasFormat(QString::fromLatin1(kDocumentMimeType)));
        view.selectAll();
        auto whole = view.selectionData();
        QCOMPARE(whole->data(QString::fromLatin1(kDocumentMimeType)), QByteArray("ab\r\ncd\r\n"));
        QVERIFY(!whole->hasFormat(QString::fromLatin1(kLinkMimeType)));
    }

    void droppedFilesAreNotPastedAsText() {
        CPadDoc doc;
        ProbeView view(&doc, style());
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(QStringLiteral("/m/a.vek"))});
        QVERIFY(!view.canPaste(&files));
        QMimeData text;
        text.setText(QStringLiteral("c d e"));
        QVERIFY(view.canPaste(&text));
    }

    void replaceSelectionIsOneUndoStep() {
        CPadDoc doc;
        CPadView view(&doc, style());
        view.setPlainText(QStringLiteral("c d"));
        view.selectAll();
        view.replaceSelection(QStringLiteral("{_tempo,120}"));
        QCOMPARE(doc.text(), QStringLiteral("{_tempo,120}"));
        view.undo();
        QCOMPARE(doc.text(), QStringLiteral("c d"));
    }

    void matchingBracketsAreMarked_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QList<int>>("marked");
        QTest::newRow("after open") << "(c [d] e)" << 0 << QList<int>{0, 8};
        QTest::newRow("before close") << "(c [d] e)" << 6 << QList<int>{3, 5};
        QTest::newRow("unmatched") << "{phrase" << 0 << QList<int>{0};
        QTest::newRow("no bracket") << "c d" << 1 << QList<int>{};
    }
    void matchingBracketsAreMarked() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QList<int>, marked);
        CPadDoc doc;
        CPadView view(&doc, style());
        view.setPlainText(text);
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(caret == 0 ? 1 : 0);
        view.setTextCursor(cursor);
        cursor.setPosition(caret);
        view.setTextCursor(cursor);
        QList<int> found;
        for (const QTextEdit::ExtraSelection &mark : view.extraSelections())
            found << mark.cursor.selectionStart();
        std::sort(found.begin(), found.end());
        QCOMPARE(found, marked);
    }
};

QTEST_MAIN(TestCPadView)
#include "tst_cpadview.moc"
