#include "exploration/CallbackStandIns.h"

#include "common/Trace.h"
#include "sound/SoundState.h"

namespace exploration {

void sPlayCompositions(int16_t& action) {
  common::ProcTrace t("sPlayCompositions");
  sound::CallbackCode = 3;
  PlayCompositionsStandInActions.push_back(action);
}

void sSetCompNotationSlotsToDefaultColor() {
  common::ProcTrace t("sSetCompNotationSlotsToDefaultColor");
  ++CompNotationResetStandInCalls;
}

}  // namespace exploration
