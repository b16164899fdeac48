#include "ComposerTest.h"

#include <filesystem>
#include <string>

#include "common/CommonState.h"
#include "common/RagaFixture.h"
#include "composer/Composer.h"
#include "composer/ComposerRecords.h"
#include "composer/ComposerState.h"
#include "shell/Players.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/GuiEnvironment.h"
#include "support/KillHarness.h"

namespace composertest {

namespace {

[[maybe_unused]] ::testing::Environment* const kGui =
    ::testing::AddGlobalTestEnvironment(new testsupport::GuiEnvironment("test_composer", shell::InstallPlayers));

}  // namespace

void ComposerTest::SetUp() {
  ScratchTest::SetUp();
  vb::SetMsgBoxHandler([this](const std::string& p, int b, const std::string& t) {
    messages.push_back({p, b, t});
    if ((b & 7) != vb::vbYesNo) return static_cast<int>(vb::vbOK);
    questions.push_back(p);
    return answer;
  });
  MakeContent(std::string(ragatest::kContentRows) + kRagaNotes, {"prompts_composer.sql", "illustrations.sql"});
  MakeUser(std::string(ragatest::kUserRows) + kUserTalas);
  SetUpScreenState();
  shell::DelayC = 10;
  sound::CurrOperationMode = 2;
  sound::Theka = 2;
  common::CurrDBSelector = 1;
  common::TBaseInfo = {};
  common::TALTInfo1 = {};
  common::TALTInfo2 = {};
  common::TCompInfo = {};
  common::TCompData = {};
  composer::NotePallet = 1;
  composer::SaveRowWrittenHook = nullptr;
  OpenMainForm();
}

void ComposerTest::TearDown() {
  ReleaseForms({shell::FormComposer, shell::FormMainOperations});
  composer::SaveRowWrittenHook = nullptr;
  ScreenFixture::TearDown();
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
  if (!c.IsKind(forms::Kind::MenuItem)) {
    ASSERT_TRUE(c.Visible()) << name;
  }
  ASSERT_TRUE(c.TakesInput()) << name;
  c.RaiseFromUser(forms::Event::Click);
}

void ComposerTest::Click(const char* name, int16_t index) {
  forms::Control& c = Ctl(name, index);
  ASSERT_TRUE(c.Visible() && c.TakesInput()) << name << "(" << index << ")";
  c.RaiseFromUser(forms::Event::Click);
}

void ComposerTest::Select(const char* option) {
  auto& o = Screen().Get<forms::OptionButton>(option);
  ASSERT_TRUE(o.TakesInput()) << option;
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

bool ComposerTest::RanClean() const { return common::ReportedErrorCount == 0 && halts == 0; }

void ComposerTest::KillTheSaveAtEveryStatement() {
  shell::DatabaseB.Close();
  const std::string file = UserFile();
  std::filesystem::copy_file(file, Path("pristine.kzy"));
  testsupport::KillSweep sweep;
  sweep.file = file;
  sweep.prepare = [&] {
    std::filesystem::remove(file + "-journal");
    std::filesystem::copy_file(Path("pristine.kzy"), file, std::filesystem::copy_options::overwrite_existing);
  };
  sweep.work = [&] {
    testsupport::OpenUserDatabase(file);
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
