// The dockable Messages pane: one line per compile, newest last. Clicking
// an error line asks for the error's place.
#pragma once

#include <QDockWidget>

class QListWidget;

namespace vek::editor {

struct CompileReport;

class MessagesPane : public QDockWidget {
    Q_OBJECT
public:
    explicit MessagesPane(QWidget *parent = nullptr);

    void add(const CompileReport &report);
    QListWidget *list() const { return m_list; }

signals:
    // `document` is an absolute path, `offset` a byte offset in it.
    void errorChosen(const QString &document, qint64 offset);

private:
    QListWidget *m_list;
};

}  // namespace vek::editor
