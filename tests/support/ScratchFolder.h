// Test support: an empty folder of the running test, under the test's working folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace testsupport {

// scratch/<suite>.<test>, emptied and created anew.
inline std::filesystem::path MakeScratchFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  auto folder = std::filesystem::current_path() / "scratch" / (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace testsupport
