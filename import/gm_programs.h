// The General MIDI program names that data/gm.vek declares.
#pragma once

namespace vek::import {

extern const char *const kGmPrograms[128];

}  // namespace vek::import
