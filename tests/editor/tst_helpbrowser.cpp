// HelpBrowser: the guide when it is there, a friendly page when not.
#include "editor_test_support.h"
#include "platform/help_browser.h"

#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

class TestHelpBrowser : public QObject {
    Q_OBJECT

private slots:
    void installedGuideIsFoundFirst() {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("bin"));
        QDir(dir.path()).mkpath(QStringLiteral("share/doc/vek"));
        const QString index = dir.filePath(QStringLiteral("share/doc/vek/index.html"));
        writeFile(index, "<html><head><title>Guide</title></head><body>Notes and rests</body></html>");
        QCOMPARE(HelpBrowser::findIndex(dir.filePath(QStringLiteral("bin"))), index);

        HelpBrowser help;
        help.showContents(index);
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("Notes and rests")));
        QCOMPARE(help.windowTitle(), QStringLiteral("Vek Help - Guide"));
    }

    void missingGuideShowsAFriendlyPage() {
        HelpBrowser help;
        help.showContents(QStringLiteral("/nowhere/index.html"));
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("not installed")));
        help.showContents(QString());
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("not installed")));
    }
};

QTEST_MAIN(TestHelpBrowser)
#include "tst_helpbrowser.moc"
