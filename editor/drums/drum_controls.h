// The controls the drum dialogs are built from, each named by its control
// id ("1054"), and the exchange of their values with the dialog: number
// fields are read in order and the first one outside its range is refused
// with a message, like a dialog's data exchange.
#pragma once

#include <QString>
#include <QStringList>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace vek::editor {

// An edit for a whole number: digits with an optional minus sign, so that
// a value outside the range can be typed and is then refused.
QLineEdit *numberField(int id);
// A field that shows a name and cannot be edited.
QLineEdit *nameField(int id);
QComboBox *nameCombo(int id, bool editable);
QPushButton *commandButton(int id, const QString &text);
QCheckBox *checkBox(int id, const QString &text);

void setNumber(QLineEdit *field, int value);

// Name lists are kept sorted with case ignored.
void setSortedNames(QComboBox *combo, QStringList names);
// Adds `name` in its sorted place unless the list holds it already (case
// ignored) or it is blank.
void addSortedName(QComboBox *combo, const QString &name);
// The list entry at `index`, empty past the end of the list.
QString entryAt(const QComboBox *combo, int index);

// Reads fields into values in order. A field whose text is not a whole
// number within its range is refused: the user is told the range, the
// field takes the focus, and neither it nor any field after it is read,
// so their values stay as they were.
class FieldExchange {
public:
    FieldExchange &number(QLineEdit *field, int minimum, int maximum, int &value);
    FieldExchange &flag(const QAbstractButton *box, int &value);
    bool ok() const { return m_ok; }

private:
    bool m_ok = true;
};

}  // namespace vek::editor
