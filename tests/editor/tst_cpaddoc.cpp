// CPadDoc: documents keep their bytes through open and save.
#include "app/pad_doc.h"
#include "editor_test_support.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

class TestCPadDoc : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void openAndSaveKeepEveryByte_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("crlf") << QByteArray("tempo=120\r\nc d e\r\n");
        QTest::newRow("lf") << QByteArray("tempo=120\nc d e\n");
        QTest::newRow("no final break") << QByteArray("c d e");
        QTest::newRow("utf-8 lyrics") << QByteArray("\"Fr\xc3\xa8re Jacques\" c d e\r\n' \xe2\x99\xa9\r\n");
        QTest::newRow("latin-1 lyrics") << QByteArray("\"Fr\xe8re Jacques\" c d e\r\n");
        QTest::newRow("empty") << QByteArray("");
    }
    void openAndSaveKeepEveryByte() {
        QFETCH(QByteArray, bytes);
        MessageRecorder messages;
        const QString source = m_dir.filePath(QStringLiteral("in.vek"));
        const QString target = m_dir.filePath(QStringLiteral("out.vek"));
        QVERIFY(writeFile(source, bytes));
        CPadDoc doc;
        QVERIFY(doc.load(source));
        QCOMPARE(doc.bytes(), bytes);
        QVERIFY(doc.saveAs(target));
        QCOMPARE(readFile(target), bytes);
        QCOMPARE(messages.messages, QStringList());
    }

    void editsKeepTheLineEndStyle() {
        const QString path = m_dir.filePath(QStringLiteral("edit.vek"));
        QVERIFY(writeFile(path, "a\r\nb\r\n"));
        CPadDoc doc;
        QVERIFY(doc.load(path));
        QTextCursor cursor(doc.textDocument());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral("c\nd"));
        QVERIFY(doc.saveAs(path));
        QCOMPARE(readFile(path), QByteArray("a\r\nb\r\nc\r\nd"));
    }

    void wideCharacterInAByteDocumentSavesAsUtf8() {
        MessageRecorder messages;
        const QString path = m_dir.filePath(QStringLiteral("latin.vek"));
        QVERIFY(writeFile(path, "caf\xe9\n"));
        CPadDoc doc;
        QVERIFY(doc.load(path));
        QTextCursor(doc.textDocument()).insertText(QStringLiteral("\u2669 "));
        QVERIFY(doc.saveAs(path));
        QCOMPARE(readFile(path), QByteArray("\xe2\x99\xa9 caf\xc3\xa9\n"));
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY(messages.messages[0].contains(QStringLiteral("UTF-8")));
    }

    void mixedLineEndsAreReported() {
        MessageRecorder messages;
        const QString path = m_dir.filePath(QStringLiteral("mixed.vek"));
        QVERIFY(writeFile(path, "a\r\nb\r\nc\n"));
        CPadDoc doc;
        QVERIFY(doc.load(path));
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY(messages.messages[0].contains(QStringLiteral("CR LF")));
    }

    void missingFileIsReported() {
        MessageRecorder messages;
        CPadDoc doc;
        QVERIFY(!doc.load(m_dir.filePath(QStringLiteral("none.vek"))));
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY(messages.messages[0].startsWith(QStringLiteral("Cannot open")));
        QVERIFY(doc.path().isEmpty());
    }

    void titlesAndModifiedFlag() {
        CPadDoc doc;
        doc.setUntitled(2);
        QCOMPARE(doc.title(), QStringLiteral("NoName2"));
        QSignalSpy modified(&doc, &CPadDoc::modificationChanged);
        QTextCursor(doc.textDocument()).insertText(QStringLiteral("c"));
        QVERIFY(doc.isModified());
        QCOMPARE(modified.count(), 1);
        QSignalSpy renamed(&doc, &CPadDoc::pathChanged);
        QVERIFY(doc.saveAs(m_dir.filePath(QStringLiteral("named.vek"))));
        QCOMPARE(doc.title(), QStringLiteral("named.vek"));
        QVERIFY(!doc.isModified());
        QCOMPARE(renamed.count(), 1);
        QVERIFY(doc.fileTime().isValid());
    }

    void byteOffsetsFollowTheFile() {
        const QString path = m_dir.filePath(QStringLiteral("offsets.vek"));
        QVERIFY(writeFile(path, "\xc3\xa9\r\nab"));
        CPadDoc doc;
        QVERIFY(doc.load(path));
        QCOMPARE(doc.byteOffset(3), qint64(5));  // before "b"
        QCOMPARE(doc.position(5), 3);
    }
};

QTEST_MAIN(TestCPadDoc)
#include "tst_cpaddoc.moc"
