// "Insert Tempo Change" (dialog 114): a start tempo typed as text, put into
// the document as a call of the _tempo macro. Only the start tempo carries
// data; the change controls beside it are shown but do nothing.
#pragma once

#include <QDialog>

class QLineEdit;

namespace vek::editor {

class CMainFrame;

class CTempoDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 7;  // characters of the start tempo

    explicit CTempoDialog(QWidget *parent = nullptr);

    // The start tempo as typed; not checked, it may be empty.
    QString startTempo() const;
    QLineEdit *startField() const { return m_start; }

private:
    QLineEdit *m_start;
};

// The text inserted for a start tempo.
QString tempoChangeText(const QString &startTempo);

// Shows the dialog; Insert puts the tempo change in place of the active
// view's selection as one undoable edit.
void insertTempoChange(CMainFrame &frame);

}  // namespace vek::editor
