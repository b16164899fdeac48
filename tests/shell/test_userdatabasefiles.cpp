// The user database and the other files of the data folder at the start, before
// anything is written there:
// - a damaged user database, of every kind of damage, is refused and never touched: its
//   bytes and its time stamp stay as they were (it is checked on a read-only opening);
// - a name of the data folder that is a link or anything but a regular file is refused
//   by name, and nothing is written where a link points;
// - a journal left by a save cut short is rolled back when it belongs to the database
//   beside it, and refused when it does not (the database moved away or restored from a
//   backup without it);
// - a broken user database template is the installation's fault, and no copy of it is made.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "EarlierDatabase.h"
#include "ShellRun.h"
#include "StartUpLibDouble.h"
#include "platform/dao/Journal.h"
#include "support/KillHarness.h"

namespace shelltest {
namespace {

const char* const kProgramError = "A program error has occured";

std::string Contents(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A time stamp long past, so that any write would show.
void SetOldTimeStamp(const std::string& file) {
  const timespec times[2] = {{978307200, 0}, {978307200, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

struct FileState {
  std::string bytes;
  timespec modified{};
  bool operator==(const FileState& o) const {
    return bytes == o.bytes && modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
  }
};

FileState StateOf(const std::string& file) {
  struct stat st {};
  lstat(file.c_str(), &st);
  return {Contents(file), st.st_mtim};
}

void PrintTo(const FileState& s, std::ostream* os) {
  *os << s.bytes.size() << " bytes, modified at " << s.modified.tv_sec << "." << s.modified.tv_nsec;
}

bool Told(const std::vector<testsupport::Message>& messages, const std::string& text) {
  for (const auto& m : messages)
    if (m.prompt.find(text) != std::string::npos) return true;
  return false;
}

// A user database that holds the learner's rows, damaged in one way.
struct DamageCase {
  const char* name;
  std::function<void(const std::string& file)> damage;
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

void Overwrite(const std::string& file, size_t at, size_t length, int seed) {
  std::mt19937 random(static_cast<unsigned>(seed));
  std::string bytes(length, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
  f.seekp(static_cast<std::streamoff>(at));
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class DamagedUserDatabaseTest : public ShellRunTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedUserDatabaseTest, IsRefusedAndNeverTouched) {
  fs::create_directories(data_);
  const std::string file = Data("mrB.kzy");
  testsupport::MakeUserFixture(file, earlier::kEarlierRows);
  GetParam().damage(file);
  SetOldTimeStamp(file);
  const FileState before = StateOf(file);

  EXPECT_FALSE(Start());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(Told(messages, "your user database \"" + file + "\"")) << messages[0].prompt;
  EXPECT_TRUE(Told(messages, "left it as it is")) << messages[0].prompt;
  EXPECT_TRUE(Told(messages, "together with its journal \"mrB.kzy-journal\"")) << messages[0].prompt;
  EXPECT_FALSE(Told(messages, kProgramError)) << messages[0].prompt;
  EXPECT_EQ(StateOf(file), before) << "bytes and time stamp as they were";
  EXPECT_FALSE(fs::exists(dao::JournalName(file))) << "no journal was made";
}

INSTANTIATE_TEST_SUITE_P(
    Shell, DamagedUserDatabaseTest,
    ::testing::Values(
        DamageCase{"OneByte", [](const std::string& f) { fs::resize_file(f, 1); }},
        DamageCase{"TruncatedToAHundredBytes", [](const std::string& f) { fs::resize_file(f, 100); }},
        DamageCase{"TruncatedToHalf", [](const std::string& f) { fs::resize_file(f, fs::file_size(f) / 2); }},
        DamageCase{"OneByteShort", [](const std::string& f) { fs::resize_file(f, fs::file_size(f) - 1); }},
        DamageCase{"RandomBytes", [](const std::string& f) { Overwrite(f, 0, fs::file_size(f), 39); }},
        DamageCase{"RandomHeader", [](const std::string& f) { Overwrite(f, 16, 16, 40); }},
        DamageCase{"RandomPage", [](const std::string& f) { Overwrite(f, 4096, 4096, 41); }},
        DamageCase{"MissingTable", [](const std::string& f) { testsupport::RunSql(f, "DROP TABLE \"ONPR\";"); }},
        DamageCase{"MissingColumn",
                   [](const std::string& f) {
                     testsupport::RunSql(f, "ALTER TABLE \"User Patterns\" RENAME COLUMN \"PatternMode\" TO \"M\";");
                   }},
        DamageCase{"MissingIndex",
                   [](const std::string& f) { testsupport::RunSql(f, "DROP INDEX \"User Parameters.PrimaryKey\";"); }},
        DamageCase{"AnotherKindOfDatabase",
                   [](const std::string& f) {
                     fs::remove(f);
                     testsupport::RunSql(f, "CREATE TABLE Other (A INTEGER);");
                   }},
        DamageCase{"AText", [](const std::string& f) { vb::WriteLines(f, {"this is not a database"}); }}),
    [](const auto& info) { return std::string(info.param.name); });

// A name of the data folder taken by something other than a regular file of the folder.
enum class Kind { LinkToAFile, LinkToNothing, Fifo, Folder };

struct NotAFileCase {
  const char* name;
  const char* file;  // in the data folder
  Kind kind;
  bool startGoesOn = false;  // the script is read, when asked for, without stopping the start
};

void PrintTo(const NotAFileCase& c, std::ostream* os) { *os << c.name; }

class NotAFileTest : public ShellRunTest, public ::testing::WithParamInterface<NotAFileCase> {
 protected:
  StartUpLibDouble library_;  // the sound start-up answers at once
};

TEST_P(NotAFileTest, IsRefusedByNameAndNothingIsWrittenThroughIt) {
  const NotAFileCase& c = GetParam();
  fs::create_directories(data_);
  testsupport::MakeUserFixture(Data("mrB.kzy"), earlier::kEarlierRows);
  const fs::path elsewhere = folder_ / "elsewhere";
  fs::create_directories(elsewhere);
  const fs::path target = elsewhere / "target";
  const std::string name = Data(c.file);
  fs::remove(name);
  switch (c.kind) {
    case Kind::LinkToAFile:
      vb::WriteLines(target.string(), {"a file outside the data folder"});
      fs::create_symlink(target, name);
      break;
    case Kind::LinkToNothing: fs::create_symlink(target, name); break;
    case Kind::Fifo: ASSERT_EQ(mkfifo(name.c_str(), 0600), 0); break;
    case Kind::Folder: fs::create_directories(name); break;
  }
  const std::string targetBefore = fs::exists(target) ? Contents(target.string()) : "";
  shell::CommandLineText = "2";  // the script is asked for
  const bool started = Start();

  EXPECT_EQ(started, c.startGoesOn);
  EXPECT_TRUE(Told(messages, "\"" + name + "\"")) << ::testing::PrintToString(MessageTexts());
  const char* kinds[] = {"a link", "a link", "a device or another kind of thing", "a folder"};
  EXPECT_TRUE(Told(messages, kinds[static_cast<int>(c.kind)])) << ::testing::PrintToString(MessageTexts());
  EXPECT_FALSE(Told(messages, kProgramError));
  EXPECT_EQ(fs::exists(target) ? Contents(target.string()) : "", targetBefore) << "nothing written where it points";
  EXPECT_EQ(fs::exists(target), c.kind == Kind::LinkToAFile) << "nothing made where it points";
  EXPECT_EQ(vb::KindOf(name), c.kind == Kind::Fifo     ? vb::FileKind::Other
                              : c.kind == Kind::Folder ? vb::FileKind::Folder
                                                       : vb::FileKind::Link)
      << "left as it is";
  if (started) {
    EXPECT_EQ(shell::ScriptPresent, 0);
    Click("cExit");
    Settle();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shell, NotAFileTest,
    ::testing::Values(NotAFileCase{"UserDatabaseLinkToAFile", "mrB.kzy", Kind::LinkToAFile},
                      NotAFileCase{"UserDatabaseFifo", "mrB.kzy", Kind::Fifo},
                      NotAFileCase{"UserDatabaseFolder", "mrB.kzy", Kind::Folder},
                      NotAFileCase{"JournalLinkToNothing", "mrB.kzy-journal", Kind::LinkToNothing},
                      NotAFileCase{"JournalFifo", "mrB.kzy-journal", Kind::Fifo},
                      NotAFileCase{"TraceFileLinkToAFile", "errtrace.txt", Kind::LinkToAFile},
                      NotAFileCase{"TraceFileLinkToNothing", "errtrace.txt", Kind::LinkToNothing},
                      NotAFileCase{"TraceFileFifo", "errtrace.txt", Kind::Fifo},
                      NotAFileCase{"DroneFileLinkToAFile", "D.Wav", Kind::LinkToAFile},
                      NotAFileCase{"DroneFileLinkToNothing", "D.Wav", Kind::LinkToNothing},
                      NotAFileCase{"DroneFileFifo", "D.Wav", Kind::Fifo},
                      NotAFileCase{"DroneFileFolder", "D.Wav", Kind::Folder},
                      NotAFileCase{"RecordOfIgnoredErrorsLink", "ignoerr.txt", Kind::LinkToAFile},
                      NotAFileCase{"EarlierDatabaseLink", "mrBOld.kzy", Kind::LinkToAFile},
                      NotAFileCase{"LockFileLink", "velmora.lock", Kind::LinkToNothing},
                      NotAFileCase{"ScriptLinkToAFile", "KZScript.txt", Kind::LinkToAFile, true},
                      NotAFileCase{"ScriptFifo", "KZScript.txt", Kind::Fifo, true},
                      NotAFileCase{"ScriptFolder", "KZScript.txt", Kind::Folder, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A save cut short while its commit writes the user database leaves a journal that the
// next start rolls back, or refuses when the database beside it is not the one it was
// written for.
class JournalAtStartTest : public ShellRunTest {
 protected:
  void SetUp() override {
    ShellRunTest::SetUp();
    testsupport::SqliteWriteSeam::Set(nullptr);  // in place before the databases are opened
    fs::create_directories(data_);
    testsupport::MakeUserFixture(Data("mrB.kzy"), earlier::Setting("SortingMode", "'1'"));
    // One run: the file gets its stamp, and the settings as this program writes them.
    const testsupport::KillHarness::Outcome first = testsupport::KillHarness::Run(0, [&] {
      ASSERT_TRUE(Start());
      Click("cExit");
      Settle();
    });
    ASSERT_TRUE(first.finished);
    saved_ = Settings();
  }
  void TearDown() override {
    testsupport::SqliteWriteSeam::Set(nullptr);
    ShellRunTest::TearDown();
  }

  std::string Settings() const {
    return testsupport::RowsOf(Data("mrB.kzy"), "SELECT * FROM \"User Parameters\" ORDER BY 1");
  }

  // A run whose settings save at exit is killed just before its n-th write to the file.
  void KilledExit(int n) {
    const testsupport::KillHarness::Outcome killed = testsupport::KillHarness::Run(0, [&] {
      testsupport::KillAtDatabaseWrite(Data("mrB.kzy"), n);
      ASSERT_TRUE(Start());
      shell::SortingMode = 4;
      Click("cExit");
      Settle();
    });
    ASSERT_TRUE(killed.killed);
    ASSERT_TRUE(dao::ExamineJournal(Data("mrB.kzy")).hot) << "a journal to roll back is left";
  }

  std::string saved_;
  StartUpLibDouble library_;
};

TEST_F(JournalAtStartTest, AJournalOfTheDatabaseBesideItIsRolledBack) {
  for (int n : {1, 2}) {  // before the file is written, and after its page 1 was
    KilledExit(n);
    // The next start, in a child too: the parent draws no window before its forks.
    const testsupport::KillHarness::Outcome next = testsupport::KillHarness::Run(0, [&] {
      ASSERT_TRUE(Start());
      EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
    });
    EXPECT_TRUE(next.finished);
    EXPECT_EQ(testsupport::IntegrityOf(Data("mrB.kzy")), "ok");
    EXPECT_EQ(Settings(), saved_) << "the settings before the save cut short at write " << n;
  }
}

struct ForeignCase {
  const char* name;
  // Puts another database in the place of the one the journal was left for; "" leaves none.
  std::function<void(JournalAtStartTest&, const std::string& backup)> replace;
};

void PrintTo(const ForeignCase& c, std::ostream* os) { *os << c.name; }

class ForeignJournalAtStartTest : public JournalAtStartTest, public ::testing::WithParamInterface<ForeignCase> {
 public:
  using JournalAtStartTest::Data;
};

TEST_P(ForeignJournalAtStartTest, IsRefusedAndBothFilesAreLeftAsTheyAre) {
  const std::string file = Data("mrB.kzy");
  const std::string journal = dao::JournalName(file);
  const std::string backup = (folder_ / "backup.kzy").string();
  fs::copy_file(file, backup);  // a backup copy of the user database
  // A run saves its settings after the backup was made, so the backup is older than the
  // state the save cut short starts from.
  const testsupport::KillHarness::Outcome later = testsupport::KillHarness::Run(0, [&] {
    ASSERT_TRUE(Start());
    shell::SortingMode = 5;
    Click("cExit");
    Settle();
  });
  ASSERT_TRUE(later.finished);
  KilledExit(2);
  GetParam().replace(*this, backup);
  if (fs::exists(file)) SetOldTimeStamp(file);
  SetOldTimeStamp(journal);
  const FileState database = fs::exists(file) ? StateOf(file) : FileState{};
  const FileState journalBefore = StateOf(journal);

  EXPECT_FALSE(Start());
  ASSERT_EQ(messages.size(), 1u);
  const std::string& told = messages[0].prompt;
  EXPECT_NE(told.find("\"" + journal + "\""), std::string::npos) << told;
  EXPECT_NE(told.find(database.bytes.empty() ? "is not there beside it" : "does not belong"), std::string::npos)
      << told;
  EXPECT_NE(told.find("together with its journal"), std::string::npos) << told;
  EXPECT_FALSE(Told(messages, kProgramError));
  EXPECT_EQ(StateOf(journal), journalBefore);
  if (database.bytes.empty()) {
    EXPECT_FALSE(fs::exists(file)) << "no new user database beside the journal";
  } else {
    EXPECT_EQ(StateOf(file), database);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shell, ForeignJournalAtStartTest,
    ::testing::Values(ForeignCase{"TheDatabaseMovedAway",
                                  [](JournalAtStartTest& t, const std::string&) {
                                    auto& f = static_cast<ForeignJournalAtStartTest&>(t);
                                    fs::rename(f.Data("mrB.kzy"), f.Data("moved.kzy"));
                                  }},
                      ForeignCase{"ABackupRestored",
                                  [](JournalAtStartTest& t, const std::string& backup) {
                                    auto& f = static_cast<ForeignJournalAtStartTest&>(t);
                                    fs::copy_file(backup, f.Data("mrB.kzy"), fs::copy_options::overwrite_existing);
                                  }},
                      ForeignCase{"AnotherUserDatabase",
                                  [](JournalAtStartTest& t, const std::string&) {
                                    auto& f = static_cast<ForeignJournalAtStartTest&>(t);
                                    testsupport::MakeUserFixture(f.Data("other.kzy"), earlier::kEarlierRows);
                                    fs::rename(f.Data("other.kzy"), f.Data("mrB.kzy"));
                                  }}),
    [](const auto& info) { return std::string(info.param.name); });

// The template of the installation is checked before it is copied.
struct TemplateCase {
  const char* name;
  std::function<void(const std::string& templ)> damage;
};

void PrintTo(const TemplateCase& c, std::ostream* os) { *os << c.name; }

class BrokenTemplateTest : public ShellRunTest, public ::testing::WithParamInterface<TemplateCase> {};

TEST_P(BrokenTemplateTest, IsTheInstallationsFaultAndIsNotCopied) {
  GetParam().damage(Share("mrB.kzy"));
  EXPECT_FALSE(Start());
  ASSERT_EQ(messages.size(), 1u);
  const std::string& told = messages[0].prompt;
  EXPECT_NE(told.find("template \"" + Share("mrB.kzy") + "\""), std::string::npos) << told;
  EXPECT_NE(told.find("install Velmora again"), std::string::npos) << told;
  EXPECT_EQ(told.find("your user database"), std::string::npos) << told;
  EXPECT_FALSE(Told(messages, kProgramError));
  for (const auto& entry : fs::directory_iterator(data_))
    EXPECT_EQ(entry.path().filename().string().rfind("mrB.kzy", 0), std::string::npos)
        << "no copy is made: " << entry.path();
}

INSTANTIATE_TEST_SUITE_P(
    Shell, BrokenTemplateTest,
    ::testing::Values(
        TemplateCase{"Truncated", [](const std::string& f) { fs::resize_file(f, fs::file_size(f) / 2); }},
        TemplateCase{"RandomPage", [](const std::string& f) { Overwrite(f, 4096, 4096, 7); }},
        TemplateCase{"MissingTable",
                     [](const std::string& f) { testsupport::RunSql(f, "DROP TABLE \"User Patterns\";"); }},
        TemplateCase{"AText", [](const std::string& f) { vb::WriteLines(f, {"not a database"}); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace shelltest
