#include "drums/drum_dialog.h"

#include "app/app_message.h"
#include "app/prompts.h"
#include "drums/drum_controls.h"
#include "drums/drum_session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vek::editor {

DrumDialog::DrumDialog(DrumSession &session, bool fromMenu, QWidget *parent)
    : QDialog(parent), m_session(session), m_fromMenu(fromMenu) {}

int DrumDialog::run() {
    if (!initialise()) {
        reject();
        return QDialog::Rejected;
    }
    return execDialog(*this);
}

bool DrumDialog::fillNames(QComboBox *combo, const QString &section) {
    const DrumListing listing = m_session.library().list(section);
    if (!listing.error.isEmpty()) {
        appMessage(listing.error, MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    setSortedNames(combo, listing.names);
    return true;
}

QString DrumDialog::takeName(QComboBox *combo) {
    const QString name = combo->currentText();
    addSortedName(combo, name);
    return name;
}

void DrumDialog::showName(QComboBox *combo, const QString &name) {
    combo->setCurrentIndex(combo->findText(name, Qt::MatchFixedString));
    if (combo->isEditable())
        combo->setEditText(name);
}

void DrumDialog::tell(const QString &problem) {
    if (!problem.isEmpty())
        appMessage(problem, MessageButtons::Ok, MessageIcon::Warning);
}

void DrumDialog::layOut(QLayout *fields, const LoopIds &ids, const LoopActions &actions) {
    auto *column = new QVBoxLayout;
    QPushButton *ok = commandButton(drum_ids::kOk, QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton *cancel = commandButton(drum_ids::kCancel, QStringLiteral("Cancel"));
    column->addWidget(ok);
    column->addWidget(cancel);
    column->addSpacing(12);
    connect(ok, &QPushButton::clicked, this, actions.ok);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    const std::pair<int, const char *> loop[] = {{ids.save, "&Save"},
                                                 {ids.playNew, "Play &New"},
                                                 {ids.playThis, "&Play This"},
                                                 {ids.shortlist, "Short&list"},
                                                 {ids.review, "&Review"}};
    const std::function<void()> *does[] = {&actions.save, &actions.playNew, &actions.playThis,
                                           &actions.shortlist, &actions.review};
    for (int i = 0; i < 5; ++i) {
        QPushButton *button = commandButton(loop[i].first, QString::fromLatin1(loop[i].second));
        connect(button, &QPushButton::clicked, this, *does[i]);
        column->addWidget(button);
    }
    column->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(column);
}

QGroupBox *DrumDialog::subRecordBox(const QString &title, std::span<const SubRecordIds> rows,
                                    std::span<QLineEdit *> names, std::span<QCheckBox *> holds,
                                    const std::function<void(int)> &onEdit,
                                    const std::function<void(int, bool)> &onHold) {
    auto *box = new QGroupBox(title);
    auto *grid = new QGridLayout(box);
    for (int i = 0; i < int(rows.size()); ++i) {
        names[i] = nameField(rows[i].ids.name);
        names[i]->setMinimumWidth(180);
        QPushButton *edit = commandButton(rows[i].ids.edit, QStringLiteral("Edit..."));
        holds[i] = checkBox(rows[i].ids.hold, QStringLiteral("Hold"));
        auto *label = new QLabel(QString::fromLatin1(rows[i].label));
        label->setBuddy(edit);
        grid->addWidget(label, i, 0);
        grid->addWidget(names[i], i, 1);
        grid->addWidget(edit, i, 2);
        grid->addWidget(holds[i], i, 3);
        connect(edit, &QPushButton::clicked, this, [onEdit, i] { onEdit(i); });
        connect(holds[i], &QCheckBox::toggled, this, [onHold, i](bool on) { onHold(i, on); });
    }
    grid->setColumnStretch(1, 1);
    return box;
}

}  // namespace vek::editor
