// The opening screen "OpeningScreen": what the program is, who made it and the terms
// of use, shown modally before anything is opened. "I Accept" sets TermsAccepted.
#pragma once

#include <functional>
#include <string>

#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"

namespace shell {

forms::FormSpec DeclareOpeningScreen();

// The one opening screen object of the run (created on first use, not loaded).
forms::Form& OpeningScreenForm();

// The text of the screen: description, credits and terms of use, lines broken by
// character 10 followed by character 13.
std::string fOpeningScreenText();

// Shows the opening screen and returns when it is closed. By default it is shown
// modally; tests install a presenter that answers it without waiting.
using OpeningScreenPresenter = std::function<void(forms::Form& screen)>;
void SetOpeningScreenPresenter(OpeningScreenPresenter presenter);
void sShowOpeningScreen();

}  // namespace shell
