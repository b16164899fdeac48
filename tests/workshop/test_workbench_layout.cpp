// The workbench whole at every size a learner gives its window, in each of its modes and
// at the steps of the meend demo, of a definition, of a scale picked on the keys and of
// the notes quiz.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WorkshopTest.h"
#include "support/LayoutChecks.h"
#include "support/ScriptedRnd.h"

namespace workshoptest {
namespace {

TEST_F(WorkshopTest, EveryModeIsWholeAtEverySize) {
  auto screen = [this]() -> forms::Form& { return Screen(); };
  EXPECT_EQ(testsupport::FaultsAtEveryStage({
                {"no mode", [this] { Open(); }, screen},
                {"the major scale", [this] { Press("cMajorScale"); }, screen},
                {"a pattern chosen", [this] { Ctl("cMnu3UC").RaiseFromUser(forms::Event::Click); }, screen},
                {"the meend demo",
                 [this] {
                   Press("cSwitchWBMode");
                   Press("cMajorScale");
                   Menu("cMnuMeePat");
                   ClickKeyOf(5);
                   ASSERT_EQ(Caption("Label10"), "Meend Pattern Demo - select second Note");
                 },
                 screen},
                {"a glide played",
                 [this] {
                   ClickKeyOf(7);
                   ASSERT_EQ(Caption("Label10"), "Meend Pattern Demo - select first Note");
                 },
                 screen},
                {"a pattern defined, its kind asked",
                 [this] {
                   Ctl("cMnu2UC").RaiseFromUser(forms::Event::Click);
                   Menu("cMnuDefPat");
                   ClickKeyOf(7);
                   ASSERT_EQ(Caption("Frame2"), "Pattern Type");
                 },
                 screen},
                {"its save asked",
                 [this] {
                   Answer(1);
                   ASSERT_EQ(Caption("Frame2"), "Save Pattern");
                 },
                 screen},
                {"its name asked",
                 [this] {
                   Answer(1);
                   ASSERT_TRUE(Shown("cPatName"));
                 },
                 screen},
                {"a scale half picked on the keys",
                 [this] {
                   Press("cSwitchWBMode");
                   Press("cNotePatterns");
                   Answer(2);
                   Answer(2);
                   ClickKeyOf(7);
                   ASSERT_EQ(Caption("Frame2"), "Scale Types");
                 },
                 screen},
                {"the picking cancelled",
                 [this] {
                   Press("cSelNewSca");
                   ASSERT_EQ(Caption("Frame2"), "Scale Category");
                 },
                 screen},
                {"a scale picked",
                 [this] {
                   Answer(2);
                   Answer(1);
                   for (const int16_t n : {7, 9, 12, 14}) ClickKeyOf(n);
                   ASSERT_EQ(Text("cScaleType"), "Selected Audav (5 Notes) Scale");
                 },
                 screen},
                {"a thata",
                 [this] {
                   Press("cSelNewSca");
                   Answer(1);
                   Choose("Kalyan");
                 },
                 screen},
                {"a raga",
                 [this] {
                   Press("cSwitchWBMode");
                   Press("cNotesForRaga");
                   Choose("Bhupali");
                 },
                 screen},
                {"the notes quiz asked",
                 [this] {
                   Press("cSwitchWBMode");
                   Press("cNotesQuiz");
                   ASSERT_EQ(Caption("Frame2"), "Notes Type");
                 },
                 screen},
                {"a quiz note",
                 [this] {
                   testsupport::ScriptedRnd rnd({testsupport::Pick(6, 25)});  // S
                   Answer(1);
                   ASSERT_TRUE(Shown("cShowNote"));
                 },
                 screen},
            }),
            std::vector<std::string>{});
}

}  // namespace
}  // namespace workshoptest
