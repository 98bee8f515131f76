#include "app/pad_view.h"

#include "app/bracket_match.h"
#include "app/line_gutter.h"
#include "app/pad_doc.h"
#include "app/recent_files.h"
#include "app/vek_highlighter.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QUrl>
#include <algorithm>

namespace vek::editor {

CPadView::CPadView(CPadDoc *doc, const Style &style, QWidget *parent)
    : QPlainTextEdit(parent), m_doc(doc), m_tabStops(style.tabStops) {
    setDocument(doc->textDocument());
    if (!RecentFiles::isListing(doc->path()))
        new VekHighlighter(doc->textDocument());
    QPlainTextEdit::setFont(style.font);
    applyTabDistance();
    m_wordWrap = !style.wordWrap;  // force the first application
    setWordWrap(style.wordWrap);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CPadView::onCursorMoved);
}

void CPadView::setTabStops(int dialogUnits) {
    m_tabStops = dialogUnits;
    applyTabDistance();
}

void CPadView::applyTabDistance() {
    // A dialog unit is a quarter of a character; at least one character.
    const double character = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('x'));
    setTabStopDistance(std::max(4, m_tabStops) / 4.0 * character);
}

void CPadView::setWordWrap(bool on) {
    if (on == m_wordWrap)
        return;
    const bool focused = hasFocus();
    const QTextCursor caret = textCursor();
    m_wordWrap = on;
    setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setTextCursor(caret);
    ensureCursorVisible();
    if (focused)
        setFocus();
}

void CPadView::setDisplayFont(const QFont &font) {
    QPlainTextEdit::setFont(font);
    applyTabDistance();
}

int CPadView::caretLine() const { return textCursor().blockNumber() + 1; }

int CPadView::caretColumn() const { return textCursor().positionInBlock() + 1; }

qint64 CPadView::selectionStartByte() const { return m_doc->byteOffset(textCursor().selectionStart()); }

qint64 CPadView::selectionEndByte() const { return m_doc->byteOffset(textCursor().selectionEnd()); }

void CPadView::selectBytes(qint64 start, qint64 end) {
    QTextCursor cursor(document());
    cursor.setPosition(m_doc->position(start));
    cursor.setPosition(m_doc->position(end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void CPadView::replaceSelection(const QString &text) {
    // The edit block keeps the insertion apart from typing just before or
    // after it, which the document would otherwise merge into one undo step.
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.insertText(text);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

QMimeData *CPadView::createMimeDataFromSelection() const {
    QMimeData *data = QPlainTextEdit::createMimeDataFromSelection();
    const QTextCursor cursor = textCursor();
    const bool everything = cursor.selectionStart() == 0 &&
                            cursor.selectionEnd() >= document()->characterCount() - 1;
    if (everything) {
        data->setData(QString::fromLatin1(kDocumentMimeType), m_doc->bytes());
    } else {
        const QString link = m_doc->path() + '\n' +
                             QStringLiteral("%1 %2").arg(selectionStartByte()).arg(selectionEndByte());
        data->setData(QString::fromLatin1(kLinkMimeType), link.toUtf8());
    }
    return data;
}

bool CPadView::canInsertFromMimeData(const QMimeData *source) const {
    if (source->hasUrls()) {
        const QList<QUrl> urls = source->urls();
        if (std::all_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); }))
            return false;
    }
    return QPlainTextEdit::canInsertFromMimeData(source);
}

void CPadView::keyPressEvent(QKeyEvent *event) {
    const Qt::KeyboardModifiers held = event->modifiers();
    if ((held & Qt::AltModifier) && !(held & Qt::ControlModifier) && !event->text().isEmpty() &&
        event->text().at(0).isPrint()) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CPadView::setCurrentLineHighlight(bool on) {
    m_currentLine = on;
    highlightBrackets();
}

void CPadView::onCursorMoved() {
    highlightBrackets();
    if (m_gutter)
        m_gutter->update();  // the caret's number is bold
    emit caretMoved(caretLine(), caretColumn());
}

void CPadView::highlightBrackets() {
    QList<QTextEdit::ExtraSelection> marks;
    if (m_currentLine) {
        QTextEdit::ExtraSelection line;
        line.format.setBackground(QColor(0xf1, 0xf5, 0xf9));
        line.format.setProperty(QTextFormat::FullWidthSelection, true);
        line.cursor = textCursor();
        line.cursor.clearSelection();
        marks << line;
    }
    const QTextDocument *text = document();
    // The document counts one more character than it holds (the final block end).
    const BracketPair pair = matchBracketAt([text](int i) { return text->characterAt(i); },
                                            text->characterCount() - 1, textCursor().position());
    if (pair.at >= 0) {
        const QColor colour = pair.match >= 0 ? QColor(0xbb, 0xf7, 0xd0) : QColor(0xfe, 0xca, 0xca);
        for (int at : {pair.at, pair.match}) {
            if (at < 0)
                continue;
            QTextEdit::ExtraSelection mark;
            mark.format.setBackground(colour);
            mark.cursor = QTextCursor(document());
            mark.cursor.setPosition(at);
            mark.cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
            marks << mark;
        }
    }
    setExtraSelections(marks);
}

}  // namespace vek::editor
