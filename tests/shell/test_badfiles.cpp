// Every file the program reads, damaged in each way a file gets damaged: empty, cut
// short, overwritten with random bytes, and for the databases a table or column gone or
// a row with a Null or a value out of range. Each gives a clear message naming the file
// (a damaged picture, which the program passes over, a record naming it), never a crash
// or a "program error", and a damaged content database leaves the user database as it
// was. The user database's own damage, the earlier installation's database and a
// missing file are tested where those are handled (test_startup, test_datasafety,
// test_upgrade, test_font, test_help, test_navigation), damaged values in the learner's
// rows in test_userrows.
#include <QDialog>
#include <QImageReader>
#include <QTextBrowser>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "EarlierDatabase.h"
#include "ShellRun.h"
#include "shell/Help.h"

namespace shelltest {
namespace {

const char* const kProgramError = "A program error has occured";

enum class Damage { Empty, Truncated, RandomBytes, MissingTable, MissingColumn, NullValue, OutOfRange };

// How the program comes to read the file, and what it then says.
enum class Reader { ContentDatabase, Theka, Font, Picture, Help };

struct BadFileCase {
  const char* name;
  Reader reader;
  const char* file;  // in the share folder
  Damage damage;
  const char* sql = "";  // for the database damages
};

std::string Contents(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Damaged(const std::string& file, Damage damage, const std::string& sql) {
  namespace fs = std::filesystem;
  switch (damage) {
    case Damage::Empty: fs::resize_file(file, 0); break;
    case Damage::Truncated: fs::resize_file(file, fs::file_size(file) / 2); break;
    case Damage::RandomBytes: {
      std::mt19937 random(39);
      std::string bytes(std::max<size_t>(fs::file_size(file), 4096), '\0');
      for (char& c : bytes) c = static_cast<char>(random());
      std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      break;
    }
    default: testsupport::RunSql(file, sql);
  }
}

class BadFileTest : public ShellRunTest, public ::testing::WithParamInterface<BadFileCase> {
 protected:
  void TearDown() override {
    if (QDialog* help = shell::HelpWindow()) help->hide();
    ShellRunTest::TearDown();
  }
  std::string HelpText() const {
    QDialog* help = shell::HelpWindow();
    return help == nullptr ? "" : help->findChild<QTextBrowser*>()->toPlainText().toStdString();
  }
  bool Told(const std::string& text) const {
    for (const auto& m : messages)
      if (m.prompt.find(text) != std::string::npos) return true;
    return false;
  }
};

TEST_P(BadFileTest, IsNamedInAClearMessageAndNothingCrashes) {
  const BadFileCase& c = GetParam();
  fs::create_directories(data_);
  testsupport::MakeUserFixture(Data("mrB.kzy"), earlier::kEarlierRows);
  const std::string userBefore = Contents(Data("mrB.kzy"));
  if (c.reader == Reader::Help)
    fs::copy_file(fs::path(VELMORA_SOURCE_DIR) / "content" / "help" / shell::kHelpFileName, Share(c.file));
  Damaged(Share(c.file), c.damage, c.sql);

  const bool started = Start();
  for (const auto& m : messages) EXPECT_EQ(m.prompt.find(kProgramError), std::string::npos) << m.prompt;
  switch (c.reader) {
    case Reader::ContentDatabase:
      EXPECT_FALSE(started);
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_TRUE(Told(Share(c.file))) << messages[0].prompt;
      EXPECT_TRUE(Told("content database")) << messages[0].prompt;
      EXPECT_EQ(Contents(Data("mrB.kzy")), userBefore) << "the user database is as it was";
      return;
    case Reader::Theka:
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_TRUE(Told("Error in Loading Theka Data")) << messages[0].prompt;
      EXPECT_TRUE(Told(Share(c.file))) << messages[0].prompt;
      EXPECT_TRUE(Main().Ctl("cExit").Enabled());
      break;
    case Reader::Font:
      ASSERT_TRUE(started);
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_TRUE(Told(Share(c.file))) << messages[0].prompt;
      EXPECT_EQ(shell::DevnagariAvailable, 0);
      break;
    case Reader::Picture: {
      ASSERT_TRUE(started);
      EXPECT_TRUE(messages.empty()) << "a background picture is passed over";
      shell::PictureNumber = 3;  // the next screen shows the damaged picture
      Click("cMnuExpRag");
      Settle();
      EXPECT_FALSE(common::ProgramHalted());
      EXPECT_TRUE(messages.empty());
      bool recorded = false;
      if (vb::FileExists(Data("ignoerr.txt")))
        for (const auto& line : vb::ReadLines(Data("ignoerr.txt")))
          recorded = recorded || line.find(Share(c.file)) != std::string::npos;
      // A picture cut short still shows its upper part: only one that cannot be read is recorded.
      const bool readable = !QImageReader(QString::fromStdString(Share(c.file))).read().isNull();
      EXPECT_EQ(recorded, !readable) << "ignoerr.txt names the picture that cannot be read";
      shell::CurrForm->CloseFromUser();
      Settle();
      break;
    }
    case Reader::Help:
      ASSERT_TRUE(started);
      shell::ShowHelp();
      Settle();
      EXPECT_NE(HelpText().find(Share(c.file)), std::string::npos) << HelpText();
      EXPECT_NE(HelpText().find("is damaged"), std::string::npos) << HelpText();
      break;
  }
  EXPECT_FALSE(common::ProgramHalted());
  Click("cExit");  // and the run ends as usual
  Settle();
  EXPECT_FALSE(Main().Loaded());
}

const char* const kContent = "mrA.kzy";

INSTANTIATE_TEST_SUITE_P(
    Shell, BadFileTest,
    ::testing::Values(
        BadFileCase{"ContentEmpty", Reader::ContentDatabase, kContent, Damage::Empty},
        BadFileCase{"ContentTruncated", Reader::ContentDatabase, kContent, Damage::Truncated},
        BadFileCase{"ContentRandomBytes", Reader::ContentDatabase, kContent, Damage::RandomBytes},
        BadFileCase{"ContentMissingTable", Reader::ContentDatabase, kContent, Damage::MissingTable,
                    "DROP TABLE \"Sample Values\";"},
        BadFileCase{"ContentMissingColumn", Reader::ContentDatabase, kContent, Damage::MissingColumn,
                    "ALTER TABLE \"Note Specifications\" RENAME COLUMN \"SamPerCyc\" TO \"Spc\";"},
        BadFileCase{"ContentNullSeedLength", Reader::ContentDatabase, kContent, Damage::NullValue,
                    "UPDATE \"Note Specifications\" SET \"SamPerCyc\" = NULL WHERE \"Note Id\" = 20;"},
        BadFileCase{"ContentNullSample", Reader::ContentDatabase, kContent, Damage::NullValue,
                    "UPDATE \"Sample Values\" SET \"Sample Value\" = NULL WHERE \"Note Id\" = 3;"},
        BadFileCase{"ContentNullScaleSet", Reader::ContentDatabase, kContent, Damage::NullValue,
                    "UPDATE \"ONPR\" SET \"07\" = NULL WHERE \"NPSetId\" = 5;"},
        BadFileCase{"ContentNullLayout", Reader::ContentDatabase, kContent, Damage::NullValue,
                    "UPDATE \"KZFormControls\" SET \"LocRatX\" = NULL WHERE \"Control Number\" = 2;"},
        BadFileCase{"ContentNullControlCount", Reader::ContentDatabase, kContent, Damage::NullValue,
                    "UPDATE \"KZForms\" SET \"TotalControlCount\" = NULL;"},
        BadFileCase{"ContentSeedLengthZero", Reader::ContentDatabase, kContent, Damage::OutOfRange,
                    "UPDATE \"Note Specifications\" SET \"SamPerCyc\" = 0 WHERE \"Note Id\" = 20;"},
        BadFileCase{"ContentSeedLengthHuge", Reader::ContentDatabase, kContent, Damage::OutOfRange,
                    "UPDATE \"Note Specifications\" SET \"SamPerCyc\" = 2000000000;"},
        BadFileCase{"ContentSeedOutsideTheKeyboard", Reader::ContentDatabase, kContent, Damage::OutOfRange,
                    "UPDATE \"Note Specifications\" SET \"Note Id\" = 120 WHERE \"Note Id\" = 20;"},
        BadFileCase{"ContentScaleSetHuge", Reader::ContentDatabase, kContent, Damage::OutOfRange,
                    "UPDATE \"ONPR\" SET \"07\" = 1e30;"},
        BadFileCase{"ContentScaleSetTonic", Reader::ContentDatabase, kContent, Damage::OutOfRange,
                    "UPDATE \"ONPR\" SET \"TonicNoteId\" = 99;"},
        BadFileCase{"ContentControlCountHuge", Reader::ContentDatabase, kContent, Damage::OutOfRange,
                    "UPDATE \"KZForms\" SET \"TotalControlCount\" = 30000;"},
        // Values that a screen meets only after the start.
        BadFileCase{"ContentTalaBeatCountText", Reader::ContentDatabase, kContent, Damage::OutOfRange,
                    "INSERT INTO \"Tala - Technical Information\" VALUES (1, 'Teentaal', 'sixteen');"},
        BadFileCase{"ContentThekaRowsMissing", Reader::ContentDatabase, kContent, Damage::MissingTable,
                    "INSERT INTO \"Tala - Technical Information\" VALUES (1, 'Dadra', 6);"
                    "INSERT INTO \"ThekaTypeBolsForTaal\" VALUES (4, 1, 1, 5), (4, 1, 2, 6), (4, 1, 3, 7);"},
        BadFileCase{"ContentRagaTechnicalDataMissing", Reader::ContentDatabase, kContent, Damage::MissingTable,
                    "INSERT INTO \"RagaNameList\" VALUES ('Yaman', 1, 1);"
                    "INSERT INTO \"Raga - Notes\" VALUES (1, '12 14 16');"
                    "INSERT INTO \"Raga - ALT Phrases\" VALUES (1, 1, 'S R G', '10 10 10 ,');"},
        BadFileCase{"ContentPhraseDurationText", Reader::ContentDatabase, kContent, Damage::OutOfRange,
                    "INSERT INTO \"Raga - ALT Phrases\" VALUES (1, 2, 'S R G', '10 x 10 ,');"},
        BadFileCase{"ContentPhraseTooLong", Reader::ContentDatabase, kContent, Damage::OutOfRange,
                    "INSERT INTO \"Raga - ALT Phrases\" VALUES (1, 1, 'S R G R S', '30000 30000 30000 30000 30000 ,');"},
        BadFileCase{"ContentNotationBeatOutsideItsTala", Reader::ContentDatabase, kContent, Damage::OutOfRange,
                    "INSERT INTO \"Tala - Technical Information\" VALUES (5, 'Dadra', 6);"
                    "INSERT INTO \"ThekaTypeBolsForTaal\" VALUES (4, 5, 1, 1), (4, 5, 2, 1), (4, 5, 3, 1), (4, 5, 4, 1),"
                    " (4, 5, 5, 1), (4, 5, 6, 1);"
                    "INSERT INTO \"Raga - Composition Notations\" VALUES (1, 1, 1, 'x', NULL, NULL, 't', 'a', '1', 'S',"
                    " '1', 5, 9, 50);"},
        BadFileCase{"ThekaEmpty", Reader::Theka, "clb.kzy", Damage::Empty},
        BadFileCase{"ThekaTruncated", Reader::Theka, "clb.kzy", Damage::Truncated},
        BadFileCase{"ThekaRandomBytes", Reader::Theka, "clb.kzy", Damage::RandomBytes},
        BadFileCase{"FontEmpty", Reader::Font, "Shusha.ttf", Damage::Empty},
        BadFileCase{"FontTruncated", Reader::Font, "Shusha.ttf", Damage::Truncated},
        BadFileCase{"FontRandomBytes", Reader::Font, "Shusha.ttf", Damage::RandomBytes},
        BadFileCase{"PictureEmpty", Reader::Picture, "kz3.jpg", Damage::Empty},
        BadFileCase{"PictureTruncated", Reader::Picture, "kz3.jpg", Damage::Truncated},
        BadFileCase{"PictureRandomBytes", Reader::Picture, "kz3.jpg", Damage::RandomBytes},
        BadFileCase{"HelpEmpty", Reader::Help, shell::kHelpFileName, Damage::Empty},
        BadFileCase{"HelpRandomBytes", Reader::Help, shell::kHelpFileName, Damage::RandomBytes}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace shelltest
