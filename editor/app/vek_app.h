// The application object: start-up in the order the editor needs (folders,
// settings, main window, splash, recent files, first document) and the
// writing of changed settings at exit.
#pragma once

#include "app/editor_settings.h"
#include "app/program_settings.h"
#include "app/recent_files.h"
#include "platform/profile_file.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>

namespace vek::editor {

class CMainFrame;
class SplashWindow;

struct StartOptions {
    QStringList files;
    int showCmd = kShowNormal;  // the show command asked for at start-up
    bool splash = true;
};

// Arguments after the program name: files to open, "--no-splash",
// "--maximized", "--minimized"; "--" ends the options.
StartOptions parseCommandLine(const QStringList &arguments);

class CVekApp : public QObject {
    Q_OBJECT
public:
    struct Environment {
        QString profilePath;     // the application profile, vekedit.ini
        QString programDir;
        QString dataDir;         // shipped include files and drum library
        QString documentFolder;  // used when "DocumentPath" is empty
        std::optional<QString> playerPath;  // a registered media player, if any
        std::optional<QString> openerPath;  // the desktop's opener (xdg-open), if any
    };
    static Environment systemEnvironment();

    explicit CVekApp(Environment environment, QObject *parent = nullptr);
    ~CVekApp() override;

    // False when the program should end (no file of the command line could
    // be opened).
    bool initInstance(const StartOptions &options);
    // Writes the program settings, the editor settings and "ShowCmd" (each
    // only where changed), then the recent-file list.
    void exitInstance();

    CMainFrame *mainFrame() const { return m_frame.get(); }
    SplashWindow *splash() const { return m_splash.get(); }
    ProfileFile &profile() { return m_profile; }
    EditorSettings &editorSettings() { return m_editor; }
    ProgramSettings &programSettings() { return m_program; }
    RecentFiles &recentFiles() { return m_recent; }

private:
    void loadDocumentPath();
    void showSplash(const StartOptions &options);
    bool openFirstDocuments(const StartOptions &options);

    Environment m_env;
    QElapsedTimer m_started;
    ProfileFile m_profile;
    EditorSettings m_editor;
    ProgramSettings m_program;
    RecentFiles m_recent;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<SplashWindow> m_splash;
};

}  // namespace vek::editor
