#include "platform/help_browser.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace vek::editor {

HelpBrowser::HelpBrowser(QWidget *parent) : QMainWindow(parent), m_browser(new QTextBrowser) {
    setWindowTitle(QStringLiteral("Vek Help"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_browser->setOpenExternalLinks(true);
    setCentralWidget(m_browser);
    QToolBar *bar = addToolBar(QStringLiteral("Navigation"));
    bar->setMovable(false);
    QAction *back = bar->addAction(QStringLiteral("Back"), m_browser, &QTextBrowser::backward);
    QAction *forward = bar->addAction(QStringLiteral("Forward"), m_browser, &QTextBrowser::forward);
    bar->addAction(QStringLiteral("Contents"), m_browser, &QTextBrowser::home);
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Vek Help") : QStringLiteral("Vek Help - ") + title);
    });
    resize(820, 640);
}

QStringList HelpBrowser::indexCandidates(const QString &programDir) {
    const QDir dir(programDir);
    return {
        QDir::cleanPath(dir.filePath(QStringLiteral("../share/doc/vek/index.html"))),
        QDir::cleanPath(dir.filePath(QStringLiteral("../share/vek/docs/index.html"))),
        QDir(QStringLiteral(VEK_INSTALL_DOC_DIR)).filePath(QStringLiteral("index.html")),
        QDir(QStringLiteral(VEK_BUILD_DOC_DIR)).filePath(QStringLiteral("index.html")),
        QDir(QStringLiteral(VEK_SOURCE_DIR)).filePath(QStringLiteral("docs/index.html")),
    };
}

QString HelpBrowser::findIndex(const QString &programDir) {
    for (const QString &candidate : indexCandidates(programDir))
        if (QFileInfo::exists(candidate))
            return candidate;
    return QString();
}

QString HelpBrowser::editorChapter(const QString &indexPath) {
    if (indexPath.isEmpty())
        return QString();
    return QFileInfo(indexPath).dir().filePath(QStringLiteral("guide/20-editor.html"));
}

void HelpBrowser::showContents(const QString &indexPath) {
    if (!indexPath.isEmpty() && QFileInfo::exists(indexPath)) {
        m_browser->setSource(QUrl::fromLocalFile(indexPath));
        return;
    }
    m_browser->setHtml(QStringLiteral(
        "<html><head><title>Guide not installed</title></head><body style='font-family:sans-serif'>"
        "<h2>The Vek language guide is not installed</h2>"
        "<p>The editor looks for the guide's <code>index.html</code> in the documentation "
        "folder of the installation and in the <code>docs</code> folder of the source tree.</p>"
        "<p>Install Vek with <code>cmake --install</code>, or build the guide in the source tree, "
        "and choose <b>Help &gt; Contents</b> again.</p></body></html>"));
    setWindowTitle(QStringLiteral("Vek Help"));
}

}  // namespace vek::editor
