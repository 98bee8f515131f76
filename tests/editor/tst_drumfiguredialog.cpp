// DrumFigureDialog: the entry it opens on, the short list, range refusals,
// new seeds and the beat mode's view.
#include "drum_test_support.h"
#include "drums/drum_text.h"
#include "drums/figure_dialog.h"
#include "drums/step_picture.h"

#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

// Figures listed out of order: sorted with case ignored, entry 5 is "f".
const QByteArray kSevenFigures =
    "[drum instrument]\nSnare=acousticSnare\nHat=closedHiHat\n"
    "[drumfigure]\n"
    "f=1,999,0,3,0,999,0,3,0,999,0,3,0,999,0,3,0,Hat,600\n"
    "B=0,1,1,1,1,1,1,1,1,0,0,0,0,0,0,0,0,Snare,2\n"
    "d=0,1,1,1,1,1,1,1,1,0,0,0,0,0,0,0,0,Snare,4\n"
    "A=0,1,1,1,1,1,1,1,1,0,0,0,0,0,0,0,0,Snare,1\n"
    "e=0,1,1,1,1,1,1,1,1,0,0,0,0,0,0,0,0,Snare,5\n"
    "C=0,1,1,1,1,1,1,1,1,0,0,0,0,0,0,0,0,Snare,3\n"
    "g=0,1,1,1,1,1,1,1,1,0,0,0,0,0,0,0,0,Snare,7\n";

namespace ids = vek::editor::drum_ids::figure;

}  // namespace

class TestDrumFigureDialog : public QObject {
    Q_OBJECT

private slots:
    void opensOnEntryFiveOfTheSortedList() {
        DrumFixture fixture;
        fixture.library(kSevenFigures);
        DrumFigureDialog dialog(fixture.session, DrumFigure{}, true);
        QVERIFY(dialog.initialise());
        QCOMPARE(dialog.figure().name, QStringLiteral("f"));
        QCOMPARE(comboText(dialog, ids::kName), QStringLiteral("f"));
        QCOMPARE(comboText(dialog, ids::kInstrument), QStringLiteral("Hat"));
        QCOMPARE(text(dialog, ids::kSeed), QStringLiteral("600"));
        QVERIFY(checked(dialog, ids::kSixteenButton));
        const auto *names = control<QComboBox>(dialog, ids::kName);
        QCOMPARE(names->itemText(0), QStringLiteral("A"));
        QCOMPARE(names->itemText(6), QStringLiteral("g"));
    }

    void aShortListGivesAnEmptyFigure() {
        DrumFixture fixture;
        fixture.library("[drum instrument]\nHat=closedHiHat\n[drumfigure]\nOne=1,9,9,9,9,9,9,9,9,9,9,9,9,9,9,9,9,Hat,5\n");
        DrumFigureDialog dialog(fixture.session, DrumFigure{}, true);
        QVERIFY(dialog.initialise());
        QCOMPARE(dialog.figure().name, QString());
        QCOMPARE(dialog.figure().seed, 0);
        QCOMPARE(text(dialog, ids::kFrequencies[0]), QStringLiteral("0"));
        QVERIFY(checked(dialog, ids::kTwelveButton));
        QVERIFY(fixture.messages.messages.isEmpty());
    }

    void withoutFiguresTheDialogClosesAtOnce() {
        DrumFixture fixture;
        fixture.library("[drum instrument]\nHat=closedHiHat\n");
        DrumFigureDialog dialog(fixture.session, DrumFigure{}, true);
        QCOMPARE(dialog.run(), int(QDialog::Rejected));
        QCOMPARE(fixture.prompts.dialogs, 0);
        QCOMPARE(fixture.messages.messages,
                 QStringList(QStringLiteral("Either %1 does not exist or it contains no drumfigure")
                                 .arg(QDir::toNativeSeparators(fixture.program.drumLibraryPath()))));
    }

    void reviewStepsBackFromTheNewestAndNeverReachesTheOldestSlot() {
        DrumFixture fixture;
        DrumFigureDialog dialog(fixture.session, DrumFigure{}, true);
        QVERIFY(dialog.initialise());
        type(dialog, ids::kSeed, QStringLiteral("44"));
        click(dialog, ids::kReview);  // nothing listed yet: nothing happens
        QCOMPARE(text(dialog, ids::kSeed), QStringLiteral("44"));

        // Snapshots 0 to 20 carry their number as seed; 20 overwrote slot 0.
        for (int snapshot = 0; snapshot <= 20; ++snapshot) {
            type(dialog, ids::kSeed, QString::number(snapshot));
            click(dialog, ids::kPlayThis);  // collects
            click(dialog, ids::kShortlist);
        }
        QCOMPARE(dialog.shortList().count(), 19);
        QList<int> shown;
        for (int i = 0; i < 20; ++i) {
            click(dialog, ids::kReview);
            shown << text(dialog, ids::kSeed).toInt();
        }
        QList<int> expected{20};
        for (int slot = 18; slot >= 1; --slot)
            expected << slot;
        expected << 20;
        QCOMPARE(shown, expected);
        QVERIFY(!shown.contains(19));
        QCOMPARE(fixture.played.size(), 21);  // Review does not play
    }

    void rangeRefusalKeepsTheDialogOpen_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString frequencies = QStringLiteral("Please enter an integer between 0 and 999.");
        QTest::newRow("frequency above 999") << ids::kFrequencies[7] << "1000" << frequencies;
        QTest::newRow("negative frequency") << ids::kFrequencies[2] << "-1" << frequencies;
        QTest::newRow("seed above 32767") << ids::kSeed << "32768" << "Please enter an integer between 0 and 32767.";
        QTest::newRow("empty seed") << ids::kSeed << "" << "Please enter an integer.";
    }
    void rangeRefusalKeepsTheDialogOpen() {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        DrumFixture fixture;
        DrumFigureDialog dialog(fixture.session, DrumFigure{}, true);
        QVERIFY(dialog.initialise());
        const DrumFigure before = dialog.figure();
        type(dialog, ids::kFrequencies[0], QStringLiteral("7"));
        type(dialog, ids::kSeed, QStringLiteral("9"));
        type(dialog, field, typed);
        click(dialog, 1);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(fixture.messages.messages, QStringList(message));
        // The fields before the refused one were taken, the rest were not.
        QCOMPARE(dialog.figure().frequencies[0], 7);
        QCOMPARE(dialog.figure().seed, before.seed);
        click(dialog, ids::kPlayThis);
        QVERIFY(fixture.played.isEmpty());
        type(dialog, field, QStringLiteral("5"));
        click(dialog, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void playNewDrawsASeedAndPlaysTheFigure() {
        DrumFixture fixture;
        DrumFigureDialog dialog(fixture.session, DrumFigure{}, true);
        QVERIFY(dialog.initialise());
        click(dialog, ids::kPlayNew);
        const int first = dialog.figure().seed;
        QCOMPARE(text(dialog, ids::kSeed), QString::number(first));
        const QString instrument = fixture.session.library().instrumentText(dialog.figure().instrument);
        QCOMPARE(fixture.played, QStringList(auditionedFigureProgram(dialog.figure(), instrument, 0)));
        click(dialog, ids::kPlayNew);
        QVERIFY(dialog.figure().seed != first);
        QCOMPARE(fixture.played.size(), 2);
    }

    void theBeatModeSwitchesColumnAndSteps() {
        DrumFixture fixture;
        fixture.library(kSevenFigures);
        DrumFigureDialog dialog(fixture.session, DrumFigure{}, true);
        QVERIFY(dialog.initialise());  // "f", 16 beat
        const auto *ninth = control<QLineEdit>(dialog, ids::kFrequencies[8]);
        const auto *picture = dialog.findChild<StepPicture *>();
        QVERIFY(ninth->isVisibleTo(&dialog));
        QCOMPARE(picture->steps(), 16);
        click(dialog, ids::kTwelveButton);
        QVERIFY(!ninth->isVisibleTo(&dialog));
        QCOMPARE(picture->steps(), 12);
        QCOMPARE(dialog.figure().beatMode, kSixteenBeat);  // taken when collected
        click(dialog, ids::kPlayThis);
        QCOMPARE(dialog.figure().beatMode, kTwelveBeat);
        QVERIFY(fixture.played.value(0).contains(QStringLiteral("_freq8_,999,0,3,0,999,0,3,0,600,")));
    }
};

QTEST_MAIN(TestDrumFigureDialog)
#include "tst_drumfiguredialog.moc"
