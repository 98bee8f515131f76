// The shipped data files: every record of data/Drum.ini, in each of its
// program texts, compiled through the compiler library with data/gm.vek
// and data/builtins.vek, and what the macros of builtins.vek play.
#include "drums/drum_library.h"
#include "drums/drum_seeds.h"
#include "drums/drum_text.h"
#include "editor_test_support.h"
#include "process/vek_binding.h"
#include "support/song_events.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <map>
#include <set>

using namespace vek::editor;
using namespace vek::editor::test;
using vek::test::SongEvent;

namespace {

const QString kData = QStringLiteral(VEK_SOURCE_DIR "/data");
constexpr int kBar = 480;       // ticks of a 4/4 bar at 120 per quarter
constexpr int kCountIn = 30;    // velocity of the woodblocks before a figure
constexpr int kDrumChannel = 10;

int stepTicks(int beatMode) { return beatMode == kSixteenBeat ? 30 : 40; }
int stepsPerBar(int beatMode) { return beatMode == kSixteenBeat ? 16 : 12; }

// The frequency behind each step of a bar (12 beat: a cell of six steps
// twice, its last two steps from frequencies 6 and 7).
int frequencyAt(const DrumFigure &f, int step) {
    static constexpr int kTwelve[12] = {0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 6, 7};
    return f.frequencies[f.beatMode == kSixteenBeat ? step : kTwelve[step]];
}

struct Compiled {
    QString message;  // empty when it compiled
    QByteArray midi;
    std::vector<SongEvent> notes;
};

Compiled compile(const QString &program) {
    writeFile(QStringLiteral("drum.vek"), program.toUtf8());
    VekCall call;
    call.sourcePath = "drum.vek";
    call.format = "midi";
    call.listingPath = "drum.vls";
    call.includePath = kData.toUtf8();
    const VekOutcome outcome = callVekmain(call);
    Compiled c;
    if (outcome.status != VekOutcome::Status::Called)
        c.message = QStringLiteral("the compiler library is not there");
    else if (outcome.result.failed)
        c.message = resultMessage(outcome.result);
    if (!c.message.isEmpty())
        return c;
    c.midi = readFile(QStringLiteral("drum.mid"));
    for (const SongEvent &e : vek::test::songEvents(c.midi.toStdString()))
        if (e.kind == "note")
            c.notes.push_back(e);
    return c;
}

// Every note is on the drum channel and starts on the step grid.
QString offGrid(const Compiled &c, int step) {
    for (const SongEvent &e : c.notes)
        if (e.channel != kDrumChannel || e.time % step != 0)
            return QStringLiteral("key %1 at %2 on channel %3").arg(e.a).arg(e.time).arg(e.channel);
    return {};
}

std::set<int64_t> figureHits(const Compiled &c) {
    std::set<int64_t> times;
    for (const SongEvent &e : c.notes)
        if (e.b != kCountIn)
            times.insert(e.time);
    return times;
}

// The keys sounding in each bar, bars counted from `start` ticks.
std::map<int, std::set<int>> keysByBar(const Compiled &c, int start) {
    std::map<int, std::set<int>> bars;
    for (const SongEvent &e : c.notes)
        bars[int((e.time - start) / kBar)].insert(e.a);
    return bars;
}

QString gmText() {
    QFile file(kData + QStringLiteral("/gm.vek"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString programOf(const QString &body) {
    return QStringLiteral("include gm.vek\r\ninclude builtins.vek\r\n$$10 ") + body;
}

DrumFigure oneHit(const QString &name, const QString &instrument, int beatMode) {
    DrumFigure f;
    f.name = name;
    f.instrument = instrument;
    f.beatMode = beatMode;
    f.frequencies[0] = kMaxFrequency;
    return f;
}

DrumPattern patternOf(const DrumFigure &figure) {
    DrumPattern p;
    p.name = figure.name;
    p.figures[0] = figure;
    return p;
}

const InstrumentTexts kVerbatim = [](const QString &text) { return text; };

}  // namespace

class TestDrumData : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_previous;
    DrumLibrary m_library{kData + QStringLiteral("/Drum.ini")};
    InstrumentTexts m_instruments = [this](const QString &name) { return m_library.instrumentText(name); };

    QStringList names(const QString &section) { return m_library.list(section).names; }

private slots:
    void init() {
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());  // the compiler writes sysex.out here
    }
    void cleanup() { QDir::setCurrent(m_previous); }

    // A misspelt name would load as a silent record.
    void everyNameLeadsToARecord() {
        QVERIFY(names(DrumLibrary::kInstruments).size() >= 12 && names(DrumLibrary::kFigures).size() >= 20);
        QVERIFY(names(DrumLibrary::kPatterns).size() >= 10 && names(DrumLibrary::kParts).size() >= 6);
        for (const QString &name : names(DrumLibrary::kParts)) {
            const DrumPart p = m_library.loadPart(name);
            for (const DrumPattern &pattern : {p.a, p.b, p.x})
                QVERIFY2(names(DrumLibrary::kPatterns).contains(pattern.name, Qt::CaseInsensitive), qPrintable(name));
        }
        for (const QString &name : names(DrumLibrary::kPatterns))
            for (const DrumFigure &f : m_library.loadPattern(name).figures)
                QVERIFY2(f.name.isEmpty() || names(DrumLibrary::kFigures).contains(f.name, Qt::CaseInsensitive), qPrintable(name));
        for (const QString &name : names(DrumLibrary::kFigures))
            QVERIFY2(m_library.instrumentText(m_library.loadFigure(name).instrument) != QStringLiteral("Default"), qPrintable(name));
    }

    // Both figure programs, before the drum machine has set a tempo: on the
    // grid, frequency 0 never and 999 always in each of the four bars.
    void everyFigureCompilesAndKeepsItsExtremes() {
        for (const QString &name : names(DrumLibrary::kFigures)) {
            const DrumFigure f = m_library.loadFigure(name);
            const QString instrument = m_library.instrumentText(f.instrument);
            const int step = stepTicks(f.beatMode);
            const std::pair<QString, int> programs[] = {{insertedFigureProgram(f, instrument, 0), step},
                                                        {auditionedFigureProgram(f, instrument, 0), 0}};
            for (const auto &[program, start] : programs) {
                const Compiled c = compile(program);
                QVERIFY2(c.message.isEmpty(), qPrintable(name + ": " + c.message));
                QVERIFY2(offGrid(c, step).isEmpty(), qPrintable(name + ": " + offGrid(c, step)));
                const std::set<int64_t> hits = figureHits(c);
                for (int bar = 0; bar < 4; ++bar)
                    for (int i = 0; i < stepsPerBar(f.beatMode); ++i) {
                        const int frequency = frequencyAt(f, i);
                        const bool hit = hits.count(start + bar * kBar + i * step) > 0;
                        if (frequency == 0 || frequency == kMaxFrequency)
                            QVERIFY2(hit == (frequency != 0), qPrintable(QStringLiteral("%1 bar %2 step %3").arg(name).arg(bar).arg(i)));
                    }
            }
        }
    }

    // As stored and with the trailing crash switched over.
    void everyPatternCompilesInOneBar() {
        for (const QString &name : names(DrumLibrary::kPatterns)) {
            DrumPattern p = m_library.loadPattern(name);
            const int step = stepTicks(p.beatMode());
            for (int crash : {0, 1}) {
                p.trailingCrash = crash;
                const Compiled c = compile(patternProgram(p, m_instruments, 0));
                QVERIFY2(c.message.isEmpty(), qPrintable(name + ": " + c.message));
                QVERIFY2(offGrid(c, step).isEmpty(), qPrintable(name + ": " + offGrid(c, step)));
                QVERIFY2(!c.notes.empty() && c.notes.back().time < step + kBar, qPrintable(name));
                const int64_t crashAt = step + (stepsPerBar(p.beatMode()) - 1) * step;
                const bool crashed = std::any_of(c.notes.begin(), c.notes.end(), [&](const SongEvent &e) {
                    return e.a == 57 && e.time == crashAt;
                });
                QCOMPARE(crashed, crash == 1);
            }
        }
    }

    // As stored and with the ending switched over; a part lasts its patterns
    // (one at least) and the ending, every bar sounds, and a part compiles
    // to the same file twice.
    void everyPartLastsItsBars() {
        for (const QString &name : names(DrumLibrary::kParts)) {
            for (int ending : {0, 1}) {
                DrumPart part = m_library.loadPart(name);
                part.ending = ending;
                const int step = stepTicks(part.beatMode());
                const int patterns = ending ? std::max(part.total - 1, 0) : part.total;
                const int bars = std::max(patterns, 1) + ending;
                const QString program = partProgram(part, m_instruments);
                const Compiled c = compile(program);
                QVERIFY2(c.message.isEmpty(), qPrintable(name + ": " + c.message));
                QVERIFY2(offGrid(c, step).isEmpty(), qPrintable(name + ": " + offGrid(c, step)));
                const auto byBar = keysByBar(c, step);
                QCOMPARE(int(byBar.size()), bars);
                QCOMPARE(byBar.rbegin()->first, bars - 1);
                QCOMPARE(compile(program).midi, c.midi);
            }
        }
    }

    // A and B take their turns, X comes after every n patterns, the total
    // counts the ending; a total of 0 still plays one pattern.
    void partsFollowTheirSequence_data() {
        QTest::addColumn<QList<int>>("numbers");  // repeats A, repeats B, break every, total, ending
        QTest::addColumn<QString>("bars");
        QTest::newRow("A A A B with a break") << QList<int>{3, 1, 4, 10, 0} << "AAAXBAAXAB";
        QTest::newRow("never a break") << QList<int>{2, 2, 0, 7, 1} << "AABBAAE";
        QTest::newRow("B alone") << QList<int>{0, 2, 3, 5, 0} << "BBXBB";
        QTest::newRow("break every pattern") << QList<int>{1, 1, 1, 3, 0} << "XXX";
        QTest::newRow("total 0") << QList<int>{2, 1, 4, 0, 0} << "A";
        QTest::newRow("ending alone") << QList<int>{1, 0, 4, 1, 1} << "AE";
        QTest::newRow("no repeats") << QList<int>{0, 0, 4, 5, 1} << "E";
    }
    void partsFollowTheirSequence() {
        QFETCH(QList<int>, numbers);
        QFETCH(QString, bars);
        for (int mode : {kTwelveBeat, kSixteenBeat}) {
            DrumPart part;
            part.a = patternOf(oneHit(QStringLiteral("A"), QStringLiteral("kickDrum1"), mode));
            part.b = patternOf(oneHit(QStringLiteral("B"), QStringLiteral("acousticSnare"), mode));
            part.x = patternOf(oneHit(QStringLiteral("X"), QStringLiteral("cowbell"), mode));
            std::tie(part.repeatsA, part.repeatsB, part.breakEvery, part.total, part.ending) =
                std::tie(numbers[0], numbers[1], numbers[2], numbers[3], numbers[4]);
            const Compiled c = compile(partProgram(part, kVerbatim));
            QVERIFY2(c.message.isEmpty(), qPrintable(c.message));
            QString played;
            const int start = numbers[0] == 0 && numbers[1] == 0 ? 0 : stepTicks(mode);
            // The ending always has crash cymbal 2 (57); A, B and X one key each.
            const std::map<std::set<int>, QChar> kinds{{{36}, 'A'}, {{38}, 'B'}, {{56}, 'X'}};
            for (const auto &[bar, keys] : keysByBar(c, start))
                played += keys.count(57) ? QChar('E') : kinds.count(keys) ? kinds.at(keys) : QChar('?');
            QCOMPARE(played, bars);
        }
    }

    // A hundred seeds of one figure: the share of bars in which a step
    // plays grows with its frequency as builtins.vek describes it.
    void chanceGrowsWithFrequency() {
        const QList<int> frequencies{0, 1, 3, 9, 27, 300, 999};
        QString body = QStringLiteral(" duration /4 ");
        for (int seed = 1; seed <= 100; ++seed) {
            DrumFigure f = oneHit(QStringLiteral("F"), QStringLiteral("x"), kSixteenBeat);
            std::copy(frequencies.begin(), frequencies.end(), f.frequencies.begin());
            f.seed = seed;
            body += QStringLiteral("{_drumpattern_,") + figureText(f, QStringLiteral("closedHiHat")) + QStringLiteral(",16 }\r\n");
        }
        const Compiled c = compile(programOf(body));
        QVERIFY2(c.message.isEmpty(), qPrintable(c.message));
        QList<int> counts(frequencies.size(), 0);
        for (const SongEvent &e : c.notes)
            if (e.time % kBar / 30 < frequencies.size())
                ++counts[e.time % kBar / 30];
        QCOMPARE(counts.front(), 0);
        QCOMPARE(counts.back(), 100);
        for (int i = 0; i + 2 < counts.size(); ++i)
            QVERIFY2(counts[i] < counts[i + 1], qPrintable(QStringLiteral("step %1").arg(i)));
        const QList<std::pair<int, int>> expected{{1, 25}, {2, 50}, {3, 75}, {4, 90}};  // step, percent
        for (const auto &[step, percent] : expected)
            QVERIFY2(qAbs(counts[step] - percent) <= 15, qPrintable(QStringLiteral("step %1: %2").arg(step).arg(counts[step])));
    }

    // Reseeding gives other music; the same seed the same file.
    void seedsDecideTheMusic() {
        for (const QString &name : names(DrumLibrary::kParts)) {
            QSet<QByteArray> files;
            for (int seed : {1, 2, 3, 1}) {
                DrumPart part = m_library.loadPart(name);
                part.seed = seed;
                reseedPart(part);
                files.insert(compile(partProgram(part, m_instruments)).midi);
            }
            QVERIFY2(files.size() == 3, qPrintable(name));
        }
    }

    // Listed in key order, 35 to 81; a key signature, transpositions and an
    // octave must not move them.
    void drumNamesKeepTheirKeys() {
        const QRegularExpression drum(QStringLiteral("^set (\\w+) \\{[A-G]"), QRegularExpression::MultilineOption);
        QStringList drums;
        for (auto m = drum.globalMatch(gmText()); m.hasNext();)
            drums << m.next().captured(1);
        const Compiled c = compile(programOf(QStringLiteral("key F# ##5 ^^2 @@2 #3 ") + drums.join(' ')));
        QVERIFY2(c.message.isEmpty(), qPrintable(c.message));
        QList<int> keys;
        for (const SongEvent &e : c.notes)
            keys << e.a;
        QVERIFY(std::is_sorted(keys.begin(), keys.end()));
        QCOMPARE(QSet<int>(keys.begin(), keys.end()).size(), 81 - 35 + 1);
        QCOMPARE((QList<int>{keys.front(), keys.back()}), (QList<int>{35, 81}));
        QCOMPARE(keys[drums.indexOf(QStringLiteral("crashCymbal2"))], 57);
        QCOMPARE(keys[drums.indexOf(QStringLiteral("highWoodBlock"))], 76);
    }

    void patchNamesAreThe128Programs() {
        const QString list = gmText().section(QStringLiteral("patch ["), 1).section(']', 0, 0);
        QStringList patches;
        for (auto m = QRegularExpression(QStringLiteral("(\\w+) (\\d+)")).globalMatch(list); m.hasNext();) {
            const auto match = m.next();
            QCOMPARE(match.captured(2).toInt(), int(patches.size()));
            patches << match.captured(1);
        }
        QCOMPARE(patches.size(), 128);
        const Compiled c = compile(programOf(patches.join(' ')));
        QVERIFY2(c.message.isEmpty(), qPrintable(c.message));
        QList<int> programs;
        for (const SongEvent &e : vek::test::songEvents(c.midi.toStdString()))
            if (e.kind == "program")
                programs << e.a;
        QCOMPARE(programs.size(), 128);
        QVERIFY(std::is_sorted(programs.begin(), programs.end()) && programs.back() == 127);
    }

    void missingInstrumentStillSounds() {
        const DrumFigure f = oneHit(QStringLiteral("Lost"), QStringLiteral("Nowhere"), kSixteenBeat);
        const Compiled c = compile(insertedFigureProgram(f, m_library.instrumentText(f.instrument), 120));
        QVERIFY2(c.message.isEmpty(), qPrintable(c.message));
        QVERIFY(std::any_of(c.notes.begin(), c.notes.end(), [](const SongEvent &e) { return e.a == 37; }));
    }

    // The tempo dialog inserts {_tempo,bpm}, or {_tempo,} when left empty.
    void tempoMacro() {
        const Compiled c = compile(programOf(QStringLiteral("c c c c |{_tempo,90} d {_tempo,} e")));
        QVERIFY2(c.message.isEmpty(), qPrintable(c.message));
        QList<std::pair<int64_t, int>> tempos;
        for (const SongEvent &e : vek::test::songEvents(c.midi.toStdString()))
            if (e.kind == "tempo" && e.time > 0)
                tempos << std::pair{e.time, e.a};
        QCOMPARE(tempos, (QList<std::pair<int64_t, int>>{{480, 9000}}));
        QCOMPARE(int(c.notes.size()), 6);
    }
};

QTEST_GUILESS_MAIN(TestDrumData)
#include "tst_drumdata.moc"
