// SplashWindow: hidden by the first key or mouse press, or after its time.
#include "platform/splash_window.h"

#include <QLineEdit>
#include <QtTest>

using namespace vek::editor;

class TestSplashWindow : public QObject {
    Q_OBJECT

private:
    static QPixmap picture() {
        QPixmap pixmap(40, 20);
        pixmap.fill(Qt::darkBlue);
        return pixmap;
    }

private slots:
    void hiddenByInput_data() {
        QTest::addColumn<bool>("mouse");
        QTest::newRow("key press elsewhere") << false;
        QTest::newRow("mouse press elsewhere") << true;
    }
    void hiddenByInput() {
        QFETCH(bool, mouse);
        QElapsedTimer started;
        started.start();
        SplashWindow splash(picture(), started, 60000);
        QLineEdit other;
        other.show();
        splash.start();
        QVERIFY(splash.isVisible());
        if (mouse)
            QTest::mouseClick(&other, Qt::LeftButton);
        else
            QTest::keyClick(&other, Qt::Key_A);
        QVERIFY(!splash.isVisible());
    }

    void hiddenWhenIdleAfterItsTime() {
        QElapsedTimer started;
        started.start();
        SplashWindow splash(picture(), started, 100);
        splash.start();
        QVERIFY(splash.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 5000);
        QVERIFY(started.elapsed() >= 100);
    }

    void startedLateHidesAtOnce() {
        QElapsedTimer started;
        started.start();
        QTest::qWait(60);
        SplashWindow splash(picture(), started, 50);
        splash.start();
        QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 1000);
    }
};

QTEST_MAIN(TestSplashWindow)
#include "tst_splashwindow.moc"
