// Check marks of every group on the forms that carry its items, and the trace items,
// on the forms of the screens.
#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "ShellRun.h"
#include "common/CommonState.h"
#include "composer/ComposerState.h"
#include "exploration/ExplorationState.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/forms/Registry.h"
#include "shell/Menus.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "shell/ScreenForms.h"
#include "sound/SoundState.h"
#include "support/Scratch.h"

namespace {

struct Group {
  const char* name;
  void (*check)();
  std::vector<const char*> items;
  std::vector<forms::Form**> forms;  // the forms that carry the items
};

struct Case {
  const char* group;
  std::function<void()> set;
  const char* marked;  // "" for none
};

const std::vector<Group>& Groups() {
  using namespace shell;
  static const std::vector<Group> groups = {
      {"grace notes", sMnuGraceNotesCheck, {"cMnuNoGraNot", "cMnuUseGraNot"},
       {&FormMainOperations, &FormPlayComposition1, &FormWorkshop}},
      {"keyboard", sMnuKeyboardDisplayCheck, {"cMnuShoKey", "cMnuDonShoKey"}, {&FormMainOperations, &FormWorkshop}},
      {"quiz notation", sMnuNotationCheck, {"cMnuDonShoNot", "cMnuShoNot"}, {&FormQuiz}},
      {"script", sMnuNotationScriptCheck, {"cMnuDev", "cMnuEng"},
       {&FormComposer, &FormMainOperations, &FormPlayComposition1, &FormQuiz, &FormWorkshop}},
      {"palette", sMnuNotePalletCheck, {"cMnuNotForRag", "cMnuAllNot"}, {&FormComposer}},
      {"sorting", sMnuRagaSortingModeCheck, {"cMnuRag", "cMnuTha", "cMnuJat", "cMnuVad", "cMnuSam", "cMnuAppTim"},
       {&FormRagaSelection1}},
      {"theka", sMnuThekaCheck, {"cMnuUseThe", "cMnuNoThe"}, {&FormPlayComposition1}},
      {"tonic", sMnuTonicNoteCheck,
       {"cMnuW7", "cMnuW1", "cMnuB1", "cMnuW2", "cMnuB2", "cMnuW3", "cMnuW4", "cMnuB3", "cMnuW5", "cMnuB4", "cMnuW6",
        "cMnuB5"},
       {&FormMainOperations, &FormPlayComposition1, &FormWorkshop}},
  };
  return groups;
}

const std::vector<Case>& Cases() {
  using namespace shell;
  static const std::vector<Case> cases = {
      {"grace notes", [] { GraceNotes = 1; }, "cMnuNoGraNot"},
      {"grace notes", [] { GraceNotes = 2; }, "cMnuUseGraNot"},
      {"grace notes", [] { GraceNotes = 3; }, ""},
      {"keyboard", [] { sound::KeyboardDisplay = 1; }, "cMnuShoKey"},
      {"keyboard", [] { sound::KeyboardDisplay = 2; }, "cMnuDonShoKey"},
      {"keyboard", [] { sound::KeyboardDisplay = 0; }, ""},
      {"quiz notation", [] { exploration::NotationDisplay = 0; }, "cMnuDonShoNot"},
      {"quiz notation", [] { exploration::NotationDisplay = 1; }, "cMnuShoNot"},
      {"quiz notation", [] { exploration::NotationDisplay = 2; }, ""},
      {"script", [] { NotationScript = 1; }, "cMnuDev"},
      {"script", [] { NotationScript = 2; }, "cMnuEng"},
      {"script", [] { NotationScript = 3; }, "cMnuEng"},
      {"palette", [] { composer::NotePallet = 1; }, "cMnuNotForRag"},
      {"palette", [] { composer::NotePallet = 2; }, "cMnuAllNot"},
      {"palette", [] { composer::NotePallet = 0; }, ""},
      {"sorting", [] { SortingMode = 0; }, "cMnuRag"},
      {"sorting", [] { SortingMode = 3; }, "cMnuVad"},
      {"sorting", [] { SortingMode = 4; }, "cMnuSam"},
      {"sorting", [] { SortingMode = 5; }, "cMnuAppTim"},
      {"sorting", [] { SortingMode = 6; }, ""},
      {"theka", [] { sound::Theka = 1; }, "cMnuUseThe"},
      {"theka", [] { sound::Theka = 2; }, "cMnuNoThe"},
      {"tonic", [] { sound::CurrTonicNoteId = 5, sound::CurrMusicSetId = 3; }, "cMnuB2"},
      {"tonic", [] { sound::CurrTonicNoteId = 1, sound::CurrMusicSetId = 12; }, "cMnuW7"},
      {"tonic", [] { sound::CurrTonicNoteId = 12, sound::CurrMusicSetId = 1; }, "cMnuB5"},
      {"tonic", [] { sound::CurrTonicNoteId = 5, sound::CurrMusicSetId = 13; }, ""},
      {"tonic", [] { sound::CurrTonicNoteId = 13, sound::CurrMusicSetId = 3; }, ""},
  };
  return cases;
}

class MenuCheckTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    shell::sBindForms();
  }
  void TearDown() override {
    for (forms::Form* f : {shell::FormReviewRagas, shell::FormScaleShifting, shell::FormRagaSelection1,
                           shell::FormWorkshop, shell::FormPlayComposition1, shell::FormRagaInfoSummary, shell::FormQuiz,
                           shell::FormKZSampler, shell::FormComposer, shell::FormMainOperations})
      f->Release();
    shell::CurrForm = nullptr;
    shelltest::Settle();
    ScratchTest::TearDown();
  }
  // The mark, which an item of a menu shows as it is set (one of the menu bar has none).
  static bool Checked(forms::Form& f, const char* item) {
    forms::MenuItem& menuItem = f.Get<forms::MenuItem>(item);
    const QAction* action = menuItem.Action();
    if (action != nullptr && qobject_cast<QMenu*>(action->parent()) != nullptr) {
      EXPECT_EQ(action->isChecked(), menuItem.Checked()) << item;
    }
    return menuItem.Checked();
  }
};

TEST_F(MenuCheckTest, EachGroupMarksTheItemOfItsValueAndClearsTheOthers) {
  for (const Case& c : Cases()) {
    const Group* group = nullptr;
    for (const Group& g : Groups())
      if (std::string(g.name) == c.group) group = &g;
    ASSERT_NE(group, nullptr) << c.group;
    for (forms::Form** form : group->forms) {
      shell::CurrForm = *form;
      for (const char* item : group->items) (*form)->Get<forms::MenuItem>(item).SetChecked(true);  // stale marks
      c.set();
      group->check();
      for (const char* item : group->items)
        EXPECT_EQ(Checked(**form, item), std::string(item) == c.marked)
            << c.group << " on " << (*form)->Name() << ": " << item << " (expected mark: " << c.marked << ")";
    }
  }
}

TEST_F(MenuCheckTest, TheCompositionPlayersOwnLetterCaseOfItsGraceNoteItemIsServed) {
  shell::CurrForm = shell::FormPlayComposition1;
  shell::GraceNotes = 2;
  shell::sMnuGraceNotesCheck();
  EXPECT_TRUE(Checked(*shell::FormPlayComposition1, "cMnuUseGranot"));
}

TEST_F(MenuCheckTest, AGroupOnAFormWithoutItsItemsIsAProgramError) {
  shell::CurrForm = shell::FormReviewRagas;
  EXPECT_THROW(shell::sMnuThekaCheck(), vb::VbError);
}

TEST_F(MenuCheckTest, TheTraceItemsFollowTheTraceSwitchOnEveryFormThatCarriesThem) {
  for (forms::Form* form : {shell::FormScaleShifting, shell::FormRagaSelection1, shell::FormWorkshop,
                            shell::FormPlayComposition1, shell::FormQuiz, shell::FormKZSampler, shell::FormComposer,
                            shell::FormMainOperations}) {
    shell::CurrForm = form;
    common::TraceAvailable = -1;
    common::TraceOn = -1;
    shell::sMnuTraceCheck();
    EXPECT_TRUE(Checked(*form, "cMnuTraOn")) << form->Name();
    EXPECT_FALSE(Checked(*form, "cMnuTraOff")) << form->Name();
    common::TraceOn = 0;
    shell::sMnuTraceCheck();
    EXPECT_FALSE(Checked(*form, "cMnuTraOn")) << form->Name();
    EXPECT_TRUE(Checked(*form, "cMnuTraOff")) << form->Name();
    common::TraceAvailable = 0;
    common::TraceOn = -1;
    shell::sMnuTraceCheck();
    EXPECT_FALSE(form->Ctl("cMnuTraOn").Visible()) << form->Name();
    EXPECT_FALSE(form->Ctl("cMnuTraOff").Visible()) << form->Name();
  }
}

class MainMenuTest : public shelltest::ShellRunTest {};

TEST_F(MainMenuTest, TheMainMenusAreDisabledAndEnabledTogether) {
  ASSERT_TRUE(Start());
  const char* const selections[] = {"cExit", "cMnuHel", "cMnuTip", "cMnuMaiOpe", "cMnuSupOpe"};
  shell::sDisableKZSelections();
  for (const char* name : selections) EXPECT_FALSE(Main().Ctl(name).Enabled()) << name;
  shell::sEnableKZSelections();
  for (const char* name : selections) EXPECT_TRUE(Main().Ctl(name).Enabled()) << name;
  for (int tips : {1, 0, 2}) {
    shell::TipSignal = static_cast<int16_t>(tips);
    shell::sMnuTipsCheck();
    EXPECT_EQ(Main().Get<forms::MenuItem>("cMnuShoTip").Checked(), tips == 1);
    EXPECT_EQ(Main().Get<forms::MenuItem>("cMnuDonShoTip").Checked(), tips == 0);
  }
}

}  // namespace

namespace {

// Every menu of the menu bar of every screen opens with Alt and a letter, a different
// one on each screen, shown underlined; the captions themselves stay as declared.
TEST(MenuAccess, EveryMenuOfEveryScreenOpensWithAltAndALetterOfItsOwn) {
  for (const forms::FormSpec& declared : forms::DeclaredForms()) {
    forms::FormSpec spec = declared;
    spec.Handlers.clear();  // only the form and its members, none of its events
    forms::Form form(spec);
    std::set<QChar> letters;
    for (forms::Control* c : form.Controls()) {
      auto* menu = dynamic_cast<forms::MenuItem*>(c);
      if (menu == nullptr || !menu->OnMenuBar() || menu->IsSeparator()) continue;
      const QString shown = menu->Action()->text();
      const qsizetype amp = shown.indexOf('&');
      ASSERT_GE(amp, 0) << form.Name() << ": " << menu->Name() << " \"" << shown.toStdString() << "\"";
      ASSERT_LT(amp + 1, shown.size());
      EXPECT_TRUE(letters.insert(shown[amp + 1].toLower()).second)
          << form.Name() << ": " << menu->Name() << " shares its letter";
      QString plain = shown;
      plain.remove(amp, 1);
      std::string declaredCaption = menu->Caption();
      declaredCaption.erase(std::remove(declaredCaption.begin(), declaredCaption.end(), '&'), declaredCaption.end());
      EXPECT_EQ(plain.toStdString(), declaredCaption) << form.Name();
    }
    form.Release();
  }
}

}  // namespace
