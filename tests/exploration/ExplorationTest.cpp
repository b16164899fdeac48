#include "ExplorationTest.h"

#include "common/CommonState.h"
#include "common/RagaFixture.h"
#include "exploration/MainOperations.h"
#include "exploration/RagaSelection.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "support/BuiltSeeds.h"
#include "support/GuiEnvironment.h"

namespace explorationtest {

namespace {

[[maybe_unused]] ::testing::Environment* const kGui =
    ::testing::AddGlobalTestEnvironment(new testsupport::GuiEnvironment("test_exploration", shell::InstallPlayers));

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
  if (content == Content::Fixture)
    MakeContent(std::string(ragatest::kContentRows) + kDamagedRaga + kUnnotatedItems,
                {"illustrations.sql", "prompts_player.sql"});
  else
    ASSERT_NO_FATAL_FAILURE(OpenBuiltContent());
  MakeUser(std::string(ragatest::kUserRows) + (userScale ? kUserScale : ""));
  SetUpScreenState();
  OpenMainForm();
}

void ExplorationTest::TearDown() {
  ReleaseForms({shell::FormPlayComposition1, shell::FormMainOperations, shell::FormRagaSelection1});
  ScreenFixture::TearDown();
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

std::vector<std::string> ExplorationTest::FirstGridNames(int count) const {
  auto& grid = shell::FormRagaSelection1->Get<forms::Grid>("cRagaList");
  std::vector<std::string> names;
  for (int32_t r = 0; r < count && r < grid.Rows(); ++r) names.push_back(grid.TextMatrix(r, 0));
  return names;
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
  SetUpPlayer();
  TraceOnNow();
}

}  // namespace explorationtest
