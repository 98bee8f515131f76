// The process-wide editor state kept in the profile: word wrap, tab stop
// width and fonts of new views ("Settings", "Font", "PrintFont") and the
// show command of MDI child windows. Each value remembers the value as
// loaded so that only changes are written at exit.
#pragma once

#include "app/font_record.h"
#include "app/setting.h"

namespace vek::editor {

class ProfileFile;

// Show commands as the profile stores them.
enum ShowCommand : int { kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3 };

struct EditorSettings {
    static constexpr int kDefaultTabStops = 32;  // dialog units, 4 per character

    Setting<int> showCmd{kShowMaximized};
    Setting<int> tabStops{kDefaultTabStops};
    Setting<int> wordWrap{0};
    Setting<FontRecord> displayFont;
    Setting<FontRecord> printerFont;  // not set: print with the display font

    void loadShowCommand(const ProfileFile &profile);
    // "WordWrap", "TabStops", "Font" and "PrintFont".
    void loadViewSettings(const ProfileFile &profile);
    // The view settings, then "ShowCmd", each only when changed; returns
    // the number of values written.
    int save(ProfileFile &profile);
};

}  // namespace vek::editor
