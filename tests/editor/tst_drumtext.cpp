// Drum text generation: the figure, pattern, drum part and program texts,
// byte for byte, and the seed rules.
#include "drums/drum_seeds.h"
#include "drums/drum_text.h"

#include <QtTest>

using namespace vek::editor;

namespace {

DrumFigure figure(const QString &name, int beatMode, int seed, int firstFrequency = 999) {
    DrumFigure f;
    f.name = name;
    f.instrument = QStringLiteral("Snare");
    f.beatMode = beatMode;
    f.seed = seed;
    for (int i = 0; i < kFrequencies; ++i)
        f.frequencies[i] = i;
    f.frequencies[0] = firstFrequency;
    return f;
}

DrumPattern pattern(int beatMode) {
    DrumPattern p;
    p.name = QStringLiteral("P");
    for (int i = 0; i < 4; ++i)
        p.figures[i] = figure(QStringLiteral("F%1").arg(i + 1), beatMode, i);
    return p;
}

const InstrumentTexts kInstruments = [](const QString &name) { return QStringLiteral("<%1>").arg(name); };

const QString kSixteenFigure = QStringLiteral(
    "{_drumfigure_'F1',set dr { !!64 <Snare> }\r\n{_freq16_,999,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,0,=,=,=}}");

}  // namespace

class TestDrumText : public QObject {
    Q_OBJECT

private slots:
    void figureTexts() {
        QCOMPARE(figureText(figure(QStringLiteral("F1"), kSixteenBeat, 0), QStringLiteral("<Snare>")), kSixteenFigure);
        // 12 beat writes only frequencies 0-7; any other mode does the same.
        const QString twelve = QStringLiteral(
            "{_drumfigure_'A b',set dr { !!64 x }\r\n{_freq8_,5,1,2,3,4,5,6,7,32767,=,=,=}}");
        QCOMPARE(figureText(figure(QStringLiteral("A b"), kTwelveBeat, 32767, 5), QStringLiteral("x")), twelve);
        QCOMPARE(figureText(figure(QStringLiteral("A b"), 7, 32767, 5), QStringLiteral("x")), twelve);
        // A quote of the name's own would end the comment that holds it.
        QVERIFY(figureText(figure(QStringLiteral("Rock 'n' Roll"), 1, 0), QStringLiteral("x"))
                    .startsWith(QStringLiteral("{_drumfigure_'Rock `n` Roll',set dr")));
    }

    void patternWithAnEmptySecondFigureAndACrash() {
        DrumPattern p = pattern(kSixteenBeat);
        p.figures[1].name = QStringLiteral(" ");  // one blank counts as empty
        p.figures[2].name.clear();
        p.trailingCrash = 1;
        const QString expected = QStringLiteral("{_drumpattern_,\r\n") + kSixteenFigure +
                                 QStringLiteral(",\r\n,\r\n,\r\n") + figureText(p.figures[3], QStringLiteral("<Snare>")) +
                                 QStringLiteral(",\r\n, [ 15 [{crashCymbal2}*15] ],16 }");
        QCOMPARE(patternText(p, kInstruments), expected);
        DrumPattern twelve = pattern(kTwelveBeat);
        QVERIFY(patternText(twelve, kInstruments).endsWith(QStringLiteral("}},\r\n, ,12}")));
        twelve.trailingCrash = 1;
        QVERIFY(patternText(twelve, kInstruments).endsWith(QStringLiteral("}},\r\n, [ 11 [{crashCymbal2}*11] ],12}")));
    }

    void partSequenceArguments_data() {
        QTest::addColumn<int>("repeatsA");
        QTest::addColumn<int>("repeatsB");
        QTest::addColumn<int>("breakEvery");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("ending");
        QTest::addColumn<QString>("arguments");
        QTest::newRow("plain") << 3 << 1 << 4 << 10 << 0 << "3,1,3,10~ } ";
        QTest::newRow("break every 0 never comes") << 2 << 2 << 0 << 8 << 0 << "2,2,9999,8~ } ";
        QTest::newRow("ending takes the last pattern") << 2 << 2 << 4 << 8 << 1 << "2,2,3,7~ } ";
        QTest::newRow("ending alone cannot count -1") << 1 << 0 << 4 << 0 << 1 << "1,0,3,0~ } ";
    }
    void partSequenceArguments() {
        QFETCH(int, repeatsA);
        QFETCH(int, repeatsB);
        QFETCH(int, breakEvery);
        QFETCH(int, total);
        QFETCH(int, ending);
        QFETCH(QString, arguments);
        DrumPart part;
        part.a = part.b = part.x = pattern(kSixteenBeat);
        std::tie(part.repeatsA, part.repeatsB, part.breakEvery, part.total, part.ending) =
            std::tie(repeatsA, repeatsB, breakEvery, total, ending);
        const QString text = partText(part, kInstruments);
        QVERIFY(text.startsWith(QStringLiteral("set _dpA_ {\r\n{_drumpattern_,")));
        const QString call = QStringLiteral("}\r\n1 {_drumSeq_,") + arguments;
        QVERIFY2(text.contains(call), qPrintable(text.right(60)));
        QCOMPARE(part.breakEvery, breakEvery == 0 ? 10000 : breakEvery);
        QVERIFY(text.endsWith(ending ? QStringLiteral("] |\r\n") : call + QStringLiteral(" |-\r\n")));
    }

    void bothRepeatsZeroLeaveOnlyTheClose() {
        DrumPart part;
        part.a = part.b = part.x = pattern(kTwelveBeat);
        part.total = 8;
        QCOMPARE(partText(part, kInstruments), QStringLiteral(" |-\r\n"));
        part.ending = 1;
        part.seed = 0x1234;
        QCOMPARE(partText(part, kInstruments), endingText(kTwelveBeat, 0x1234));
    }

    void endingSeedsInOrder() {
        QVERIFY(endingText(kTwelveBeat, 5).contains(QStringLiteral("{_freq4_,2,1,1,1,5}},\r\n{_drumfigure_,set dr { !!64 _KickDrums }\r\n{_freq4_,2,1,1,1,13110}}")));
        QVERIFY(endingText(kSixteenBeat, 0).endsWith(QStringLiteral("{_freq8_,1,1,1,1,1,1,1,1,26214,=,=,=}},\r\n, [ 11 [{crashCymbal2}*16] ],12} ] |\r\n")));
        QCOMPARE(endingText(2, 5), QString());
    }

    void programTexts() {
        const DrumFigure f = figure(QStringLiteral("F1"), kSixteenBeat, 0);
        QCOMPARE(insertedFigureProgram(f, QStringLiteral("<Snare>"), 120),
                 QStringLiteral("include gm.vek\r\n\t\tinclude builtins.vek\r\n\t\t$$10 tempo=120\r\n"
                                " duration /4\ttempo=100  [!30 highWoodBlock 4]15 1 [ ") + kSixteenFigure + QStringLiteral(" 16 ]4"));
        DrumFigure twelve = figure(QStringLiteral("F1"), kTwelveBeat, 0);
        QVERIFY(auditionedFigureProgram(twelve, QStringLiteral("x"), 120).contains(QStringLiteral("\r\n duration /3 \r\n [2 [!30 highWoodBlock 3]16 ] [ {")));
        const DrumPattern p = pattern(kTwelveBeat);
        QCOMPARE(patternProgram(p, kInstruments, 96),
                 QStringLiteral("include gm.vek\r\ninclude builtins.vek\r\n$$10  duration /3  tempo=96\r\n1 [ ") +
                     patternText(p, kInstruments) + QStringLiteral(" ]"));
    }

    void otherBeatModesGiveTheIncludeLinesAlone() {
        const DrumFigure f = figure(QStringLiteral("F1"), 2, 0);
        QCOMPARE(insertedFigureProgram(f, QStringLiteral("x"), 120),
                 QStringLiteral("include gm.vek\r\n\t\tinclude builtins.vek\r\n\t\t$$10 tempo=120\r\n"));
        DrumPattern p = pattern(2);
        QCOMPARE(patternProgram(p, kInstruments, 120), QStringLiteral("include gm.vek\r\ninclude builtins.vek\r\n$$10 "));
        DrumPart part;
        part.a = p;
        QCOMPARE(partProgram(part, kInstruments), QStringLiteral("include gm.vek\r\ninclude builtins.vek\r\n$$10 "));
    }

    // The shared tempo is 0 until the drum machine has shown a part, and the
    // part dialog takes up to 250; the compiler takes 10 to 240.
    void programsCarryAValidTempo_data() {
        QTest::addColumn<int>("bpm");
        QTest::addColumn<int>("written");
        QTest::newRow("unset") << 0 << 130;
        QTest::newRow("below the range") << 9 << 10;
        QTest::newRow("the dialog's top") << 250 << 240;
    }
    void programsCarryAValidTempo() {
        QFETCH(int, bpm);
        QFETCH(int, written);
        const QString tempo = QStringLiteral("tempo=%1\r\n").arg(written);
        QVERIFY(insertedFigureProgram(figure(QStringLiteral("F"), kSixteenBeat, 0), QStringLiteral("x"), bpm).contains(tempo));
        QVERIFY(patternProgram(pattern(kSixteenBeat), kInstruments, bpm).contains(tempo));
        DrumPart part;
        part.a = pattern(kTwelveBeat);
        part.tempo = bpm;
        QVERIFY(partProgram(part, kInstruments).contains(QStringLiteral("tempo=%1   \r\n").arg(written)));
    }

    void seedRules() {
        DrumPattern p = pattern(kSixteenBeat);
        reseedPattern(p, 0x1234);
        QCOMPARE(p.seed, 0x1234);
        QCOMPARE((QList<int>{p.figures[0].seed, p.figures[1].seed, p.figures[2].seed, p.figures[3].seed}),
                 (QList<int>{0x1234, 0x0325, 0x3016, 0x5670}));
        reseedPattern(p, 1, {false, true, false, true});  // held figures keep theirs
        QCOMPARE((QList<int>{p.figures[0].seed, p.figures[1].seed, p.figures[2].seed, p.figures[3].seed}),
                 (QList<int>{1, 0x0325, 0x2223, 0x5670}));

        DrumPart part;
        part.seed = 0x0F0F;
        part.b.seed = 7;
        reseedPart(part, {false, true, false});
        QCOMPARE((QList<int>{part.a.figures[3].seed, part.b.seed, part.x.figures[1].seed}),
                 (QList<int>{0x0F0F ^ 0x4444, 7, 0x0F0F ^ 0x5555 ^ 0x1111}));
        QCOMPARE(endingSeeds(0x7FFF), (std::array<int, 3>{0x7FFF, 0x4CCC, 0x1999}));
    }
};

QTEST_GUILESS_MAIN(TestDrumText)
#include "tst_drumtext.moc"
