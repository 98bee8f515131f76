// Playback from the caret, the mark on the music being heard and the piano
// roll, through the real compiler library and the player rendering offline.
#include "app/commands.h"
#include "app/pad_view.h"
#include "process/piano_roll.h"
#include "process/play_commands.h"
#include "process/play_follower.h"
#include "process_test_support.h"

#include <QtTest>
#include <algorithm>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

// Four bars of quarter notes at 100 beats per minute: 9.6 s.
const QByteArray kFourBars = "c d e f | g a b c | e f g a | b c d e |\n";
const QByteArray kTwoTracks = "track low $$2 C D E\ntrack high $$10 g a\n";

struct PlayFixture : ProcessFixture {
    PlayCommands &play() { return *frame->findChild<PlayCommands *>(); }
    PianoRollDock &roll() { return play().pianoRoll(); }
    double playedSeconds() {
        if (!QTest::qWaitFor([this] { return process->player().state() == InternalPlayer::Idle; }, 30000))
            return -1;
        return summariseWav(readFile(renderFile())).seconds;
    }
    QString marked(CPadView &view) const {
        QStringList texts;
        for (const QTextEdit::ExtraSelection &mark : view.extraSelections())
            texts << mark.cursor.selectedText();
        return texts.join(' ');
    }
};

}  // namespace

class TestPlayCommands : public QObject {
    Q_OBJECT

private slots:
    void fromTheCaretPlaysTheRestOnly() {
        if (!haveSystemSoundFont())
            QSKIP("no General MIDI sound font installed");
        PlayFixture f;
        CPadFrame *doc = f.open(QStringLiteral("four.vek"), kFourBars);
        QVERIFY(f.frame->action(cmd::ID_PLAY_INTERNAL)->shortcut() == QKeySequence(Qt::Key_F5));
        f.trigger(cmd::ID_PLAY_INTERNAL);
        const double whole = f.playedSeconds();
        QTextCursor caret = doc->view()->textCursor();
        caret.setPosition(int(kFourBars.indexOf("e f g a")) + 1);  // inside the word: its start counts
        doc->view()->setTextCursor(caret);
        f.play().playFromCaret()->trigger();
        const double rest = f.playedSeconds();
        // A bar of lead-in at 240 beats per minute, then two bars of 2.4 s.
        QVERIFY2(whole > 9.5 && rest > 5.0 && rest < whole - 2.5,
                 qPrintable(QStringLiteral("%1 s, %2 s").arg(whole).arg(rest)));
        QCOMPARE(f.process->compile().lastMap().notes.first().key, 52);  // the e of bar 3
        QCOMPARE(f.messages.messages, QStringList());
    }

    void theRollShowsEachTrackAndAClickSelectsTheNote() {
        PlayFixture f;
        CPadFrame *doc = f.open(QStringLiteral("two.vek"), kTwoTracks);
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        f.roll().show();
        const PieceMap &map = f.roll().roll().map();
        QCOMPARE(map.trackNames, QStringList({QStringLiteral("low"), QStringLiteral("high")}));
        QCOMPARE(std::count_if(map.notes.begin(), map.notes.end(), [](auto &n) { return n.track == 1; }), 3);
        QCOMPARE(std::count_if(map.notes.begin(), map.notes.end(), [](auto &n) { return n.track == 2; }), 2);
        QVERIFY(f.roll().legendText().contains(QStringLiteral("high (ch 10)")));
        const int third = 2;  // E of track low
        QTest::mouseClick(&f.roll().roll(), Qt::LeftButton, {}, f.roll().roll().noteRect(third).center());
        QCOMPARE(doc->view()->textCursor().selectedText(), QStringLiteral("E"));
        const double scale = f.roll().roll().scale();
        f.roll().roll().zoom(2);
        QCOMPARE(f.roll().roll().scale(), 2 * scale);
    }

    void theNotesBeingHeardAreMarkedUntilPlaybackEnds() {
        PlayFixture f;
        CPadFrame *doc = f.open(QStringLiteral("two.vek"), kTwoTracks);
        f.trigger(cmd::ID_PROCESS_INTERPRET);
        f.play().follower().showTick(130);  // the second notes of both tracks
        QCOMPARE(f.marked(*doc->view()), QStringLiteral("D a"));
        QCOMPARE(doc->view()->textCursor().position(), 0);  // the caret stays
        f.play().follower().showTick(-1);
        QCOMPARE(f.marked(*doc->view()), QString());
    }
};

QTEST_MAIN(TestPlayCommands)
#include "tst_playcommands.moc"
