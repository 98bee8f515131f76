// The modeless Find and Replace dialog of the edit views. It works on the
// view that is active when a button is pressed.
#pragma once

#include <QDialog>
#include <QTextDocument>
#include <functional>

class QCheckBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vek::editor {

class CPadView;

class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(std::function<CPadView *()> activeView, QWidget *parent = nullptr);

    // Shows the dialog for finding only or for replacing too, with the
    // active view's selection as the text to find.
    void open(bool replace);
    // Finds the next occurrence in the active view; false when none (or
    // nothing was searched for yet).
    bool findNext();
    void replaceOne();
    int replaceAll();

    void setFindText(const QString &text);
    void setReplaceText(const QString &text);
    QTextDocument::FindFlags flags() const;
    bool hasSearch() const;

signals:
    void notFound(const QString &text);

private:
    std::function<CPadView *()> m_activeView;
    QFormLayout *m_form;
    QLineEdit *m_find;
    QLineEdit *m_replace;
    QCheckBox *m_matchCase;
    QCheckBox *m_wholeWord;
    QRadioButton *m_up;
    QRadioButton *m_down;
    QPushButton *m_replaceButton;
    QPushButton *m_replaceAllButton;
};

}  // namespace vek::editor
