#include "app/vek_app.h"

#include "app/document_folder.h"
#include "app/main_frame.h"
#include "app/pad_frame.h"
#include "drums/drum_commands.h"
#include "platform/default_player.h"
#include "platform/splash_window.h"
#include "process/process_commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vek::editor {

StartOptions parseCommandLine(const QStringList &arguments) {
    StartOptions options;
    bool filesOnly = false;
    for (const QString &argument : arguments) {
        if (filesOnly || !argument.startsWith(QStringLiteral("--")))
            options.files << argument;
        else if (argument == QStringLiteral("--"))
            filesOnly = true;
        else if (argument == QStringLiteral("--no-splash"))
            options.splash = false;
        else if (argument == QStringLiteral("--maximized"))
            options.showCmd = kShowMaximized;
        else if (argument == QStringLiteral("--minimized"))
            options.showCmd = kShowMinimized;
    }
    return options;
}

CVekApp::Environment CVekApp::systemEnvironment() {
    Environment environment;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    environment.profilePath = QDir(config).filePath(QStringLiteral("Vek/vekedit.ini"));
    environment.programDir = QCoreApplication::applicationDirPath();
    environment.dataDir = installedDataDir(environment.programDir);
    environment.documentFolder = defaultDocumentFolder();
    // This platform registers no media player; the desktop's opener stands
    // in for one.
    environment.openerPath = findDesktopOpener();
    return environment;
}

CVekApp::CVekApp(Environment environment, QObject *parent)
    : QObject(parent), m_env(std::move(environment)), m_profile(m_env.profilePath) {
    m_started.start();
}

CVekApp::~CVekApp() = default;

bool CVekApp::initInstance(const StartOptions &options) {
    m_program.load(m_profile);
    loadDocumentPath();
    m_editor.loadShowCommand(m_profile);

    EditorContext context;
    context.profile = &m_profile;
    context.editor = &m_editor;
    context.program = &m_program;
    context.recent = &m_recent;
    context.programDir = m_env.programDir;
    context.dataDir = m_env.dataDir;
    m_frame = std::make_unique<CMainFrame>(context);
    new ProcessCommands(*m_frame, context);  // owned by the frame
    new DrumCommands(*m_frame, m_program);   // owned by the frame
    m_frame->placeWindow(options.showCmd);
    showSplash(options);

    m_recent.load(m_profile);
    m_editor.loadViewSettings(m_profile);
    m_program.applyDefaultPlayer(m_env.playerPath);
    applyDesktopOpener(m_program, m_env.openerPath);
    return openFirstDocuments(options);
}

void CVekApp::loadDocumentPath() {
    // An empty document directory would put the include folder and the drum
    // library at the root of the file system; use (and fill) a folder of
    // the user's instead, and keep it as a change to be written at exit.
    // A folder named in the profile gets what it lacks of Include/ and
    // Machines/, so that the drum tools find their library.
    if (!m_program.documentPath.get().isEmpty()) {
        prepareDocumentFolder(m_program.documentPath.get(), m_env.dataDir);
        return;
    }
    if (prepareDocumentFolder(m_env.documentFolder, m_env.dataDir))
        m_program.documentPath.set(m_env.documentFolder);
}

void CVekApp::showSplash(const StartOptions &options) {
    const QPixmap picture(QStringLiteral(":/vekedit/splash.png"));
    if (!options.splash || picture.isNull() || m_frame->isMinimized())
        return;
    m_splash = std::make_unique<SplashWindow>(picture, m_started);
    m_splash->start();
}

bool CVekApp::openFirstDocuments(const StartOptions &options) {
    if (options.files.isEmpty()) {
        const QStringList &recent = m_recent.files();
        const QFileInfo last(recent.value(0));
        if (!recent.isEmpty() && last.isFile() && last.isReadable() && last.isWritable() &&
            m_frame->openDocument(last.filePath()))
            return true;
        m_frame->newDocument();
        return true;
    }
    bool opened = false;
    for (const QString &file : options.files)
        opened = m_frame->openDocument(file) != nullptr || opened;
    return opened;
}

void CVekApp::exitInstance() {
    m_program.save(m_profile);
    m_editor.save(m_profile);
    m_recent.save(m_profile);
}

}  // namespace vek::editor
