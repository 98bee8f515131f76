// vekedit: the Vek editor.
#include "app/vek_app.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vekedit"));
    QApplication::setOrganizationName(QStringLiteral("Vek"));
    QApplication::setApplicationVersion(QStringLiteral(VEK_VERSION_TEXT));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vekedit/vekedit-128.png")));
    QApplication::setDesktopFileName(QStringLiteral("vekedit"));

    vek::editor::CVekApp vek(vek::editor::CVekApp::systemEnvironment());
    if (!vek.initInstance(vek::editor::parseCommandLine(QApplication::arguments().mid(1))))
        return 1;
    const int status = QApplication::exec();
    vek.exitInstance();
    return status;
}
