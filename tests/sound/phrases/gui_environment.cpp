// One QApplication for the whole test program: the speed factor is read from the
// slider of the form in front. Tests run on the offscreen platform.
#include <QApplication>

#include <memory>

#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[20] = "test_sound_phrases";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
