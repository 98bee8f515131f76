#include "platform/default_player.h"

#include "app/program_settings.h"

#include <QStandardPaths>

namespace vek::editor {

std::optional<QString> findDesktopOpener() {
    const QString path = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

void applyDesktopOpener(ProgramSettings &settings, const std::optional<QString> &openerPath) {
    if (!openerPath)
        return;
    const QString command = *openerPath + ' ';
    if (settings.sequencerCommand.get().isEmpty())
        settings.sequencerCommand.set(command);
    if (settings.playCommand.get().isEmpty())
        settings.playCommand.set(command);
}

QString lastResortPlayer() {
#ifdef _WIN32
    return QStringLiteral("mplayer2");
#else
    return QStringLiteral("timidity");
#endif
}

}  // namespace vek::editor
