#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "ShellRun.h"
#include "platform/dao/Database.h"
#include "shell/DataFolder.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"

namespace shelltest {
namespace {

using StartUpTest = ShellRunTest;

const char* const kProgramError = "A program error has occured in procedure '";

bool Enabled(forms::Form& f, const char* name) { return f.Ctl(name).Enabled(); }
bool Checked(forms::Form& f, const char* name) { return f.Get<forms::MenuItem>(name).Checked(); }

TEST_F(StartUpTest, AcceptingTheTermsStartsUpToTheReadyMainMenu) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(shell::TermsAccepted, 1);
  EXPECT_FALSE(shell::OpeningScreenForm().Loaded());

  EXPECT_TRUE(shell::DatabaseA.IsOpen());
  EXPECT_TRUE(shell::DatabaseA.ReadOnly());
  EXPECT_EQ(shell::DatabaseA.Name(), Share("mrA.kzy"));
  EXPECT_TRUE(shell::DatabaseB.IsOpen());
  EXPECT_FALSE(shell::DatabaseB.ReadOnly());
  EXPECT_EQ(shell::DatabaseB.Name(), Data("mrB.kzy"));

  forms::Form& main = Main();
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_EQ(shell::CurrForm, &main);
  EXPECT_TRUE(main.Visible());
  EXPECT_EQ(main.Caption(), "Velmora");
  EXPECT_EQ(main.Ctl("Label4").Caption(), "Velmora\u2122");
  EXPECT_EQ(main.Ctl("Label5").Caption(),
            "A comprehensive multi-media guide for Introduction to and Self-Instruction  of  Ragas of  North Indian "
            "Classical Music - Version 2.2");
  EXPECT_EQ(main.Ctl("cPrompts").Text(), kMainPrompt);
  EXPECT_EQ(main.Picture(), Share("kz6.jpg"));
  EXPECT_EQ(shell::PictureFile, Share("kz6.jpg"));
  for (const char* name : {"cExit", "cMnuMaiOpe", "cMnuSupOpe", "cMnuTip", "cMnuHel"}) EXPECT_TRUE(Enabled(main, name)) << name;
  for (const char* name : {"Label11", "cTip", "cShowNext", "cOK"}) EXPECT_FALSE(main.Ctl(name).Visible()) << name;
  EXPECT_TRUE(Checked(main, "cMnuShoTip"));
  EXPECT_FALSE(Checked(main, "cMnuDonShoTip"));
  EXPECT_FALSE(main.Ctl("cMnuTraOn").Visible()) << "trace items without the trace facility";
  EXPECT_FALSE(main.Ctl("cMnuTraOff").Visible());
  EXPECT_EQ(sound::CallbackCode, 0);
  EXPECT_GT(shell::MaxFormW, 0);
  EXPECT_GT(shell::MaxFormH, 0);
  EXPECT_EQ(shell::ResizePending, 0);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(halts, 0);
}

TEST_F(StartUpTest, CopiesLeftByAStartKilledMidCopyAreRemoved) {
  fs::create_directories(data_);
  for (const char* name : {"mrB.kzy.part", "mrB.kzy.4242.part"}) std::ofstream(Data(name)) << "half a copy";
  std::ofstream(Data("mrB.kzy.notes")) << "the user's own file";
  ASSERT_TRUE(Start());
  EXPECT_FALSE(fs::exists(Data("mrB.kzy.part")));
  EXPECT_FALSE(fs::exists(Data("mrB.kzy.4242.part")));
  EXPECT_TRUE(fs::exists(Data("mrB.kzy.notes")));
  EXPECT_EQ(fs::file_size(Data("mrB.kzy")), fs::file_size(Share("mrB.kzy")));
}

TEST_F(StartUpTest, FirstStartCopiesTheTemplateWithPrivatePermissions) {
  ASSERT_FALSE(fs::exists(Data("mrB.kzy")));
  ASSERT_TRUE(Start());
  struct stat st {};
  ASSERT_EQ(stat(Data("mrB.kzy").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(fs::file_size(Data("mrB.kzy")), fs::file_size(Share("mrB.kzy")));
  for (const auto& entry : fs::directory_iterator(data_))
    EXPECT_FALSE(entry.path().filename().string().ends_with(".part")) << entry.path();
  struct stat dir {};
  ASSERT_EQ(stat(data_.c_str(), &dir), 0);
  EXPECT_EQ(dir.st_mode & 0777, 0700u);
}

TEST_F(StartUpTest, ALaterStartKeepsTheUsersDatabase) {
  fs::create_directories(data_);
  testsupport::MakeUserFixture(Data("mrB.kzy"),
                               R"(UPDATE "User Parameters" SET "Parameter Value" = '7' WHERE "Parameter Name" = 'LastTip';)");
  ASSERT_TRUE(Start());
  auto rs = shell::DatabaseB.OpenRecordset("SELECT * FROM [User Parameters] WHERE [Parameter Name] = 'LastTip'");
  EXPECT_EQ(rs.Fields("Parameter Value").ToString(), "7");
}

TEST_F(StartUpTest, TheTraceFileIsReplacedWithItsHeaderAtEveryStart) {
  fs::create_directories(data_);
  vb::WriteLines(Data("errtrace.txt"), {"a line of an earlier run"});
  shell::CommandLineText = "1";
  ASSERT_TRUE(Start());
  const auto lines = vb::ReadLines(Data("errtrace.txt"));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "Opened Error Trace File");
  EXPECT_EQ(lines[3], "");
  for (const auto& line : lines) EXPECT_EQ(line.find("earlier run"), std::string::npos);
  EXPECT_EQ(Entries("sKZControl"), 2) << "action 0 and, nested in it, action 2";
  EXPECT_EQ(Entries("sInitApp1"), 1);
  forms::Form& main = Main();
  EXPECT_TRUE(main.Ctl("cMnuTraOn").Visible());
  EXPECT_TRUE(Checked(main, "cMnuTraOn"));
  EXPECT_FALSE(Checked(main, "cMnuTraOff"));
}

struct RefusalCase {
  const char* name;
  const char* button;  // "" closes the opening screen with its close box
};

class RefusalTest : public ShellRunTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, EndsTheRunWithoutOpeningOrWritingAnything) {
  Answer(GetParam().button);
  EXPECT_FALSE(Start());
  EXPECT_EQ(shell::TermsAccepted, 0);
  EXPECT_FALSE(Main().Loaded());
  EXPECT_FALSE(shell::OpeningScreenForm().Loaded());
  EXPECT_FALSE(shell::DatabaseA.IsOpen());
  EXPECT_FALSE(shell::DatabaseB.IsOpen());
  EXPECT_FALSE(fs::exists(data_)) << "the data folder is not even made";
  EXPECT_FALSE(common::ProgramHalted());
  EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Shell, RefusalTest,
                         ::testing::Values(RefusalCase{"DoNotAccept", "CancelButton"}, RefusalCase{"CloseBox", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartUpTest, TheOpeningScreenShowsItsTextAndCaption) {
  std::string shown;
  shell::SetOpeningScreenPresenter([&shown](forms::Form& screen) {
    screen.Load();
    shown = screen.Ctl("Text1").Text();
    EXPECT_EQ(screen.Caption(), "Velmora v 2.2");
    EXPECT_EQ(screen.Ctl("OKButton").Caption(), "I Accept");
    EXPECT_EQ(screen.Ctl("CancelButton").Caption(), "I do not Accept.");
    EXPECT_EQ(screen.Get<forms::Picture>("Picture1").PictureFile(), vb::JoinPath(shell::ShareFolder, "kz3.jpg"));
    screen.Ctl("CancelButton").RaiseFromUser(forms::Event::Click);
  });
  EXPECT_FALSE(Start());
  EXPECT_EQ(shown, shell::fOpeningScreenText());
}

// A file or folder the start-up cannot do without is damaged or missing: the user is
// told which and what to do (not a program error), the error is recorded, the run
// halts with nothing left open or running, and the file is left as it was.
struct HaltCase {
  const char* name;
  std::function<void(ShellRunTest&)> damage;
  const char* told;   // a part of the message
  bool traced = true;  // false when there is no data folder for the trace file
};

class StartUpHaltTest : public ShellRunTest, public ::testing::WithParamInterface<HaltCase> {};

// A user database that holds a setting of the user's and a scale set.
const std::string kUserRows =
    R"(UPDATE "User Parameters" SET "Parameter Value" = '4' WHERE "Parameter Name" = 'SortingMode';
       INSERT INTO "Scale Shift Specs" VALUES (13, 'Mine', 'c', 3, 200.5, 190.25);)";

// That user database, changed by the statements.
void UserDatabaseWith(ShellRunTest& t, const std::string& change) {
  fs::create_directories(t.data_);
  testsupport::MakeUserFixture(t.Data("mrB.kzy"), kUserRows + change);
}

std::string Contents(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_P(StartUpHaltTest, IsToldPlainlyAndLeavesNoHalfStartedProgram) {
  GetParam().damage(*this);
  const bool userFile = fs::is_regular_file(Data("mrB.kzy"));
  const std::string before = userFile ? Contents(Data("mrB.kzy")) : "";
  EXPECT_FALSE(Start());
  EXPECT_TRUE(common::ProgramHalted());
  EXPECT_EQ(halts, 1);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].prompt.find(kProgramError), std::string::npos) << messages[0].prompt;
  EXPECT_NE(messages[0].prompt.find(GetParam().told), std::string::npos) << messages[0].prompt;
  EXPECT_EQ(messages[0].title, "Message");
  EXPECT_FALSE(Main().Loaded());
  EXPECT_FALSE(shell::DatabaseA.IsOpen());
  EXPECT_FALSE(shell::DatabaseB.IsOpen());
  if (GetParam().traced) {
    bool recorded = false;
    for (const auto& line : vb::ReadLines(Data("errtrace.txt"))) recorded = recorded || line.rfind("Called form '", 0) == 0;
    EXPECT_TRUE(recorded);
  }
  if (userFile) {
    EXPECT_NE(messages[0].prompt.find(Data("mrB.kzy")), std::string::npos) << "the user database is named";
    EXPECT_EQ(Contents(Data("mrB.kzy")), before) << "the user's file is left as it was";
    // The user database's lock went with the halt.
    EXPECT_NE(testsupport::ErrorNumber(
                  [this] { dao::Database::OpenDatabase(Data("mrB.kzy"), true, false, shell::kDatabaseConnect).Close(); }),
              vb::kFileInUse);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shell, StartUpHaltTest,
    ::testing::Values(
        HaltCase{"MissingContentDatabase", [](ShellRunTest& t) { fs::remove(t.Share("mrA.kzy")); },
                 "content database"},
        HaltCase{"DamagedContentDatabase",
                 [](ShellRunTest& t) { vb::WriteLines(t.Share("mrA.kzy"), {"this is not a database"}); },
                 "content database"},
        HaltCase{"MissingTemplate", [](ShellRunTest& t) { fs::remove(t.Share("mrB.kzy")); }, "install Velmora again"},
        HaltCase{"DamagedUserDatabase",
                 [](ShellRunTest& t) {
                   fs::create_directories(t.data_);
                   vb::WriteLines(t.Data("mrB.kzy"), {"this is not a database"});
                 },
                 "your user database"},
        HaltCase{"TruncatedUserDatabase",
                 [](ShellRunTest& t) {
                   fs::create_directories(t.data_);
                   fs::copy_file(t.Share("mrB.kzy"), t.Data("mrB.kzy"));
                   fs::resize_file(t.Data("mrB.kzy"), 5000);
                 },
                 "your user database"},
        HaltCase{"UserDatabaseWithADamagedTable",
                 [](ShellRunTest& t) {
                   fs::create_directories(t.data_);
                   fs::copy_file(t.Share("mrB.kzy"), t.Data("mrB.kzy"));
                   std::fstream file(t.Data("mrB.kzy"), std::ios::in | std::ios::out | std::ios::binary);
                   file.seekp(4096);  // page 2, the root of the first table; the settings table is intact
                   const std::string garbage(4096, '\x07');
                   file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
                 },
                 "your user database"},
        HaltCase{"UserDatabaseOfAnotherKind",
                 [](ShellRunTest& t) {
                   fs::create_directories(t.data_);
                   testsupport::RunSql(t.Data("mrB.kzy"), "CREATE TABLE Other (A INTEGER);");
                 },
                 "your user database"},
        // The quick check passes this one: an index entry of the settings lost its last byte.
        HaltCase{"UserDatabaseOneByteShort",
                 [](ShellRunTest& t) {
                   fs::create_directories(t.data_);
                   testsupport::MakeUserFixture(t.Data("mrB.kzy"), kUserRows);
                   fs::resize_file(t.Data("mrB.kzy"), fs::file_size(t.Data("mrB.kzy")) - 1);
                 },
                 "your user database"},
        HaltCase{"UserDatabaseWithoutATable", [](ShellRunTest& t) { UserDatabaseWith(t, "DROP TABLE \"ONPR\";"); },
                 "The table 'ONPR' is missing"},
        HaltCase{"UserDatabaseWithoutATableAScreenUsesLater",
                 [](ShellRunTest& t) { UserDatabaseWith(t, "DROP TABLE \"Raga - Additional Information\";"); },
                 "The table 'Raga - Additional Information' is missing"},
        HaltCase{"UserDatabaseWithoutAColumn",
                 [](ShellRunTest& t) {
                   UserDatabaseWith(t, "ALTER TABLE \"Scale Shift Specs\" RENAME COLUMN \"NPSetName\" TO \"Name\";");
                 },
                 "The column 'NPSetName' of the table 'Scale Shift Specs' is missing"},
        HaltCase{"UserDatabaseWithoutAnIndex",
                 [](ShellRunTest& t) { UserDatabaseWith(t, "DROP INDEX \"User Parameters.PrimaryKey\";"); },
                 "The index 'User Parameters.PrimaryKey' is missing"},
        HaltCase{"ContentDatabaseWithoutATable",
                 [](ShellRunTest& t) { testsupport::RunSql(t.Share("mrA.kzy"), "DROP TABLE \"KZTips\";"); },
                 "The table 'KZTips' is missing"},
        HaltCase{"DataFolderThatIsAFile",
                 [](ShellRunTest& t) { vb::WriteLines(t.data_.string(), {"a file, not a folder"}); }, "data folder",
                 false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartUpTest, ADataFolderThatMayNotBeWrittenIsToldBeforeAnythingIsWritten) {
  if (geteuid() == 0) GTEST_SKIP() << "file modes do not stop root";
  fs::create_directories(data_);
  fs::permissions(data_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(Start());
  fs::permissions(data_, fs::perms::owner_all);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].prompt.find("data folder"), std::string::npos) << messages[0].prompt;
  EXPECT_TRUE(fs::is_empty(data_));
}

// An empty file holds nothing: it is replaced by the template as on a first start.
TEST_F(StartUpTest, AnEmptyUserDatabaseFileIsMadeAnewFromTheTemplate) {
  fs::create_directories(data_);
  std::ofstream(Data("mrB.kzy")).close();
  ASSERT_TRUE(Start());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(fs::file_size(Data("mrB.kzy")), fs::file_size(Share("mrB.kzy")));
}

TEST_F(StartUpTest, AnErrorOnTheOpeningScreenHaltsBeforeAnythingIsOpened) {
  shell::SetOpeningScreenPresenter([](forms::Form& screen) {
    screen.Load();
    screen.Ctl("NoSuchButton");  // a program error inside the start-up object's Load
  });
  EXPECT_FALSE(Start());
  EXPECT_TRUE(common::ProgramHalted());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_FALSE(Main().Loaded());
  EXPECT_FALSE(shell::OpeningScreenForm().Loaded());
  EXPECT_FALSE(shell::DatabaseA.IsOpen());
  EXPECT_FALSE(fs::exists(data_));
}

// A second copy is told that the first runs before the opening screen asks for the
// terms, and touches nothing of the first's data folder.
TEST_F(StartUpTest, ASecondCopyIsToldBeforeTheTermsAreAsked) {
  fs::create_directories(data_);
  fs::copy_file(Share("mrB.kzy"), Data("mrB.kzy"));
  vb::WriteLines(Data("errtrace.txt"), {"the first instance's trace"});
  const int lock = vb::LockFileExclusive(Data(shell::kDataFolderLock));
  ASSERT_GE(lock, 0);
  bool asked = false;
  shell::SetOpeningScreenPresenter([&asked](forms::Form& screen) {
    asked = true;
    screen.Load();
    screen.Ctl("OKButton").RaiseFromUser(forms::Event::Click);
  });
  EXPECT_FALSE(Start());
  vb::UnlockFile(lock);
  EXPECT_FALSE(asked) << "the terms are not asked";
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].prompt.find("already running"), std::string::npos) << messages[0].prompt;
  EXPECT_FALSE(Main().Loaded());
  EXPECT_EQ(vb::ReadLines(Data("errtrace.txt")), std::vector<std::string>{"the first instance's trace"});
}

// The first instance holds the data folder's lock and its user database.
TEST_F(StartUpTest, ASecondRunningInstanceIsToldSoAndTouchesNothingOfTheFirst) {
  fs::create_directories(data_);
  fs::copy_file(Share("mrB.kzy"), Data("mrB.kzy"));
  vb::WriteLines(Data("errtrace.txt"), {"the first instance's trace"});
  const int lock = vb::LockFileExclusive(Data(shell::kDataFolderLock));
  ASSERT_GE(lock, 0);
  dao::Database first = dao::Database::OpenDatabase(Data("mrB.kzy"), true, false, shell::kDatabaseConnect);

  EXPECT_FALSE(Start());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].prompt.find("already running"), std::string::npos) << messages[0].prompt;
  EXPECT_EQ(messages[0].title, "Message");
  EXPECT_FALSE(Main().Loaded());
  EXPECT_FALSE(shell::DatabaseA.IsOpen());
  EXPECT_EQ(vb::ReadLines(Data("errtrace.txt")), std::vector<std::string>{"the first instance's trace"});
  EXPECT_TRUE(first.IsOpen());
  EXPECT_NO_THROW(first.OpenRecordset("User Parameters").Close());
  first.Close();
  vb::UnlockFile(lock);
}

// Another program that holds the user database without the folder's lock is found at
// the opening of the database, and told the same way.
TEST_F(StartUpTest, AUserDatabaseHeldByAnotherProgramIsToldAsInUse) {
  fs::create_directories(data_);
  fs::copy_file(Share("mrB.kzy"), Data("mrB.kzy"));
  dao::Database other = dao::Database::OpenDatabase(Data("mrB.kzy"), true, false, shell::kDatabaseConnect);
  EXPECT_FALSE(Start());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].prompt.find("already running"), std::string::npos) << messages[0].prompt;
  EXPECT_FALSE(shell::DatabaseB.IsOpen());
  EXPECT_NO_THROW(other.OpenRecordset("User Parameters").Close());
  other.Close();
}

// Only a lock means another running copy: a user database this user may not write
// is told as such, with its own number and the file's name in the trace.
TEST_F(StartUpTest, AUserDatabaseThatMayNotBeWrittenIsNotTakenForASecondInstance) {
  if (geteuid() == 0) GTEST_SKIP() << "file modes do not stop root";
  fs::create_directories(data_);
  fs::copy_file(Share("mrB.kzy"), Data("mrB.kzy"));
  fs::permissions(Data("mrB.kzy"), fs::perms::owner_read);
  EXPECT_FALSE(Start());
  fs::permissions(Data("mrB.kzy"), fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].prompt.find("already running"), std::string::npos) << messages[0].prompt;
  EXPECT_NE(messages[0].prompt.find("your user database"), std::string::npos) << messages[0].prompt;
  const auto trace = vb::ReadLines(Data("errtrace.txt"));
  EXPECT_NE(std::find(trace.begin(), trace.end(), vb::PrintNumber(vb::kReadOnlyDatabase)), trace.end());
  bool named = false;
  for (const auto& line : trace) named = named || line.find(Data("mrB.kzy")) != std::string::npos;
  EXPECT_TRUE(named);
  EXPECT_FALSE(shell::DatabaseB.IsOpen());
}

}  // namespace
}  // namespace shelltest
