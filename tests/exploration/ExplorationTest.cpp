#include "ExplorationTest.h"

#include <QCoreApplication>
#include <QListWidget>

#include <filesystem>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/Queries.h"
#include "common/RagaFixture.h"
#include "exploration/MainOperations.h"
#include "exploration/RagaSelection.h"
#include "platform/forms/Layout.h"
#include "platform/forms/Registry.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Folders.h"
#include "shell/Globals.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "shell/StandInForms.h"
#include "sound/Keyboard.h"
#include "sound/KeyboardStandIns.h"
#include "sound/SoundState.h"
#include "support/BuiltSeeds.h"
#include "support/GuiEnvironment.h"
#include "support/SqlFixture.h"

namespace explorationtest {

namespace {

[[maybe_unused]] ::testing::Environment* const kGui =
    ::testing::AddGlobalTestEnvironment(new testsupport::GuiEnvironment("test_exploration", shell::InstallPlayers));

std::string ContentData(const char* name) {
  return testsupport::ReadTextFile(std::string(VELMORA_SOURCE_DIR) + "/content/data/" + name);
}

// A raga whose technical row is damaged (a Null "Jati"): it is listed, but cannot be set up.
constexpr const char* kDamagedRaga = R"sql(
INSERT INTO "RagaNameList" VALUES ('Damaged', 5, 1);
INSERT INTO "Raga - Technical Information" ("Raga Index", "Thata", "Jati", "Vadi", "VadiNum", "Samvadi",
  "SamvadiNum", "Appropriate time", "DroneType", "OPRSetId", "Notes", "AarohaAlt", "AaDuration", "AvrohaAlt",
  "AvDuration", "Pakad", "PakadDuration") VALUES
  (5, 'Kafi', NULL, 'm', 17, 'S', 12, '21-24 h', 1, 0, 'Night', 'S g m', '40 40 80', 'm g S', '40 40 80',
   'S g', '40 80');
)sql";

// Items without notation: listed nowhere, and their headings neither.
constexpr const char* kUnnotatedItems = R"sql(
INSERT INTO "Raga - Additional Information" VALUES (2, 'Unnotated Song', 3, 0), (2, 'Unnotated Raga', 1, 0);
)sql";

}  // namespace

void ExplorationTest::SetUpDatabases(Content content, bool userScale) {
  ScratchTest::SetUp();
  if (content == Content::Fixture) {
    testsupport::MakeContentFixture(
        Path("mrA.kzy"), std::string(ragatest::kContentRows) + kDamagedRaga + kUnnotatedItems + testsupport::kMinimalInstrumentRows +
                             ContentData("illustrations.sql") + ContentData("prompts.sql") +
                             ContentData("prompts_player.sql") + ContentData("reed_colors.sql") + forms::LayoutRowsSql(forms::DeclaredForms()));
    shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
  } else {
    const std::string built = vb::ShareFolderPath() + "/mrA.kzy";
    ASSERT_TRUE(std::filesystem::exists(built)) << built;
    shell::DatabaseA = dao::Database::OpenDatabase(built, true, true, "MS ACCESS;PWD=x");
  }
  testsupport::MakeUserFixture(Path("mrB.kzy"), std::string(ragatest::kUserRows) + (userScale ? kUserScale : ""));
  shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, "MS ACCESS;PWD=x");
  shell::ShareFolder = vb::ShareFolderPath();

  common::sInitScales();
  common::sSetSQLStrings();
  sound::sInitReedColorType();
  sound::sInitReedsDisplayedData();
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
  sound::KeyboardDisplay = 1;
  sound::CurrTonicNoteId = 3;
  sound::CurrMusicSetId = 3;
  sound::CurrDroneType = 3;
  sound::CallbackCode = 0;
  sound::CurrOperationMode = 1;
  sound::LoopFlag = 0;
  sound::CurrItemKind = 0;
  common::CurrRagaIndex = 0;
  common::CurrRagaName.clear();
  common::CurrAddInfo.clear();
  common::CurrNotationIndex = 0;
  common::CurrPhraseType = 0;

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

void ExplorationTest::TearDown() {
  for (forms::Form* form :
       {shell::FormPlayComposition1, shell::FormMainOperations, shell::FormRagaSelection1, mainForm.get()})
    if (form != nullptr && form->Loaded()) form->Release();
  shell::CurrForm = shell::PrevForm = shell::FormVelmora = nullptr;
  mainForm.reset();
  testsupport::CloseDatabases();
  ScratchTest::TearDown();
}

void ExplorationTest::ResetPlayLoop() {
  sound::PlayState = 0;
  sound::ListEndsAtDone = 0;
  sound::PlayOnAfterStop = 0;
  sound::TPlayInfo = {};
  sound::NotesList = {};
  sound::CurrSlot = 0;
  sound::CurrDroneFactor = 1.0;
}

void ExplorationTest::SelectRaga(int16_t action) { exploration::sSelectRaga(action); }
void ExplorationTest::MainOperations(int16_t action) { exploration::sMainOperations(action); }

void ExplorationTest::OpenGrid() { SelectRaga(0); }

void ExplorationTest::ClickRaga(const std::string& name, forms::Event event) {
  auto& grid = shell::FormRagaSelection1->Get<forms::Grid>("cRagaList");
  for (int32_t r = 0; r < grid.Rows(); ++r) {
    if (grid.TextMatrix(r, 0) != name) continue;
    grid.SetRow(r);
    grid.RaiseFromUser(event);
    return;
  }
  ADD_FAILURE() << name << " is not in the grid";
}

std::vector<std::string> ExplorationTest::Lines(const char* list) const {
  auto& l = Front().Get<forms::ListControl>(list);
  std::vector<std::string> lines;
  for (int16_t i = 0; i < l.ListCount(); ++i) lines.push_back(l.List(i));
  return lines;
}

std::vector<std::string> ExplorationTest::FirstGridNames(int count) const {
  auto& grid = shell::FormRagaSelection1->Get<forms::Grid>("cRagaList");
  std::vector<std::string> names;
  for (int32_t r = 0; r < count && r < grid.Rows(); ++r) names.push_back(grid.TextMatrix(r, 0));
  return names;
}

std::string ExplorationTest::ExpectedPrompts(const std::string& numbers) const {
  return sound::fGetScaleInfo() + " - " + common::fGetPrompts(numbers);
}

void ExplorationTest::AddRows(const std::string& contentSql, const std::string& userSql) {
  testsupport::CloseDatabases();
  if (!contentSql.empty()) testsupport::RunSql(Path("mrA.kzy"), contentSql);
  if (!userSql.empty()) testsupport::RunSql(Path("mrB.kzy"), userSql);
  shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
  shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, "MS ACCESS;PWD=x");
}

std::string ExplorationTest::ScaleSetRows(int16_t set, int16_t tonic) {
  std::string rows;
  for (int type : {1, 2}) {
    rows += "INSERT INTO \"ONPR\" (\"NPSetId\", \"InstrumentType\", \"NPSetName\", \"TonicNoteId\"";
    for (int k = 0; k <= 26; ++k) rows += std::string(", \"") + (k < 10 ? "0" : "") + std::to_string(k) + "\"";
    rows += ") VALUES (" + std::to_string(set) + ", " + std::to_string(type) + ", 'Set', " + std::to_string(tonic);
    for (int k = 0; k <= 26; ++k) rows += ", 0";
    rows += ");\n";
  }
  return rows;
}

void PlayingScreenTest::SetUpTestSuite() { testsupport::LoadBuiltMainInstrument(); }

void PlayingScreenTest::SetUpPlaying() {
  shell::TempFolder = folder_.string() + "/";
  shell::sSetGlobalVariables();
  TraceOnNow();
  ResetPlayLoop();
  clock = std::make_shared<mci::FakeClock>();
  mci::SetDefaultClock(clock);
}

void PlayingScreenTest::TearDown() {
  ExplorationTest::TearDown();
  QCoreApplication::processEvents();
  mci::SetDefaultClock(nullptr);
}

void PlayingScreenTest::PlayFor(std::chrono::milliseconds span, const std::function<bool()>& done) {
  using namespace std::chrono_literals;
  for (auto t = 0ms; t < span && !(done && done()); t += 10ms) {
    clock->Advance(10ms);
    QCoreApplication::processEvents();
    Record();
  }
}

void PlayingScreenTest::ChooseLine(forms::Form& form, const char* list, const std::string& line) {
  auto& l = form.Get<forms::ListControl>(list);
  ASSERT_TRUE(l.Enabled()) << list;
  for (int16_t i = 0; i < l.ListCount(); ++i) {
    if (l.List(i) != line) continue;
    static_cast<QListWidget*>(l.Widget())->setCurrentRow(i);
    return;
  }
  ADD_FAILURE() << line << " is not in " << list;
}

void PlayingScreenTest::PressOn(forms::Form& form, const char* button) {
  forms::Control& b = form.Ctl(button);
  ASSERT_TRUE(b.Visible() && b.Enabled()) << button;
  b.RaiseFromUser(forms::Event::Click);
}

}  // namespace explorationtest
