// The edit view of a document: a plain-text editor with the process-wide
// tab stops, display font and word-wrap style, Vek syntax highlighting,
// bracket matching, the Vek clipboard formats, and on request a gutter of
// line numbers and a highlight on the caret's line. Listings are shown
// plain, not coloured as Vek source.
#pragma once

#include <QFont>
#include <QPlainTextEdit>

namespace vek::editor {

class CPadDoc;
class LineGutter;

// Extra clipboard formats of Copy and Cut.
inline constexpr const char *kLinkMimeType = "application/x-vek-link";
inline constexpr const char *kDocumentMimeType = "application/x-vek-document";

class CPadView : public QPlainTextEdit {
    Q_OBJECT
public:
    struct Style {
        QFont font;
        int tabStops = 32;  // dialog units, 4 per character
        bool wordWrap = false;
    };

    CPadView(CPadDoc *doc, const Style &style, QWidget *parent = nullptr);

    CPadDoc *padDoc() const { return m_doc; }

    int tabStops() const { return m_tabStops; }
    void setTabStops(int dialogUnits);
    bool wordWrap() const { return m_wordWrap; }
    // Switches the wrap style, keeping text, caret, selection, font, tab
    // stops and focus.
    void setWordWrap(bool on);
    void setDisplayFont(const QFont &font);

    // 1-based line and column (in characters) of the caret.
    int caretLine() const;
    int caretColumn() const;

    // The selection as byte offsets in the file.
    qint64 selectionStartByte() const;
    qint64 selectionEndByte() const;
    void selectBytes(qint64 start, qint64 end);
    // Replaces the selection with `text` as one undoable edit.
    void replaceSelection(const QString &text);

    bool lineNumbers() const { return m_gutter != nullptr; }
    void setLineNumbers(bool on);
    bool currentLineHighlight() const { return m_currentLine; }
    void setCurrentLineHighlight(bool on);
    // line_gutter.cpp: the gutter's width in pixels and its picture.
    int gutterWidth() const;
    void paintGutter(QWidget &gutter, const QRect &area);

signals:
    void caretMoved(int line, int column);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    // Dropped files are left to the main window, which opens them.
    bool canInsertFromMimeData(const QMimeData *source) const override;
    // Alt with a letter belongs to the menus: it never types.
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyTabDistance();
    void onCursorMoved();
    void highlightBrackets();
    void placeGutter();

    CPadDoc *m_doc;
    int m_tabStops;
    bool m_wordWrap = false;
    bool m_currentLine = false;
    LineGutter *m_gutter = nullptr;
};

}  // namespace vek::editor
