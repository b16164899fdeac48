// The speed factor is read from the slider of the form in front, so the tests build
// forms; their multimedia controls get players, as in the program.
#include "shell/Players.h"
#include "support/GuiEnvironment.h"

namespace {

class PhraseEnvironment : public testsupport::GuiEnvironment {
 public:
  PhraseEnvironment() : GuiEnvironment("test_sound_phrases") {}
  void SetUp() override {
    GuiEnvironment::SetUp();
    shell::InstallPlayers();
  }
};

[[maybe_unused]] ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new PhraseEnvironment);

}  // namespace
