#include "process/messages_pane.h"

#include "process/compile_report.h"

#include <QListWidget>

namespace vek::editor {

namespace {

constexpr int kDocumentRole = Qt::UserRole;
constexpr int kOffsetRole = Qt::UserRole + 1;
// Lines kept; the oldest go first.
constexpr int kMaximumLines = 500;

}  // namespace

MessagesPane::MessagesPane(QWidget *parent) : QDockWidget(QStringLiteral("Messages"), parent), m_list(new QListWidget) {
    setObjectName(QStringLiteral("messagesPane"));
    m_list->setObjectName(QStringLiteral("messagesList"));
    setWidget(m_list);
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        const QString document = item->data(kDocumentRole).toString();
        if (!document.isEmpty())
            emit errorChosen(document, item->data(kOffsetRole).toLongLong());
    });
}

void MessagesPane::add(const CompileReport &report) {
    auto *item = new QListWidgetItem(paneLine(report));
    if (report.failed) {
        item->setForeground(Qt::darkRed);
        item->setData(kDocumentRole, report.errorDocument);
        item->setData(kOffsetRole, report.errorOffset);
        if (!report.errorDocument.isEmpty())
            item->setToolTip(QStringLiteral("Click to go to the error"));
    }
    m_list->addItem(item);
    while (m_list->count() > kMaximumLines)
        delete m_list->takeItem(0);
    m_list->scrollToItem(item);
}

}  // namespace vek::editor
