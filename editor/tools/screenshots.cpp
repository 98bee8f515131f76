// Renders the editor for a visual check: the main window with two
// documents (tiled and maximised), the File and Edit menus, the Program
// Settings, Set Tab Stops and drum dialogs and the splash, as PNG files.
// Usage: vekedit_screenshots OUTPUT_FOLDER (run under Xvfb by screenshots.sh)
#include "app/commands.h"
#include "app/document_folder.h"
#include "app/main_frame.h"
#include "app/page_setup_dlg.h"
#include "app/pad_frame.h"
#include "app/set_tab_stops.h"
#include "app/tempo_dialog.h"
#include "app/vek_app.h"
#include "app/pad_doc.h"
#include "drums/drum_machine_dialog.h"
#include "drums/drum_session.h"
#include "drums/figure_dialog.h"
#include "drums/pattern_dialog.h"
#include "platform/pad_printer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

using namespace vek::editor;

namespace {

const char *kMinuet =
    "' A minuet in G: two voices\n"
    "title [Minuet in G]\n"
    "include gm.vek\n"
    "tempo=112 meter 3/4 key g\n"
    "\n"
    "set phrase { d4 g8a8b8c8 d4 g4 g4 }   ' the opening figure\n"
    "track right channel 1 patch 1\n"
    "  {phrase} e4 c8d8e8f#8 g4 g4 g4 |\n"
    "  c4 d8c8b8a8 b4 c8b8a8g8 f#4 g8a8b8g8 b4 a2\n"
    "track left channel 2 patch 33\n"
    "  (g2 a4) b2. c2. b2. a2. [2 g2 b4]\n";

const char *kDrums =
    "' Drum groove with a macro argument\n"
    "include builtins.vek\n"
    "$$10 tempo=96\n"
    "set beat { [4 !?1 c2 r4 c2 ] }\n"
    "{beat,90} {beat,70}\n"
    "velocity=+10 duration /4\n";

void settle(int ms = 150) {
    for (int i = 0; i < ms / 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

bool save(const QPixmap &picture, const QDir &out, const char *name) {
    const QString path = out.filePath(QString::fromLatin1(name));
    if (picture.save(path))
        return true;
    std::fprintf(stderr, "vekedit_screenshots: cannot write %s\n", qPrintable(path));
    return false;
}

QString writeSample(const QDir &dir, const char *name, const char *text) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
    return file.fileName();
}

bool grabMenu(CMainFrame &frame, int index, const QDir &out, const char *name) {
    QMenu *menu = frame.menuBar()->actions().value(index)->menu();
    if (!menu)
        return false;
    menu->popup(frame.mapToGlobal(QPoint(8, frame.menuBar()->height())));
    settle();
    const bool ok = save(menu->grab(), out, name);
    menu->hide();
    return ok;
}

// The three drum dialogs as they open from the menu, over the shipped
// library; nothing is played.
bool grabDrumDialogs(CMainFrame &frame, const ProgramSettings &settings, const QDir &out) {
    DrumSession session(settings);
    session.setPlayer({[](const QByteArray &, QObject *) {}, [] {}});
    auto grab = [&](DrumDialog &dialog, const char *name) {
        dialog.initialise();
        dialog.show();
        settle(300);
        const bool saved = save(dialog.grab(), out, name);
        dialog.hide();
        return saved;
    };
    DrumMachineDialog machine(session, &frame);
    DrumPatternDialog pattern(session, DrumPattern{}, true, &frame);
    DrumFigureDialog figure(session, DrumFigure{}, true, &frame);
    DrumFigureDialog twelve(session, session.library().loadFigure(QStringLiteral("Shuffle Ride")), false, &frame);
    bool ok = grab(machine, "drum-machine.png");
    ok = grab(pattern, "drum-pattern.png") && ok;
    ok = grab(figure, "drum-figure.png") && ok;
    return grab(twelve, "drum-figure-12.png") && ok;
}

}  // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vekedit_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir scratch;
    const QDir home(scratch.path());

    CVekApp::Environment environment;
    environment.profilePath = home.filePath(QStringLiteral("vekedit.ini"));
    environment.programDir = QApplication::applicationDirPath();
    environment.dataDir = installedDataDir(environment.programDir);
    environment.documentFolder = home.filePath(QStringLiteral("Vek"));
    CVekApp app(environment);
    StartOptions options;
    options.splash = false;
    options.files = {writeSample(home, "minuet.vek", kMinuet), writeSample(home, "drums.vek", kDrums)};
    if (!app.initInstance(options))
        return 1;

    CMainFrame &frame = *app.mainFrame();
    frame.showNormal();
    frame.setGeometry(40, 40, 1100, 720);
    frame.activeView()->moveCursor(QTextCursor::End);
    settle(400);
    bool ok = save(frame.grab(), out, "main-maximized.png");

    frame.mdiArea()->tileSubWindows();
    frame.frames().value(0)->view()->setFocus();
    settle(300);
    ok = save(frame.grab(), out, "main-tiled.png") && ok;
    if (QScreen *screen = QGuiApplication::primaryScreen())
        ok = save(screen->grabWindow(0), out, "screen.png") && ok;
    ok = grabMenu(frame, 0, out, "menu-file.png") && ok;
    ok = grabMenu(frame, 1, out, "menu-edit.png") && ok;
    ok = grabMenu(frame, 2, out, "menu-view.png") && ok;

    app.programSettings().playCommand.set(QStringLiteral("timidity -Os"));
    CPageSetupDlg settings(app.programSettings(), &frame);
    settings.show();
    settle(300);
    ok = save(settings.grab(), out, "program-settings.png") && ok;
    settings.hide();

    CSetTabStops tabs(8, &frame);
    tabs.show();
    settle(200);
    ok = save(tabs.grab(), out, "set-tab-stops.png") && ok;
    tabs.hide();

    CTempoDialog tempo(&frame);
    tempo.startField()->setText(QStringLiteral("120"));
    tempo.show();
    settle(200);
    ok = save(tempo.grab(), out, "tempo-dialog.png") && ok;
    tempo.hide();
    ok = grabDrumDialogs(frame, app.programSettings(), out) && ok;
    ok = save(QPixmap(QStringLiteral(":/vekedit/splash.png")), out, "splash.png") && ok;

    // A printed page, for a look at the header and footer (screenshots.sh
    // turns it into a PNG).
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out.filePath(QStringLiteral("print.pdf")));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    const CPadDoc *doc = frame.frames().value(0)->doc();
    PrintJob job;
    job.text = doc->text().repeated(12);
    job.font = frame.frames().value(0)->view()->font();
    job.header = app.programSettings().header.get();
    job.footer = app.programSettings().footer.get() + QStringLiteral("    printed %d.%m.%Y");
    job.pathOrTitle = doc->path();
    job.fileTime = doc->fileTime();
    job.printTime = QDateTime::currentDateTime();
    ok = printDocument(printer, job) > 0 && ok;
    return ok ? 0 : 1;
}
