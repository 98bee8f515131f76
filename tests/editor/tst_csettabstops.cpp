// CSetTabStops: the width in characters, held within 1 to 16.
#include "app/set_tab_stops.h"

#include <QSpinBox>
#include <QtTest>

using namespace vek::editor;

class TestCSetTabStops : public QObject {
    Q_OBJECT

private slots:
    void widthStaysInRange_data() {
        QTest::addColumn<int>("initial");
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("expected");
        QTest::newRow("in range") << 8 << 4 << 4;
        QTest::newRow("lowest") << 8 << 1 << 1;
        QTest::newRow("highest") << 8 << 16 << 16;
        QTest::newRow("zero") << 8 << 0 << 1;
        QTest::newRow("too wide") << 8 << 40 << 16;
    }
    void widthStaysInRange() {
        QFETCH(int, initial);
        QFETCH(int, typed);
        QFETCH(int, expected);
        CSetTabStops dialog(initial);
        QCOMPARE(dialog.characters(), initial);
        dialog.field()->setValue(typed);
        QCOMPARE(dialog.characters(), expected);
    }

    void typingPastTheRangeIsRefused() {
        CSetTabStops dialog(8);
        dialog.field()->selectAll();
        QTest::keyClicks(dialog.field(), QStringLiteral("17"));
        dialog.field()->interpretText();
        QVERIFY(dialog.characters() <= CSetTabStops::kMaximum);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Set Tab Stops"));
    }
};

QTEST_MAIN(TestCSetTabStops)
#include "tst_csettabstops.moc"
