// The edit view of a document: a plain-text editor with the process-wide
// tab stops, display font and word-wrap style, Vek syntax highlighting,
// bracket matching and the Vek clipboard formats.
#pragma once

#include <QFont>
#include <QPlainTextEdit>

namespace vek::editor {

class CPadDoc;

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

signals:
    void caretMoved(int line, int column);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    // Dropped files are left to the main window, which opens them.
    bool canInsertFromMimeData(const QMimeData *source) const override;

private:
    void applyTabDistance();
    void onCursorMoved();
    void highlightBrackets();

    CPadDoc *m_doc;
    int m_tabStops;
    bool m_wordWrap = false;
};

}  // namespace vek::editor
