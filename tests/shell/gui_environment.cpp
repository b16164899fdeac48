// One QApplication for the whole test program: the font database and text layout
// need it, and the main form's widgets. Tests run on the offscreen platform; every
// multimedia control gets its player, as in the program.
#include <QApplication>
#include <QCoreApplication>

#include <memory>

#include <gtest/gtest.h>

#include "shell/Players.h"

namespace {

class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    app_ = std::make_unique<QApplication>(argc_, argv_);
    app_->setQuitOnLastWindowClosed(false);
    shell::InstallPlayers();
  }
  void TearDown() override {
    QCoreApplication::processEvents();
    app_.reset();
  }

 private:
  int argc_ = 1;
  char name_[10] = "test_gui";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
