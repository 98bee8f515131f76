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

namespace ids = vek::editor::drum_ids::pattern;
namespace figureIds = vek::editor::drum_ids::figure;

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
        const DrumPattern loaded = fixture.session.library().loadPattern(comboText(dialog, ids::kName));
        QVERIFY(!loaded.name.isEmpty());
        type(dialog, ids::kSeed, QStringLiteral("32768"));
        click(dialog, 1);  // refused: the dialog stays open
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(fixture.messages.messages, QStringList("Please enter an integer between 0 and 32767."));
        type(dialog, ids::kSeed, QStringLiteral("4242"));
        click(dialog, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.pattern().seed, loaded.seed);
        QCOMPARE(figureSeeds(dialog.pattern()), figureSeeds(loaded));

        DrumPatternDialog played(fixture.session, DrumPattern{}, true);
        QVERIFY(played.initialise());
        type(played, ids::kSeed, QStringLiteral("100"));
        click(played, ids::kPlayThis);
        type(played, ids::kSeed, QStringLiteral("4242"));
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
            handedIn = comboText(figure, figureIds::kName);
            fromMenu = figure.openedFromMenu();
            type(figure, figureIds::kSeed, QStringLiteral("31000"));
            click(figure, accepted ? 1 : 2);
            return figure.result();
        };
        click(dialog, ids::kFigures[1].edit);
        QCOMPARE(handedIn, before.figures[1].name);
        QVERIFY(!fromMenu);
        QCOMPARE(dialog.pattern().figures[1].seed, accepted ? 31000 : before.figures[1].seed);
        QCOMPARE(checked(dialog, ids::kFigures[1].hold), accepted);
        QCOMPARE(dialog.holds()[1], accepted);
    }

    void playNewReseedsAllButTheHeldFigures() {
        DrumFixture fixture;
        DrumPatternDialog dialog(fixture.session, DrumPattern{}, true);
        QVERIFY(dialog.initialise());
        const int heldSeed = dialog.pattern().figures[2].seed;
        click(dialog, ids::kFigures[2].hold);
        click(dialog, ids::kPlayNew);
        const DrumPattern &now = dialog.pattern();
        QCOMPARE(text(dialog, ids::kSeed), QString::number(now.seed));
        QList<int> expected = reseeded(now.seed);
        expected[2] = heldSeed;
        QCOMPARE(figureSeeds(now), expected);
        QCOMPARE(fixture.played, QStringList(patternProgram(now, fixture.session.instruments(), 0)));
    }

    void reviewShowsAndPlaysTheSnapshot() {
        DrumFixture fixture;
        DrumPatternDialog dialog(fixture.session, DrumPattern{}, true);
        QVERIFY(dialog.initialise());
        click(dialog, ids::kReview);
        QVERIFY(fixture.played.isEmpty());
        type(dialog, ids::kSeed, QStringLiteral("10"));
        click(dialog, ids::kPlayThis);
        click(dialog, ids::kShortlist);
        type(dialog, ids::kSeed, QStringLiteral("20"));
        click(dialog, ids::kPlayThis);
        click(dialog, ids::kReview);
        QCOMPARE(text(dialog, ids::kSeed), QStringLiteral("10"));
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
        click(dialog, ids::kSave);  // an empty name is not stored
        QVERIFY(!QFile::exists(fixture.program.drumLibraryPath()));
    }
};

QTEST_MAIN(TestDrumPatternDialog)
#include "tst_drumpatterndialog.moc"
