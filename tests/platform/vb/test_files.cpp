// The file helpers that keep the user's data safe: the exclusive lock of a file and the
// copy that is on the disk before it takes its name.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "platform/vb/Error.h"
#include "platform/vb/Files.h"
#include "support/ErrorNumber.h"
#include "support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Files, OnlyOneOpeningHoldsTheLockUntilItLetsGo) {
  const fs::path folder = testsupport::MakeScratchFolder();
  const std::string lock = (folder / "x.lock").string();
  const int first = vb::LockFileExclusive(lock);
  ASSERT_GE(first, 0);
  EXPECT_EQ(vb::LockFileExclusive(lock), -1) << "a second opening, even in the same program, waits for nothing";
  vb::UnlockFile(first);
  const int again = vb::LockFileExclusive(lock);
  EXPECT_GE(again, 0);
  vb::UnlockFile(again);
  struct stat st {};
  ASSERT_EQ(stat(lock.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(testsupport::ErrorNumber([&] { vb::LockFileExclusive((folder / "none" / "x.lock").string()); }),
            vb::kPathNotFound);
}

TEST(Files, ADurableCopyIsWholeAndNeverOverwritesAFile) {
  const fs::path folder = testsupport::MakeScratchFolder();
  std::string text(200000, 'a');
  for (size_t i = 0; i < text.size(); i += 7) text[i] = static_cast<char>('a' + i % 26);
  std::ofstream(folder / "from", std::ios::binary) << text;
  vb::CopyFileDurably((folder / "from").string(), (folder / "to.part").string());
  EXPECT_EQ(Contents(folder / "to.part"), text);
  struct stat st {};
  ASSERT_EQ(stat((folder / "to.part").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  std::ofstream(folder / "taken") << "mine";
  EXPECT_NE(testsupport::ErrorNumber([&] { vb::CopyFileDurably((folder / "from").string(), (folder / "taken").string()); }),
            0);
  EXPECT_EQ(Contents(folder / "taken"), "mine");
  EXPECT_EQ(testsupport::ErrorNumber([&] {
              vb::CopyFileDurably((folder / "missing").string(), (folder / "new").string());
            }),
            vb::kPathNotFound);
  EXPECT_FALSE(fs::exists(folder / "new"));

  vb::RenameDurably((folder / "to.part").string(), (folder / "taken").string());
  EXPECT_EQ(Contents(folder / "taken"), text);
  EXPECT_FALSE(fs::exists(folder / "to.part"));
}

}  // namespace
