// Moving between screens: the form in front, the parent chain, the shared window
// geometry and re-layout after a resize.
//
// A screen's opening operation runs sEnterForm(its id), prepares the hidden form, then
// sShowForm(1) (FormLayout.h). Its return action runs sStructuredTermination(1).
// Its declaration routes Resize, Click and Unload with RouteScreenEvents.
#pragma once

#include <cstdint>

namespace forms {
class Form;
class FormSpec;
}  // namespace forms

namespace shell {

// Makes CurrForm the form of CurrFormId (an id without a form leaves it as it was)
// and, on the forms that carry them, puts the trace items in line.
void sSetCurrFormById();

// Goes back one level: the parent of the form in front comes back as it was.
void sRevertToParentForm();

// Leaves `levels` levels of screens, unloading each (none when levels < 1).
void sStructuredTermination(int16_t& levels);

// Records the window of the form in front in the shared geometry: its normal client
// geometry when the window is normal, only the state otherwise.
void sSetFormParameters();

// Carries out a pending re-layout of the form in front (ResizePending 1).
void sResizeForm();

// The first steps of opening screen `id` over the one in front: the illustration
// screen, the composition player and the raga summary first take over the geometry
// the parent has now; then the parent is recorded and the new form made current.
void sEnterForm(int16_t id);

// The form events of screen navigation, each doing nothing else:
// a resize records the window state and marks a re-layout pending (not for a
// resize the program's own layout caused); a click on the form's surface carries
// out that re-layout; an unload by the user's close box goes back to the parent.
void OnScreenResize();
void OnScreenClick();
void OnScreenUnload();
// Installs those of the three handlers that the form of f's id routes.
void RouteScreenEvents(forms::FormSpec& f);

// The window's client geometry (inside the frame, menu bar included) in twips, as
// it is read and written for the shared geometry.
struct ClientRect {
  double Left = 0, Top = 0, Width = 0, Height = 0;
};
ClientRect ClientGeometry(forms::Form& form);
void SetClientGeometry(forms::Form& form, const ClientRect& r);

// Brackets the program's own layout of a form (sShowForm): resize events during it,
// and later ones that only report the size and state it gave, are not the user's.
void BeginOwnLayout();
void EndOwnLayout(forms::Form& form, int16_t state);

}  // namespace shell
