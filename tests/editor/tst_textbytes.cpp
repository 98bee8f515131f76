// Decoding, encoding and byte offsets of document text.
#include "app/text_bytes.h"

#include <QtTest>

using namespace vek::editor;

Q_DECLARE_METATYPE(vek::editor::LineEnd)
Q_DECLARE_METATYPE(vek::editor::TextEncoding)

class TestTextBytes : public QObject {
    Q_OBJECT

private slots:
    void roundTripIsByteExact_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<LineEnd>("lineEnd");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::newRow("empty") << QByteArray() << LineEnd::Lf << TextEncoding::Utf8;
        QTest::newRow("crlf") << QByteArray("a b\r\nc\r\n\r\nd") << LineEnd::CrLf << TextEncoding::Utf8;
        QTest::newRow("lf") << QByteArray("a b\nc\n\nd\n") << LineEnd::Lf << TextEncoding::Utf8;
        QTest::newRow("cr") << QByteArray("a\rb\r") << LineEnd::Cr << TextEncoding::Utf8;
        QTest::newRow("utf-8") << QByteArray("\xc3\xa9t\xc3\xa9 \xe2\x99\xa9 \xf0\x9d\x84\x9e\r\n") << LineEnd::CrLf
                               << TextEncoding::Utf8;
        QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf" "c d\n") << LineEnd::Lf << TextEncoding::Utf8;
        QTest::newRow("non-breaking space") << QByteArray("c\xc2\xa0" "d\n") << LineEnd::Lf << TextEncoding::Utf8;
        QTest::newRow("latin-1") << QByteArray("caf\xe9\r\n\xff\x80\r\n") << LineEnd::CrLf << TextEncoding::Bytes;
        QTest::newRow("cut utf-8") << QByteArray("ab\xe2\x99") << LineEnd::Lf << TextEncoding::Bytes;
        QTest::newRow("tabs and nul") << QByteArray("\ta\0b\n", 5) << LineEnd::Lf << TextEncoding::Utf8;
    }
    void roundTripIsByteExact() {
        QFETCH(QByteArray, bytes);
        QFETCH(LineEnd, lineEnd);
        QFETCH(TextEncoding, encoding);
        const DecodedText decoded = decodeBytes(bytes);
        QCOMPARE(decoded.format.lineEnd, lineEnd);
        QCOMPARE(decoded.format.encoding, encoding);
        QVERIFY(!decoded.format.mixedLineEnds);
        QVERIFY(!decoded.text.contains('\r'));
        QCOMPARE(encodeText(decoded.text, decoded.format), bytes);
    }

    void mixedLineEndsTakeTheCommonestKind_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("mostly crlf") << QByteArray("a\r\nb\r\nc\nd") << QByteArray("a\r\nb\r\nc\r\nd");
        QTest::newRow("mostly lf") << QByteArray("a\nb\nc\r\nd") << QByteArray("a\nb\nc\nd");
        QTest::newRow("tie goes to crlf") << QByteArray("a\nb\r\n") << QByteArray("a\r\nb\r\n");
    }
    void mixedLineEndsTakeTheCommonestKind() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        const DecodedText decoded = decodeBytes(bytes);
        QVERIFY(decoded.format.mixedLineEnds);
        QCOMPARE(encodeText(decoded.text, decoded.format), saved);
    }

    void byteOffsets_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("position");
        QTest::addColumn<qint64>("offset");
        QTest::newRow("lf line 2") << QByteArray("ab\ncd") << 4 << qint64(4);
        QTest::newRow("crlf line 2") << QByteArray("ab\r\ncd") << 4 << qint64(5);
        QTest::newRow("crlf line 3") << QByteArray("a\r\n\r\nxy") << 4 << qint64(6);
        QTest::newRow("after e acute") << QByteArray("\xc3\xa9x") << 1 << qint64(2);
        QTest::newRow("after note sign") << QByteArray("\xe2\x99\xa9x") << 1 << qint64(3);
        QTest::newRow("after clef (surrogates)") << QByteArray("\xf0\x9d\x84\x9ex") << 2 << qint64(4);
        QTest::newRow("latin-1 byte") << QByteArray("\xe9\r\nx") << 3 << qint64(4);
        QTest::newRow("end") << QByteArray("\xc3\xa9\r\n") << 2 << qint64(4);
    }
    void byteOffsets() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, position);
        QFETCH(qint64, offset);
        const DecodedText decoded = decodeBytes(bytes);
        QCOMPARE(byteOffsetOf(decoded.text, position, decoded.format), offset);
        QCOMPARE(positionOfByte(decoded.text, offset, decoded.format), position);
    }

    void offsetsInsideACharacterGiveItsStart_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<int>("position");
        QTest::newRow("between cr and lf") << QByteArray("ab\r\ncd") << qint64(3) << 2;
        QTest::newRow("inside e acute") << QByteArray("x\xc3\xa9y") << qint64(2) << 1;
        QTest::newRow("inside clef") << QByteArray("\xf0\x9d\x84\x9ey") << qint64(3) << 0;
        QTest::newRow("past the end") << QByteArray("ab") << qint64(10) << 2;
    }
    void offsetsInsideACharacterGiveItsStart() {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, offset);
        QFETCH(int, position);
        const DecodedText decoded = decodeBytes(bytes);
        QCOMPARE(positionOfByte(decoded.text, offset, decoded.format), position);
    }

    void byteDocumentsCannotStoreWideCharacters() {
        QVERIFY(canEncode(QStringLiteral("caf\u00e9"), TextEncoding::Bytes));
        QVERIFY(!canEncode(QStringLiteral("\u2669"), TextEncoding::Bytes));
        QVERIFY(canEncode(QStringLiteral("\u2669"), TextEncoding::Utf8));
    }
};

QTEST_GUILESS_MAIN(TestTextBytes)
#include "tst_textbytes.moc"
