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

// Loads background picture PictureNumber into the form and records it in PictureFile.
// A missing or unreadable picture is recorded in "ignoerr.txt" and the form shows no
// picture.
void LoadBackgroundPicture(forms::Form& form);

}  // namespace shell
