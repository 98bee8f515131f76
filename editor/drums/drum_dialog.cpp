#include "drums/drum_dialog.h"

#include "app/app_message.h"
#include "app/prompts.h"
#include "drums/drum_controls.h"
#include "drums/drum_session.h"

#include <QComboBox>
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

QBoxLayout *DrumDialog::buttonColumn(const QList<QPushButton *> &commands, QPushButton *&ok,
                                     QPushButton *&cancel) {
    auto *column = new QVBoxLayout;
    ok = commandButton(1, QStringLiteral("OK"));
    ok->setDefault(true);
    cancel = commandButton(2, QStringLiteral("Cancel"));
    column->addWidget(ok);
    column->addWidget(cancel);
    column->addSpacing(12);
    for (QPushButton *command : commands)
        column->addWidget(command);
    column->addStretch();
    return column;
}

}  // namespace vek::editor
