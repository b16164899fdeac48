#include "scaleshift/SpcArithmetic.h"

#include <cmath>

#include "common/Trace.h"
#include "platform/vb/Conversion.h"
#include "scaleshift/ScaleShiftState.h"

namespace scaleshift {

double fGetNewValue(int16_t slider) {
  common::ProcTrace t("fGetNewValue");
  // Divided by 10.0: a whole-number division would drop every position short of the ends.
  double v = CurrentSPC;
  if (slider < 0) {
    v = (LowerNoteSPC - CurrentSPC) * -slider / 10.0 + CurrentSPC;
  } else if (slider > 0) {
    v = CurrentSPC - (CurrentSPC - UpperNoteSPC) * slider / 10.0;
  }
  return vb::RoundHalfEven(v * 10.0) / 10.0;
}

float fRoundOffSPCVal(float value, std::string_view direction) {
  common::ProcTrace t("fRoundOffSPCVal");
  float r = static_cast<float>(vb::RoundHalfEven(static_cast<double>(value) * 10.0)) / 10.0f;
  if (std::trunc(r) == r) {
    if (direction == "Up") {
      r = static_cast<float>(static_cast<double>(r) + 0.1);
    } else if (direction == "Down") {
      r = static_cast<float>(static_cast<double>(r) - 0.1);
    }
  }
  return r;
}

}  // namespace scaleshift
