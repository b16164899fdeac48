// Showing a form: the shared geometry, the proportional layout from the form tables
// "KZForms" and "KZFormControls", and a background picture.
#pragma once

#include <cstdint>

namespace shell {

// Lays out, decorates and shows CurrForm; hides PrevForm when hideParent is 1.
void sShowForm(int16_t& hideParent);

}  // namespace shell
