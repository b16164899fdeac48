// Running the program: the main form as the start-up object.
#pragma once

namespace shell {

// Shows the main form; its Load event shows the opening screen and, once the terms
// are accepted, runs the start-up. True when the program is running and the event
// loop is to be entered; false when the terms were refused or the start-up halted.
bool StartProgram();

}  // namespace shell
