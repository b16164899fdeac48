// The main form "Velmora" (form id 1): the start-up object and the main menu.
#pragma once

#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"

namespace shell {

// The main form's declaration: title and description, the prompt line, the tips panel,
// the Exit button, the start-up timer, the multimedia control that plays the greeting
// drone, four decorative lines and the menu bar.
forms::FormSpec DeclareVelmora();

// The one main form object of the run (created on first use, not loaded).
forms::Form& MainForm();

}  // namespace shell
