// Test support: one QApplication for a whole test program, for the tests that build
// forms. Tests run on the offscreen platform. Register it once per program:
//   [[maybe_unused]] ::testing::Environment* const kGui =
//       ::testing::AddGlobalTestEnvironment(new testsupport::GuiEnvironment("test_x"));
#pragma once

#include <QApplication>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace testsupport {

class GuiEnvironment : public ::testing::Environment {
 public:
  // started: run once the application exists (shell::InstallPlayers, for instance).
  explicit GuiEnvironment(std::string programName, std::function<void()> started = {})
      : name_(std::move(programName)), started_(std::move(started)) {}
  void SetUp() override {
    argv_[0] = name_.data();
    app_ = std::make_unique<QApplication>(argc_, argv_);
    if (started_) started_();
  }
  void TearDown() override { app_.reset(); }

 private:
  std::string name_;
  std::function<void()> started_;
  int argc_ = 1;
  char* argv_[2] = {nullptr, nullptr};
  std::unique_ptr<QApplication> app_;
};

}  // namespace testsupport
