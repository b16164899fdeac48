#include <gtest/gtest.h>

#include <QCoreApplication>

#include <memory>
#include <string>
#include <vector>

#include "RagaFixture.h"
#include "common/RagaDisplay.h"
#include "common/RagaReaders.h"
#include "common/RagaTables.h"
#include "platform/forms/Form.h"

namespace {

using namespace common;
using testsupport::ErrorNumber;

// A screen that carries the raga data block, the play buttons, the raga list, a list
// of additional information and the phrase box of the illustration screen.
forms::FormSpec DeclareBlockForm() {
  forms::FormSpec f("RagaBlock", "Raga", 99, {0, 0, 9000, 7000});
  f.TextBox("cRaga", {120, 120, 3000, 360}).Hidden();
  f.TextBox("cAroha", {120, 600, 6000, 360}).Hidden();
  f.TextBox("cAvroha", {120, 1080, 6000, 360}).Hidden();
  f.TextBox("cPakad", {120, 1560, 6000, 360}).Hidden();
  f.TextBox("cVadi", {120, 2040, 1200, 360}).Hidden();
  f.Label("cSamvadi", "", {1500, 2040, 1200, 360}).Hidden();  // a label shows its text as Caption
  for (int i = 2; i <= 7; ++i) f.Label("Label" + std::to_string(i), "caption", {6500, 120.0 + 480 * i, 2000, 300}).Hidden();
  f.Line("cLine1", {120, 2600, 8800, 2600}).Hidden();
  f.Button("cPlay", "Play", {120, 3000, 1000, 400});
  f.Button("cStop", "Stop", {1200, 3000, 1000, 400});
  f.Button("cStopLoop", "Stop Loop", {2300, 3000, 1000, 400});
  f.Button("cStartLoop", "Start Loop", {3400, 3000, 1000, 400});
  f.List("cRagaList", {120, 3600, 3000, 2000});
  f.List("cCompositions", {3300, 3600, 3000, 2000});
  f.TextBox("cCurrentItem", {120, 5800, 8000, 360});
  return f;
}

class RagaDisplayTest : public ragatest::RagaTest {
 protected:
  void SetUp() override {
    RagaTest::SetUp();
    form = std::make_unique<forms::Form>(DeclareBlockForm());
    form->Load();
    MakeCurrent(1, "Yaman");
  }
  void TearDown() override {
    form->Release();
    form.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    RagaTest::TearDown();
  }

  // The texts of the five notation controls in display order.
  std::vector<std::string> NotationTexts() {
    return {form->Ctl("cAroha").Text(), form->Ctl("cAvroha").Text(), form->Ctl("cPakad").Text(),
            form->Ctl("cVadi").Text(), form->Ctl("cSamvadi").Caption()};
  }
  std::vector<std::string> ListLines(const char* name) {
    auto& list = form->Get<forms::ListControl>(name);
    std::vector<std::string> lines;
    for (int16_t i = 0; i < list.ListCount(); ++i) lines.push_back(list.List(i));
    return lines;
  }

  std::unique_ptr<forms::Form> form;
};

const std::vector<std::string> kYamanEnglish = {"N<   R   G   M   P   D   N   S>", "S>   N   D   P   M   G   R   S",
                                                "N<   R   G   R   P   R   N<'R   S", "G", "N"};
const std::vector<std::string> kYamanDevnagari = {"ina,   ro   ga   ma\\   p   Qa   ina   saaM",
                                                  "saaM   ina   Qa   p   ma\\   ga   ro   saa",
                                                  "ina,   ro   ga   ro   p   ro   ina,'ro   saa", "ga", "ina"};

TEST_F(RagaDisplayTest, TheBlockShowsTheRagaInEnglish) {
  sDisplayRagaBasicData(*form);
  EXPECT_EQ(form->Ctl("cRaga").Text(), "Yaman");
  EXPECT_EQ(NotationTexts(), kYamanEnglish);
  EXPECT_EQ(form->Ctl("cPakad").FontName(), "Times New Roman");
  for (const char* name : {"cRaga", "cAroha", "cAvroha", "cPakad", "cVadi", "cSamvadi", "Label2", "Label5", "Label7",
                           "cLine1"}) {
    EXPECT_TRUE(form->Ctl(name).Visible()) << name;
  }
}

TEST_F(RagaDisplayTest, TheBlockShowsTheRagaInDevanagari) {
  shell::NotationScript = kScriptDevnagari;
  sDisplayRagaBasicData(*form);
  EXPECT_EQ(NotationTexts(), kYamanDevnagari);
  for (const char* name : {"cAroha", "cAvroha", "cPakad", "cVadi", "cSamvadi"}) {
    EXPECT_EQ(form->Ctl(name).FontName(), "Shusha") << name;
    EXPECT_EQ(form->Ctl(name).FontSize(), 16) << name;
    EXPECT_TRUE(form->Ctl(name).FontBold()) << name;
  }
}

TEST_F(RagaDisplayTest, GlidesAreShownAsTheirLandingNoteWhenGraceNotesAreOff) {
  shell::GraceNotes = kGraceNotesNone;
  sDisplayRagaBasicData(*form);
  EXPECT_EQ(form->Ctl("cPakad").Text(), "N<   R   G   R   P   R   R   S");
}

TEST_F(RagaDisplayTest, TheTablesShowTheSameBlockAsTheDatabase) {
  sSetupForCurrRaga();
  for (int16_t script : {kScriptEnglish, kScriptDevnagari}) {
    shell::NotationScript = script;
    sDisplayFromT_RagaBasicData(*form);
    EXPECT_EQ(NotationTexts(), script == kScriptEnglish ? kYamanEnglish : kYamanDevnagari);
    EXPECT_TRUE(form->Ctl("Label4").Visible());
  }
}

TEST_F(RagaDisplayTest, AChangeOfScriptRendersTheNotationAgainButNotTheName) {
  sDisplayRagaBasicData(*form);
  form->Ctl("cRaga").SetText("kept");
  form->Ctl("Label3").SetVisible(false);
  shell::NotationScript = kScriptDevnagari;
  sAdjustNotation(*form);
  EXPECT_EQ(NotationTexts(), kYamanDevnagari);
  EXPECT_EQ(form->Ctl("cVadi").FontName(), "Shusha");
  EXPECT_EQ(form->Ctl("cRaga").Text(), "kept");
  EXPECT_FALSE(form->Ctl("Label3").Visible());
}

TEST_F(RagaDisplayTest, ARagaWithoutTechnicalDataIsAnError) {
  MakeCurrent(4, "Malkauns");
  EXPECT_EQ(ErrorNumber([this] { sDisplayRagaBasicData(*form); }), 3021);
  EXPECT_EQ(ErrorNumber([this] { sAdjustNotation(*form); }), 3021);
}

TEST_F(RagaDisplayTest, AFormWithoutTheBlocksControlsIsAnError) {
  forms::Form bare(forms::FormSpec("Bare", "Bare", 98, {0, 0, 3000, 3000}));
  EXPECT_EQ(ErrorNumber([&] { sDisplayRagaBasicData(bare); }), 730);
  bare.Release();
}

TEST_F(RagaDisplayTest, TheFontFollowsTheScriptAndStaysForAnyOtherValue) {
  forms::Control& box = form->Ctl("cCurrentItem");
  shell::NotationScript = kScriptDevnagari;
  sAdjustFont(box);
  EXPECT_EQ(box.FontName(), "Shusha");
  shell::NotationScript = 0;
  sAdjustFont(box);
  EXPECT_EQ(box.FontName(), "Shusha");
  shell::NotationScript = kScriptEnglish;
  sAdjustFont(box);
  EXPECT_EQ(box.FontName(), "Times New Roman");
  EXPECT_EQ(box.FontSize(), 12);
}

TEST_F(RagaDisplayTest, PatternNotationDisablesThePlayButtons) {
  sDisplayPatternNotation(*form);
  for (const char* name : {"cPlay", "cStop", "cStopLoop", "cStartLoop"}) EXPECT_FALSE(form->Ctl(name).Enabled()) << name;
  EXPECT_TRUE(form->Ctl("cCurrentItem").Enabled());
}

TEST_F(RagaDisplayTest, TheRagaListHoldsEveryRagaWithTechnicalDataInNameOrderOnce) {
  sLoadRagaList(*form);
  sLoadRagaList(*form);
  EXPECT_EQ(ListLines("cRagaList"), (std::vector<std::string>{"Bageshri", "Bhairav", "Yaman"}));
}

TEST_F(RagaDisplayTest, AnAdditionalInformationListIsReplacedByTheItemsOfItsType) {
  auto& list = form->Get<forms::ListControl>("cCompositions");
  EXPECT_EQ(fLoadList(list, 2), 2);
  EXPECT_EQ(ListLines("cCompositions"), (std::vector<std::string>{"Eri Aali", "No Notation"}));
  EXPECT_EQ(fLoadList(list, 1), 1);
  EXPECT_EQ(ListLines("cCompositions"), (std::vector<std::string>{"Shuddha Kalyan"}));
  MakeCurrent(2, "Bhairav");
  EXPECT_EQ(fLoadList(list, 3), 0);
  EXPECT_TRUE(ListLines("cCompositions").empty());
}

TEST_F(RagaDisplayTest, ThePhraseBoxStepsThroughThePhrasesAndWrapsAround) {
  sound::TMNInfo.PhraseCount = 3;
  sound::TMNInfo.CurrPhrase = 3;
  sound::TMNInfo.Phrases = {"S R", "G'M P", "D N"};
  forms::Control& box = form->Ctl("cCurrentItem");
  struct Step {
    int16_t step;
    int16_t phrase;
    const char* shown;
  };
  const Step steps[] = {{1, 1, "S   R"}, {1, 2, "G'M   P"}, {-1, 1, "S   R"}, {-1, 3, "D   N"}, {0, 3, "D   N"},
                        {1, 1, "S   R"}};
  for (const auto& s : steps) {
    sLoadScriptFromMN(box, s.step);
    EXPECT_EQ(sound::TMNInfo.CurrPhrase, s.phrase) << s.step;
    EXPECT_EQ(box.Text(), s.shown) << s.step;
  }
  shell::NotationScript = kScriptDevnagari;
  shell::GraceNotes = kGraceNotesNone;
  sLoadScriptFromMN(box, 1);
  EXPECT_EQ(box.Text(), "ma\\   p");  // tivra Ma
}

TEST_F(RagaDisplayTest, AnEmptyPhraseSetShowsNothing) {
  forms::Control& box = form->Ctl("cCurrentItem");
  box.SetText("earlier");
  sLoadScriptFromMN(box, 1);
  EXPECT_EQ(box.Text(), "");
  EXPECT_EQ(sound::TMNInfo.CurrPhrase, 0);
}

}  // namespace
