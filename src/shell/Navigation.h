// Moving between screens: the form in front, the parent chain and re-layout after a resize.
#pragma once

namespace shell {

// Makes CurrForm the form of CurrFormId (an id without a form leaves it as it was)
// and puts the trace items of that form in line.
void sSetCurrFormById();

// Carries out a pending re-layout of the form in front (ResizePending 1).
void sResizeForm();

}  // namespace shell
