#include "WorkshopTest.h"

#include "common/CommonState.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/GuiEnvironment.h"
#include "workshop/Workshop.h"

namespace workshoptest {

namespace {

[[maybe_unused]] ::testing::Environment* const kGui =
    ::testing::AddGlobalTestEnvironment(new testsupport::GuiEnvironment("test_workshop", shell::InstallPlayers));

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
  MakeContent(kWorkbenchRagas, {"thatas.sql", "prompts_workshop.sql"});
  MakeUser();
  SetUpScreenState();
  shell::GraceNotes = 1;
  OpenMainForm();
}

void WorkshopTest::TearDown() {
  ReleaseForms({shell::FormWorkshop});
  ScreenFixture::TearDown();
}

void WorkshopTest::Open() { Dispatch(0); }

void WorkshopTest::Dispatch(int16_t action) { workshop::sWorkshop(action); }

forms::Form& WorkshopTest::Screen() const { return *shell::FormWorkshop; }

void WorkshopTest::Press(const char* button) { testsupport::PressOn(Screen(), button); }

void WorkshopTest::Answer(int option) {
  const std::string name = "cO" + std::to_string(option);
  auto& o = Screen().Get<forms::OptionButton>(name);
  ASSERT_TRUE(o.Visible() && Shown("Frame2")) << name;
  o.Select();
}

void WorkshopTest::Menu(const char* item) { testsupport::PressOn(Screen(), item); }

void WorkshopTest::ClickKey(int16_t label) { Screen().Ctl("cL", label).RaiseFromUser(forms::Event::Click); }

void WorkshopTest::ClickKeyOf(int16_t workbenchNote) {
  ClickKey(static_cast<int16_t>(sound::CurrTonicNoteId + 4 + workbenchNote));
}

void WorkshopTest::Choose(const std::string& line) {
  ASSERT_TRUE(Shown("cRagaList"));
  testsupport::ChooseLine(Screen(), "cRagaList", line);
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
