// ProfileFile: reading and writing with the classic profile semantics.
#include "editor_test_support.h"
#include "platform/profile_file.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

class TestProfileFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString profileWith(const QByteArray &bytes) {
        const QString path = m_dir.filePath(QStringLiteral("p%1.ini").arg(++m_count));
        writeFile(path, bytes);
        return path;
    }
    int m_count = 0;

private slots:
    void readString_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("case of section and key") << QByteArray("[Setup]\nPlayCommand=x\n") << "SETUP" << "playcommand" << "x";
        QTest::newRow("blanks around") << QByteArray("[a]\n  k  =  v w  \n") << "a" << "k" << "v w";
        QTest::newRow("quotes dropped") << QByteArray("[a]\nk=\"quoted\"\n") << "a" << "k" << "quoted";
        QTest::newRow("inner quotes kept") << QByteArray("[a]\nk=\"C:\\x y\" /Play\n") << "a" << "k" << "\"C:\\x y\" /Play";
        QTest::newRow("first of duplicates") << QByteArray("[a]\nk=1\nk=2\n[a]\nk=3\n") << "a" << "k" << "1";
        QTest::newRow("other section") << QByteArray("[a]\nk=1\n[b]\nk=2\n") << "b" << "k" << "2";
        QTest::newRow("missing key") << QByteArray("[a]\nj=1\n") << "a" << "k" << "default";
        QTest::newRow("missing section") << QByteArray("[b]\nk=1\n") << "a" << "k" << "default";
        QTest::newRow("comment is no key") << QByteArray("[a]\n;k=1\n") << "a" << "k" << "default";
        QTest::newRow("crlf file") << QByteArray("[a]\r\nk=v\r\n") << "a" << "k" << "v";
        QTest::newRow("utf-8 value") << QByteArray("[a]\nk=/home/m\xc3\xbcller\n") << "a" << "k" << QString::fromUtf8("/home/m\xc3\xbcller");
    }
    void readString() {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const ProfileFile profile(profileWith(file));
        QCOMPARE(profile.readString(section, key, QStringLiteral("default")), expected);
    }

    void readInt_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << QByteArray("k=12") << 12;
        QTest::newRow("negative") << QByteArray("k=-13") << -13;
        QTest::newRow("digits then text") << QByteArray("k=7px") << 7;
        QTest::newRow("no digits") << QByteArray("k=abc") << 0;
        QTest::newRow("empty value") << QByteArray("k=") << 99;
        QTest::newRow("missing") << QByteArray("j=1") << 99;
        QTest::newRow("huge") << QByteArray("k=99999999999") << INT_MAX;
    }
    void readInt() {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        const ProfileFile profile(profileWith("[s]\n" + value + "\n"));
        QCOMPARE(profile.readInt(QStringLiteral("s"), QStringLiteral("k"), 99), expected);
    }

    void keysInFileOrder() {
        const ProfileFile profile(profileWith("[x]\nz=1\n; note\na=2\nm\n[y]\nq=1\n"));
        QCOMPARE(profile.keys(QStringLiteral("X")), QStringList({"z", "a", "m"}));
        QCOMPARE(profile.sections(), QStringList({"x", "y"}));
    }

    void writeChangesOnlyItsLine() {
        const QByteArray before = "; settings\r\n[Settings]\r\nTabStops=32\r\n\r\n[Font]\r\nHeight=0\r\n";
        const QString path = profileWith(before);
        ProfileFile profile(path);
        QVERIFY(profile.writeInt(QStringLiteral("settings"), QStringLiteral("TABSTOPS"), 24));
        QCOMPARE(readFile(path), QByteArray("; settings\r\n[Settings]\r\nTabStops=24\r\n\r\n[Font]\r\nHeight=0\r\n"));
    }

    void writeNewKeyAndSection() {
        const QString path = profileWith("[Settings]\nTabStops=32\n\n[Font]\nHeight=0\n");
        ProfileFile profile(path);
        QVERIFY(profile.writeInt(QStringLiteral("Settings"), QStringLiteral("WordWrap"), 1));
        QVERIFY(profile.writeString(QStringLiteral("Setup"), QStringLiteral("Header"), QStringLiteral("File: &f")));
        QCOMPARE(readFile(path),
                 QByteArray("[Settings]\nTabStops=32\nWordWrap=1\n\n[Font]\nHeight=0\n\n[Setup]\nHeader=File: &f\n"));
        QCOMPARE(ProfileFile(path).readInt(QStringLiteral("settings"), QStringLiteral("wordwrap"), 0), 1);
    }

    void writeCreatesFolderAndFile() {
        const QString path = m_dir.filePath(QStringLiteral("new/folder/vekedit.ini"));
        ProfileFile profile(path);
        QVERIFY(profile.writeString(QStringLiteral("Setup"), QStringLiteral("DocumentPath"), QStringLiteral("/d")));
        QCOMPARE(readFile(path), QByteArray("[Setup]\nDocumentPath=/d\n"));
    }

    void lineBreaksInValueCannotSplitTheEntry() {
        const QString path = profileWith("[a]\n");
        ProfileFile profile(path);
        QVERIFY(profile.writeString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("x\n[b]\ny=1")));
        const ProfileFile again(path);
        QCOMPARE(again.sections(), QStringList({"a"}));
        QCOMPARE(again.readString(QStringLiteral("a"), QStringLiteral("k"), QString()), QStringLiteral("x [b] y=1"));
    }

    void removeKey() {
        const QString path = profileWith("[Recent File List]\nFile1=a\nFile2=b\n");
        ProfileFile profile(path);
        QVERIFY(profile.removeKey(QStringLiteral("recent file list"), QStringLiteral("file2")));
        QVERIFY(profile.removeKey(QStringLiteral("none"), QStringLiteral("x")));
        QCOMPARE(readFile(path), QByteArray("[Recent File List]\nFile1=a\n"));
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
