// The program settings of the "Setup" section: where documents and include
// files are, which output format the compiler writes, which programs load
// or play the output, and the printed header and footer. One instance lives
// for the whole run (owned by the application); the Program Settings
// dialog edits it.
#pragma once

#include "app/setting.h"

#include <QString>
#include <optional>

namespace vek::editor {

class ProfileFile;

struct ProgramSettings {
    static constexpr const char *kSection = "Setup";

    Setting<QString> playCommand;
    Setting<QString> sequencerCommand;
    Setting<QString> includeSearchPath;
    Setting<int> outputFormat;  // 0: work file, 1: MIDI file
    Setting<QString> documentPath;
    Setting<QString> header{QStringLiteral("File: &f")};
    Setting<QString> footer{QStringLiteral("Page: &p")};
    Setting<int> headerTime;  // not 0: the header shows the time of printing
    Setting<int> footerTime;
    Setting<QString> soundFont;    // General MIDI sound font of the internal player; empty: the system's
    Setting<QString> audioDriver;  // audio driver of the internal player; empty: the synthesizer's choice
    Setting<int> gainPercent{kDefaultGainPercent};  // the internal player's gain, hundredths
    Setting<int> errorBox{1};  // not 0: a failed compile also shows its message in a box

    static constexpr int kDefaultGainPercent = 50;  // kDefaultGain

    // Reads every key with its default.
    void load(const ProfileFile &profile);
    // Fills empty player commands from the path of the registered media
    // player (" /Play " and " /Open " appended); the results count as
    // changes. No player path: nothing changes.
    void applyDefaultPlayer(const std::optional<QString> &playerPath);
    // Writes each key whose value differs from the value as loaded (texts
    // compared case-sensitively); returns the number of keys written.
    int save(ProfileFile &profile);

    // Folders derived from the document directory.
    QString machinesFolder() const;
    QString includeFolder() const;
    QString drumLibraryPath() const;
};

}  // namespace vek::editor
