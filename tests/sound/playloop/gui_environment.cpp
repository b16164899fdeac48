// The playing form is a Qt form whose multimedia control gets its player, as in the program.
#include "shell/Players.h"
#include "support/GuiEnvironment.h"

namespace {

[[maybe_unused]] ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new testsupport::GuiEnvironment("test_sound_playloop", shell::InstallPlayers));

}  // namespace
