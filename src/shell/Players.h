// The players of the forms' multimedia controls.
#pragma once

#include <string_view>

namespace forms {
class Form;
}
namespace mci {
class MMControl;
}

namespace shell {

// Has every multimedia member of a loading form get an mci::MMControl whose Done and
// StatusUpdate are raised as the member's events. Called once at start.
void InstallPlayers();

// The player of a form's multimedia member, or nullptr when it has none.
mci::MMControl* MMControlOf(forms::Form& form, std::string_view name);

// Ends the play list now playing on a player and lets its file go: the play set is left
// past its last phrase and no Done follows. Nothing when no file is open.
void sStopAndClosePlayer(mci::MMControl& player);

}  // namespace shell
