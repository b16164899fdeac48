#include "ComposerTest.h"

#include <QListWidget>

#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/Queries.h"
#include "common/RagaFixture.h"
#include "composer/Composer.h"
#include "composer/ComposerState.h"
#include "platform/forms/Layout.h"
#include "platform/forms/Registry.h"
#include "platform/vb/Folders.h"
#include "shell/Players.h"
#include "shell/SettingsStandIns.h"
#include "shell/ShellState.h"
#include "shell/StandInForms.h"
#include "sound/Keyboard.h"
#include "sound/KeyboardStandIns.h"
#include "sound/SoundState.h"
#include "composer/ComposerRecords.h"
#include "support/GuiEnvironment.h"
#include "support/KillHarness.h"
#include "support/SqlFixture.h"

namespace composertest {

namespace {

[[maybe_unused]] ::testing::Environment* const kGui =
    ::testing::AddGlobalTestEnvironment(new testsupport::GuiEnvironment("test_composer", shell::InstallPlayers));

std::string ContentData(const char* name) {
  return testsupport::ReadTextFile(std::string(VELMORA_SOURCE_DIR) + "/content/data/" + name);
}

constexpr const char* kConnect = "MS ACCESS;PWD=x";

}  // namespace

void ComposerTest::SetUp() {
  ScratchTest::SetUp();
  vb::SetMsgBoxHandler([this](const std::string& p, int b, const std::string& t) {
    messages.push_back({p, b, t});
    if ((b & 7) != vb::vbYesNo) return static_cast<int>(vb::vbOK);
    questions.push_back(p);
    return answer;
  });
  // The rows in one transaction: the fixture is made in a moment.
  testsupport::MakeContentFixture(Path("mrA.kzy"), "BEGIN;" + std::string(ragatest::kContentRows) + kRagaNotes +
                                                       testsupport::kMinimalInstrumentRows + ContentData("prompts.sql") +
                                                       ContentData("prompts_composer.sql") +
                                                       ContentData("illustrations.sql") + ContentData("reed_colors.sql") +
                                                       forms::LayoutRowsSql(forms::DeclaredForms()) + "COMMIT;");
  testsupport::MakeUserFixture(Path("mrB.kzy"), std::string(ragatest::kUserRows) + kUserTalas);
  shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, kConnect);
  shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, kConnect);
  shell::ShareFolder = vb::ShareFolderPath();

  common::sInitScales();
  common::sSetSQLStrings();
  sound::sInitReedColorType();
  sound::sInitReedsDisplayedData();
  sound::KeyboardDisplay = 1;
  shell::PromptSeparator = " - ";
  shell::NotationScript = 2;
  shell::GraceNotes = 2;
  shell::DevnagariAvailable = 0;
  shell::SortingMode = 0;
  shell::FormState = 0;
  shell::FormL = 600;
  shell::FormT = 450;
  shell::FormW = 12000;
  shell::FormH = 8400;
  shell::DelayC = 10;
  sound::CurrTonicNoteId = 3;
  sound::CurrMusicSetId = 3;
  sound::CurrDroneType = 3;
  sound::CallbackCode = 0;
  sound::CurrOperationMode = 2;
  sound::Theka = 2;
  sound::LoopFlag = 0;
  sound::CurrItemKind = 0;
  common::CurrDBSelector = 1;
  common::CurrRagaIndex = 0;
  common::CurrRagaName.clear();
  common::CurrAddInfo.clear();
  common::CurrNotationIndex = 0;
  common::CurrPhraseType = 0;
  common::TBaseInfo = {};
  common::TALTInfo1 = {};
  common::TALTInfo2 = {};
  common::TCompInfo = {};
  common::TCompData = {};
  composer::NotePallet = 1;
  composer::SaveRowWrittenHook = nullptr;

  shell::sBindForms();
  forms::FormSpec main("Velmora", "Velmora", 1, {0, 0, 12000, 9000});
  main.Menu("cMnuTraOn", "Trace On");
  main.Menu("cMnuTraOff", "TraceOff");
  mainForm = std::make_unique<forms::Form>(main);
  shell::FormVelmora = mainForm.get();
  shell::CurrForm = mainForm.get();
  shell::PrevForm = nullptr;
  shell::CurrFormId = 1;
  shell::ParentFormId = {};
  mainForm->Show();
}

void ComposerTest::TearDown() {
  for (forms::Form* form : {shell::FormComposer, shell::FormMainOperations, mainForm.get()})
    if (form != nullptr && form->Loaded()) form->Release();
  shell::CurrForm = shell::PrevForm = shell::FormVelmora = nullptr;
  mainForm.reset();
  composer::SaveRowWrittenHook = nullptr;
  testsupport::CloseDatabases();
  ScratchTest::TearDown();
}

void ComposerTest::ReopenUserDatabase() {
  shell::DatabaseB.Close();
  shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, kConnect);
}

void ComposerTest::RunOnUserDatabase(const std::string& sql) {
  shell::DatabaseB.Close();
  testsupport::RunSql(Path("mrB.kzy"), sql);
  shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, kConnect);
}

std::string ComposerTest::UserDatabaseIntegrity() {
  sqlite3* db = nullptr;
  if (sqlite3_open(Path("mrB.kzy").c_str(), &db) != SQLITE_OK) {
    sqlite3_close(db);
    return "cannot open";
  }
  std::string check;
  sqlite3_exec(
      db, "PRAGMA integrity_check",
      [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) += values[0];
        return 0;
      },
      &check, nullptr);
  sqlite3_close(db);
  return check;
}

std::vector<std::string> ComposerTest::UserRows(const std::string& table) {
  auto rs = shell::DatabaseB.OpenRecordset(table, dao::dbOpenSnapshot);
  std::vector<std::string> rows;
  for (; !rs.Eof(); rs.MoveNext()) {
    std::string row;
    for (int i = 0; i < rs.FieldCount(); ++i) {
      const vb::Variant v = rs.Fields(i);
      row += (i > 0 ? " | " : "") + (v.IsNull() ? std::string("Null") : v.ToString());
    }
    rows.push_back(row);
  }
  rs.Close();
  return rows;
}

void ComposerTest::Composer(int16_t action) { composer::sComposer(action); }

void ComposerTest::Open() {
  Composer(0);
  ASSERT_EQ(shell::CurrForm, shell::FormComposer);
}

void ComposerTest::NewComposition(const std::string& raga, const std::string& mukhada, const std::string& asthai,
                                  const std::string& antara, const std::string& tala, const std::string& beatAsthai,
                                  const std::string& beatAntara, const std::string& speed) {
  Open();
  Click("cMnuAllNot");
  Choose(raga);
  Select("cOCompN");
  Type("cAsthai", asthai);
  Type("cAntara", antara);
  Click("cOK");
  Choose(tala);
  Type("cMukhada", mukhada);
  Type("cStartBeatAst", beatAsthai);
  Type("cStartBeatAnt", beatAntara);
  Type("cSpeed", speed);
  Click("cOK");
}

void ComposerTest::CloseScreen() {
  if (Screen().Loaded()) Screen().Release();
  shell::CurrForm = mainForm.get();
  shell::CurrFormId = 1;
}

void ComposerTest::OpenCategory(const std::string& raga, const char* option) {
  Open();
  Choose(raga);
  Select(option);
}

forms::Form& ComposerTest::Screen() const { return *shell::FormComposer; }
forms::Control& ComposerTest::Ctl(const char* name) const { return Screen().Ctl(name); }
forms::Control& ComposerTest::Ctl(const char* name, int16_t index) const { return Screen().Ctl(name, index); }

void ComposerTest::Choose(const std::string& line) {
  auto& list = Screen().Get<forms::ListControl>("cRagaList");
  ASSERT_TRUE(list.Visible() && list.Enabled());
  for (int16_t i = 0; i < list.ListCount(); ++i) {
    if (list.List(i) != line) continue;
    static_cast<QListWidget*>(list.Widget())->setCurrentRow(i);
    return;
  }
  ADD_FAILURE() << line << " is not in the list";
}

void ComposerTest::Click(const char* name) {
  forms::Control& c = Ctl(name);
  if (!c.IsKind(forms::Kind::MenuItem)) ASSERT_TRUE(c.Visible()) << name;
  ASSERT_TRUE(c.Enabled()) << name;
  c.RaiseFromUser(forms::Event::Click);
}

void ComposerTest::Click(const char* name, int16_t index) {
  forms::Control& c = Ctl(name, index);
  ASSERT_TRUE(c.Visible() && c.Enabled()) << name << "(" << index << ")";
  c.RaiseFromUser(forms::Event::Click);
}

void ComposerTest::Select(const char* option) {
  auto& o = Screen().Get<forms::OptionButton>(option);
  ASSERT_TRUE(o.Enabled()) << option;
  o.Select();
}

void ComposerTest::Type(const char* box, const std::string& text) {
  forms::Control& c = Ctl(box);
  ASSERT_TRUE(c.Visible() && c.Enabled()) << box;
  c.SetText(text);
  c.RaiseFromUser(forms::Event::Change);
}

void ComposerTest::Type(const char* box, int16_t index, const std::string& text) {
  forms::Control& c = Ctl(box, index);
  ASSERT_TRUE(c.Visible() && c.Enabled()) << box << "(" << index << ")";
  c.SetText(text);
  c.RaiseFromUser(forms::Event::Change);
}

std::vector<std::string> ComposerTest::Lines() const {
  auto& list = Screen().Get<forms::ListControl>("cRagaList");
  std::vector<std::string> lines;
  for (int16_t i = 0; i < list.ListCount(); ++i) lines.push_back(list.List(i));
  return lines;
}

std::string ComposerTest::ExpectedPrompts(const std::string& numbers) const {
  return sound::fGetScaleInfo() + " - " + common::fGetPrompts(numbers);
}

bool ComposerTest::RanClean() const { return common::ReportedErrorCount == 0 && halts == 0; }

void ComposerTest::KillTheSaveAtEveryStatement() {
  shell::DatabaseB.Close();
  const std::string file = Path("mrB.kzy");
  std::filesystem::copy_file(file, Path("pristine.kzy"));
  testsupport::KillSweep sweep;
  sweep.file = file;
  sweep.prepare = [&] {
    std::filesystem::remove(file + "-journal");
    std::filesystem::copy_file(Path("pristine.kzy"), file, std::filesystem::copy_options::overwrite_existing);
  };
  sweep.work = [&] {
    shell::DatabaseB = dao::Database::OpenDatabase(file, true, false, "MS ACCESS;PWD=x");
    testsupport::KillHarness::Arm(file);
    EXPECT_TRUE(composer::sSaveMusicToDatabase());
    shell::DatabaseB.Close();
  };
  sweep.state = [&] {
    std::string all;
    for (const char* table : {"Raga - Additional Information", "Raga - Composition Notations", "Raga - ALT Phrases"})
      all += std::string("[") + table + "]\n" +
             testsupport::RowsOf(file, std::string("SELECT * FROM \"") + table + "\" ORDER BY rowid");
    return all;
  };
  sweep.Run();
  ReopenUserDatabase();
}

}  // namespace composertest
