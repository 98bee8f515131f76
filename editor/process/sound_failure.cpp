#include "process/sound_failure.h"

#include "app/app_message.h"
#include "platform/mci.h"

namespace vek::editor {

bool reportSoundFailure(int mciError) {
    const QString text = QStringLiteral("Vek cannot play the piece.\n\n") + Mci::errorString(mciError);
    const bool mendable = mciError == kMciNoAudioDevice || mciError == kMciNoSoundFont ||
                          mciError == kMciBadSoundFont;
    if (!mendable) {
        appMessage(text, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    return appMessage(text + QStringLiteral("\n\nOpen Program Settings > Sound now?"), MessageButtons::YesNo,
                      MessageIcon::Error) == MessageAnswer::Yes;
}

}  // namespace vek::editor
