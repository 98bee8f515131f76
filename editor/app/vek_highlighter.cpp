#include "app/vek_highlighter.h"

#include <QSet>

#include "vek/reserved_words.h"

namespace vek::editor {

namespace {

using Kind = VekHighlighter::Kind;

// The compiler's reserved words, from its own table.
const QSet<QString> &reservedWords() {
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const char *word : vek::kReservedWords)
            set.insert(QString::fromLatin1(word));
        return set;
    }();
    return words;
}

bool endsName(QChar c) {
    static const QString stops = QStringLiteral(" \t\n)](=;+-\"{}?,'");
    return stops.contains(c);
}

// A note or chord: pitch letters with modifiers, e.g. "c", "ceg", "f#8.", "r4".
bool isNote(const QString &word) {
    static const QString pitches = QStringLiteral("abcdefgABCDEFGr");
    static const QString modifiers = QStringLiteral("abcdefgABCDEFG#&^@!$<>~.*/:0123456789");
    if (word.isEmpty() || !pitches.contains(word[0]))
        return false;
    for (QChar c : word)
        if (!modifiers.contains(c) && c != QLatin1Char('r'))
            return false;
    return true;
}

// Words whose bracketed argument is free text (titles, markers, lyrics of
// meta events), so "[Minuet in G]" shows no notes.
bool takesBracketText(const QString &word) {
    static const QSet<QString> words = {"author", "comments", "copyright", "cue", "instructions", "keywords",
                                        "marker", "mci", "subtitle", "text", "title", "wave"};
    return words.contains(word);
}

// Marks "[...]" starting at or after blanks from `from` as bracket text
// (nested pairs belong to the text, as the reader keeps them); returns
// where classifying goes on.
qsizetype markBracketText(const QString &line, qsizetype from, QList<Kind> &kinds) {
    qsizetype open = from;
    while (open < line.size() && (line[open] == ' ' || line[open] == '\t'))
        ++open;
    if (open >= line.size() || line[open] != '[')
        return from;
    kinds[open] = Kind::Bracket;
    int depth = 0;
    for (qsizetype i = open + 1; i < line.size(); ++i) {
        if (line[i] == ']' && depth-- == 0) {
            kinds[i] = Kind::Bracket;
            return i + 1;
        }
        if (line[i] == '[')
            ++depth;
        kinds[i] = Kind::Text;
    }
    return line.size();
}

qsizetype until(const QString &line, qsizetype from, QChar end) {
    const qsizetype at = line.indexOf(end, from);
    return at < 0 ? line.size() : at + 1;
}

void mark(QList<Kind> &kinds, qsizetype from, qsizetype to, Kind kind) {
    for (qsizetype i = from; i < to; ++i)
        kinds[i] = kind;
}

}  // namespace

VekHighlighter::VekHighlighter(QTextDocument *document) : QSyntaxHighlighter(document) {
    auto set = [this](Kind kind, QColor colour, bool bold = false, bool italic = false) {
        QTextCharFormat &format = m_formats[int(kind)];
        format.setForeground(colour);
        if (bold)
            format.setFontWeight(QFont::Bold);
        format.setFontItalic(italic);
    };
    set(Kind::Keyword, QColor(0x1d, 0x4e, 0xd8), true);
    set(Kind::Comment, QColor(0x6b, 0x72, 0x80), false, true);
    set(Kind::Text, QColor(0xa1, 0x1d, 0x48));
    set(Kind::Note, QColor(0x04, 0x78, 0x57));
    set(Kind::Number, QColor(0xb4, 0x53, 0x09));
    set(Kind::Macro, QColor(0x7e, 0x22, 0xce));
    set(Kind::Argument, QColor(0x7e, 0x22, 0xce), true);
    set(Kind::Bracket, QColor(0x11, 0x18, 0x27), true);
}

bool VekHighlighter::isReservedWord(const QString &word) { return reservedWords().contains(word); }

QList<Kind> VekHighlighter::classify(const QString &line) {
    QList<Kind> kinds(line.size(), Kind::Plain);
    qsizetype i = 0;
    while (i < line.size()) {
        const QChar c = line[i];
        qsizetype end = i + 1;
        if (c == '\'') {
            end = until(line, i + 1, '\'');
            mark(kinds, i, end, Kind::Comment);
        } else if (c == '"') {
            end = until(line, i + 1, '"');
            mark(kinds, i, end, Kind::Text);
        } else if (c == '{') {
            while (end < line.size() && !endsName(line[end]))
                ++end;
            mark(kinds, i, end, Kind::Macro);
        } else if (c == '}' || c == ',') {
            kinds[i] = Kind::Macro;
        } else if (c == '?') {
            while (end < line.size() && line[end].isDigit())
                ++end;
            mark(kinds, i, end, Kind::Argument);
        } else if (QStringLiteral("()[]").contains(c)) {
            kinds[i] = Kind::Bracket;
        } else if (c.isDigit()) {
            while (end < line.size() && line[end].isDigit())
                ++end;
            mark(kinds, i, end, Kind::Number);
        } else if (!endsName(c)) {
            while (end < line.size() && !endsName(line[end]))
                ++end;
            const QString word = line.mid(i, end - i);
            if (isReservedWord(word)) {
                mark(kinds, i, end, Kind::Keyword);
                if (takesBracketText(word))
                    end = markBracketText(line, end, kinds);
            }
            else if (isNote(word))
                mark(kinds, i, end, Kind::Note);
        }
        i = end;
    }
    return kinds;
}

void VekHighlighter::highlightBlock(const QString &text) {
    const QList<Kind> kinds = classify(text);
    qsizetype start = 0;
    for (qsizetype i = 1; i <= kinds.size(); ++i) {
        if (i < kinds.size() && kinds[i] == kinds[start])
            continue;
        if (kinds[start] != Kind::Plain)
            setFormat(int(start), int(i - start), m_formats[int(kinds[start])]);
        start = i;
    }
}

}  // namespace vek::editor
