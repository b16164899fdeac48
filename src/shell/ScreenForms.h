// The form object of each screen, bound to its form id.
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
void OpenScreenForm(int16_t id);

}  // namespace shell
