#include "drums/drum_formats.h"

#include <QStringList>
#include <algorithm>
#include <climits>
#include <utility>

namespace vek::editor {

namespace {

// Reads the fields of one value the way the classic scan formats do ("%i"
// takes 0x for hex and a leading 0 for octal, "%d" decimal only), except
// that a name field may be empty. The first field that does not fit stops
// the scan: every later call then fails too and assigns nothing, so a
// record is read by plain calls in field order.
class FieldScanner {
public:
    explicit FieldScanner(const QString &text) : m_text(text) {}

    bool integer(int &out, bool anyBase = true) {
        if (!m_ok)
            return false;
        skipBlanks();
        const bool negative = peek() == '-';
        if (negative || peek() == '+')
            ++m_at;
        const int base = anyBase ? baseAhead() : 10;
        long long value = 0;
        int digits = 0;
        for (int d = digit(base); d >= 0; d = digit(base), ++digits)
            value = std::min<long long>(value * base + d, 1LL + INT_MAX);
        if (digits == 0)
            return m_ok = false;
        out = int(std::clamp<long long>(negative ? -value : value, INT_MIN, INT_MAX));
        return true;
    }

    // Everything up to the next comma.
    bool text(QString &out) {
        if (!m_ok)
            return false;
        const int comma = m_text.indexOf(',', m_at);
        const int end = comma < 0 ? int(m_text.size()) : comma;
        out = m_text.mid(m_at, end - m_at).trimmed();
        m_at = end;
        return true;
    }

    bool comma() {
        if (!m_ok || peek() != ',')
            return m_ok = false;
        ++m_at;
        return true;
    }

private:
    QChar peek() const { return m_at < m_text.size() ? m_text[m_at] : QChar(); }

    void skipBlanks() {
        while (m_at < m_text.size() && m_text[m_at].isSpace())
            ++m_at;
    }

    // Consumes a "0x" prefix; a lone leading 0 makes the number octal and
    // counts as its first digit.
    int baseAhead() {
        if (peek() != '0')
            return 10;
        const QChar next = m_at + 1 < m_text.size() ? m_text[m_at + 1] : QChar();
        const QChar after = m_at + 2 < m_text.size() ? m_text[m_at + 2] : QChar();
        if ((next == 'x' || next == 'X') && isHexDigit(after)) {
            m_at += 2;
            return 16;
        }
        return 8;
    }

    static bool isHexDigit(QChar c) {
        return c.isDigit() || (c.toLower() >= 'a' && c.toLower() <= 'f');
    }

    int digit(int base) {
        const QChar c = peek().toLower();
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c.unicode() - '0';
        else if (c >= 'a' && c <= 'f')
            d = c.unicode() - 'a' + 10;
        if (d < 0 || d >= base)
            return -1;
        ++m_at;
        return d;
    }

    QString m_text;
    int m_at = 0;
    bool m_ok = true;
};

int bounded(int value, int low, int high) { return std::clamp(value, low, high); }
int flag(int value) { return value != 0 ? 1 : 0; }

}  // namespace

QString figureValue(const DrumFigure &figure) {
    QStringList fields{QString::number(figure.beatMode)};
    for (int f : figure.frequencies)
        fields << QString::number(f);
    fields << figure.instrument << QString::number(figure.seed);
    return fields.join(',');
}

QString patternValue(const DrumPattern &pattern) {
    QStringList fields;
    for (const DrumFigure &figure : pattern.figures)
        fields << figure.name;
    fields << QString::number(pattern.seed) << QString::number(pattern.trailingCrash);
    return fields.join(',');
}

QString partValue(const DrumPart &part) {
    return QStringList{part.a.name, QString::number(part.repeatsA), part.b.name,
                       QString::number(part.repeatsB), part.x.name,
                       QString::number(part.breakEvery), QString::number(part.total),
                       QString::number(part.ending), QString::number(part.seed),
                       QString::number(part.tempo)}
        .join(',');
}

DrumFigure parseFigure(const QString &value) {
    DrumFigure figure;
    FieldScanner in(value);
    in.integer(figure.beatMode);
    for (int &f : figure.frequencies) {
        in.comma();
        in.integer(f);
    }
    in.comma();
    in.text(figure.instrument);
    in.comma();
    in.integer(figure.seed);
    for (int &f : figure.frequencies)
        f = bounded(f, 0, kMaxFrequency);
    figure.seed = bounded(figure.seed, 0, kMaxSeed);
    return figure;
}

DrumPattern parsePattern(const QString &value) {
    DrumPattern pattern;
    FieldScanner in(value);
    for (DrumFigure &figure : pattern.figures) {
        in.text(figure.name);
        in.comma();
    }
    in.integer(pattern.seed);
    in.comma();
    in.integer(pattern.trailingCrash);
    pattern.seed = bounded(pattern.seed, 0, kMaxSeed);
    pattern.trailingCrash = flag(pattern.trailingCrash);
    return pattern;
}

DrumPart parsePart(const QString &value) {
    DrumPart part;
    part.tempo = 0;  // 0: no tempo field was read
    FieldScanner in(value);
    const std::pair<DrumPattern *, int *> named[] = {
        {&part.a, &part.repeatsA}, {&part.b, &part.repeatsB}, {&part.x, &part.breakEvery}};
    for (auto [pattern, count] : named) {
        in.text(pattern->name);
        in.comma();
        in.integer(*count, false);
        in.comma();
    }
    for (int *field : {&part.total, &part.ending}) {
        in.integer(*field, false);
        in.comma();
    }
    in.integer(part.seed);
    in.comma();
    in.integer(part.tempo);
    for (int *count : {&part.repeatsA, &part.repeatsB, &part.breakEvery, &part.total})
        *count = bounded(*count, 0, kMaxCount);
    part.ending = flag(part.ending);
    part.seed = bounded(part.seed, 0, kMaxSeed);
    part.tempo = part.tempo == 0 ? kDefaultTempo : bounded(part.tempo, kMinPartTempo, kMaxPartTempo);
    return part;
}

QString nameProblem(const QString &name) {
    if (name.contains(','))
        return QStringLiteral("The name \"%1\" contains a comma, which separates the fields of Drum.ini.").arg(name);
    if (name.contains('=') || name.startsWith('[') || name.startsWith(';'))
        return QStringLiteral("The name \"%1\" cannot be a key of Drum.ini: it holds \"=\" or begins with \"[\" or \";\".").arg(name);
    return {};
}

}  // namespace vek::editor
