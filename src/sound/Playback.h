// Playing music files on the multimedia control of the form in front.
#pragma once

#include <string>

namespace sound {

// Plays a music file on the current form's "cMM"; called again by the control's Done,
// it closes the finished file and hands the end of playing on by CallbackCode.
void sPlayMusicFile(const std::string& file);

}  // namespace sound
