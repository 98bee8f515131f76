// CPageSetupDlg: the Program Settings dialog exchanges data with the
// settings object only on OK.
#include "app/page_setup_dlg.h"
#include "app/program_settings.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

using namespace vek::editor;

class TestCPageSetupDlg : public QObject {
    Q_OBJECT

private:
    static ProgramSettings sample(int format) {
        ProgramSettings settings;
        settings.playCommand.load(QStringLiteral("player /Play"));
        settings.sequencerCommand.load(QStringLiteral("player /Open"));
        settings.includeSearchPath.load(QStringLiteral("/inc;"));
        settings.documentPath.load(QStringLiteral("/home/u/Vek"));
        settings.outputFormat.load(format);
        return settings;
    }

private slots:
    void controlsShowTheCurrentValues() {
        ProgramSettings settings = sample(1);
        CPageSetupDlg dialog(settings);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Program Settings"));
        QCOMPARE(dialog.playCommandEdit()->text(), QStringLiteral("player /Play"));
        QCOMPARE(dialog.sequencerCommandEdit()->text(), QStringLiteral("player /Open"));
        QCOMPARE(dialog.includeSearchPathEdit()->text(), QStringLiteral("/inc;"));
        QCOMPARE(dialog.documentPathEdit()->text(), QStringLiteral("/home/u/Vek"));
        QVERIFY(dialog.midButton()->isChecked());
        QVERIFY(!dialog.wrkButton()->isChecked());
    }

    void okStoresCancelLeaves_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("ok") << true;
        QTest::newRow("cancel") << false;
    }
    void okStoresCancelLeaves() {
        QFETCH(bool, ok);
        ProgramSettings settings = sample(0);
        CPageSetupDlg dialog(settings);
        dialog.playCommandEdit()->setText(QStringLiteral("other"));
        dialog.sequencerCommandEdit()->setText(QStringLiteral("seq"));
        dialog.includeSearchPathEdit()->setText(QStringLiteral("/a;/b;"));
        dialog.documentPathEdit()->setText(QStringLiteral("/d"));
        dialog.midButton()->setChecked(true);
        ok ? dialog.accept() : dialog.reject();
        QCOMPARE(settings.playCommand.get(), ok ? QStringLiteral("other") : QStringLiteral("player /Play"));
        QCOMPARE(settings.sequencerCommand.get(), ok ? QStringLiteral("seq") : QStringLiteral("player /Open"));
        QCOMPARE(settings.includeSearchPath.get(), ok ? QStringLiteral("/a;/b;") : QStringLiteral("/inc;"));
        QCOMPARE(settings.documentPath.get(), ok ? QStringLiteral("/d") : QStringLiteral("/home/u/Vek"));
        QCOMPARE(settings.outputFormat.get(), ok ? 1 : 0);
        QCOMPARE(settings.playCommand.changed(), ok);
    }

    void unknownFormatSurvivesOk() {
        ProgramSettings settings = sample(7);
        CPageSetupDlg dialog(settings);
        QVERIFY(!dialog.wrkButton()->isChecked() && !dialog.midButton()->isChecked());
        dialog.accept();
        QCOMPARE(settings.outputFormat.get(), 7);
    }
};

QTEST_MAIN(TestCPageSetupDlg)
#include "tst_cpagesetupdlg.moc"
