#include "platform/sound_setup.h"

#include <fluidsynth.h>
#include <memory>

namespace vek::editor {

namespace {

using Settings = std::unique_ptr<fluid_settings_t, void (*)(fluid_settings_t *)>;

Settings newSettings() { return Settings(new_fluid_settings(), delete_fluid_settings); }

void collect(void *data, const char *, const char *option) {
    static_cast<QStringList *>(data)->append(QString::fromUtf8(option));
}

}  // namespace

QString systemSoundFont() { return QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"); }

QStringList audioDrivers() {
    QStringList drivers;
    const Settings settings = newSettings();
    if (settings)
        fluid_settings_foreach_option(settings.get(), "audio.driver", &drivers, collect);
    // The file "driver" writes a WAV file, not sound.
    drivers.removeAll(QStringLiteral("file"));
    drivers.sort();
    return drivers;
}

QString automaticAudioDriver() {
    const Settings settings = newSettings();
    char *value = nullptr;
    if (!settings || fluid_settings_dupstr(settings.get(), "audio.driver", &value) != FLUID_OK || !value)
        return QString();
    const QString driver = QString::fromUtf8(value);
    fluid_free(value);
    return driver;
}

}  // namespace vek::editor
