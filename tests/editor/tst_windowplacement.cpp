// WindowPlacement: the "WindowPos" text.
#include "app/window_placement.h"

#include <QtTest>

using namespace vek::editor;

class TestWindowPlacement : public QObject {
    Q_OBJECT

private slots:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("ten numbers") << "2,3,-1,-1,-8,-31,10,20,810,620" << true;
        QTest::newRow("blanks") << " 0, 1,-1,-1,-1,-1, 10,20,810,620" << true;
        QTest::newRow("extra field ignored") << "0,1,-1,-1,-1,-1,10,20,810,620,9" << true;
        QTest::newRow("nine numbers") << "0,1,-1,-1,-1,-1,10,20,810" << false;
        QTest::newRow("not a number") << "0,1,-1,-1,-1,-1,10,20,810,six" << false;
        QTest::newRow("empty") << "" << false;
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(WindowPlacement::parse(text).has_value(), valid);
    }

    void formatRoundTrips() {
        const auto placement = WindowPlacement::parse(QStringLiteral("2,3,-1,-1,-8,-31,10,20,810,620"));
        QVERIFY(placement);
        QCOMPARE(placement->flags, 2u);
        QCOMPARE(placement->showCmd, 3u);
        QCOMPARE(placement->normalRect(), QRect(10, 20, 800, 600));
        QCOMPARE(placement->format(), QStringLiteral("2,3,-1,-1,-8,-31,10,20,810,620"));
    }

    void startupCommandWins_data() {
        QTest::addColumn<int>("saved");
        QTest::addColumn<int>("startup");
        QTest::addColumn<int>("expected");
        QTest::newRow("normal start keeps saved") << 3 << 1 << 3;
        QTest::newRow("maximised start") << 1 << 3 << 3;
        QTest::newRow("minimised start") << 3 << 2 << 2;
    }
    void startupCommandWins() {
        QFETCH(int, saved);
        QFETCH(int, startup);
        QFETCH(int, expected);
        QCOMPARE(resolveShowCommand(saved, startup), expected);
    }

    void offScreenPlacementIsPulledBack() {
        QWidget window;
        WindowPlacement placement;
        placement.left = 50000;
        placement.top = 50000;
        placement.right = 50640;
        placement.bottom = 50480;
        placement.applyGeometry(window);
        QCOMPARE(window.geometry().size(), QSize(640, 480));
        QVERIFY(window.geometry().left() < 50000);
    }
};

QTEST_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
