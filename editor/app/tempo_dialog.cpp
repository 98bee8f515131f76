#include "app/tempo_dialog.h"

#include "app/insert_text.h"
#include "app/main_frame.h"
#include "app/prompts.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vek::editor {

namespace {

QLineEdit *unusedField(const QString &name) {
    auto *field = new QLineEdit;
    field->setObjectName(name);
    field->setEnabled(false);
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    return field;
}

// The three choices in a row over "[ ] bpm over: [ ] durations", which
// each of them would use; they are there to be seen, not read.
QGroupBox *changeBox() {
    auto *box = new QGroupBox(QStringLiteral("Change"));
    auto *choices = new QButtonGroup(box);
    auto *row = new QHBoxLayout;
    const QString texts[] = {QStringLiteral("&Increase by:"), QStringLiteral("&Decrease by:"),
                             QStringLiteral("Se&t to:")};
    for (int i = 0; i < 3; ++i) {
        auto *choice = new QRadioButton(texts[i]);
        choices->addButton(choice, i);
        row->addWidget(choice);
    }
    row->addStretch();
    auto *amounts = new QHBoxLayout;
    amounts->addWidget(unusedField(QStringLiteral("changeBy")));
    amounts->addWidget(new QLabel(QStringLiteral("bpm over:")));
    amounts->addWidget(unusedField(QStringLiteral("changeOver")));
    amounts->addWidget(new QLabel(QStringLiteral("durations")));
    amounts->addStretch();
    auto *layout = new QVBoxLayout(box);
    layout->addLayout(row);
    layout->addLayout(amounts);
    return box;
}

}  // namespace

CTempoDialog::CTempoDialog(QWidget *parent) : QDialog(parent), m_start(new QLineEdit) {
    setWindowTitle(QStringLiteral("Insert Tempo Change"));
    m_start->setObjectName(QStringLiteral("1020"));
    m_start->setMaxLength(kMaxLength);
    m_start->setMaximumWidth(m_start->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
    auto *label = new QLabel(QStringLiteral("&Start at:"));
    label->setBuddy(m_start);
    auto *start = new QHBoxLayout;
    start->addWidget(label);
    start->addWidget(m_start);
    start->addWidget(new QLabel(QStringLiteral("beats per minute")));
    start->addStretch();

    auto *buttons = new QDialogButtonBox;
    QPushButton *insert = buttons->addButton(QStringLiteral("&Insert"), QDialogButtonBox::AcceptRole);
    insert->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(start);
    layout->addWidget(changeBox());
    layout->addWidget(buttons);
    m_start->setFocus();
}

QString CTempoDialog::startTempo() const { return m_start->text(); }

QString tempoChangeText(const QString &startTempo) {
    return QStringLiteral("{_tempo,") + startTempo + QLatin1Char('}');
}

void insertTempoChange(CMainFrame &frame) {
    CTempoDialog dialog(&frame);
    if (execDialog(dialog) == QDialog::Accepted)
        insertIntoActiveView(frame, tempoChangeText(dialog.startTempo()));
}

}  // namespace vek::editor
