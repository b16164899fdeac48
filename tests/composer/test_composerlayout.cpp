// The Composer whole at every size a learner gives its window, at every stage of its
// dialogue (a save and a refused save among them): the slots, palette and time values
// made at run time keep their rows, and nothing lies over the list of the stage.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ComposerTest.h"
#include "support/LayoutChecks.h"

namespace composertest {
namespace {

// A note and its duration put in slot `slot` from the palette and the time values.
void WriteOneNote(ComposerTest& t, int16_t slot) {
  t.Click("cNotation", 12);
  t.Click("cNote", slot);
  t.Click("cTimeVal", 0);
  t.Click("cTime", slot);
}

TEST_F(ComposerTest, EveryStageIsWholeAtEverySize) {
  auto screen = [this]() -> forms::Form& { return Screen(); };
  EXPECT_EQ(testsupport::FaultsAtEveryStage({
                {"the raga list", [this] { Open(); }, screen},
                {"the categories", [this] { Choose("Yaman"); }, screen},
                {"an alap", [this] { Select("cOAlap"); }, screen},
                {"an alap saved",
                 [this] {
                   WriteOneNote(*this, 10);
                   Click("cSave");
                   ASSERT_EQ(MessageTexts(), std::vector<std::string>{"Music Saved"});
                 },
                 screen},
                {"a save refused",
                 [this] {
                   RunOnUserDatabase(R"sql(
CREATE TRIGGER refuse_alap BEFORE UPDATE ON "Raga - ALT Phrases" BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;
)sql");
                   messages.clear();
                   WriteOneNote(*this, 11);
                   Click("cSave");
                   ASSERT_EQ(messages.size(), 1u);
                   ASSERT_EQ(messages[0].prompt.find("Your phrases could not be saved ("), 0u);
                   messages.clear();
                   answer = vb::vbYes;  // the unsaved note left at the next stage
                 },
                 screen},
                {"a layakari",
                 [this] {
                   Click("cNewCat");
                   Select("cOLayakari");
                 },
                 screen},
                {"a taan",
                 [this] {
                   Click("cNewCat");
                   Select("cOTaan");
                 },
                 screen},
                {"a new composition's texts",
                 [this] {
                   Click("cNewCat");
                   Select("cOCompN");
                 },
                 screen},
                {"the tala list",
                 [this] {
                   Type("cAsthai", "Piya bina");
                   Type("cAntara", "Sakhi ri");
                   Click("cOK");
                 },
                 screen},
                {"the details", [this] { Choose("Teentaal"); }, screen},
                {"the composition's slots",
                 [this] {
                   Type("cMukhada", "Piya");
                   Type("cStartBeatAst", "1");
                   Type("cStartBeatAnt", "5");
                   Type("cSpeed", "60");
                   Click("cOK");
                 },
                 screen},
                {"the categories again", [this] { Click("cNewCat"); }, screen},
            }),
            std::vector<std::string>{});
  EXPECT_TRUE(RanClean());
}

// A resize keeps the slots where the layout that made them puts them: every row of 20
// centred across the window, the palette and the time values above, in order.
TEST_F(ComposerTest, ASlotLayoutFollowsTheWindowAtOnce) {
  OpenCategory("Yaman", "cOAlap");
  for (const testsupport::WindowSize& size : testsupport::LearnerSizes()) {
    SCOPED_TRACE(size.name);
    testsupport::ResizeAsLearner(Screen(), size);
    const double width = Screen().ScaleWidth();
    const forms::Control& first = Ctl("cNote", 0);
    const forms::Control& last = Ctl("cNote", 19);
    EXPECT_NEAR(first.Left() + last.Left() + last.Width(), width, 30) << "the row is centred";
    EXPECT_EQ(Ctl("cNote", 20).Left(), first.Left()) << "the second row under the first";
    EXPECT_GT(Ctl("cNote", 20).Top(), Ctl("cTime", 0).Top());
    EXPECT_LT(Ctl("cNotation", 32).Top() + Ctl("cNotation", 32).Height(), Ctl("cGNote", 0).Top());
    EXPECT_LT(Ctl("cTimeVal", 18).Top() + Ctl("cTimeVal", 18).Height(), Ctl("cNotation", 12).Top());
  }
}

}  // namespace
}  // namespace composertest
