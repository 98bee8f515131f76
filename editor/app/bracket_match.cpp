#include "app/bracket_match.h"

namespace vek::editor {

namespace {

constexpr char kOpeners[] = "([{";
constexpr char kClosers[] = ")]}";

int indexIn(const char *set, QChar c) {
    for (int i = 0; i < 3; ++i)
        if (c == QLatin1Char(set[i]))
            return i;
    return -1;
}

int findPartner(const std::function<QChar(int)> &charAt, int length, int from, int kind, int step,
                int limit) {
    const QChar same = QLatin1Char(step > 0 ? kOpeners[kind] : kClosers[kind]);
    const QChar other = QLatin1Char(step > 0 ? kClosers[kind] : kOpeners[kind]);
    int depth = 0;
    for (int i = from + step, n = 0; i >= 0 && i < length && n < limit; i += step, ++n) {
        const QChar c = charAt(i);
        if (c == same)
            ++depth;
        else if (c == other && depth-- == 0)
            return i;
    }
    return -1;
}

}  // namespace

BracketPair matchBracketAt(const std::function<QChar(int)> &charAt, int length, int caret, int limit) {
    for (int at : {caret, caret - 1}) {
        if (at < 0 || at >= length)
            continue;
        const QChar c = charAt(at);
        if (const int open = indexIn(kOpeners, c); open >= 0)
            return {at, findPartner(charAt, length, at, open, +1, limit)};
        if (const int close = indexIn(kClosers, c); close >= 0)
            return {at, findPartner(charAt, length, at, close, -1, limit)};
    }
    return {};
}

}  // namespace vek::editor
