// Helpers the exploration screens share: the form in front, the width they lay
// their grids and rows of boxes out in, and stopping a form's player.
#pragma once

namespace forms {
class Form;
}

namespace exploration {

// The form in front (shell::CurrForm); error 91 when there is none.
forms::Form& FrontForm();

// The shared window width of the current window state: the normal width FormW, or
// MaxFormW while maximised. A minimised window keeps the normal width, and a width
// that is not known yet falls back to the form's inner width and then to its design
// width, so no column or box is ever laid out in a zero width.
double fLayoutWidth(forms::Form& form);

// Ends a play still running on the form's player "cMM" and lets its file go, with no
// Done for the screen; nothing when no file is open.
void sStopAndClosePlayer(forms::Form& form);

}  // namespace exploration
