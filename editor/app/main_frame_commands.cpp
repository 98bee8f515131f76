// The main frame's command handlers for files, printing, editing, views,
// windows and help.
#include "app/about_dlg.h"
#include "app/app_message.h"
#include "app/app_strings.h"
#include "app/commands.h"
#include "app/document_folder.h"
#include "app/editor_settings.h"
#include "app/find_dialog.h"
#include "app/import_midi.h"
#include "app/main_frame.h"
#include "app/page_setup_dlg.h"
#include "app/pad_doc.h"
#include "app/pad_frame.h"
#include "app/program_settings.h"
#include "app/prompts.h"
#include "app/recent_files.h"
#include "app/set_tab_stops.h"
#include "app/sound_page.h"
#include "app/tempo_dialog.h"
#include "platform/help_browser.h"
#include "platform/pad_printer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QStatusBar>

namespace vek::editor {

using namespace cmd;

void CMainFrame::connectCommands() {
    auto on = [this](int id, auto handler) { connect(action(id), &QAction::triggered, this, handler); };
    auto onView = [this](int id, void (QPlainTextEdit::*slot)()) {
        connect(action(id), &QAction::triggered, this, [this, slot] {
            if (CPadView *view = activeView())
                (view->*slot)();
        });
    };
    on(ID_FILE_NEW, [this] { newDocument(); });
    on(ID_FILE_OPEN, &CMainFrame::onOpen);
    on(ID_FILE_CLOSE, [this] { if (CPadFrame *frame = activeFrame()) frame->close(); });
    on(ID_FILE_SAVE, [this] { if (CPadFrame *frame = activeFrame()) frame->save(); });
    on(ID_FILE_SAVE_AS, [this] { if (CPadFrame *frame = activeFrame()) frame->saveAs(); });
    on(ID_FILE_PRINT, &CMainFrame::onPrint);
    on(ID_FILE_PRINT_PREVIEW, &CMainFrame::onPrintPreview);
    on(ID_FILE_PRINT_SETUP, &CMainFrame::onPrintSetup);
    on(ID_FILE_PROGRAM_SETTINGS, [this] { openProgramSettings(false); });
    on(ID_APP_EXIT, &QWidget::close);

    onView(ID_EDIT_UNDO, &QPlainTextEdit::undo);
    onView(ID_EDIT_CUT, &QPlainTextEdit::cut);
    onView(ID_EDIT_COPY, &QPlainTextEdit::copy);
    onView(ID_EDIT_PASTE, &QPlainTextEdit::paste);
    onView(ID_EDIT_SELECT_ALL, &QPlainTextEdit::selectAll);
    on(ID_EDIT_CLEAR, &CMainFrame::onDelete);
    on(ID_EDIT_FIND, [this] { onFind(false); });
    on(ID_EDIT_REPLACE, [this] { onFind(true); });
    on(ID_EDIT_REPEAT, &CMainFrame::onFindNext);
    on(ID_EDIT_WORD_WRAP, &CMainFrame::onWordWrap);

    on(ID_VIEW_SET_TAB_STOPS, &CMainFrame::onSetTabStops);
    on(ID_VIEW_SET_FONT, &CMainFrame::onSetFont);
    on(ID_VIEW_SET_PRINTER_FONT, &CMainFrame::onSetPrinterFont);
    on(ID_VIEW_MIRROR_DISPLAY_FONT, &CMainFrame::onMirrorDisplayFont);

    on(ID_WINDOW_CASCADE, [this] { m_mdi->cascadeSubWindows(); });
    on(ID_WINDOW_TILE_HORZ, [this] { m_mdi->tileSubWindows(); });
    on(ID_WINDOW_ARRANGE, &CMainFrame::onArrangeIcons);
    on(ID_NEXT_PANE, [this] { m_mdi->activateNextSubWindow(); });
    on(ID_PREV_PANE, [this] { m_mdi->activatePreviousSubWindow(); });

    for (int id : {ID_HELP_CONTENTS, ID_HELP_CONTENTS_ALT})
        on(id, [this] { showHelp(HelpBrowser::findIndex(m_context.programDir)); });
    on(ID_HELP, [this] { showHelp(HelpBrowser::editorChapter(HelpBrowser::findIndex(m_context.programDir))); });
    on(ID_APP_ABOUT, &CMainFrame::onAbout);

    wireCommand(ID_INSERT_TEMPO, [this] { insertTempoChange(*this); });
    wireCommand(ID_FILE_IMPORT_MIDI, [this] { importMidiFile(*this, m_context.program->documentPath.get()); });
}

void CMainFrame::onOpen() {
    const QString folder = m_context.program->documentPath.get();
    for (const QString &path : promptOpenFileNames(this, folder))
        openDocument(path);
}

void CMainFrame::onOpenRecent(int index) {
    const QString path = m_recentActions.value(index)->data().toString();
    if (!path.isEmpty() && !openDocument(path))
        m_context.recent->remove(path);
}

void CMainFrame::printTo(QPrinter &printer) {
    const CPadView *view = activeView();
    if (!view)
        return;
    const CPadDoc *doc = view->padDoc();
    const ProgramSettings &settings = *m_context.program;
    const FontRecord &printerFont = m_context.editor->printerFont.get();
    PrintJob job;
    job.text = doc->text();
    job.font = printerFont.isSet() ? printerFont.toFont(screenDpi()) : view->font();
    job.tabStops = view->tabStops();
    job.header = settings.header.get();
    job.footer = settings.footer.get();
    job.headerTime = settings.headerTime.get();
    job.footerTime = settings.footerTime.get();
    job.pathOrTitle = doc->path().isEmpty() ? doc->title() : doc->path();
    job.fileTime = doc->fileTime();
    job.printTime = QDateTime::currentDateTime();
    if (printDocument(printer, job) < 0)
        appMessage(strings::kNoPrinterContext, MessageButtons::Ok, MessageIcon::Error);
}

void CMainFrame::onPrint() {
    if (!activeView())
        return;
    QPrintDialog dialog(&m_printer, this);
    if (execDialog(dialog) == QDialog::Accepted)
        printTo(m_printer);
}

void CMainFrame::onPrintPreview() {
    if (!activeView())
        return;
    QPrintPreviewDialog preview(&m_printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *printer) { printTo(*printer); });
    preview.resize(900, 700);
    execDialog(preview);
}

void CMainFrame::onPrintSetup() {
    QPageSetupDialog dialog(&m_printer, this);
    execDialog(dialog);
}

void CMainFrame::openProgramSettings(bool soundPage) {
    ProgramSettings &settings = *m_context.program;
    const QString folder = settings.documentPath.get();
    CPageSetupDlg dialog(settings, this);
    if (soundPage)
        dialog.showSoundPage();
    if (execDialog(dialog) != QDialog::Accepted)
        return;
    applySoundSettings(settings);
    if (settings.documentPath.get() != folder && !settings.documentPath.get().isEmpty() &&
        !prepareDocumentFolder(settings.documentPath.get(), m_context.dataDir))
        appMessage(QStringLiteral("The folders Include and Machines cannot be made in %1.")
                       .arg(QDir::toNativeSeparators(settings.documentPath.get())),
                   MessageButtons::Ok, MessageIcon::Warning);
}

void CMainFrame::onDelete() {
    if (CPadView *view = activeView())
        view->textCursor().removeSelectedText();
}

void CMainFrame::onFind(bool replace) {
    if (!m_find) {
        m_find = new FindDialog([this] { return activeView(); }, this);
        connect(m_find, &FindDialog::notFound, this, [this](const QString &text) {
            QApplication::beep();
            statusBar()->showMessage(QStringLiteral("Cannot find \"%1\".").arg(text), 4000);
        });
    }
    m_find->open(replace);
}

void CMainFrame::onFindNext() {
    if (m_find && m_find->hasSearch())
        m_find->findNext();
    else
        onFind(false);
}

void CMainFrame::onWordWrap() {
    CPadView *view = activeView();
    if (!view)
        return;
    view->setWordWrap(!view->wordWrap());
    m_context.editor->wordWrap.set(view->wordWrap() ? 1 : 0);
    updateCommandState();
}

void CMainFrame::onSetTabStops() {
    CPadView *view = activeView();
    if (!view)
        return;
    CSetTabStops dialog(std::clamp(view->tabStops() / 4, CSetTabStops::kMinimum, CSetTabStops::kMaximum), this);
    if (execDialog(dialog) != QDialog::Accepted)
        return;
    view->setTabStops(dialog.characters() * 4);
    m_context.editor->tabStops.set(dialog.characters() * 4);
}

void CMainFrame::onSetFont() {
    CPadView *view = activeView();
    if (!view)
        return;
    const std::optional<QFont> font = promptFont(this, view->font(), QStringLiteral("Set Font"));
    if (!font)
        return;
    view->setDisplayFont(*font);
    m_context.editor->displayFont.set(FontRecord::fromFont(*font, screenDpi()));
}

void CMainFrame::onSetPrinterFont() {
    const FontRecord &current = m_context.editor->printerFont.get();
    const CPadView *view = activeView();
    const QFont initial = current.isSet() ? current.toFont(screenDpi())
                          : view          ? view->font()
                                          : m_context.editor->displayFont.get().toFont(screenDpi());
    const std::optional<QFont> font = promptFont(this, initial, QStringLiteral("Set Printer Font"));
    if (!font)
        return;
    m_context.editor->printerFont.set(FontRecord::fromFont(*font, screenDpi()));
    updateCommandState();
}

void CMainFrame::onMirrorDisplayFont() {
    m_context.editor->printerFont.set(FontRecord{});
    updateCommandState();
}

void CMainFrame::onArrangeIcons() {
    // Minimised windows line up along the bottom edge of the client area.
    int x = 0;
    for (QMdiSubWindow *window : m_mdi->subWindowList()) {
        if (!window->isMinimized())
            continue;
        window->move(x, m_mdi->viewport()->height() - window->height());
        x += window->width();
    }
}

void CMainFrame::showHelp(const QString &page) {
    HelpBrowser *help = helpBrowser();
    help->showContents(page);
    help->show();
    help->raise();
    help->activateWindow();
}

void CMainFrame::onAbout() {
    AboutDlg dialog(this);
    execDialog(dialog);
}

}  // namespace vek::editor
