// The speed factor is read from the slider of the form in front, so the tests build
// forms; their multimedia controls get players, as in the program.
#include "shell/Players.h"
#include "support/GuiEnvironment.h"

namespace {

[[maybe_unused]] ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new testsupport::GuiEnvironment("test_sound_phrases", shell::InstallPlayers));

}  // namespace
