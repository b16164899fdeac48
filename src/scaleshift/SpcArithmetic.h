// The screen's arithmetic of samples per cycle (SPC): the SPC of a slider position
// while a note is tuned as a new tonic, and the rounding of a refined adjustment.
// Both work to a grain of 0.1.
#pragma once

#include <cstdint>
#include <string_view>

namespace scaleshift {

// The SPC of slider position -10 to 10 between the selected note (CurrentSPC, at 0)
// and its neighbours (LowerNoteSPC at -10, UpperNoteSPC at 10), each tenth of the
// slider a tenth of the way to the neighbour; rounded to 0.1, ties to even.
double fGetNewValue(int16_t slider);

// A refined adjustment rounded to 0.1 (ties to even); a result that is a whole number
// (0 included) moves a further 0.1 in the direction of the step: "Up" adds, "Down"
// subtracts, any other direction leaves it. A refined adjustment is thus never whole.
float fRoundOffSPCVal(float value, std::string_view direction);

}  // namespace scaleshift
