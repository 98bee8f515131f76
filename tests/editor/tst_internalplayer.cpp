// InternalPlayer: internal play, pause, stop and the end notice, through the
// real compiler library and the player rendering offline to a WAV file.
#include "app/commands.h"
#include "process_test_support.h"

#include <QLabel>
#include <QStatusBar>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

// Ten quarter notes at the default 100 beats per minute: 6 s.
const QByteArray kPiece = "c d e f g c d e f g\n";
constexpr double kPieceSeconds = 6.0;

struct PlayerFixture : ProcessFixture {
    InternalPlayer &player() { return process->player(); }
    bool stopShown() const {
        return frame->action(cmd::ID_PLAY_STOP)->isVisible() && !frame->action(cmd::ID_PLAY_INTERNAL)->isVisible();
    }
    QString stateText() const {
        const auto *label = frame->statusBar()->findChild<QLabel *>(QStringLiteral("playerState"));
        return label && !label->isHidden() ? label->text() : QString();
    }
    // Internal play of a fresh document.
    void play(const QByteArray &source = kPiece) {
        open(QStringLiteral("a.vek"), source);
        trigger(cmd::ID_PLAY_INTERNAL);
    }
};

}  // namespace

class TestInternalPlayer : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!haveSystemSoundFont())
            QSKIP("no General MIDI sound font installed");
    }

    void playRendersThePieceAndEndsIdle() {
        PlayerFixture f;
        f.program.outputFormat.set(0);  // internal play makes MIDI all the same
        f.play();
        QCOMPARE(f.player().state(), InternalPlayer::Playing);
        QVERIFY(f.stopShown());
        QCOMPARE(f.stateText(), QStringLiteral("Playing a.mid"));
        QVERIFY(f.exists(QStringLiteral("a.mid")));
        QTRY_COMPARE_WITH_TIMEOUT(f.player().state(), InternalPlayer::Idle, 30000);
        QVERIFY(!Mci::instance().isOpen(QStringLiteral("myfile")));
        QVERIFY(!f.stopShown());
        QCOMPARE(f.stateText(), QString());
        const WavSummary wav = summariseWav(readFile(f.renderFile()));
        QVERIFY(wav.valid);
        QVERIFY2(wav.seconds >= kPieceSeconds && wav.seconds < kPieceSeconds + 2.0,
                 qPrintable(QString::number(wav.seconds)));
        QVERIFY2(wav.peak > 100, qPrintable(QString::number(wav.peak)));
        QCOMPARE(f.messages.messages, QStringList());
    }

    void pauseKeepsTheDeviceOpenAndIgnoresTheNotice() {
        PlayerFixture f;
        f.play();
        f.trigger(cmd::ID_PLAY_PAUSE);
        QCOMPARE(f.player().state(), InternalPlayer::Paused);
        QVERIFY(!f.stopShown());
        QCOMPARE(f.stateText(), QStringLiteral("Paused a.mid"));
        QTest::qWait(300);  // the aborted play notice arrives and is ignored
        QCOMPARE(f.player().state(), InternalPlayer::Paused);
        QVERIFY(Mci::instance().isOpen(QStringLiteral("myfile")));
    }

    void playWhilePausedFailsToOpenTheAliasAgain() {
        PlayerFixture f;
        f.play();
        f.trigger(cmd::ID_PLAY_PAUSE);
        f.trigger(cmd::ID_PLAY_INTERNAL);
        QCOMPARE(f.messages.messages.size(), 1);
        QVERIFY(f.messages.messages[0].startsWith(QStringLiteral("Vek cannot play the piece.\n\n")));
        QCOMPARE(f.player().state(), InternalPlayer::Idle);
        QVERIFY(!f.stopShown());
        QVERIFY(Mci::instance().isOpen(QStringLiteral("myfile")));
        f.trigger(cmd::ID_PLAY_STOP);  // Stop still reaches the paused device
        QVERIFY(!Mci::instance().isOpen(QStringLiteral("myfile")));
    }

    void stopWorksInEveryState_data() {
        QTest::addColumn<int>("state");
        QTest::newRow("playing") << int(InternalPlayer::Playing);
        QTest::newRow("paused") << int(InternalPlayer::Paused);
        QTest::newRow("idle") << int(InternalPlayer::Idle);
    }
    void stopWorksInEveryState() {
        QFETCH(int, state);
        PlayerFixture f;
        if (state != InternalPlayer::Idle)
            f.play();
        if (state == InternalPlayer::Paused)
            f.trigger(cmd::ID_PLAY_PAUSE);
        QCOMPARE(int(f.player().state()), state);
        f.trigger(cmd::ID_PLAY_STOP);
        QCOMPARE(f.player().state(), InternalPlayer::Idle);
        QVERIFY(!Mci::instance().isOpen(QStringLiteral("myfile")));
        QVERIFY(!f.stopShown());
        QTest::qWait(100);  // the notices that follow change nothing
        QCOMPARE(f.player().state(), InternalPlayer::Idle);
        QCOMPARE(f.messages.messages, QStringList());
    }

    void playAfterStopIsNotEndedByTheOldNotices() {
        PlayerFixture f;
        f.play();
        f.trigger(cmd::ID_PLAY_STOP);
        f.trigger(cmd::ID_PLAY_INTERNAL);
        QCOMPARE(f.player().state(), InternalPlayer::Playing);
        // Only the queued notices, not the rendering, which would end it.
        QCoreApplication::sendPostedEvents(&f.player());
        QCOMPARE(f.player().state(), InternalPlayer::Playing);
        QVERIFY(Mci::instance().isPlaying(QStringLiteral("myfile")));
    }

    void pauseOnlyActsWhilePlaying() {
        PlayerFixture f;
        f.frame->newDocument();
        f.trigger(cmd::ID_PLAY_PAUSE);
        QCOMPARE(f.player().state(), InternalPlayer::Idle);
        QCOMPARE(f.stateText(), QString());
    }

    void compileErrorLeavesThePlayerIdle() {
        PlayerFixture f;
        f.program.outputFormat.set(0);
        f.play("c xx\n");
        QCOMPARE(f.player().state(), InternalPlayer::Idle);
        QCOMPARE(f.messages.messages.size(), 1);
        QVERIFY(f.messages.messages[0].contains(QStringLiteral("xx")));
        QVERIFY(!Mci::instance().isOpen(QStringLiteral("myfile")));
        // The next compile writes the configured format again.
        f.frame->activeFrame()->view()->setPlainText(QStringLiteral("c d\n"));
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QVERIFY(f.exists(QStringLiteral("a.wrk")));
    }

    void unreadableFileFailsToOpen() {
        PlayerFixture f;
        f.player().begin();
        f.player().start(f.path(QStringLiteral("missing.mid")));
        QCOMPARE(f.messages.messages.size(), 1);
        QCOMPARE(f.messages.messages[0],
                 QStringLiteral("Vek cannot play the piece.\n\n") + Mci::errorString(kMciFileNotFound));
        QCOMPARE(f.player().state(), InternalPlayer::Idle);
    }

    void interpretWhilePlayingMakesMidi() {
        PlayerFixture f;
        f.program.outputFormat.set(0);
        f.play();
        QFile::remove(f.path(QStringLiteral("a.mid")));
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        QVERIFY(f.exists(QStringLiteral("a.mid")));
        QVERIFY(!f.exists(QStringLiteral("a.wrk")));
    }

    void closingTheWindowEndsPlayback_data() {
        QTest::addColumn<bool>("paused");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("playing") << false << false;
        QTest::newRow("paused") << true << true;
    }
    void closingTheWindowEndsPlayback() {
        QFETCH(bool, paused);
        QFETCH(bool, staysOpen);
        PlayerFixture f;
        f.play();
        if (paused)
            f.trigger(cmd::ID_PLAY_PAUSE);
        QVERIFY(f.frame->close());
        QCOMPARE(Mci::instance().isOpen(QStringLiteral("myfile")), staysOpen);
        QCOMPARE(f.player().state(), paused ? InternalPlayer::Paused : InternalPlayer::Idle);
    }
};

QTEST_MAIN(TestInternalPlayer)
#include "tst_internalplayer.moc"
