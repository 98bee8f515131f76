#include "app/find_dialog.h"

#include "app/pad_view.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vek::editor {

FindDialog::FindDialog(std::function<CPadView *()> activeView, QWidget *parent)
    : QDialog(parent), m_activeView(std::move(activeView)), m_find(new QLineEdit),
      m_replace(new QLineEdit), m_matchCase(new QCheckBox(QStringLiteral("Match &case"))),
      m_wholeWord(new QCheckBox(QStringLiteral("Match &whole word only"))),
      m_up(new QRadioButton(QStringLiteral("&Up"))), m_down(new QRadioButton(QStringLiteral("&Down"))),
      m_replaceButton(new QPushButton(QStringLiteral("&Replace"))),
      m_replaceAllButton(new QPushButton(QStringLiteral("Replace &All"))) {
    setModal(false);
    m_down->setChecked(true);
    m_form = new QFormLayout;
    m_form->addRow(QStringLiteral("Fi&nd what:"), m_find);
    m_form->addRow(QStringLiteral("Re&place with:"), m_replace);
    auto *direction = new QGroupBox(QStringLiteral("Direction"));
    auto *directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);
    auto *options = new QHBoxLayout;
    auto *checks = new QVBoxLayout;
    checks->addWidget(m_wholeWord);
    checks->addWidget(m_matchCase);
    options->addLayout(checks);
    options->addWidget(direction);

    auto *buttons = new QDialogButtonBox(Qt::Vertical);
    QPushButton *next = buttons->addButton(QStringLiteral("&Find Next"), QDialogButtonBox::ActionRole);
    next->setDefault(true);
    buttons->addButton(m_replaceButton, QDialogButtonBox::ActionRole);
    buttons->addButton(m_replaceAllButton, QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(next, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(m_replaceButton, &QPushButton::clicked, this, &FindDialog::replaceOne);
    connect(m_replaceAllButton, &QPushButton::clicked, this, &FindDialog::replaceAll);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);

    auto *left = new QVBoxLayout;
    left->addLayout(m_form);
    left->addLayout(options);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(buttons);
}

void FindDialog::open(bool replace) {
    setWindowTitle(replace ? QStringLiteral("Replace") : QStringLiteral("Find"));
    m_form->setRowVisible(m_replace, replace);
    m_replaceButton->setVisible(replace);
    m_replaceAllButton->setVisible(replace);
    if (CPadView *view = m_activeView(); view && view->textCursor().hasSelection())
        m_find->setText(view->textCursor().selectedText());
    show();
    raise();
    activateWindow();
    m_find->setFocus();
    m_find->selectAll();
}

void FindDialog::setFindText(const QString &text) { m_find->setText(text); }
void FindDialog::setReplaceText(const QString &text) { m_replace->setText(text); }
bool FindDialog::hasSearch() const { return !m_find->text().isEmpty(); }

QTextDocument::FindFlags FindDialog::flags() const {
    QTextDocument::FindFlags result;
    if (m_matchCase->isChecked())
        result |= QTextDocument::FindCaseSensitively;
    if (m_wholeWord->isChecked())
        result |= QTextDocument::FindWholeWords;
    if (m_up->isChecked())
        result |= QTextDocument::FindBackward;
    return result;
}

bool FindDialog::findNext() {
    CPadView *view = m_activeView();
    if (!view || !hasSearch())
        return false;
    if (view->find(m_find->text(), flags()))
        return true;
    emit notFound(m_find->text());
    return false;
}

void FindDialog::replaceOne() {
    CPadView *view = m_activeView();
    if (!view || !hasSearch())
        return;
    const Qt::CaseSensitivity sense =
        m_matchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (view->textCursor().selectedText().compare(m_find->text(), sense) == 0)
        view->textCursor().insertText(m_replace->text());
    findNext();
}

int FindDialog::replaceAll() {
    CPadView *view = m_activeView();
    if (!view || !hasSearch())
        return 0;
    QTextDocument *document = view->document();
    QTextCursor edit(document);
    edit.beginEditBlock();  // one undo step for the whole replacement
    int count = 0;
    QTextCursor found = document->find(m_find->text(), 0, flags() & ~QTextDocument::FindBackward);
    while (!found.isNull()) {
        found.insertText(m_replace->text());
        ++count;
        found = document->find(m_find->text(), found, flags() & ~QTextDocument::FindBackward);
    }
    edit.endEditBlock();
    if (count == 0)
        emit notFound(m_find->text());
    return count;
}

}  // namespace vek::editor
