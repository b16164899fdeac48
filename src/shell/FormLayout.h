// Showing a form: the shared geometry, the proportional layout from the form tables
// "KZForms" and "KZFormControls", and a background picture.
#pragma once

#include <cstdint>

namespace forms {
class Form;
}

namespace shell {

// Lays out, decorates and shows CurrForm; hides PrevForm when hideParent is 1.
void sShowForm(int16_t& hideParent);

// Lays the form out again at the size its window has now (after the user changed it,
// or after it took the shared geometry), keeping its picture: the members from their
// rows, then what the screen places itself (the steps it keeps, Form::Arrange). A
// minimised window, and a form never laid out from the form tables, are left as they are.
void RelayOutForm(forms::Form& form);

// A screen brought back (Go Back) takes the shared geometry: when its window state or
// normal geometry differs, it gets them and is laid out again.
void TakeSharedGeometry(forms::Form& form);

// Loads background picture PictureNumber into the form and records it in PictureFile.
// A missing or unreadable picture is recorded in "ignoerr.txt" and the form shows no
// picture.
void LoadBackgroundPicture(forms::Form& form);

}  // namespace shell
