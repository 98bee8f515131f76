#include "drums/drum_text.h"

#include "drums/drum_seeds.h"

#include <algorithm>

namespace vek::editor {

namespace {

constexpr int kCompilerMinTempo = 10;   // beats per minute
constexpr int kCompilerMaxTempo = 240;  // beats per minute
constexpr int kBreakNever = 10000;      // patterns: a break every 0 never comes

bool isSixteen(int beatMode) { return beatMode == kSixteenBeat; }
bool isKnown(int beatMode) { return beatMode == kTwelveBeat || beatMode == kSixteenBeat; }
QString number(int n) { return QString::number(n); }

// The name sits in a quote comment of the text; a quote of its own would
// end the comment early and turn the rest of the name into music.
QString commentSafe(const QString &name) {
    QString safe = name;
    return safe.replace('\'', '`');
}

QString frequencyList(const DrumFigure &figure) {
    const bool sixteen = isSixteen(figure.beatMode);
    QString list = sixteen ? QStringLiteral("_freq16_,") : QStringLiteral("_freq8_,");
    const int count = sixteen ? kFrequencies : kTwelveBeatFrequencies;
    for (int i = 0; i < count; ++i)
        list += number(figure.frequencies[i]) + ',';
    return list;
}

QString crashRun(const DrumPattern &pattern) {
    if (pattern.trailingCrash == 0)
        return {};
    return isSixteen(pattern.beatMode()) ? QStringLiteral("[ 15 [{crashCymbal2}*15] ]")
                                         : QStringLiteral("[ 11 [{crashCymbal2}*11] ]");
}

// The sequence arguments of the drum part: repeats A and B, the patterns
// before each break, and the patterns before the ending. A total of 0
// with an ending would write -1, which the repeat count refuses.
QString sequenceArguments(const DrumPart &part) {
    const int patterns = part.ending != 0 ? std::max(part.total - 1, 0) : part.total;
    return number(part.repeatsA) + ',' + number(part.repeatsB) + ',' +
           number(part.breakEvery - 1) + ',' + number(patterns) + QStringLiteral("~ } ");
}

QString figureHeader(int sharedTempo) {
    return QStringLiteral("include gm.vek\r\n\t\tinclude builtins.vek\r\n\t\t$$10 tempo=") +
           number(textTempo(sharedTempo)) + QStringLiteral("\r\n");
}

QString figureBars(const DrumFigure &figure, const QString &instrumentText) {
    return figureText(figure, instrumentText) +
           (isSixteen(figure.beatMode) ? QStringLiteral(" 16 ]4") : QStringLiteral(" 12 ]4"));
}

const QString kIncludes = QStringLiteral("include gm.vek\r\ninclude builtins.vek\r\n$$10 ");

}  // namespace

int textTempo(int bpm) {
    if (bpm <= 0)
        return kDefaultTempo;
    return std::clamp(bpm, kCompilerMinTempo, kCompilerMaxTempo);
}

QString figureText(const DrumFigure &figure, const QString &instrumentText) {
    return QStringLiteral("{_drumfigure_'") + commentSafe(figure.name) +
           QStringLiteral("',set dr { !!64 ") + instrumentText + QStringLiteral(" }\r\n{") +
           frequencyList(figure) + number(figure.seed) + QStringLiteral(",=,=,=}}");
}

QString patternText(const DrumPattern &pattern, const InstrumentTexts &instruments) {
    QString text = QStringLiteral("{_drumpattern_,\r\n");
    for (const DrumFigure &figure : pattern.figures) {
        if (!figure.name.trimmed().isEmpty())
            text += figureText(figure, instruments(figure.instrument));
        text += QStringLiteral(",\r\n");
    }
    text += QStringLiteral(", ") + crashRun(pattern);
    text += isSixteen(pattern.beatMode()) ? QStringLiteral(",16 ") : QStringLiteral(",12");
    return text + '}';
}

QString partText(DrumPart &part, const InstrumentTexts &instruments) {
    if (part.breakEvery == 0)
        part.breakEvery = kBreakNever;
    QString text;
    if (part.repeatsB != -part.repeatsA)
        text = QStringLiteral("set _dpA_ {\r\n") + patternText(part.a, instruments) +
               QStringLiteral("}\r\nset _dpB_ {\r\n") + patternText(part.b, instruments) +
               QStringLiteral("}\r\nset _dpX_ {\r\n") + patternText(part.x, instruments) +
               QStringLiteral("}\r\n1 {_drumSeq_,") + sequenceArguments(part);
    return text + (part.ending != 0 ? endingText(part.beatMode(), part.seed) : QStringLiteral(" |-\r\n"));
}

QString endingText(int beatMode, int partSeed) {
    const auto seeds = endingSeeds(partSeed);
    if (beatMode == kTwelveBeat)
        return QStringLiteral(
                   "\r\n'Ending:\r\n[ {_drumpattern_,\r\n"
                   "{_drumfigure_,set dr { !!64 _SnareOrRim }\r\n{_freq4_,2,1,1,1,%1}},\r\n"
                   "{_drumfigure_,set dr { !!64 _KickDrums }\r\n{_freq4_,2,1,1,1,%2}},\r\n"
                   "{_drumfigure_,set dr { !!64 _Toms }\r\n{_freq4_,2,1,1,1,%3}},\r\n"
                   ", 8 [{crashCymbal2}*16] kickDrum2 ,12} ] |\r\n")
            .arg(seeds[0]).arg(seeds[1]).arg(seeds[2]);
    if (beatMode == kSixteenBeat)
        return QStringLiteral(
                   "\r\n'Ending:\r\n[ {_drumpattern_,\r\n"
                   "{_drumfigure_,set dr { !!64 _SnareOrRim }\r\n{_freq8_,1,1,1,1,1,1,1,1,%1,=,=,=}},\r\n"
                   "{_drumfigure_,set dr { !!64 _Toms }\r\n{_freq8_,1,1,1,1,1,1,1,1,%2,=,=,=}},\r\n"
                   "{_drumfigure_,set dr { !!64 _KickDrums }\r\n{_freq8_,1,1,1,1,1,1,1,1,%3,=,=,=}},\r\n"
                   ", [ 11 [{crashCymbal2}*16] ],12} ] |\r\n")
            .arg(seeds[0]).arg(seeds[1]).arg(seeds[2]);
    return {};
}

QString insertedFigureProgram(const DrumFigure &figure, const QString &instrumentText,
                              int sharedTempo) {
    QString text = figureHeader(sharedTempo);
    if (!isKnown(figure.beatMode))
        return text;
    text += isSixteen(figure.beatMode)
                ? QStringLiteral(" duration /4\ttempo=100  [!30 highWoodBlock 4]15 ")
                : QStringLiteral(" duration /3    tempo=130  [!30 highWoodBlock 3]15 ");
    return text + QStringLiteral("1 [ ") + figureBars(figure, instrumentText);
}

QString auditionedFigureProgram(const DrumFigure &figure, const QString &instrumentText,
                                int sharedTempo) {
    QString text = figureHeader(sharedTempo);
    if (!isKnown(figure.beatMode))
        return text;
    text += isSixteen(figure.beatMode)
                ? QStringLiteral(" duration /4 \r\n [3 [!30 highWoodBlock 4]16 ]")
                : QStringLiteral(" duration /3 \r\n [2 [!30 highWoodBlock 3]16 ]");
    return text + QStringLiteral(" [ ") + figureBars(figure, instrumentText);
}

QString patternProgram(const DrumPattern &pattern, const InstrumentTexts &instruments,
                       int sharedTempo) {
    const int mode = pattern.beatMode();
    if (!isKnown(mode))
        return kIncludes;
    return kIncludes +
           (isSixteen(mode) ? QStringLiteral(" duration /4 tempo=") : QStringLiteral(" duration /3  tempo=")) +
           number(textTempo(sharedTempo)) + QStringLiteral("\r\n1 [ ") +
           patternText(pattern, instruments) + QStringLiteral(" ]");
}

QString partProgram(DrumPart &part, const InstrumentTexts &instruments) {
    const QString text = partText(part, instruments);
    const int mode = part.beatMode();
    if (!isKnown(mode))
        return kIncludes;
    return kIncludes +
           (isSixteen(mode) ? QStringLiteral(" duration /4\ttempo=") : QStringLiteral(" duration /3    tempo=")) +
           number(textTempo(part.tempo)) + QStringLiteral("   \r\n") + text;
}

}  // namespace vek::editor
