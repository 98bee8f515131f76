// File > Import MIDI...: the chosen MIDI file opens as a new untitled,
// modified document holding its Vek text; a bad file opens nothing and says
// what the reader found.
#include "app/commands.h"
#include "app/main_frame.h"
#include "app/pad_doc.h"
#include "app/pad_frame.h"
#include "editor_test_support.h"
#include "scratch_settings.h"

#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

// One track at 120 ticks a quarter: middle C for a quarter note.
const QByteArray kMidi("MThd\0\0\0\6\0\0\0\1\0\x78MTrk\0\0\0\x0C\0\x90\x3C\x40\x78\x80\x3C\x40\0\xFF\x2F\0", 34);

struct Fixture : ScratchSettings {
    PromptScript prompts;
    MessageRecorder messages;
    std::unique_ptr<CMainFrame> frame = std::make_unique<CMainFrame>(context());

    void import(const char *name, const QByteArray &bytes) {
        prompts.openNames = {dir.filePath(QString::fromLatin1(name))};
        writeFile(prompts.openNames.first(), bytes);
        frame->action(cmd::ID_FILE_IMPORT_MIDI)->trigger();
    }
};

}  // namespace

class TestImportMidi : public QObject {
    Q_OBJECT

private slots:
    void opensTheTextAsANewModifiedDocument() {
        Fixture f;
        const QList<QAction *> file = f.frame->menuBar()->actions().first()->menu()->actions();
        QCOMPARE(file.indexOf(f.frame->action(cmd::ID_FILE_IMPORT_MIDI)),
                 file.indexOf(f.frame->action(cmd::ID_FILE_OPEN)) + 1);
        f.import("tune.mid", kMidi);
        QCOMPARE(f.frame->frames().size(), 1);
        const CPadDoc *doc = f.frame->frames().first()->doc();
        QVERIFY(doc->path().isEmpty());
        QVERIFY(doc->isModified());
        QVERIFY2(doc->text().startsWith(QStringLiteral("' Imported from tune.mid (format 0, 120 ticks")), qPrintable(doc->text()));
        QVERIFY2(doc->text().endsWith(QStringLiteral("\ntempo =120 C |\n")), qPrintable(doc->text()));
        QVERIFY(f.messages.messages.isEmpty());
    }

    void aBadFileOpensNothingAndShowsTheReadersMessage() {
        Fixture f;
        f.import("bad.mid", kMidi.left(14) + "MTrx" + kMidi.mid(18));
        QCOMPARE(f.frame->frames().size(), 0);
        QCOMPARE(f.messages.messages, QStringList{QStringLiteral("bad.mid: byte 14: expected a track chunk \"MTrk\", found \"MTrx\"")});
        f.prompts.openNames.clear();  // cancelled
        f.frame->action(cmd::ID_FILE_IMPORT_MIDI)->trigger();
        QCOMPARE(f.frame->frames().size(), 0);
    }
};

QTEST_MAIN(TestImportMidi)
#include "tst_importmidi.moc"
