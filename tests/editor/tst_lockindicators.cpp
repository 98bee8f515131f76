// LockIndicators: the CAP, NUM and SCRL panes of the main frame's status
// bar, their place and width, and which of them are lit for a lock state.
#include "app/app_strings.h"
#include "app/editor_settings.h"
#include "app/lock_indicators.h"
#include "app/main_frame.h"
#include "app/program_settings.h"
#include "app/recent_files.h"
#include "editor_test_support.h"
#include "scratch_settings.h"
#include "platform/lock_keys.h"
#include "platform/profile_file.h"

#include <QLabel>
#include <QLayout>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

const QStringList kPaneNames = {QStringLiteral("capsLock"), QStringLiteral("numLock"), QStringLiteral("scrollLock")};

// A shown main frame over scratch settings.
struct Fixture : ScratchSettings {
    std::unique_ptr<CMainFrame> frame;

    Fixture() {
        frame = std::make_unique<CMainFrame>(context());
        frame->show();
        frame->statusBar()->layout()->activate();
    }
    QStatusBar *bar() const { return frame->statusBar(); }
    LockIndicators *indicators() const { return bar()->findChild<LockIndicators *>(); }
    QLabel *pane(const QString &name) const { return bar()->findChild<QLabel *>(name); }
    QList<bool> lit() const {
        QList<bool> states;
        for (const QString &name : kPaneNames)
            states << pane(name)->isEnabled();
        return states;
    }
    int left(const QWidget *widget) const { return widget->mapTo(bar(), QPoint()).x(); }
};

}  // namespace

Q_DECLARE_METATYPE(vek::editor::LockKeys)

class TestLockIndicators : public QObject {
    Q_OBJECT

private slots:
    void panesFollowTheMessageAndCaretPanes() {
        Fixture f;
        QLabel *message = nullptr;
        for (QLabel *label : f.bar()->findChildren<QLabel *>())
            if (label->text() == strings::kIdle)
                message = label;
        QVERIFY(message);
        QList<QLabel *> order = {message, f.pane(QStringLiteral("caretPosition"))};
        const QStringList texts = {QStringLiteral("CAP"), QStringLiteral("NUM"), QStringLiteral("SCRL")};
        for (int i = 0; i < kPaneNames.size(); ++i) {
            QLabel *pane = f.pane(kPaneNames[i]);
            QVERIFY2(pane, qPrintable(kPaneNames[i]));
            QCOMPARE(pane->text(), texts[i]);
            order << pane;
        }
        for (int i = 1; i < order.size(); ++i)
            QVERIFY2(f.left(order[i - 1]) < f.left(order[i]), qPrintable(order[i]->objectName()));
    }

    // Equal widths that hold the widest text, so lighting a pane never
    // moves the others.
    void panesShareAWidthThatFitsScrl() {
        Fixture f;
        const int width = f.pane(kPaneNames[0])->width();
        QVERIFY(width >= f.pane(kPaneNames[0])->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")));
        for (const QString &name : kPaneNames)
            QCOMPARE(f.pane(name)->width(), width);
    }

    void refreshLightsTheLocksThatAreOn_data() {
        QTest::addColumn<LockKeys>("keys");
        QTest::addColumn<QList<bool>>("lit");
        QTest::newRow("all off") << LockKeys{true, false, false, false} << QList<bool>{false, false, false};
        QTest::newRow("caps") << LockKeys{true, true, false, false} << QList<bool>{true, false, false};
        QTest::newRow("num") << LockKeys{true, false, true, false} << QList<bool>{false, true, false};
        QTest::newRow("scroll") << LockKeys{true, false, false, true} << QList<bool>{false, false, true};
        QTest::newRow("caps and scroll") << LockKeys{true, true, false, true} << QList<bool>{true, false, true};
        QTest::newRow("all on") << LockKeys{true, true, true, true} << QList<bool>{true, true, true};
        QTest::newRow("unknown") << LockKeys{} << QList<bool>{false, false, false};
    }
    void refreshLightsTheLocksThatAreOn() {
        QFETCH(LockKeys, keys);
        QFETCH(QList<bool>, lit);
        Fixture f;
        // From the opposite state, so every pane has to change.
        f.indicators()->refresh(LockKeys{true, !lit[0], !lit[1], !lit[2]});
        f.indicators()->refresh(keys);
        QCOMPARE(f.lit(), lit);
        QCOMPARE(f.pane(kPaneNames[2])->text(), QStringLiteral("SCRL"));
    }

    // The offscreen platform has no keyboard indicators to read: a key
    // reaching the window reads the state again and shows every lock off.
    void keyEventRereadsTheState() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));  // activation reads it too
        QVERIFY(!readLockKeys().known);
        QCOMPARE(f.lit(), (QList<bool>{false, false, false}));
        f.indicators()->refresh(LockKeys{true, true, true, true});
        QTest::keyClick(f.frame->windowHandle(), Qt::Key_CapsLock);
        QCOMPARE(f.lit(), (QList<bool>{false, false, false}));
    }
};

QTEST_MAIN(TestLockIndicators)
#include "tst_lockindicators.moc"
