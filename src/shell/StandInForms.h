// Binding one form object to each form id.
#pragma once

#include <cstdint>

namespace forms {
class Form;
}

namespace shell {

// Binds FormVelmora ... FormMainOperations (ShellState.h), creating the form objects
// without loading them.
void sBindForms();

// Opens the form of `id` over the one in front, as a screen's own opening does.
void OpenStandInForm(int16_t id);

}  // namespace shell
