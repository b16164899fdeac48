// Binding one form object to each form id. The screens that are not built yet are
// represented by small stand-in forms of the right name and id (StandInForms.cpp);
// each screen's issue replaces its stand-in with the real form.
#pragma once

#include <cstdint>

namespace forms {
class Form;
}

namespace shell {

// Binds FormVelmora ... FormMainOperations (ShellState.h), creating the form objects
// without loading them.
void sBindForms();

// A stand-in's opening operation: opens the form of `id` over the one in front.
void OpenStandInForm(int16_t id);

}  // namespace shell
