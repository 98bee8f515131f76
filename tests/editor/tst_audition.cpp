// audition(): drum programs written to the Machines folder, compiled through
// the real compiler library and played under "myfile2", rendering offline.
#include "app/document_folder.h"
#include "app/program_settings.h"
#include "drums/audition.h"
#include "drums/drum_library.h"
#include "drums/drum_text.h"
#include "process_test_support.h"

#include <QEventLoop>
#include <QTimer>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

const QString kAlias = QStringLiteral("myfile2");
// Four quarter notes at the default 100 beats per minute: 2.4 s.
const QByteArray kPiece = "include gm.vek\r\nc d e f\r\n";

// Collects the notices of the device.
class NoticeSink : public QObject {
public:
    QList<MciNotify> notices;

protected:
    bool event(QEvent *event) override {
        if (event->type() != MciNotifyEvent::eventType())
            return QObject::event(event);
        notices << static_cast<MciNotifyEvent *>(event)->code();
        return true;
    }
};

// A document folder prepared as at start-up, a separate current folder and
// the player rendering to render/myfile2.wav; messages are recorded.
struct AuditionFixture {
    MessageRecorder messages;
    QTemporaryDir dir;
    QString previousFolder = QDir::currentPath();
    ProgramSettings program;

    AuditionFixture() {
        const QString documents = dir.filePath(QStringLiteral("docs"));
        prepareDocumentFolder(documents, installedDataDir(QCoreApplication::applicationDirPath()));
        program.documentPath.set(documents);
        QDir(dir.path()).mkpath(QStringLiteral("current"));
        QDir(dir.path()).mkpath(QStringLiteral("render"));
        QDir::setCurrent(dir.filePath(QStringLiteral("current")));
        MciOptions options;
        options.renderFolder = dir.filePath(QStringLiteral("render"));
        Mci::instance().setOptions(options);
    }
    ~AuditionFixture() {
        Mci::instance().closeAll();
        Mci::instance().setOptions({});
        QDir::setCurrent(previousFolder);
    }
    AuditionFixture(const AuditionFixture &) = delete;
    AuditionFixture &operator=(const AuditionFixture &) = delete;

    QString machines(const QString &name) const { return machinesFolder(program.documentPath.get()) + name; }
    bool playing() const { return Mci::instance().isPlaying(kAlias); }
    // Waits for the end of the sound, closes the device and reads what it
    // rendered.
    // An event loop of its own lets the device render at full speed.
    WavSummary rendered() {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] { if (!playing()) loop.quit(); });
        poll.start(20);  // ms
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
        if (playing())
            return {};
        stopAudition();
        return summariseWav(readFile(dir.filePath(QStringLiteral("render/myfile2.wav"))));
    }
};

}  // namespace

class TestAudition : public QObject {
    Q_OBJECT

private slots:
    void includePathEndsWithTheIncludeFolder_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("path");
        QTest::newRow("empty") << "" << ";/m/Vek/Include";
        QTest::newRow("two folders") << "/a;/b" << "/a;/b;/m/Vek/Include";
    }
    void includePathEndsWithTheIncludeFolder() {
        QFETCH(QString, setting);
        QFETCH(QString, path);
        ProgramSettings program;
        program.documentPath.set(QStringLiteral("/m/Vek"));
        program.includeSearchPath.set(setting);
        QCOMPARE(auditionIncludePath(program), path);
        QCOMPARE(machinesFolder(QStringLiteral("/m/Vek")), QStringLiteral("/m/Vek/Machines/"));
    }

    // gm.vek is found only through the document's Include folder.
    void auditionLeavesItsFilesAndSounds() {
        if (!haveSystemSoundFont())
            QSKIP("no General MIDI sound font installed");
        AuditionFixture f;
        NoticeSink sink;
        audition(f.program, kPiece, &sink);
        QCOMPARE(f.messages.messages, QStringList());
        QCOMPARE(readFile(f.machines(QStringLiteral("Audition.vek"))), kPiece);
        QVERIFY(QFileInfo::exists(f.machines(QStringLiteral("Audition.mid"))));
        QVERIFY(QFileInfo::exists(QStringLiteral("aud.lis")));
        QVERIFY(f.playing());
        QTRY_COMPARE_WITH_TIMEOUT(sink.notices, QList<MciNotify>{MciNotify::Successful}, 30000);
        QVERIFY(Mci::instance().isOpen(kAlias));  // only the next audition closes it
        const WavSummary wav = f.rendered();
        QVERIFY2(wav.seconds >= 2.4 && wav.peak > 100,
                 qPrintable(QStringLiteral("%1 s, peak %2").arg(wav.seconds).arg(wav.peak)));
        QVERIFY(QFileInfo::exists(f.machines(QStringLiteral("Audition.vek"))));  // kept after closing
    }

    void secondAuditionStopsTheFirst() {
        if (!haveSystemSoundFont())
            QSKIP("no General MIDI sound font installed");
        AuditionFixture f;
        NoticeSink first, second;
        audition(f.program, kPiece, &first);
        audition(f.program, "c\r\n", &second);
        QCOMPARE(f.messages.messages, QStringList());
        QTRY_COMPARE(first.notices, QList<MciNotify>{MciNotify::Aborted});
        QVERIFY(f.playing());
        // A scratch file that cannot be written: the first sound has
        // stopped all the same.
        QVERIFY(QFile::remove(f.machines(QStringLiteral("Audition.vek"))));
        QVERIFY(QDir().mkdir(f.machines(QStringLiteral("Audition.vek"))));
        audition(f.program, kPiece, nullptr);
        QVERIFY(!Mci::instance().isOpen(kAlias));
        QCOMPARE(f.messages.messages.size(), 1);
        QVERIFY2(f.messages.messages[0].startsWith(QStringLiteral("ERROR: can't open file audition.vek, reason ")),
                 qPrintable(f.messages.messages[0]));
    }

    void failuresAreShownAndNothingPlays_data() {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QString>("soundFont");
        QTest::addColumn<QString>("message");
        QTest::newRow("compile error") << QByteArray("c d\r\nc xx\r\n") << QString() << "";
        QTest::newRow("no sound font") << kPiece << "/none/gm.sf2" << Mci::errorString(kMciNoSoundFont);
    }
    void failuresAreShownAndNothingPlays() {
        QFETCH(QByteArray, program);
        QFETCH(QString, soundFont);
        QFETCH(QString, message);
        AuditionFixture f;
        MciOptions options = Mci::instance().options();
        options.soundFont = soundFont;
        Mci::instance().setOptions(options);
        audition(f.program, program, nullptr);
        QVERIFY(!Mci::instance().isOpen(kAlias));
        QCOMPARE(f.messages.messages.size(), 1);
        if (message.isEmpty())  // the compiler's own text, naming the fault
            QVERIFY2(f.messages.messages[0].contains(QStringLiteral("xx")), qPrintable(f.messages.messages[0]));
        else
            QCOMPARE(f.messages.messages[0], message);
    }

    // The shipped library as a user finds it after start-up.
    void everyShippedDrumPartSounds() {
        if (!haveSystemSoundFont())
            QSKIP("no General MIDI sound font installed");
        AuditionFixture f;
        const DrumLibrary library(f.program.drumLibraryPath());
        const QStringList parts = library.list(DrumLibrary::kParts).names;
        QVERIFY(!parts.isEmpty());
        const InstrumentTexts instruments = [&](const QString &name) { return library.instrumentText(name); };
        for (const QString &name : parts) {
            DrumPart part = library.loadPart(name);
            audition(f.program, partProgram(part, instruments).toUtf8(), nullptr);
            QVERIFY2(f.messages.messages.isEmpty(), qPrintable(name + ": " + f.messages.messages.join(' ')));
            const WavSummary wav = f.rendered();
            QVERIFY2(wav.valid && wav.seconds > 1.0 && wav.peak > 100,
                     qPrintable(QStringLiteral("%1: %2 s, peak %3").arg(name).arg(wav.seconds).arg(wav.peak)));
        }
    }
};

QTEST_MAIN(TestAudition)
#include "tst_audition.moc"
