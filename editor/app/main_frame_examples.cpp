// File > New from Example: a new document holding one of the shipped pieces.
#include "app/document_folder.h"
#include "app/main_frame.h"
#include "app/pad_doc.h"
#include "app/pad_frame.h"

#include <QDir>
#include <QFile>
#include <QMenu>

namespace vek::editor {

void CMainFrame::addExamplesMenu(QMenu &file) {
    QMenu *examples = file.addMenu(QStringLiteral("New from E&xample"));
    examples->setObjectName(QStringLiteral("examplesMenu"));
    const QDir folder(examplesFolder(m_context.dataDir));
    for (const QString &name : folder.entryList({QStringLiteral("*.vek")}, QDir::Files, QDir::Name)) {
        QAction *entry = examples->addAction(QString(name).replace('&', QStringLiteral("&&")));
        const QString path = folder.filePath(name);
        connect(entry, &QAction::triggered, this, [this, path] { newFromExample(path); });
    }
    examples->setEnabled(!examples->isEmpty());
}

// The copy is untitled, so the shipped file is never overwritten; it
// counts as modified until it is saved.
void CMainFrame::newFromExample(const QString &path) {
    QFile example(path);
    if (!example.open(QIODevice::ReadOnly))
        return;
    CPadFrame *frame = newDocument();
    frame->view()->setPlainText(QString::fromUtf8(example.readAll()));
    frame->doc()->setModified(true);
}

}  // namespace vek::editor
