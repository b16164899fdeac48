#include "sound/Playback.h"

#include "common/Trace.h"

namespace sound {

// Stand-in until playback is built: nothing is played, so there is nothing to close.
void sPlayMusicFile(const std::string& file) { common::ProcTrace t("sPlayMusicFile"); }

}  // namespace sound
