// One QGuiApplication for the whole test program: the font database and text
// layout need it. Tests run on the offscreen platform.
#include <QGuiApplication>

#include <memory>

#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<QGuiApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[10] = "test_gui";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
