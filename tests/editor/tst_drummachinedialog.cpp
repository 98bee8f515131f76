// DrumMachineDialog: patterns edited in nested dialogs (three deep) and
// held through Play New, range refusals, the drum tempo it shares, the
// short list and the end of the audition when it closes.
#include "drum_test_support.h"
#include "drums/drum_machine_dialog.h"
#include "drums/drum_text.h"
#include "drums/figure_dialog.h"
#include "drums/pattern_dialog.h"

#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

namespace ids = vek::editor::drum_ids::machine;
namespace patternIds = vek::editor::drum_ids::pattern;
namespace figureIds = vek::editor::drum_ids::figure;

QList<int> seeds(const DrumPattern &pattern) {
    QList<int> result{pattern.seed};
    for (const DrumFigure &figure : pattern.figures)
        result << figure.seed;
    return result;
}

}  // namespace

class TestDrumMachineDialog : public QObject {
    Q_OBJECT

private slots:
    void opensOnEntryOneAndSharesItsTempo() {
        DrumFixture fixture;
        DrumMachineDialog dialog(fixture.session);
        QVERIFY(dialog.initialise());
        const DrumPart loaded = fixture.session.library().loadPart(comboText(dialog, ids::kName));
        QVERIFY(!loaded.name.isEmpty());
        QCOMPARE(text(dialog, ids::kTempo), QString::number(loaded.tempo));
        QCOMPARE(fixture.session.tempo(), loaded.tempo);
        QCOMPARE(text(dialog, ids::kPatterns[0].name), loaded.a.name);

        // The tempo collected here is the one a nested pattern plays at.
        type(dialog, ids::kTempo, QStringLiteral("200"));
        click(dialog, ids::kPlayThis);
        QCOMPARE(fixture.session.tempo(), 200);
        fixture.prompts.dialog = [](QDialog &shown) {
            click(shown, patternIds::kPlayThis);
            click(shown, 2);
            return shown.result();
        };
        click(dialog, ids::kPatterns[0].edit);
        QCOMPARE(fixture.played.size(), 2);
        QVERIFY(fixture.played[1].contains(QStringLiteral("tempo=200\r\n")));
    }

    void aShortListLoadsNothing() {
        DrumFixture fixture;
        fixture.library("[drum part]\nOnly=A,1,B,1,X,4,8,0,5,90\n");
        DrumMachineDialog dialog(fixture.session);
        QVERIFY(dialog.initialise());
        QCOMPARE(dialog.part().name, QString());
        QCOMPARE(text(dialog, ids::kTempo), QStringLiteral("130"));
        QCOMPARE(fixture.session.tempo(), 130);
        QVERIFY(fixture.messages.messages.isEmpty());
    }

    void anEditedPatternIsHeldThroughPlayNew() {
        DrumFixture fixture;
        DrumMachineDialog dialog(fixture.session);
        QVERIFY(dialog.initialise());
        const QString handedIn = dialog.part().b.name;
        QString shown;
        fixture.prompts.dialog = [&](QDialog &nested) {
            shown = comboText(nested, patternIds::kName);
            type(nested, patternIds::kSeed, QStringLiteral("777"));
            click(nested, patternIds::kPlayThis);  // collects the new seed
            click(nested, 1);
            return nested.result();
        };
        click(dialog, ids::kPatterns[1].edit);
        QCOMPARE(shown, handedIn);
        QVERIFY(checked(dialog, ids::kPatterns[1].hold));
        const QList<int> edited = seeds(dialog.part().b);
        QCOMPARE(edited.first(), 777);

        click(dialog, ids::kPlayNew);
        const DrumPart &part = dialog.part();
        QCOMPARE(text(dialog, ids::kSeed), QString::number(part.seed));
        QCOMPARE(part.a.seed, part.seed);
        QCOMPARE(part.x.seed, part.seed ^ 0x5555);
        QCOMPARE(seeds(part.b), edited);
        DrumPart played = part;
        QCOMPARE(fixture.played.last(), partProgram(played, fixture.session.instruments()));
    }

    void editsNestThreeDeepWithCopies() {
        DrumFixture fixture;
        DrumMachineDialog dialog(fixture.session);
        QVERIFY(dialog.initialise());
        const DrumPart before = dialog.part();
        fixture.prompts.dialog = [&](QDialog &nested) {
            if (auto *figure = dynamic_cast<DrumFigureDialog *>(&nested)) {
                type(*figure, figureIds::kSeed, QStringLiteral("12345"));
                click(*figure, 1);
            } else {
                click(nested, patternIds::kFigures[0].edit);
                click(nested, 1);
            }
            return nested.result();
        };
        click(dialog, ids::kPatterns[0].edit);
        QCOMPARE(fixture.prompts.dialogs, 2);
        QCOMPARE(dialog.part().a.figures[0].seed, 12345);
        QCOMPARE(dialog.part().a.figures[1].seed, before.a.figures[1].seed);
        QVERIFY(checked(dialog, ids::kPatterns[0].hold));
        QVERIFY(!checked(dialog, ids::kPatterns[2].hold));
        QCOMPARE(seeds(dialog.part().x), seeds(before.x));
    }

    void rangeRefusalKeepsTheDialogOpen_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("range");
        QTest::addColumn<bool>("seedTaken");
        QTest::newRow("repeats B") << ids::kRepeatsB << "10001" << "0 and 10000" << false;
        QTest::newRow("break every") << ids::kBreakEvery << "-1" << "0 and 10000" << false;
        QTest::newRow("total") << ids::kTotal << "20000" << "0 and 10000" << false;
        QTest::newRow("seed") << ids::kSeed << "32768" << "0 and 32767" << false;
        QTest::newRow("slow tempo") << ids::kTempo << "9" << "10 and 250" << true;
        QTest::newRow("fast tempo") << ids::kTempo << "251" << "10 and 250" << true;
    }
    void rangeRefusalKeepsTheDialogOpen() {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, range);
        QFETCH(bool, seedTaken);
        DrumFixture fixture;
        DrumMachineDialog dialog(fixture.session);
        QVERIFY(dialog.initialise());
        const DrumPart before = dialog.part();
        type(dialog, ids::kRepeatsA, QStringLiteral("5"));
        type(dialog, ids::kSeed, QStringLiteral("99"));
        type(dialog, field, typed);
        click(dialog, 1);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(fixture.messages.messages, QStringList(QStringLiteral("Please enter an integer between %1.").arg(range)));
        QCOMPARE(fixture.stops, 0);
        QCOMPARE(dialog.part().repeatsA, 5);
        QCOMPARE(dialog.part().seed, seedTaken ? 99 : before.seed);
        QCOMPARE(dialog.part().tempo, before.tempo);
    }

    void closingEndsTheAudition_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << 1 << int(QDialog::Accepted);
        QTest::newRow("Cancel") << 2 << int(QDialog::Rejected);
    }
    void closingEndsTheAudition() {
        QFETCH(int, button);
        QFETCH(int, result);
        DrumFixture fixture;
        DrumMachineDialog dialog(fixture.session);
        QVERIFY(dialog.initialise());
        const int ending = dialog.part().ending;
        click(dialog, ids::kEnding);
        click(dialog, button);
        QCOMPARE(dialog.result(), result);
        QCOMPARE(fixture.stops, 1);
        QCOMPARE(dialog.part().ending, button == 1 ? 1 - ending : ending);  // only OK collects
    }

    void reviewShowsWithoutPlaying() {
        DrumFixture fixture;
        DrumMachineDialog dialog(fixture.session);
        QVERIFY(dialog.initialise());
        click(dialog, ids::kShortlist);
        type(dialog, ids::kTempo, QStringLiteral("180"));
        click(dialog, ids::kPlayThis);
        QCOMPARE(fixture.session.tempo(), 180);
        click(dialog, ids::kReview);
        QCOMPARE(fixture.played.size(), 1);
        QCOMPARE(text(dialog, ids::kTempo), QString::number(fixture.session.tempo()));
        QVERIFY(fixture.session.tempo() != 180);
    }
};

QTEST_MAIN(TestDrumMachineDialog)
#include "tst_drummachinedialog.moc"
