// CPadFrame: saving, the "save changes?" question and the show command.
#include "app/pad_doc.h"
#include "app/pad_frame.h"
#include "editor_test_support.h"

#include <QMdiArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

Q_DECLARE_METATYPE(vek::editor::MessageAnswer)

class TestCPadFrame : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void saveAsAddsTheExtensionAndReportsThePath() {
        PromptScript prompts;
        prompts.saveName = m_dir.filePath(QStringLiteral("tune"));
        auto *doc = new CPadDoc;
        doc->setUntitled(1);
        CPadFrame frame(doc, CPadView::Style{});
        frame.setDefaultFolder(m_dir.path());
        frame.view()->insertPlainText(QStringLiteral("c d e"));
        QSignalSpy saved(&frame, &CPadFrame::documentSaved);
        QVERIFY(frame.save());  // untitled: asks for a name
        QCOMPARE(prompts.suggestedName, m_dir.filePath(QStringLiteral("NoName1.vek")));
        const QString path = m_dir.filePath(QStringLiteral("tune.vek"));
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.first().first().toString(), path);
        QCOMPARE(readFile(path), QByteArray("c d e"));
        QCOMPARE(frame.windowTitle(), QStringLiteral("tune.vek[*]"));
    }

    void cancelledSaveAsKeepsTheDocument() {
        PromptScript prompts;  // no name: cancelled
        auto *doc = new CPadDoc;
        doc->setUntitled(1);
        CPadFrame frame(doc, CPadView::Style{});
        frame.view()->insertPlainText(QStringLiteral("c"));
        QVERIFY(!frame.save());
        QVERIFY(doc->isModified());
    }

    void closeAsksOnlyAboutChanges_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("questions");
        QTest::newRow("unmodified") << false << MessageAnswer::Cancel << true << 0;
        QTest::newRow("discard") << true << MessageAnswer::No << true << 1;
        QTest::newRow("cancel") << true << MessageAnswer::Cancel << false << 1;
        QTest::newRow("save") << true << MessageAnswer::Yes << true << 1;
    }
    void closeAsksOnlyAboutChanges() {
        QFETCH(bool, modified);
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, closes);
        QFETCH(int, questions);
        MessageRecorder messages;
        messages.answers = {answer};
        const QString path = m_dir.filePath(QStringLiteral("close.vek"));
        writeFile(path, "c\n");
        auto *doc = new CPadDoc;
        QVERIFY(doc->load(path));
        QMdiArea area;
        auto *frame = new CPadFrame(doc, CPadView::Style{});
        area.addSubWindow(frame);
        frame->show();
        if (modified)
            frame->view()->insertPlainText(QStringLiteral("x"));
        QPointer<CPadFrame> alive(frame);
        QCOMPARE(frame->close(), closes);
        QCOMPARE(messages.messages.size(), questions);
        if (questions)
            QCOMPARE(messages.messages.first(), QStringLiteral("Save changes to close.vek?"));
        QCOMPARE(readFile(path), QByteArray(answer == MessageAnswer::Yes && modified ? "xc\n" : "c\n"));
        if (closes)
            QTRY_VERIFY(alive.isNull());
    }

    void showCommandFollowsMaximiseAndRestore() {
        QMdiArea area;
        area.show();
        auto *frame = new CPadFrame(new CPadDoc, CPadView::Style{});
        area.addSubWindow(frame);
        frame->showNormal();
        QSignalSpy changed(frame, &CPadFrame::showCommandChanged);
        frame->showMaximized();
        frame->showMinimized();
        frame->showNormal();
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).first().toInt(), 3);
        QCOMPARE(changed.at(1).first().toInt(), 1);
    }
};

QTEST_MAIN(TestCPadFrame)
#include "tst_cpadframe.moc"
