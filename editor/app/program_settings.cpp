#include "app/program_settings.h"

#include "platform/profile_file.h"

#include <QDir>

namespace vek::editor {

namespace {

const QString kSetup = QString::fromLatin1(ProgramSettings::kSection);

void loadText(Setting<QString> &setting, const ProfileFile &profile, const char *key,
              const QString &fallback) {
    setting.load(profile.readString(kSetup, QString::fromLatin1(key), fallback));
}

void loadInt(Setting<int> &setting, const ProfileFile &profile, const char *key, int fallback) {
    setting.load(profile.readInt(kSetup, QString::fromLatin1(key), fallback));
}

int saveText(Setting<QString> &setting, ProfileFile &profile, const char *key) {
    if (!setting.changed() || !profile.writeString(kSetup, QString::fromLatin1(key), setting.get()))
        return 0;
    setting.markSaved();
    return 1;
}

int saveInt(Setting<int> &setting, ProfileFile &profile, const char *key) {
    if (!setting.changed() || !profile.writeInt(kSetup, QString::fromLatin1(key), setting.get()))
        return 0;
    setting.markSaved();
    return 1;
}

}  // namespace

void ProgramSettings::load(const ProfileFile &profile) {
    loadText(playCommand, profile, "PlayCommand", QString());
    loadText(sequencerCommand, profile, "SequencerCommand", QString());
    loadText(includeSearchPath, profile, "IncludeSearchPath", QString());
    loadInt(outputFormat, profile, "OutputFormat", 0);
    loadText(documentPath, profile, "DocumentPath", QString());
    loadText(header, profile, "Header", QStringLiteral("File: &f"));
    loadText(footer, profile, "Footer", QStringLiteral("Page: &p"));
    loadInt(headerTime, profile, "HeaderTime", 0);
    loadInt(footerTime, profile, "FooterTime", 0);
    loadText(soundFont, profile, "SoundFont", QString());
    loadText(audioDriver, profile, "AudioDriver", QString());
    loadInt(gainPercent, profile, "Gain", kDefaultGainPercent);
    loadInt(errorBox, profile, "ErrorBox", 1);
}

void ProgramSettings::applyDefaultPlayer(const std::optional<QString> &playerPath) {
    if (!playerPath)
        return;
    if (sequencerCommand.get().isEmpty())
        sequencerCommand.set(*playerPath + QStringLiteral(" /Open "));
    if (playCommand.get().isEmpty())
        playCommand.set(*playerPath + QStringLiteral(" /Play "));
}

int ProgramSettings::save(ProfileFile &profile) {
    // One statement per key keeps the order in which new keys are appended.
    int written = saveText(playCommand, profile, "PlayCommand");
    written += saveText(sequencerCommand, profile, "SequencerCommand");
    written += saveText(includeSearchPath, profile, "IncludeSearchPath");
    written += saveInt(outputFormat, profile, "OutputFormat");
    written += saveText(documentPath, profile, "DocumentPath");
    written += saveText(header, profile, "Header");
    written += saveText(footer, profile, "Footer");
    written += saveInt(headerTime, profile, "HeaderTime");
    written += saveInt(footerTime, profile, "FooterTime");
    written += saveText(soundFont, profile, "SoundFont");
    written += saveText(audioDriver, profile, "AudioDriver");
    written += saveInt(gainPercent, profile, "Gain");
    written += saveInt(errorBox, profile, "ErrorBox");
    return written;
}

QString ProgramSettings::machinesFolder() const {
    return QDir(documentPath.get()).filePath(QStringLiteral("Machines")) + '/';
}

QString ProgramSettings::includeFolder() const {
    return QDir(documentPath.get()).filePath(QStringLiteral("Include"));
}

QString ProgramSettings::drumLibraryPath() const {
    return QDir(documentPath.get()).filePath(QStringLiteral("Machines/Drum.ini"));
}

}  // namespace vek::editor
