#include "drums/drum_controls.h"

#include "app/app_message.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <algorithm>

namespace vek::editor {

namespace {

constexpr int kNumberLength = 6;  // characters: room for one digit too many

QString idName(int id) { return QString::number(id); }

int compareNames(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive); }

}  // namespace

QLineEdit *numberField(int id) {
    auto *field = new QLineEdit;
    field->setObjectName(idName(id));
    field->setMaxLength(kNumberLength);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*")), field));
    field->setAlignment(Qt::AlignRight);
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 7 + 12);
    return field;
}

QLineEdit *nameField(int id) {
    auto *field = new QLineEdit;
    field->setObjectName(idName(id));
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

QComboBox *nameCombo(int id, bool editable) {
    auto *combo = new QComboBox;
    combo->setObjectName(idName(id));
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);  // a typed name enters the list when collected
    combo->setMaxVisibleItems(16);
    combo->setMinimumContentsLength(16);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

QPushButton *commandButton(int id, const QString &text) {
    auto *button = new QPushButton(text);
    button->setObjectName(idName(id));
    button->setAutoDefault(false);
    return button;
}

QCheckBox *checkBox(int id, const QString &text) {
    auto *box = new QCheckBox(text);
    box->setObjectName(idName(id));
    return box;
}

void setNumber(QLineEdit *field, int value) { field->setText(QString::number(value)); }

void setSortedNames(QComboBox *combo, QStringList names) {
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return compareNames(a, b) < 0; });
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(names);
    combo->setCurrentIndex(-1);
    if (combo->isEditable())
        combo->setEditText(text);
}

void addSortedName(QComboBox *combo, const QString &name) {
    if (name.trimmed().isEmpty() || combo->findText(name, Qt::MatchFixedString) >= 0)
        return;
    int at = 0;
    while (at < combo->count() && compareNames(combo->itemText(at), name) < 0)
        ++at;
    const QString text = combo->currentText();
    combo->insertItem(at, name);
    if (combo->isEditable())
        combo->setEditText(text);
}

QString entryAt(const QComboBox *combo, int index) {
    return index >= 0 && index < combo->count() ? combo->itemText(index) : QString();
}

FieldExchange &FieldExchange::number(QLineEdit *field, int minimum, int maximum, int &value) {
    if (!m_ok)
        return *this;
    bool isNumber = false;
    const int typed = field->text().trimmed().toInt(&isNumber);
    if (isNumber && typed >= minimum && typed <= maximum) {
        value = typed;
        return *this;
    }
    m_ok = false;
    appMessage(isNumber ? QStringLiteral("Please enter an integer between %1 and %2.").arg(minimum).arg(maximum)
                        : QStringLiteral("Please enter an integer."),
               MessageButtons::Ok, MessageIcon::Warning);
    field->setFocus();
    field->selectAll();
    return *this;
}

FieldExchange &FieldExchange::flag(const QAbstractButton *box, int &value) {
    if (m_ok)
        value = box->isChecked() ? 1 : 0;
    return *this;
}

}  // namespace vek::editor
