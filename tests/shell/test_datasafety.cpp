// The user's data kept safe: the data folder as one running program's own (a second
// copy, a first start raced by one, a carry-over killed after its commit), a full
// disk at start, during the carry-over and at exit, a trace file that may not be
// written, links, and advice that fits each cause.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "EarlierDatabase.h"
#include "ShellRun.h"
#include "platform/dao/Database.h"
#include "platform/vb/FileSeam.h"
#include "platform/vb/Files.h"
#include "shell/DataFolder.h"
#include "shell/StartUpSeams.h"
#include "support/FullDisk.h"
#include "support/KillHarness.h"

extern char** environ;

namespace shelltest {
namespace {

using namespace earlier;
using testsupport::RowsOf;

const char* const kProgramError = "A program error has occured";
const char* const kAlreadyRunning = "already running";

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The files of a folder by name, with their contents.
std::map<std::string, std::string> Listing(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder))
    files[entry.path().filename().string()] = entry.is_regular_file() ? Contents(entry.path()) : "(not a file)";
  return files;
}

bool Shows(const testsupport::Message& m, const std::string& text) { return m.prompt.find(text) != std::string::npos; }

// Rows of each table of the user's data, read from the file as it lies on the disk.
std::map<std::string, int> RowsOnDisk(const std::string& file) {
  std::map<std::string, int> rows;
  dao::Database db = dao::Database::OpenDatabase(file, false, true);
  for (const char* table : {"ONPR", "Scale Shift Specs", "Raga - Additional Information", "Raga - ALT Phrases",
                            "Raga - Composition Notations", "User Patterns"})
    rows[table] = db.OpenRecordset(table, dao::dbOpenTable).RecordCount();
  db.Close();
  return rows;
}

// What another copy of the program did: it was killed, or it ended with its exit code
// after it started (or not), showing its messages.
struct CopyOutcome {
  bool killed = false;
  bool started = false;
  std::vector<std::string> messages;
};

// Runs this test program again as another copy of Velmora, on the data folder given:
// the test AnotherCopy.RunsWhenAskedTo runs in a process of its own, in the working
// folder work, and reports what it showed. scenario: "second copy" starts as a user
// would; "killed after carry-over" is killed once its carry-over has committed.
CopyOutcome RunAnotherCopy(const std::string& scenario, const fs::path& data, const fs::path& work) {
  fs::create_directories(work);
  const fs::path report = work / "report.txt";
  fs::remove(report);
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
  env.push_back("VELMORA_TEST_COPY=" + scenario);
  env.push_back("VELMORA_TEST_COPY_HOME=" + data.string());
  env.push_back("VELMORA_TEST_COPY_REPORT=" + report.string());
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string program = fs::read_symlink("/proc/self/exe").string();
  std::string filter = "--gtest_filter=AnotherCopy.RunsWhenAskedTo";
  char* argv[] = {program.data(), filter.data(), nullptr};

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, work.c_str());
  const std::string log = (work / "log.txt").string();
  posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  CopyOutcome outcome;
  if (rc != 0) {
    ADD_FAILURE() << "the other copy could not be started";
    return outcome;
  }
  int status = 0;
  waitpid(pid, &status, 0);
  outcome.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  if (vb::FileExists(report.string())) {
    auto lines = vb::ReadLines(report.string());
    outcome.started = !lines.empty() && lines[0] == "started";
    if (!lines.empty()) outcome.messages.assign(lines.begin() + 1, lines.end());
  } else if (!outcome.killed) {
    ADD_FAILURE() << "the other copy left no report; see " << log;
  }
  return outcome;
}

// The other copy itself: it runs only when a test above starts it.
class AnotherCopy : public ShellRunTest {};

TEST_F(AnotherCopy, RunsWhenAskedTo) {
  const char* scenario = std::getenv("VELMORA_TEST_COPY");
  if (scenario == nullptr) GTEST_SKIP() << "runs only as the other copy that a data-safety test starts";
  setenv("VELMORA_HOME", std::getenv("VELMORA_TEST_COPY_HOME"), 1);
  if (std::string(scenario) == "killed after carry-over")
    shell::StartUpSeams.AfterCarryOverCommit = [] { raise(SIGKILL); };
  const bool started = Start();
  std::vector<std::string> lines{started ? "started" : "ended"};
  for (const auto& m : messages) {
    std::string line = m.prompt;
    for (char& c : line)
      if (c == '\n' || c == '\r') c = ' ';
    lines.push_back(line);
  }
  vb::WriteLines(std::getenv("VELMORA_TEST_COPY_REPORT"), lines);
}

using DataFolderTest = ShellRunTest;

TEST_F(DataFolderTest, ASecondCopyIsRefusedBeforeItReadsOrWritesAFileOfTheFolder) {
  fs::create_directories(data_);
  testsupport::MakeUserFixture(Data("mrB.kzy"));
  testsupport::MakeUserFixture(Data("mrBOld.kzy"), kEarlierRows);
  vb::WriteLines(Data("errtrace.txt"), {"the first copy's trace"});
  const int first = vb::LockFileExclusive(Data(shell::kDataFolderLock));  // the first copy runs
  ASSERT_GE(first, 0);
  const auto before = Listing(data_);

  EXPECT_FALSE(Start());
  vb::UnlockFile(first);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(Shows(messages[0], kAlreadyRunning)) << messages[0].prompt;
  EXPECT_EQ(Listing(data_), before) << "no trace file anew, no carry-over";
  EXPECT_FALSE(shell::DatabaseA.IsOpen());
  EXPECT_FALSE(shell::DatabaseB.IsOpen());
}

TEST_F(DataFolderTest, AFirstStartRacedByASecondCopyCarriesOverOnceAndTheOtherIsRefused) {
  fs::create_directories(data_);
  testsupport::MakeUserFixture(Data("mrBOld.kzy"), kEarlierRows);
  CopyOutcome other;
  shell::StartUpSeams.BeforeTemplateCopy = [&] {
    // This start found no user database and is about to make one: the other copy
    // comes now.
    const auto before = Listing(data_);
    other = RunAnotherCopy("second copy", data_, folder_ / "other");
    EXPECT_EQ(Listing(data_), before) << "the other copy changed nothing";
  };
  ASSERT_TRUE(Start());

  EXPECT_FALSE(other.started);
  ASSERT_EQ(other.messages.size(), 1u);
  EXPECT_NE(other.messages[0].find(kAlreadyRunning), std::string::npos) << other.messages[0];
  EXPECT_TRUE(messages.empty());
  const std::map<std::string, int> once{{"ONPR", 2},
                                        {"Scale Shift Specs", 1},
                                        {"Raga - Additional Information", 2},
                                        {"Raga - ALT Phrases", 1},
                                        {"Raga - Composition Notations", 2},
                                        {"User Patterns", 1}};
  shell::DatabaseB.Close();
  EXPECT_EQ(RowsOnDisk(Data("mrB.kzy")), once);
  EXPECT_FALSE(fs::exists(Data("mrBOld.kzy")));
}

// A kill after the carry-over's commit, before the earlier file is deleted: the next
// start finds the same earlier file again.
TEST_F(DataFolderTest, ACarryOverKilledAfterItsCommitAddsNothingTwiceAtTheNextStart) {
  fs::create_directories(data_);
  testsupport::MakeUserFixture(Data("mrBOld.kzy"), kEarlierRows + kIncompleteRows);
  const CopyOutcome killed = RunAnotherCopy("killed after carry-over", data_, folder_ / "killed");
  ASSERT_TRUE(killed.killed);
  ASSERT_TRUE(fs::exists(Data("mrBOld.kzy"))) << "killed before the earlier file was deleted";
  const auto carried = RowsOnDisk(Data("mrB.kzy"));
  EXPECT_EQ(carried.at("ONPR"), 2) << "the set without its header row was left out";

  shell::CommandLineText.clear();
  ASSERT_TRUE(Start());
  shell::DatabaseB.Close();
  EXPECT_EQ(RowsOnDisk(Data("mrB.kzy")), carried) << "nothing twice";
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(fs::exists(Data("mrBOld.kzy")));
  EXPECT_TRUE(fs::exists(Data("mrBOld-carried-over.kzy"))) << "rows were left out, so the file is kept";
  bool summary = false;
  for (const auto& line : vb::ReadLines(Data("ignoerr.txt")))
    summary = summary || line.rfind(std::to_string(kEarlierRowCount) +
                                        " rows of the earlier installation were already in the user database; " +
                                        std::to_string(kIncompleteRowCount) + " rows",
                                    0) == 0;
  EXPECT_TRUE(summary) << "the summary counts only the rows really there";
}

// A full disk: a small disk filled to the last few bytes where one can be mounted,
// otherwise SQLite's writes in the data folder and the writes of the text files named
// fail as on a full disk.
enum class Disk { Small, Seam };

class FullDiskTest : public ShellRunTest, public ::testing::WithParamInterface<Disk> {
 protected:
  void SetUp() override {
    ShellRunTest::SetUp();
    testsupport::SqliteDiskFull::Disarm();  // in place before the databases are opened
    if (GetParam() == Disk::Small && !disk_.Mount(data_, 8 << 20)) GTEST_SKIP() << "no disk can be mounted here";
    fs::create_directories(data_);
  }
  void TearDown() override {
    testsupport::SqliteDiskFull::Disarm();
    vb::BeforeTextFileWrite = nullptr;
    ShellRunTest::TearDown();
    disk_.Unmount();
  }

  // From now on the disk is full (the small one but for about leave bytes): SQLite
  // writes to files whose names begin with sqlitePrefix fail, and so do the writes to the
  // data folder's text files named in textFiles (ENOSPC).
  void Fill(const std::string& sqlitePrefix, const std::vector<std::string>& textFiles, size_t leave = 0) {
    if (GetParam() == Disk::Small) {
      disk_.Fill(leave);
      return;
    }
    testsupport::SqliteDiskFull::Arm(sqlitePrefix);
    std::vector<std::string> full;
    for (const auto& name : textFiles) full.push_back(Data(name));
    vb::BeforeTextFileWrite = [full](const std::string& file) {
      return std::find(full.begin(), full.end(), file) != full.end() ? ENOSPC : 0;
    };
  }

  void ExpectNoProgramError() {
    for (const auto& m : messages) EXPECT_FALSE(Shows(m, kProgramError)) << m.prompt;
  }

  testsupport::SmallDisk disk_;
};

TEST_P(FullDiskTest, AStartNamesTheTraceFileAndTheFullDisk) {
  testsupport::MakeUserFixture(Data("mrB.kzy"), Setting("SortingMode", "'4'"));
  const std::string before = Contents(Data("mrB.kzy"));
  Fill(data_.string(), {"errtrace.txt"});
  EXPECT_FALSE(Start());
  EXPECT_EQ(halts, 1);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(Shows(messages[0], Data("errtrace.txt"))) << messages[0].prompt;
  EXPECT_TRUE(Shows(messages[0], "is full")) << messages[0].prompt;
  EXPECT_TRUE(Shows(messages[0], "Free space")) << messages[0].prompt;
  ExpectNoProgramError();
  EXPECT_EQ(Contents(Data("mrB.kzy")), before);
}

TEST_P(FullDiskTest, TheCarryOverNamesTheKeptFileAndTheFullDiskAndChangesNothing) {
  testsupport::MakeUserFixture(Data("mrB.kzy"));
  testsupport::MakeUserFixture(Data("mrBOld.kzy"), kEarlierRows);
  Fill(Data("mrB.kzy"), {"ignoerr.txt"}, 4096);
  Start();
  EXPECT_EQ(halts, 0);
  ExpectNoProgramError();
  bool told = false;
  for (const auto& m : messages)
    told = told || (Shows(m, "could not be carried over") && Shows(m, "mrBOld-not-carried-over.kzy") &&
                    Shows(m, "The disk is full") && Shows(m, "\"mrBOld.kzy\""));
  EXPECT_TRUE(told) << ::testing::PrintToString(MessageTexts());
  EXPECT_TRUE(fs::exists(Data("mrBOld-not-carried-over.kzy")));
  shell::DatabaseB.Close();
  testsupport::SqliteDiskFull::Disarm();
  for (const auto& [table, rows] : RowsOnDisk(Data("mrB.kzy"))) EXPECT_EQ(rows, 0) << table;
}

TEST_P(FullDiskTest, AFailedSettingsSaveAtExitSaysSoAndTheShutDownGoesOn) {
  testsupport::MakeUserFixture(Data("mrB.kzy"), Setting("SortingMode", "'4'"));
  ASSERT_TRUE(Start());
  shell::SortingMode = 2;
  const std::string before = Contents(Data("mrB.kzy"));
  Fill(data_.string(), {});
  Click("cExit");
  Settle();

  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(Shows(messages[0], "could not save your settings")) << messages[0].prompt;
  EXPECT_TRUE(Shows(messages[0], Data("mrB.kzy"))) << messages[0].prompt;
  EXPECT_TRUE(Shows(messages[0], "is full")) << messages[0].prompt;
  ExpectNoProgramError();
  EXPECT_EQ(halts, 0);
  EXPECT_FALSE(Main().Loaded());
  EXPECT_FALSE(shell::DatabaseB.IsOpen());
  EXPECT_EQ(Contents(Data("mrB.kzy")), before) << "the user database is as it was";
}

TEST_P(FullDiskTest, AFirstStartWithoutRoomForTheUserDatabaseSaysTheDiskIsFull) {
  if (GetParam() == Disk::Seam) GTEST_SKIP() << "the copy of the template needs a disk that fills up";
  Fill(data_.string(), {}, 4096);
  EXPECT_FALSE(Start());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(Shows(messages[0], "is full")) << messages[0].prompt;
  ExpectNoProgramError();
  EXPECT_FALSE(fs::exists(Data("mrB.kzy")));
  for (const auto& [name, contents] : Listing(data_))
    EXPECT_EQ(name.find(".part"), std::string::npos) << "no half-made copy is left: " << name;
}

// The first start finds room for the user database but not for the greeting drone.
TEST_P(FullDiskTest, AFirstStartWithoutRoomForTheDroneFileNamesItAndTheFullDisk) {
  if (GetParam() == Disk::Seam) GTEST_SKIP() << "the drone file needs a disk that fills up";
  Fill(data_.string(), {}, 400 << 10);
  ASSERT_TRUE(StartToGreeting());
  ASSERT_EQ(messages.size(), 1u) << ::testing::PrintToString(MessageTexts());
  EXPECT_TRUE(Shows(messages[0], "Error in generating drone file")) << messages[0].prompt;
  EXPECT_TRUE(Shows(messages[0], "\"" + Data("D.Wav") + "\"")) << messages[0].prompt;
  EXPECT_TRUE(Shows(messages[0], "is full")) << messages[0].prompt;
  ExpectNoProgramError();
  EXPECT_TRUE(Main().Ctl("cExit").Enabled());
  EXPECT_FALSE(fs::exists(Data("D.Wav")));
  Click("cExit");
  Settle();
  EXPECT_FALSE(Main().Loaded());
}

INSTANTIATE_TEST_SUITE_P(Shell, FullDiskTest, ::testing::Values(Disk::Small, Disk::Seam),
                         [](const auto& info) { return info.param == Disk::Small ? "SmallDisk" : "Seam"; });

// The user database refuses the settings save at exit by a rule of its own or because it
// may no longer be written: the user is told what failed and where, the run ends as
// usual and the database keeps the settings it had.
struct RefusalCase {
  const char* name;
  const char* sql;   // given to the user database before the start
  const char* told;  // the cause, as the message gives it
  bool readOnlyAfterStart = false;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class RefusedSettingsSaveTest : public ShellRunTest, public ::testing::WithParamInterface<RefusalCase> {
 protected:
  void SetUp() override {
    ShellRunTest::SetUp();
    testsupport::SqliteWriteSeam::Set(nullptr);  // in place before the databases are opened
  }
  void TearDown() override {
    testsupport::SqliteWriteSeam::Set(nullptr);
    std::error_code ec;
    fs::permissions(data_, fs::perms::owner_all, ec);
    ShellRunTest::TearDown();
  }

  // The file may no longer be written: its folder and itself are made read-only, or, for
  // root, whom file modes do not stop, SQLite's writes to it fail as on a read-only disk.
  void MakeReadOnly() {
    if (geteuid() != 0) {
      fs::permissions(Data("mrB.kzy"), fs::perms::owner_read);
      fs::permissions(data_, fs::perms::owner_read | fs::perms::owner_exec);
      return;
    }
    const std::string prefix = fs::weakly_canonical(Data("mrB.kzy")).string();
    testsupport::SqliteWriteSeam::Set([prefix](const char* name, bool) {
      return name != nullptr && std::string(name).rfind(prefix, 0) == 0 ? SQLITE_READONLY : SQLITE_OK;
    });
  }
};

TEST_P(RefusedSettingsSaveTest, SaysWhatFailedAndWhereAndTheRunEndsAsUsual) {
  const RefusalCase& c = GetParam();
  fs::create_directories(data_);
  testsupport::MakeUserFixture(Data("mrB.kzy"), Setting("SortingMode", "'4'") + c.sql);
  ASSERT_TRUE(Start());
  shell::DatabaseB.Close();  // what the start wrote (the file's stamp) is read as it stands
  const std::string before = RowsOf(Data("mrB.kzy"), "SELECT * FROM \"User Parameters\" ORDER BY 1");
  shell::DatabaseB = dao::Database::OpenDatabase(Data("mrB.kzy"), true, false, shell::kDatabaseConnect);
  if (c.readOnlyAfterStart) MakeReadOnly();
  shell::SortingMode = 2;
  Click("cExit");
  Settle();

  ASSERT_EQ(messages.size(), 1u) << ::testing::PrintToString(MessageTexts());
  EXPECT_TRUE(Shows(messages[0], "could not save your settings in your user database \"" + Data("mrB.kzy") + "\""))
      << messages[0].prompt;
  EXPECT_TRUE(Shows(messages[0], c.told)) << messages[0].prompt;
  EXPECT_FALSE(Shows(messages[0], kProgramError)) << messages[0].prompt;
  EXPECT_EQ(halts, 0);
  EXPECT_FALSE(common::ProgramHalted());
  EXPECT_FALSE(Main().Loaded()) << "the run ended as usual";
  EXPECT_FALSE(shell::DatabaseB.IsOpen());
  testsupport::SqliteWriteSeam::Set(nullptr);
  std::error_code ec;
  fs::permissions(data_, fs::perms::owner_all, ec);
  fs::permissions(Data("mrB.kzy"), fs::perms::owner_read | fs::perms::owner_write, ec);
  EXPECT_EQ(RowsOf(Data("mrB.kzy"), "SELECT * FROM \"User Parameters\" ORDER BY 1"), before)
      << "the settings it had";
  EXPECT_EQ(testsupport::IntegrityOf(Data("mrB.kzy")), "ok");
}

INSTANTIATE_TEST_SUITE_P(
    Shell, RefusedSettingsSaveTest,
    ::testing::Values(
        RefusalCase{"ATriggerRaisesAnAbort",
                    "CREATE TRIGGER refuse BEFORE UPDATE ON \"User Parameters\" WHEN NEW.\"Parameter Name\" = "
                    "'SortingMode' BEGIN SELECT RAISE(ABORT, 'settings are kept as they are'); END;",
                    "settings are kept as they are"},
        RefusalCase{"AConstraint",
                    "CREATE TABLE kept AS SELECT * FROM \"User Parameters\"; DROP TABLE \"User Parameters\";"
                    "CREATE TABLE \"User Parameters\" (\"Parameter Name\" TEXT COLLATE NOCASE NOT NULL,"
                    " \"Parameter Value\" TEXT COLLATE NOCASE CHECK (length(\"Parameter Value\") < 5));"
                    "CREATE UNIQUE INDEX \"User Parameters.PrimaryKey\" ON \"User Parameters\" (\"Parameter Name\");"
                    "INSERT INTO \"User Parameters\" SELECT * FROM kept; DROP TABLE kept;",
                    "CHECK constraint failed"},
        RefusalCase{"AUniqueIndex",
                    "INSERT INTO \"User Parameters\" VALUES ('Marker', '2');"
                    "CREATE UNIQUE INDEX \"one value\" ON \"User Parameters\" (\"Parameter Value\") WHERE"
                    " \"Parameter Name\" IN ('SortingMode', 'Marker');",
                    "duplicate value"},
        RefusalCase{"TheFileIsMadeReadOnlyAfterTheStart", "", "may not be written", true}),
    [](const auto& info) { return std::string(info.param.name); });

// A trace file that cannot be written is told as such, with the file named.
TEST_F(DataFolderTest, ATraceFileThatCannotBeWrittenIsNamedAndNothingElseIsTouched) {
  fs::create_directories(Data("errtrace.txt"));  // a folder: no user may write it as a file
  testsupport::MakeUserFixture(Data("mrB.kzy"));
  const std::string before = Contents(Data("mrB.kzy"));
  EXPECT_FALSE(Start());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(Shows(messages[0], Data("errtrace.txt"))) << messages[0].prompt;
  EXPECT_TRUE(Shows(messages[0], "may not be written")) << messages[0].prompt;
  EXPECT_FALSE(Shows(messages[0], kProgramError));
  EXPECT_EQ(Contents(Data("mrB.kzy")), before);
}

TEST_F(DataFolderTest, AReadOnlyTraceFileIsNamed) {
  if (geteuid() == 0) GTEST_SKIP() << "file modes do not stop root";
  fs::create_directories(data_);
  vb::WriteLines(Data("errtrace.txt"), {"x"});
  fs::permissions(Data("errtrace.txt"), fs::perms::owner_read);
  EXPECT_FALSE(Start());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(Shows(messages[0], Data("errtrace.txt"))) << messages[0].prompt;
  EXPECT_TRUE(Shows(messages[0], "may not be written")) << messages[0].prompt;
}

// A user database kept elsewhere through a link: a link to a missing file (a disk not
// connected) is reported and kept, and so is a link to a file that is there: nothing is
// written where a link points.
TEST_F(DataFolderTest, AUserDatabaseLinkToAMissingFileIsReportedAndKept) {
  fs::create_directories(data_);
  const fs::path missing = folder_ / "unmounted" / "mrB.kzy";
  fs::create_symlink(missing, Data("mrB.kzy"));
  EXPECT_FALSE(Start());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(Shows(messages[0], missing.string())) << messages[0].prompt;
  EXPECT_TRUE(Shows(messages[0], "link")) << messages[0].prompt;
  EXPECT_TRUE(fs::is_symlink(Data("mrB.kzy")));
  EXPECT_EQ(fs::read_symlink(Data("mrB.kzy")), missing);
  EXPECT_FALSE(fs::exists(missing));
}

TEST_F(DataFolderTest, AUserDatabaseLinkToAnEmptyFileIsRefusedAndNothingIsWrittenWhereItPoints) {
  fs::create_directories(data_);
  fs::create_directories(folder_ / "elsewhere");
  const fs::path real = folder_ / "elsewhere" / "mine.kzy";
  std::ofstream(real).close();
  fs::create_symlink(real, Data("mrB.kzy"));
  EXPECT_FALSE(Start());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(Shows(messages[0], Data("mrB.kzy"))) << messages[0].prompt;
  EXPECT_TRUE(Shows(messages[0], "is a link to \"" + real.string() + "\", not a file")) << messages[0].prompt;
  EXPECT_TRUE(fs::is_symlink(Data("mrB.kzy")));
  EXPECT_EQ(fs::file_size(real), 0u);
}

// Each cause of a user database that cannot be used gets its own advice.
struct AdviceCase {
  const char* name;
  // Makes the user database unusable that way; false when that cannot be done here.
  std::function<bool(ShellRunTest&, testsupport::SmallDisk&)> make;
  const char* advice;
};

class AdviceTest : public ShellRunTest, public ::testing::WithParamInterface<AdviceCase> {
 protected:
  void TearDown() override {
    ShellRunTest::TearDown();
    disk_.Unmount();
  }
  testsupport::SmallDisk disk_;
};

const char* const kAdvices[] = {"Restore it from a backup copy", "may not be written by you",
                                "may not be read by you", "is full"};

TEST_P(AdviceTest, FitsTheCause) {
  fs::create_directories(data_);
  if (!GetParam().make(*this, disk_)) GTEST_SKIP() << "this cause cannot be made here";
  EXPECT_FALSE(Start());
  std::error_code ec;
  fs::permissions(Data("mrB.kzy"), fs::perms::owner_read | fs::perms::owner_write, ec);
  ASSERT_EQ(messages.size(), 1u);
  const std::string& told = messages[0].prompt;
  EXPECT_NE(told.find(Data("mrB.kzy")), std::string::npos) << told;
  for (const char* advice : kAdvices)
    EXPECT_EQ(told.find(advice) != std::string::npos, std::string(advice) == GetParam().advice)
        << advice << " in: " << told;
}

INSTANTIATE_TEST_SUITE_P(
    Shell, AdviceTest,
    ::testing::Values(
        AdviceCase{"Damaged",
                   [](ShellRunTest& t, testsupport::SmallDisk&) {
                     vb::WriteLines(t.Data("mrB.kzy"), {"this is not a database"});
                     return true;
                   },
                   "Restore it from a backup copy"},
        AdviceCase{"ReadOnly",
                   [](ShellRunTest& t, testsupport::SmallDisk& disk) {
                     if (geteuid() != 0) {
                       testsupport::MakeUserFixture(t.Data("mrB.kzy"));
                       fs::permissions(t.Data("mrB.kzy"), fs::perms::owner_read);
                       return true;
                     }
                     // Root writes any file: the database lies on a read-only disk, shown in the data folder.
                     const fs::path ro = t.data_.parent_path() / "readonly";
                     if (!disk.Mount(ro, 1 << 20)) return false;
                     testsupport::MakeUserFixture((ro / "mrB.kzy").string());
                     return disk.ShowFileAs(ro / "mrB.kzy", t.Data("mrB.kzy")) && disk.MakeReadOnly();
                   },
                   "may not be written by you"},
        AdviceCase{"Unreadable",
                   [](ShellRunTest& t, testsupport::SmallDisk&) {
                     if (geteuid() == 0) return false;  // root reads any file
                     testsupport::MakeUserFixture(t.Data("mrB.kzy"));
                     fs::permissions(t.Data("mrB.kzy"), fs::perms::none);
                     return true;
                   },
                   "may not be read by you"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace shelltest
