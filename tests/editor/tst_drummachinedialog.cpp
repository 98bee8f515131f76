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

constexpr int kName = 1106, kRepeatsA = 1118, kRepeatsB = 1119, kBreakEvery = 1024, kTotal = 1050;
constexpr int kEnding = 1117, kSeed = 1108, kTempo = 1127;
constexpr int kPlayNew = 1097, kPlayThis = 1098, kShortlist = 1099, kReview = 1100;
constexpr std::array<int, 3> kEdit{1109, 1110, 1111};
constexpr std::array<int, 3> kHold{1113, 1114, 1115};

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
        const DrumPart loaded = fixture.session.library().loadPart(comboText(dialog, kName));
        QVERIFY(!loaded.name.isEmpty());
        QCOMPARE(text(dialog, kTempo), QString::number(loaded.tempo));
        QCOMPARE(fixture.session.tempo(), loaded.tempo);
        QCOMPARE(text(dialog, 1102), loaded.a.name);

        // The tempo collected here is the one a nested pattern plays at.
        type(dialog, kTempo, QStringLiteral("200"));
        click(dialog, kPlayThis);
        QCOMPARE(fixture.session.tempo(), 200);
        fixture.prompts.dialog = [](QDialog &shown) {
            click(shown, 1048);  // Play This
            click(shown, 2);
            return shown.result();
        };
        click(dialog, kEdit[0]);
        QCOMPARE(fixture.played.size(), 2);
        QVERIFY(fixture.played[1].contains(QStringLiteral("tempo=200\r\n")));
    }

    void aShortListLoadsNothing() {
        DrumFixture fixture;
        fixture.library("[drum part]\nOnly=A,1,B,1,X,4,8,0,5,90\n");
        DrumMachineDialog dialog(fixture.session);
        QVERIFY(dialog.initialise());
        QCOMPARE(dialog.part().name, QString());
        QCOMPARE(text(dialog, kTempo), QStringLiteral("130"));
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
            shown = comboText(nested, 1031);
            type(nested, 1050, QStringLiteral("777"));
            click(nested, 1048);  // Play This collects the new seed
            click(nested, 1);
            return nested.result();
        };
        click(dialog, kEdit[1]);
        QCOMPARE(shown, handedIn);
        QVERIFY(checked(dialog, kHold[1]));
        const QList<int> edited = seeds(dialog.part().b);
        QCOMPARE(edited.first(), 777);

        click(dialog, kPlayNew);
        const DrumPart &part = dialog.part();
        QCOMPARE(text(dialog, kSeed), QString::number(part.seed));
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
                type(*figure, 1086, QStringLiteral("12345"));
                click(*figure, 1);
            } else {
                click(nested, 1036);  // Edit figure 1
                click(nested, 1);
            }
            return nested.result();
        };
        click(dialog, kEdit[0]);
        QCOMPARE(fixture.prompts.dialogs, 2);
        QCOMPARE(dialog.part().a.figures[0].seed, 12345);
        QCOMPARE(dialog.part().a.figures[1].seed, before.a.figures[1].seed);
        QVERIFY(checked(dialog, kHold[0]));
        QVERIFY(!checked(dialog, kHold[2]));
        QCOMPARE(seeds(dialog.part().x), seeds(before.x));
    }

    void rangeRefusalKeepsTheDialogOpen_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("range");
        QTest::addColumn<bool>("seedTaken");
        QTest::newRow("repeats B") << kRepeatsB << "10001" << "0 and 10000" << false;
        QTest::newRow("break every") << kBreakEvery << "-1" << "0 and 10000" << false;
        QTest::newRow("total") << kTotal << "20000" << "0 and 10000" << false;
        QTest::newRow("seed") << kSeed << "32768" << "0 and 32767" << false;
        QTest::newRow("slow tempo") << kTempo << "9" << "10 and 250" << true;
        QTest::newRow("fast tempo") << kTempo << "251" << "10 and 250" << true;
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
        type(dialog, kRepeatsA, QStringLiteral("5"));
        type(dialog, kSeed, QStringLiteral("99"));
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
        click(dialog, kEnding);
        click(dialog, button);
        QCOMPARE(dialog.result(), result);
        QCOMPARE(fixture.stops, 1);
        QCOMPARE(dialog.part().ending, button == 1 ? 1 - ending : ending);  // only OK collects
    }

    void reviewShowsWithoutPlaying() {
        DrumFixture fixture;
        DrumMachineDialog dialog(fixture.session);
        QVERIFY(dialog.initialise());
        click(dialog, kShortlist);
        type(dialog, kTempo, QStringLiteral("180"));
        click(dialog, kPlayThis);
        QCOMPARE(fixture.session.tempo(), 180);
        click(dialog, kReview);
        QCOMPARE(fixture.played.size(), 1);
        QCOMPARE(text(dialog, kTempo), QString::number(fixture.session.tempo()));
        QVERIFY(fixture.session.tempo() != 180);
    }
};

QTEST_MAIN(TestDrumMachineDialog)
#include "tst_drummachinedialog.moc"
