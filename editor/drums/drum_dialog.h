// What the three drum dialogs share: the session they work through,
// whether the main frame opened them (their OK then inserts text) or
// another dialog handed them a record to edit, the sorted name lists of the
// library, and preparing the dialog before it runs.
#pragma once

#include <QDialog>

class QBoxLayout;
class QComboBox;
class QPushButton;

namespace vek::editor {

class DrumSession;

class DrumDialog : public QDialog {
    Q_OBJECT
public:
    // Prepares the dialog (initialise()) and runs it modally through the
    // editor's prompt hooks; Rejected at once when it closed itself while
    // preparing.
    int run();
    // Resets the short list, fills the name lists and loads or shows the
    // record. False when the dialog cannot be used and closes at once.
    virtual bool initialise() = 0;

    bool openedFromMenu() const { return m_fromMenu; }

protected:
    DrumDialog(DrumSession &session, bool fromMenu, QWidget *parent);

    DrumSession &session() { return m_session; }

    // Fills `combo` with the keys of the library section, sorted; when the
    // section is missing or empty the user is told and the result is false.
    bool fillNames(QComboBox *combo, const QString &section);
    // The name typed or chosen in a name combo; a new one joins the list.
    static QString takeName(QComboBox *combo);
    // Puts a record's name into its name combo.
    static void showName(QComboBox *combo, const QString &name);
    // Shows the text of a failed save, if any.
    static void tell(const QString &problem);

    // The working loop's buttons in one column, then OK and Cancel (ids 1
    // and 2, OK the default).
    QBoxLayout *buttonColumn(const QList<QPushButton *> &commands, QPushButton *&ok, QPushButton *&cancel);

private:
    DrumSession &m_session;
    bool m_fromMenu;
};

}  // namespace vek::editor
