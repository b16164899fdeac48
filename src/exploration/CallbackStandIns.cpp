#include "exploration/CallbackStandIns.h"

#include "common/Trace.h"
#include "sound/SoundState.h"

namespace composer {

void sSetComposerFormNoteSlotsToDefaultFrontColor() {
  common::ProcTrace t("sSetComposerFormNoteSlotsToDefaultFrontColor");
  ++ComposerSlotResetStandInCalls;
}

}  // namespace composer
