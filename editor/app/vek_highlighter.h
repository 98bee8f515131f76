// Syntax colouring of Vek source: reserved words, quote comments, lyric
// texts, notes, numbers, macro calls with their "?n" arguments, and brackets.
#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace vek::editor {

class VekHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    enum class Kind { Plain, Keyword, Comment, Text, Note, Number, Macro, Argument, Bracket };

    explicit VekHighlighter(QTextDocument *document);

    static bool isReservedWord(const QString &word);
    // The kind of every character of one line, for tests and for colouring.
    static QList<Kind> classify(const QString &line);

protected:
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat m_formats[9];
};

}  // namespace vek::editor
