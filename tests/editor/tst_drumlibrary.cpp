// DrumLibrary and the record values of Drum.ini: listing, loading with
// defined values for whatever is missing or malformed, saving.
#include "drums/drum_formats.h"
#include "drums/drum_library.h"
#include "editor_test_support.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

QList<int> frequencies(const DrumFigure &f) { return QList<int>(f.frequencies.begin(), f.frequencies.end()); }

const QByteArray kLibrary =
    "[drum instrument]\nSnare=acousticSnare\n"
    "[drumfigure]\nHat=1,999,0,999,0,999,0,999,0,999,0,999,0,999,0,999,0,HiHat,12\n"
    "Back=0,0,0,0,0,999,0,0,0,0,0,0,0,0,0,0,0,Snare,7\n"
    "[drumpattern]\nBeat=Hat,Back,Gone,,44,1\n"
    "[drum part]\nSong=Beat,3,Beat,1,Nothing,8,16,1,99,120\n";

}  // namespace

class TestDrumLibrary : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString libraryWith(const QByteArray &bytes) {
        const QString path = m_dir.filePath(QStringLiteral("Machines%1/Drum.ini").arg(++m_count));
        QDir().mkpath(QFileInfo(path).path());
        writeFile(path, bytes);
        return path;
    }
    int m_count = 0;

private slots:
    void listing() {
        const DrumLibrary library(libraryWith(kLibrary + "[drumpattern]\n"));
        QCOMPARE(library.list(DrumLibrary::kFigures).names, QStringList({"Hat", "Back"}));
        QCOMPARE(library.list(DrumLibrary::kFigures).error, QString());
        const QString path = m_dir.filePath(QStringLiteral("none/Drum.ini"));
        const DrumListing missing = DrumLibrary(path).list(DrumLibrary::kParts);
        QVERIFY(missing.names.isEmpty());
        QCOMPARE(missing.error, QStringLiteral("Either %1 does not exist or it contains no drum part").arg(path));
        const DrumLibrary empty(libraryWith("[drumfigure]\n; nothing yet\n"));
        QCOMPARE(empty.list(DrumLibrary::kFigures).error,
                 QStringLiteral("Either %1 does not exist or it contains no drumfigure").arg(empty.path()));
    }

    void loadsAPartWithItsPatternsAndFigures() {
        const DrumLibrary library(libraryWith(kLibrary));
        const DrumPart part = library.loadPart(QStringLiteral("song"));
        QCOMPARE(part.name, QStringLiteral("song"));
        QCOMPARE((QList<int>{part.repeatsA, part.repeatsB, part.breakEvery, part.total, part.ending, part.seed, part.tempo}),
                 (QList<int>{3, 1, 8, 16, 1, 99, 120}));
        const DrumPattern &beat = part.a;
        QCOMPARE(beat.seed, 44);
        QCOMPARE(beat.trailingCrash, 1);
        QCOMPARE(beat.figures[0].instrument, QStringLiteral("HiHat"));
        QCOMPARE(beat.figures[0].beatMode, kSixteenBeat);
        QCOMPARE(beat.figures[1].frequencies[4], 999);
        QCOMPARE(beat.figures[1].seed, 7);
        QCOMPARE(library.instrumentText(beat.figures[1].instrument), QStringLiteral("acousticSnare"));
        QCOMPARE(library.instrumentText(beat.figures[0].instrument), QStringLiteral("Default"));
        QCOMPARE(beat.figures[3].name, QString());
    }

    // A name missing from its section, or a value cut short, leaves every
    // field it does not reach empty or zero (the tempo 130).
    void missingKeysGiveDefinedValues() {
        const DrumLibrary library(libraryWith(kLibrary));
        const DrumFigure gone = library.loadPattern(QStringLiteral("Beat")).figures[2];
        QCOMPARE(gone.name, QStringLiteral("Gone"));
        QCOMPARE(gone.instrument, QString());
        QCOMPARE(frequencies(gone), QList<int>(16, 0));
        QCOMPARE(gone.seed, 0);
        QCOMPARE(gone.beatMode, kTwelveBeat);
        const DrumPart nothing = library.loadPart(QStringLiteral("Nothing"));
        QCOMPARE(nothing.name, QStringLiteral("Nothing"));
        QCOMPARE((QList<int>{nothing.repeatsA, nothing.total, nothing.ending, nothing.seed, nothing.tempo}),
                 (QList<int>{0, 0, 0, 0, 130}));
        QCOMPARE(nothing.a.name, QString());
        const DrumPattern blank = library.loadPattern(QStringLiteral(" "));
        QCOMPARE(blank.name, QString());
        QCOMPARE(blank.figures[0].name, QString());
    }

    void malformedValues_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("beatMode");
        QTest::addColumn<QList<int>>("first");  // frequencies 0-2
        QTest::addColumn<QString>("instrument");
        QTest::addColumn<int>("seed");
        QTest::newRow("stops at a bad number") << "1,5,x,7" << 1 << QList<int>{5, 0, 0} << "" << 0;
        QTest::newRow("hex and octal as %i reads them") << "0x1,010,0x1F,08" << 1 << QList<int>{8, 31, 0} << "" << 0;
        QTest::newRow("ranges") << "1,1500,-4,3,0,0,0,0,0,0,0,0,0,0,0,0,0,Snare,70000" << 1 << QList<int>{999, 0, 3} << "Snare" << 32767;
        QTest::newRow("blanks around a name") << "0,1,2,3,0,0,0,0,0,0,0,0,0,0,0,0,0, Hat ,-1" << 0 << QList<int>{1, 2, 3} << "Hat" << 0;
        QTest::newRow("the missing key text") << "Default" << 0 << QList<int>{0, 0, 0} << "" << 0;
    }
    void malformedValues() {
        QFETCH(QString, value);
        QFETCH(int, beatMode);
        QFETCH(QList<int>, first);
        QFETCH(QString, instrument);
        QFETCH(int, seed);
        const DrumFigure f = parseFigure(value);
        QCOMPARE(f.beatMode, beatMode);
        QCOMPARE(frequencies(f).mid(0, 3), first);
        QCOMPARE(f.instrument, instrument);
        QCOMPARE(f.seed, seed);
    }

    void partValuesAreBroughtIntoRange() {
        const DrumPart part = parsePart(QStringLiteral("A,-2,B,20000,X,5,7,2,40000,300"));
        QCOMPARE((QList<int>{part.repeatsA, part.repeatsB, part.breakEvery, part.total, part.ending, part.seed, part.tempo}),
                 (QList<int>{0, 10000, 5, 7, 1, 32767, 250}));
        QCOMPARE(parsePart(QStringLiteral("A,1,B,1,X,5,7,0,1,0")).tempo, 130);
    }

    // 12 beat uses frequencies 0-7, but all 16 are kept.
    void twelveBeatFigureSavesSixteenFrequencies() {
        const QString path = libraryWith("[drumfigure]\n");
        DrumLibrary library(path);
        DrumFigure f;
        f.name = QStringLiteral("Slow");
        f.instrument = QStringLiteral("Snare");
        f.seed = 5;
        for (int i = 0; i < kFrequencies; ++i)
            f.frequencies[i] = 10 * i;
        QCOMPARE(library.saveFigure(f), QString());
        QCOMPARE(readFile(path), QByteArray("[drumfigure]\nSlow=0,0,10,20,30,40,50,60,70,80,90,100,110,120,130,140,150,Snare,5\n"));
        QCOMPARE(frequencies(DrumLibrary(path).loadFigure(QStringLiteral("Slow"))), frequencies(f));
    }

    void emptyFigureSlotsReadBack() {
        const QString path = libraryWith("");
        DrumLibrary library(path);
        DrumPattern p;
        p.name = QStringLiteral("Sparse");
        p.figures[0].name = QStringLiteral("A");
        p.figures[2].name = QStringLiteral("C");
        p.seed = 9;
        p.trailingCrash = 1;
        QCOMPARE(library.savePattern(p), QString());
        QVERIFY(readFile(path).contains("Sparse=A,,C,,9,1\n"));
        const DrumPattern back = DrumLibrary(path).loadPattern(QStringLiteral("Sparse"));
        QCOMPARE((QStringList{back.figures[0].name, back.figures[1].name, back.figures[2].name, back.figures[3].name}),
                 (QStringList{"A", "", "C", ""}));
        QCOMPARE(back.seed, 9);
        QCOMPARE(back.trailingCrash, 1);
    }

    // A comma would split the value and the fields after it would read back
    // wrongly, so such a record is refused; a record without a name is not
    // stored. Either way the file stays as it was.
    void commaInANameIsRefused() {
        const QString path = libraryWith(kLibrary);
        DrumLibrary library(path);
        QCOMPARE(library.saveFigure(DrumFigure{}), QString());
        QCOMPARE(library.savePart(DrumPart{}), QString());
        DrumFigure f = library.loadFigure(QStringLiteral("Back"));
        f.instrument = QStringLiteral("Snare, loud");
        QCOMPARE(library.saveFigure(f),
                 QStringLiteral("The name \"Snare, loud\" contains a comma, which separates the fields of Drum.ini."));
        DrumPattern p = library.loadPattern(QStringLiteral("Beat"));
        p.name = QStringLiteral("Beat, two");
        QVERIFY(!library.savePattern(p).isEmpty());
        p.name = QStringLiteral("Beat=2");
        QVERIFY(!library.savePattern(p).isEmpty());
        QCOMPARE(readFile(path), kLibrary);
    }
};

QTEST_GUILESS_MAIN(TestDrumLibrary)
#include "tst_drumlibrary.moc"
