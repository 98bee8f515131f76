// What the editor says when the sound device cannot play a piece.
#pragma once

namespace vek::editor {

// Tells the user why the device failed (an MCI error code). For a failure
// the Sound page can mend (the audio driver, the sound font) it offers to
// open that page; true when the user accepted.
bool reportSoundFailure(int mciError);

}  // namespace vek::editor
