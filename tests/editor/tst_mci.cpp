// Mci: the command strings, one FluidSynth sequencer per alias, the notices
// and the error texts, rendering offline to WAV files.
#include "platform/mci.h"
#include "process_test_support.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

Q_DECLARE_METATYPE(vek::editor::MciNotify)

namespace {

void appendVariable(QByteArray &out, quint32 value) {
    QByteArray bytes(1, char(value & 0x7f));
    while (value >>= 7)
        bytes.prepend(char(0x80 | (value & 0x7f)));
    out += bytes;
}

// A format 0 Standard MIDI File: `notes` quarter notes at 120 beats per
// minute, so half a second each.
QByteArray quarterNotes(int notes) {
    QByteArray track("\x00\xff\x51\x03\x07\xa1\x20", 7);  // tempo 500000 us per quarter
    for (int i = 0; i < notes; ++i) {
        track += QByteArray("\x00\x90\x3c\x64", 4);
        appendVariable(track, 480);
        track += QByteArray("\x80\x3c\x00", 3);
    }
    track += QByteArray("\x00\xff\x2f\x00", 4);
    QByteArray file("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xe0", 14);  // 480 ticks per quarter
    file += "MTrk";
    const quint32 size = quint32(track.size());
    for (int shift : {24, 16, 8, 0})
        file += char((size >> shift) & 0xff);
    return file + track;
}

// Records the notices it receives.
class NoticeLog : public QObject {
public:
    QList<MciNotify> codes;

protected:
    bool event(QEvent *event) override {
        if (event->type() != MciNotifyEvent::eventType())
            return QObject::event(event);
        codes << static_cast<MciNotifyEvent *>(event)->code();
        return true;
    }
};

struct MciFixture {
    QTemporaryDir dir;
    Mci &mci = Mci::instance();
    NoticeLog log;

    MciFixture() {
        MciOptions options;
        options.renderFolder = dir.path();
        mci.setOptions(options);
    }
    ~MciFixture() { mci.closeAll(); }
    QString midi(const char *name, int notes) {
        const QString at = dir.filePath(QString::fromLatin1(name));
        writeFile(at, quarterNotes(notes));
        return at;
    }
    int open(const QString &path, const char *alias = "myfile") {
        return mci.sendString(QStringLiteral("open \"%1\" type sequencer alias %2").arg(path, QLatin1String(alias)));
    }
    int send(const char *command) { return mci.sendString(QString::fromLatin1(command), &log); }
    // Lets the event loop run until `count` notices arrived.
    bool waitForNotices(int count) {
        return QTest::qWaitFor([&] { return log.codes.size() >= count; }, 20000);
    }
};

}  // namespace

class TestMci : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!haveSystemSoundFont())
            QSKIP("no General MIDI sound font installed");
    }

    void playRendersTheFileAndNotifiesAtTheEnd() {
        MciFixture f;
        QCOMPARE(f.open(f.midi("four.mid", 4)), int(kMciOk));  // 2 s
        QCOMPARE(f.send("play myfile notify"), int(kMciOk));
        QVERIFY(f.mci.isPlaying(QStringLiteral("myfile")));
        QVERIFY(f.log.codes.isEmpty());  // never delivered at once
        QVERIFY(f.waitForNotices(1));
        QCOMPARE(f.log.codes, QList<MciNotify>{MciNotify::Successful});
        QVERIFY(!f.mci.isPlaying(QStringLiteral("myfile")));
        const QString wav = f.mci.renderFile(QStringLiteral("myfile"));
        QCOMPARE(wav, f.dir.filePath(QStringLiteral("myfile.wav")));
        QCOMPARE(f.send("close myfile"), int(kMciOk));
        const WavSummary summary = summariseWav(readFile(wav));
        QVERIFY(summary.valid);
        QVERIFY2(summary.seconds >= 2.0 && summary.seconds < 3.5, qPrintable(QString::number(summary.seconds)));
        QVERIFY(summary.peak > 100);
    }

    void playsInRealTimeThroughAnAudioDriver() {
        MciFixture f;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(f.dir.path());  // the file driver writes into the current folder
        MciOptions options;
        options.audioDriver = QStringLiteral("file");
        f.mci.setOptions(options);
        QCOMPARE(f.open(f.midi("one.mid", 1)), int(kMciOk));  // 0.5 s
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(f.send("play myfile notify"), int(kMciOk));
        QVERIFY(f.waitForNotices(1));
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(f.send("close myfile"), int(kMciOk));
        QDir::setCurrent(previous);
        QCOMPARE(f.log.codes, QList<MciNotify>{MciNotify::Successful});
        QVERIFY2(elapsed >= 400, qPrintable(QString::number(elapsed)));  // ms: played, not rendered at once
        QVERIFY(f.mci.renderFile(QStringLiteral("myfile")).isEmpty());
    }

    void noticesOfInterruptedPlayback_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QList<MciNotify>>("codes");
        QTest::newRow("stop notify") << QByteArray("stop myfile notify")
                                     << QList<MciNotify>{MciNotify::Aborted, MciNotify::Successful};
        QTest::newRow("pause") << QByteArray("pause myfile") << QList<MciNotify>{MciNotify::Aborted};
        QTest::newRow("close") << QByteArray("close myfile") << QList<MciNotify>{MciNotify::Aborted};
        QTest::newRow("play again") << QByteArray("play myfile notify")
                                    << QList<MciNotify>{MciNotify::Superseded};
    }
    void noticesOfInterruptedPlayback() {
        QFETCH(QByteArray, command);
        QFETCH(QList<MciNotify>, codes);
        MciFixture f;
        QCOMPARE(f.open(f.midi("long.mid", 40)), int(kMciOk));  // 20 s
        QCOMPARE(f.send("play myfile notify"), int(kMciOk));
        QCOMPARE(f.send(command.constData()), int(kMciOk));
        QCoreApplication::sendPostedEvents(&f.log);
        QCOMPARE(f.log.codes, codes);
    }

    void pauseKeepsThePlaceAndPlayResumes() {
        MciFixture f;
        QCOMPARE(f.open(f.midi("long.mid", 40)), int(kMciOk));  // 20 s, rendered in well under a second
        QCOMPARE(f.send("play myfile notify"), int(kMciOk));
        QTest::qWait(20);
        QVERIFY(f.mci.isPlaying(QStringLiteral("myfile")));
        QCOMPARE(f.send("pause myfile"), int(kMciOk));
        QVERIFY(!f.mci.isPlaying(QStringLiteral("myfile")));
        QCOMPARE(f.send("play myfile notify"), int(kMciOk));
        QVERIFY(f.waitForNotices(2));
        QCOMPARE(f.log.codes, (QList<MciNotify>{MciNotify::Aborted, MciNotify::Successful}));
        QCOMPARE(f.send("close myfile"), int(kMciOk));
        // Resumed, not restarted: about the length of the piece.
        const WavSummary summary = summariseWav(readFile(f.dir.filePath(QStringLiteral("myfile.wav"))));
        QVERIFY2(summary.seconds >= 20.0 && summary.seconds < 21.5, qPrintable(QString::number(summary.seconds)));
    }

    void aliasesAreIndependent() {
        MciFixture f;
        QCOMPARE(f.open(f.midi("one.mid", 1), "myfile"), int(kMciOk));
        QCOMPARE(f.open(f.midi("two.mid", 2), "myfile2"), int(kMciOk));
        QCOMPARE(f.send("play myfile2 notify"), int(kMciOk));
        QCOMPARE(f.send("close myfile"), int(kMciOk));
        QVERIFY(f.waitForNotices(1));
        QCOMPARE(f.send("close myfile2"), int(kMciOk));
        QVERIFY(summariseWav(readFile(f.dir.filePath(QStringLiteral("myfile2.wav")))).seconds >= 1.0);
    }

    void errors_data() {
        QTest::addColumn<QString>("command");  // "@" stands for the scratch folder
        QTest::addColumn<int>("error");
        QTest::newRow("alias in use") << "open \"@/one.mid\" type sequencer alias myfile" << int(kMciAliasInUse);
        QTest::newRow("alias in use, other case") << "open \"@/one.mid\" alias MyFile" << int(kMciAliasInUse);
        QTest::newRow("missing file") << "open \"@/none.mid\" type sequencer alias other" << int(kMciFileNotFound);
        QTest::newRow("a folder") << "open \"@\" type sequencer alias other" << int(kMciUnreadableFile);
        QTest::newRow("empty file") << "open \"@/empty.mid\" type sequencer alias other" << int(kMciNotMidiFile);
        QTest::newRow("no alias") << "open \"@/one.mid\" type sequencer" << int(kMciBadCommand);
        QTest::newRow("other device type") << "open \"@/one.mid\" type cdaudio alias other" << int(kMciBadCommand);
        QTest::newRow("unterminated quote") << "open \"@/one.mid alias other" << int(kMciBadCommand);
        QTest::newRow("unknown alias") << "play other notify" << int(kMciUnknownAlias);
        QTest::newRow("closed alias") << "close other" << int(kMciUnknownAlias);
        QTest::newRow("no alias to play") << "play" << int(kMciBadCommand);
        QTest::newRow("unknown command") << "record myfile" << int(kMciUnknownCommand);
        QTest::newRow("empty") << "" << int(kMciBadCommand);
    }
    void errors() {
        QFETCH(QString, command);
        QFETCH(int, error);
        MciFixture f;
        f.midi("one.mid", 1);
        writeFile(f.dir.filePath(QStringLiteral("empty.mid")), QByteArray());
        QCOMPARE(f.open(f.dir.filePath(QStringLiteral("one.mid"))), int(kMciOk));
        QCOMPARE(f.mci.sendString(command.replace('@', f.dir.path())), error);
        QVERIFY(f.mci.isOpen(QStringLiteral("myfile")));
    }

    void soundSettingsFailures_data() {
        QTest::addColumn<QString>("soundFont");
        QTest::addColumn<QString>("audioDriver");
        QTest::addColumn<int>("error");
        QTest::newRow("no sound font") << "@/none.sf2" << "" << int(kMciNoSoundFont);
        QTest::newRow("not a sound font") << "@/one.mid" << "" << int(kMciBadSoundFont);
        QTest::newRow("unknown audio driver") << "" << "no-such-driver" << int(kMciNoAudioDevice);
    }
    void soundSettingsFailures() {
        QFETCH(QString, soundFont);
        QFETCH(QString, audioDriver);
        QFETCH(int, error);
        MciFixture f;
        MciOptions options;
        options.soundFont = soundFont.replace('@', f.dir.path());
        options.audioDriver = audioDriver;
        f.mci.setOptions(options);  // plays aloud: no render folder
        QCOMPARE(f.open(f.midi("one.mid", 1)), error);
        QVERIFY(!f.mci.isOpen(QStringLiteral("myfile")));
    }

    void everyErrorHasItsOwnText() {
        QSet<QString> texts;
        for (int error = kMciOk; error <= kMciOutputFailed; ++error) {
            texts << Mci::errorString(error);
            QVERIFY(!Mci::errorString(error).contains(QStringLiteral("MCI")));
        }
        QCOMPARE(texts.size(), kMciOutputFailed + 1);
        // The settings are named as the user finds them, not as the file stores them.
        for (int error : {kMciNoSoundFont, kMciBadSoundFont, kMciNoAudioDevice})
            QVERIFY(Mci::errorString(error).contains(QStringLiteral("Program Settings > Sound")));
    }
};

QTEST_MAIN(TestMci)
#include "tst_mci.moc"
