#include "app/set_tab_stops.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vek::editor {

CSetTabStops::CSetTabStops(int characters, QWidget *parent) : QDialog(parent), m_field(new QSpinBox) {
    setWindowTitle(QStringLiteral("Set Tab Stops"));
    m_field->setObjectName(QStringLiteral("tabStops"));
    m_field->setRange(kMinimum, kMaximum);
    m_field->setValue(characters);
    auto *form = new QFormLayout;
    auto *label = new QLabel(QStringLiteral("&Tab Stops:"));
    label->setBuddy(m_field);
    form->addRow(label, m_field);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

int CSetTabStops::characters() const { return m_field->value(); }

}  // namespace vek::editor
