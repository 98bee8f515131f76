// DrumPatternDialog: OK with the pattern as last collected, figures edited
// in a nested dialog and held, new seeds and Review.
#include "drum_test_support.h"
#include "drums/drum_text.h"
#include "drums/figure_dialog.h"
#include "drums/pattern_dialog.h"

#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

constexpr int kName = 1031, kSeed = 1050;
constexpr int kSave = 1049, kPlayNew = 1045, kPlayThis = 1048, kShortlist = 1046, kReview = 1047;
constexpr std::array<int, 4> kEdit{1036, 1037, 1038, 1039};
constexpr std::array<int, 4> kHold{1040, 1041, 1042, 1043};

QList<int> figureSeeds(const DrumPattern &pattern) {
    QList<int> seeds;
    for (const DrumFigure &figure : pattern.figures)
        seeds << figure.seed;
    return seeds;
}

QList<int> reseeded(int seed) { return {seed, seed ^ 0x1111, seed ^ 0x2222, seed ^ 0x4444}; }

}  // namespace

class TestDrumPatternDialog : public QObject {
    Q_OBJECT

private slots:
    void okKeepsThePatternAsLastCollected() {
        DrumFixture fixture;
        DrumPatternDialog dialog(fixture.session, DrumPattern{}, true);
        QVERIFY(dialog.initialise());
        const DrumPattern loaded = fixture.session.library().loadPattern(comboText(dialog, kName));
        QVERIFY(!loaded.name.isEmpty());
        type(dialog, kSeed, QStringLiteral("32768"));
        click(dialog, 1);  // refused: the dialog stays open
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(fixture.messages.messages, QStringList("Please enter an integer between 0 and 32767."));
        type(dialog, kSeed, QStringLiteral("4242"));
        click(dialog, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.pattern().seed, loaded.seed);
        QCOMPARE(figureSeeds(dialog.pattern()), figureSeeds(loaded));

        DrumPatternDialog played(fixture.session, DrumPattern{}, true);
        QVERIFY(played.initialise());
        type(played, kSeed, QStringLiteral("100"));
        click(played, kPlayThis);
        type(played, kSeed, QStringLiteral("4242"));
        click(played, 1);
        QCOMPARE(played.pattern().seed, 100);
        QCOMPARE(figureSeeds(played.pattern()), reseeded(100));
    }

    void aFigureEditedInItsDialogComesBackHeld_data() {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void aFigureEditedInItsDialogComesBackHeld() {
        QFETCH(bool, accepted);
        DrumFixture fixture;
        DrumPatternDialog dialog(fixture.session, DrumPattern{}, true);
        QVERIFY(dialog.initialise());
        const DrumPattern before = dialog.pattern();
        QString handedIn;
        bool fromMenu = true;
        fixture.prompts.dialog = [&](QDialog &shown) {
            auto &figure = dynamic_cast<DrumFigureDialog &>(shown);
            handedIn = comboText(figure, 1054);
            fromMenu = figure.openedFromMenu();
            type(figure, 1086, QStringLiteral("31000"));
            click(figure, accepted ? 1 : 2);
            return figure.result();
        };
        click(dialog, kEdit[1]);
        QCOMPARE(handedIn, before.figures[1].name);
        QVERIFY(!fromMenu);
        QCOMPARE(dialog.pattern().figures[1].seed, accepted ? 31000 : before.figures[1].seed);
        QCOMPARE(checked(dialog, kHold[1]), accepted);
        QCOMPARE(dialog.holds()[1], accepted);
    }

    void playNewReseedsAllButTheHeldFigures() {
        DrumFixture fixture;
        DrumPatternDialog dialog(fixture.session, DrumPattern{}, true);
        QVERIFY(dialog.initialise());
        const int heldSeed = dialog.pattern().figures[2].seed;
        click(dialog, kHold[2]);
        click(dialog, kPlayNew);
        const DrumPattern &now = dialog.pattern();
        QCOMPARE(text(dialog, kSeed), QString::number(now.seed));
        QList<int> expected = reseeded(now.seed);
        expected[2] = heldSeed;
        QCOMPARE(figureSeeds(now), expected);
        QCOMPARE(fixture.played, QStringList(patternProgram(now, fixture.session.instruments(), 0)));
    }

    void reviewShowsAndPlaysTheSnapshot() {
        DrumFixture fixture;
        DrumPatternDialog dialog(fixture.session, DrumPattern{}, true);
        QVERIFY(dialog.initialise());
        click(dialog, kReview);
        QVERIFY(fixture.played.isEmpty());
        type(dialog, kSeed, QStringLiteral("10"));
        click(dialog, kPlayThis);
        click(dialog, kShortlist);
        type(dialog, kSeed, QStringLiteral("20"));
        click(dialog, kPlayThis);
        click(dialog, kReview);
        QCOMPARE(text(dialog, kSeed), QStringLiteral("10"));
        QCOMPARE(fixture.played.size(), 3);
        QCOMPARE(fixture.played.last(), fixture.played.first());
    }

    void withoutPatternsTheDialogOpensEmpty() {
        DrumFixture fixture;
        fixture.library(QByteArray());
        DrumPatternDialog dialog(fixture.session, DrumPattern{}, true);
        QCOMPARE(dialog.run(), int(QDialog::Rejected));  // the script cancels
        QCOMPARE(fixture.prompts.dialogs, 1);
        QCOMPARE(fixture.messages.messages.size(), 1);
        QVERIFY(fixture.messages.messages[0].endsWith(QStringLiteral("contains no drumpattern")));
        QCOMPARE(dialog.pattern().name, QString());
        click(dialog, kSave);  // an empty name is not stored
        QVERIFY(!QFile::exists(fixture.program.drumLibraryPath()));
    }
};

QTEST_MAIN(TestDrumPatternDialog)
#include "tst_drumpatterndialog.moc"
