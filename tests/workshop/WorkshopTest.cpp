#include "WorkshopTest.h"

#include <QListWidget>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/Queries.h"
#include "platform/forms/Layout.h"
#include "platform/forms/Registry.h"
#include "platform/vb/Folders.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "shell/StandInForms.h"
#include "sound/Keyboard.h"
#include "sound/KeyboardStandIns.h"
#include "sound/SoundState.h"
#include "support/GuiEnvironment.h"
#include "support/SqlFixture.h"
#include "workshop/Workshop.h"

namespace workshoptest {

namespace {

[[maybe_unused]] ::testing::Environment* const kGui =
    ::testing::AddGlobalTestEnvironment(new testsupport::GuiEnvironment("test_workshop", shell::InstallPlayers));

std::string ContentData(const char* name) {
  return testsupport::ReadTextFile(std::string(VELMORA_SOURCE_DIR) + "/content/data/" + name);
}

}  // namespace

const char* const kWorkbenchRagas = R"sql(
INSERT INTO "RagaNameList" VALUES ('Yaman', 1, 1), ('Bhupali', 2, 1), ('Bhairav', 3, 2), ('Malkauns', 4, 3),
  ('Kedar', 5, 3);
INSERT INTO "Raga - Technical Information" ("Raga Index", "Thata", "Jati", "Vadi", "VadiNum", "Samvadi",
  "SamvadiNum", "Appropriate time", "DroneType", "OPRSetId", "Notes", "AarohaAlt", "AaDuration", "AvrohaAlt",
  "AvDuration", "Pakad", "PakadDuration") VALUES
  (1, 'Kalyan', 'Sampurna-Sampurna', 'G', 16, 'N', 23, '18-21 h', 3, 0, 'Evening', 'N< R G M D N S>',
   '40 40 40 40 40 40 80', 'S> N D P M G R S', '40 40 40 40 40 40 40 80', 'N< R G R : P R : N<''R S',
   '40 40 40 70 40 70 40 120'),
  (2, 'Kalyan', 'Audav-Audav', 'G', 16, 'D', 21, '18-21 h', 1, 0, 'Evening', 'S R G P D S>',
   '40 40 40 40 40 80', 'S> D P G R S', '40 40 40 40 40 80', 'G R S D< S R G', '40 40 40 40 40 40 80'),
  (3, 'Bhairav', 'Sampurna', 'd', 20, 'r', 13, '06-09 h', 1, 0, 'Morning', 'S r G m P d N S>',
   '40 40 40 40 40 40 40 80', 'S> N d P m G r S', '40 40 40 40 40 40 40 80', 'S r''G m', '40 40 80'),
  (5, 'Kalyan', 'Audav-Sampurna', 'm', 17, 'S', 12, '18-21 h', 2, 0, 'Night', 'S m P D S>',
   '40 40 40 40 80', 'S> N D P M P D P m G m R S', '40 40 40 40 40 40 40 40 40 40 40 40 80', 'S m', '40 80');
INSERT INTO "Raga - Notes" VALUES (1, '12 14 16 18 19 21 23 24'), (2, '12 14 16 19 21 24'),
  (3, '12 13 16 17 19 20 23 24');
)sql";

void WorkshopTest::SetUp() {
  ScratchTest::SetUp();
  testsupport::MakeContentFixture(
      Path("mrA.kzy"), std::string(kWorkbenchRagas) + testsupport::kMinimalInstrumentRows + ContentData("thatas.sql") +
                           ContentData("prompts.sql") + ContentData("prompts_workshop.sql") +
                           ContentData("reed_colors.sql") + forms::LayoutRowsSql(forms::DeclaredForms()));
  shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
  testsupport::MakeUserFixture(Path("mrB.kzy"));
  shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, "MS ACCESS;PWD=x");
  shell::ShareFolder = vb::ShareFolderPath();

  common::sInitScales();
  common::sSetSQLStrings();
  sound::sInitReedColorType();
  sound::sInitReedsDisplayedData();
  shell::PromptSeparator = " - ";
  shell::NotationScript = 2;
  shell::GraceNotes = 1;
  shell::DevnagariAvailable = 0;
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
  common::CurrRagaIndex = 0;
  common::CurrRagaName.clear();

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

void WorkshopTest::TearDown() {
  for (forms::Form* form : {shell::FormWorkshop, mainForm.get()})
    if (form != nullptr && form->Loaded()) form->Release();
  shell::CurrForm = shell::PrevForm = shell::FormVelmora = nullptr;
  mainForm.reset();
  testsupport::CloseDatabases();
  ScratchTest::TearDown();
}

void WorkshopTest::Open() { Dispatch(0); }

void WorkshopTest::Dispatch(int16_t action) { workshop::sWorkshop(action); }

forms::Form& WorkshopTest::Screen() const { return *shell::FormWorkshop; }

void WorkshopTest::Press(const char* button) {
  forms::Control& b = Ctl(button);
  ASSERT_TRUE(b.Visible() && b.Enabled()) << button;
  b.RaiseFromUser(forms::Event::Click);
}

void WorkshopTest::Answer(int option) {
  const std::string name = "cO" + std::to_string(option);
  auto& o = Screen().Get<forms::OptionButton>(name);
  ASSERT_TRUE(o.Visible() && Shown("Frame2")) << name;
  o.Select();
}

void WorkshopTest::Menu(const char* item) {
  forms::Control& m = Ctl(item);
  ASSERT_TRUE(m.Visible() && m.Enabled()) << item;
  m.RaiseFromUser(forms::Event::Click);
}

void WorkshopTest::ClickKey(int16_t label) { Screen().Ctl("cL", label).RaiseFromUser(forms::Event::Click); }

void WorkshopTest::ClickKeyOf(int16_t workbenchNote) {
  ClickKey(static_cast<int16_t>(sound::CurrTonicNoteId + 4 + workbenchNote));
}

void WorkshopTest::Choose(const std::string& line) {
  auto& l = Screen().Get<forms::ListControl>("cRagaList");
  ASSERT_TRUE(l.Visible() && l.Enabled());
  for (int16_t i = 0; i < l.ListCount(); ++i) {
    if (l.List(i) != line) continue;
    static_cast<QListWidget*>(l.Widget())->setCurrentRow(i);
    return;
  }
  ADD_FAILURE() << line << " is not in the list";
}

std::vector<std::string> WorkshopTest::ListLines() const {
  auto& l = Screen().Get<forms::ListControl>("cRagaList");
  std::vector<std::string> lines;
  for (int16_t i = 0; i < l.ListCount(); ++i) lines.push_back(l.List(i));
  return lines;
}

std::string WorkshopTest::ExpectedPrompts(const std::string& numbers) const {
  return sound::fGetScaleInfo() + " - " + common::fGetPrompts(numbers);
}

std::vector<std::string> WorkshopTest::ShownKeyLabels() const {
  std::vector<std::string> labels;
  for (int16_t r = 1; r <= 40; ++r) {
    forms::Control& label = Screen().Ctl("cL", r);
    if (label.Visible()) labels.push_back(label.Caption());
  }
  return labels;
}

}  // namespace workshoptest
