// A scratch folder per test and a small fixture database in it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/dao/Database.h"
#include "platform/vb/Error.h"
#include "support/ErrorNumber.h"
#include "support/ScratchFolder.h"
#include "support/SqlFixture.h"

namespace daotest {

using testsupport::ErrorNumber;

class DaoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = testsupport::MakeScratchFolder();
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
