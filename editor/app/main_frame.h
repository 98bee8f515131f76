// The main MDI frame: menus, accelerators, toolbar and status bar, the
// document windows, the window placement and the editor commands. The
// compile, playback and drum tool commands have their actions here already;
// they stay disabled until their handlers are connected (wireCommand()).
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QPrinter>
#include <QSet>
#include <QStringList>
#include <functional>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace vek::editor {

class CPadDoc;
class CPadFrame;
class CPadView;
class FindDialog;
class HelpBrowser;
class ProfileFile;
class RecentFiles;
struct EditorSettings;
struct ProgramSettings;

// What the main frame works with; the application owns all of it.
struct EditorContext {
    ProfileFile *profile = nullptr;
    EditorSettings *editor = nullptr;
    ProgramSettings *program = nullptr;
    RecentFiles *recent = nullptr;
    QString programDir;
    QString dataDir;  // the shipped include files, drum library and examples
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(const EditorContext &context, QWidget *parent = nullptr);
    ~CMainFrame() override;

    QAction *action(int commandId) const;
    // Connects a handler to a command that has none yet and lets the
    // enabling rules enable it.
    void wireCommand(int commandId, std::function<void()> handler);

    QMdiArea *mdiArea() const { return m_mdi; }
    QList<CPadFrame *> frames() const;
    CPadFrame *activeFrame() const;
    CPadView *activeView() const;

    CPadFrame *newDocument();
    // Activates the window of an open document, else opens the file; null
    // when it cannot be read (the user has been told).
    CPadFrame *openDocument(const QString &path);

    // Reads "WindowPos" and shows the window with the resulting show
    // command; `startupShowCmd` is the one asked for at start-up.
    void placeWindow(int startupShowCmd);
    // Writes "WindowPos" when it differs from the value read.
    void saveWindowPlacement();

    // Listing files produced by compiles; deleted when the window closes.
    void rememberListing(const QString &path);
    const QStringList &listings() const { return m_listings; }

    // Toolbar button 17: internal Play while idle, Stop while playing.
    void setPlayButton(bool playing);

    // Program Settings; OK gives the sound settings to the player and fills
    // a newly chosen document folder.
    void openProgramSettings(bool soundPage = false);

    HelpBrowser *helpBrowser();
    QPrinter &printer() { return m_printer; }

signals:
    // The window is about to close for good (after the documents agreed).
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Keeps the title "Vek - NAME": a maximised child would add its name again.
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // main_frame_menus.cpp
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void connectCommands();
    void updateRecentFileMenu();
    void updateWindowMenu();
    void updateCommandState();

    // main_frame_examples.cpp
    void addExamplesMenu(QMenu &file);
    void newFromExample(const QString &path);

    // main_frame_commands.cpp
    void onOpen();
    void onOpenRecent(int index);
    void onPrint();
    void onPrintPreview();
    void onPrintSetup();
    void onDelete();
    void onFind(bool replace);
    void onFindNext();
    void onWordWrap();
    void onSetTabStops();
    void onSetFont();
    void onSetPrinterFont();
    void onMirrorDisplayFont();
    void onArrangeIcons();
    void showHelp(const QString &page);
    void onAbout();
    void printTo(QPrinter &printer);

    CPadFrame *addFrame(CPadDoc *doc);
    void onSubWindowActivated(QMdiSubWindow *window);
    void onCaretMoved(int line, int column);
    void updateTitle();
    void deleteListings();

    EditorContext m_context;
    QMdiArea *m_mdi;
    QHash<int, QAction *> m_actions;
    QSet<int> m_wired;  // commands of later subsystems that have a handler
    QList<QAction *> m_recentActions;
    QList<QMenu *> m_documentMenus;     // shown only while a document is open
    QList<QAction *> m_documentActions;  // enabled only while a document is active
    QMenu *m_windowMenu = nullptr;
    QMenu *m_fileMenu = nullptr;
    QAction *m_recentSeparator = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_caretLabel = nullptr;
    QPointer<CPadView> m_connectedView;
    FindDialog *m_find = nullptr;
    HelpBrowser *m_help = nullptr;
    QPrinter m_printer;
    QStringList m_listings;
    QString m_loadedWindowPos;
    QString m_title;
    int m_untitledCount = 0;
};

}  // namespace vek::editor
