#include "app/editor_settings.h"

#include "platform/profile_file.h"

namespace vek::editor {

namespace {

const QString kSettings = QStringLiteral("Settings");

int saveInt(Setting<int> &setting, ProfileFile &profile, const QString &key) {
    if (!setting.changed() || !profile.writeInt(kSettings, key, setting.get()))
        return 0;
    setting.markSaved();
    return 1;
}

int saveFont(Setting<FontRecord> &setting, ProfileFile &profile, const QString &section) {
    if (!setting.changed() || !setting.get().save(profile, section))
        return 0;
    setting.markSaved();
    return 1;
}

}  // namespace

void EditorSettings::loadShowCommand(const ProfileFile &profile) {
    showCmd.load(profile.readInt(kSettings, QStringLiteral("ShowCmd"), kShowMaximized));
}

void EditorSettings::loadViewSettings(const ProfileFile &profile) {
    wordWrap.load(profile.readInt(kSettings, QStringLiteral("WordWrap"), 0));
    tabStops.load(profile.readInt(kSettings, QStringLiteral("TabStops"), kDefaultTabStops));
    displayFont.load(FontRecord::load(profile, QStringLiteral("Font")));
    printerFont.load(FontRecord::load(profile, QStringLiteral("PrintFont")));
}

int EditorSettings::save(ProfileFile &profile) {
    int written = saveInt(wordWrap, profile, QStringLiteral("WordWrap"));
    written += saveInt(tabStops, profile, QStringLiteral("TabStops"));
    written += saveFont(displayFont, profile, QStringLiteral("Font"));
    written += saveFont(printerFont, profile, QStringLiteral("PrintFont"));
    written += saveInt(showCmd, profile, QStringLiteral("ShowCmd"));
    return written;
}

}  // namespace vek::editor
