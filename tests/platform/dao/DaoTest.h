// A scratch folder per test and a small fixture database in it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/dao/Database.h"
#include "platform/vb/Error.h"
#include "support/ErrorNumber.h"
#include "support/SqlFixture.h"

namespace daotest {

using testsupport::ErrorNumber;

class DaoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::current_path() / "scratch" / (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { vb::SetErrorFilter(nullptr); }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  // A database file made from the SQL, opened exclusive and read-write.
  dao::Database Make(const std::string& sql, const std::string& name = "t.kzy") {
    testsupport::RunSql(Path(name), sql);
    return dao::Database::OpenDatabase(Path(name), true, false);
  }

  std::filesystem::path folder_;
};

}  // namespace daotest
