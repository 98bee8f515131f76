// What the three drum dialogs share: the session they work through,
// whether the main frame opened them (their OK then inserts text) or
// another dialog handed them a record to edit, the sorted name lists of the
// library, and preparing the dialog before it runs.
#pragma once

#include <QDialog>
#include <functional>
#include <span>

#include "drums/drum_control_ids.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLayout;
class QLineEdit;

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

public:
    // Control ids of the working loop's buttons, and what each does.
    struct LoopIds {
        int save, playNew, playThis, shortlist, review;
    };
    struct LoopActions {
        std::function<void()> save, playNew, playThis, shortlist, review, ok;
    };
    // A sub-record (a pattern's figure, a part's pattern): its label, name
    // field, "Edit..." button and "Hold" box, by control id.
    struct SubRecordIds {
        const char *label;
        drum_ids::SubRecordRow ids;
    };

protected:
    // Puts `fields` beside a column of OK (id 1, the default), Cancel (id 2,
    // which rejects) and the loop's buttons, and wires them.
    void layOut(QLayout *fields, const LoopIds &ids, const LoopActions &actions);

    // One row per sub-record in a box titled `title`; the name fields and
    // Hold boxes go to `names` and `holds`. Edit calls onEdit(row), a Hold
    // box onHold(row, checked).
    QGroupBox *subRecordBox(const QString &title, std::span<const SubRecordIds> rows,
                            std::span<QLineEdit *> names, std::span<QCheckBox *> holds,
                            const std::function<void(int)> &onEdit,
                            const std::function<void(int, bool)> &onHold);

private:
    DrumSession &m_session;
    bool m_fromMenu;
};

}  // namespace vek::editor
