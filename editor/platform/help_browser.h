// The in-application help browser for the language guide (HTML pages in
// docs/). When the guide is not installed it shows a short page that says
// where it was looked for.
#pragma once

#include <QMainWindow>
#include <QStringList>

class QTextBrowser;

namespace vek::editor {

class HelpBrowser : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget *parent = nullptr);

    // Where the guide's index.html may be, in the order tried: beside an
    // installed program, then in the build and the source tree.
    static QStringList indexCandidates(const QString &programDir);
    // The first candidate that exists, else an empty string.
    static QString findIndex(const QString &programDir);

    // The editor's chapter beside the guide's index.html at `indexPath`.
    static QString editorChapter(const QString &indexPath);

    // Opens `indexPath` (or any page of the guide), or the friendly page
    // when it is empty or missing.
    void showContents(const QString &indexPath);
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
};

}  // namespace vek::editor
