// The question panel of the workbench: one multiple-choice question at a time in
// Frame2 (its caption names the question, Label4 asks it) with two or three option
// buttons, and the answers, a state machine on OptionStep.
#include <array>
#include <cctype>
#include <string>

#include "common/Notation.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "shell/Menus.h"
#include "sound/Keyboard.h"
#include "sound/SoundState.h"
#include "workshop/PatternBuilders.h"
#include "workshop/Workshop.h"
#include "workshop/WorkshopActions.h"
#include "workshop/WorkshopState.h"

namespace workshop {

namespace {

constexpr int16_t kLastNoteCountPage = 12;  // counts 23 and 24: the 25 workbench notes

struct Question {
  const char* frame;
  const char* label;
  const char* option1;
  const char* option2;
  const char* option3;  // nullptr: cO3 hidden
};

// Steps 1 to 11; step 6 has its counts written in by page.
constexpr std::array<Question, 12> kQuestions{{
    {},
    {"Scale Category", "Select Scale Category", "Use Scale for a Thata", "Define Scale", nullptr},
    {"Scale Types", "Select Scale Type", "Audav(5 notes)", "Shadav(6 notes)", "Sampoorna(7 notes)"},
    {"Starting Note", "Select Starting Note", "Base Note", "Last Note", nullptr},
    {"Inclusion", "Include Starting Note?", "Yes", "No", nullptr},
    {"Direction", "Select Direction", "Up", "Down", nullptr},
    {"Note Count", "Select Note Count", "", "", "Other"},
    {"Notes to Use", "Indicate Notes Usage", "Include in-between Notes", "Jump to Note", nullptr},
    {"Pattern Definition", "Continue Pattern Definition?", "Yes", "No", nullptr},
    {"Pattern Type", "Select Pattern Type", "One Time only", "Series", nullptr},
    {"Save Pattern", "Save Defined Pattern?", "Yes", "No", nullptr},
    {"Notes Type", "Select Notes Type for Quiz", "Any Note", "'Shuddha' Notes only", "Other than 'Shuddha' Notes"},
}};

void ShowQuestion(int16_t step) {
  forms::Form& form = FrontForm();
  const Question& q = kQuestions[static_cast<size_t>(step)];
  std::string option1 = q.option1;
  std::string option2 = q.option2;
  bool third = q.option3 != nullptr;
  if (step == 6) {
    option1 = std::to_string(2 * NoteCountPage - 1);
    option2 = std::to_string(2 * NoteCountPage);
    // No count beyond the last page: a pattern cannot reach past the workbench notes.
    third = NoteCountPage < kLastNoteCountPage;
  }
  form.Ctl("cO1").SetCaption(option1);
  form.Ctl("cO2").SetCaption(option2);
  forms::Control& o3 = form.Ctl("cO3");
  if (third) o3.SetCaption(q.option3);
  o3.SetVisible(third);
  for (const char* name : {"cO1", "cO2", "cO3"}) {
    forms::Control& option = form.Ctl(name);
    if (option.Visible()) option.SetValue(0);
  }
  form.Ctl("Frame2").SetCaption(q.frame);
  form.Ctl("Label4").SetCaption(q.label);
  for (const char* name : {"cO1", "cO2", "Frame2", "Label4"}) form.Ctl(name).SetVisible(true);
}

void HideQuestion() {
  forms::Form& form = FrontForm();
  form.Ctl("Frame2").SetVisible(false);
}

// Step 1: the thata list, or the scale-type question of a scale picked on the keyboard.
void ScaleCategoryChosen(int16_t option) {
  forms::Form& form = FrontForm();
  if (option == 1) {
    HideQuestion();
    Dispatch(4);
  } else if (option == 2) {
    ShowPrompt("37,35");
    sound::KeyboardDisplay = 1;
    shell::sMnuKeyboardDisplayCheck();
    sScaleTypeSelection();
    OptionStep = 2;
    for (const char* name : {"Label7", "Frame1"}) form.Ctl(name).SetVisible(false);
    sHideSlider();
  }
}

// Step 2: the scale type, then its notes are picked on the keyboard.
void ScaleTypeChosen(int16_t option) {
  if (option < 1 || option > 3) return;
  ScaleType = static_cast<int16_t>(option - 1);
  HideQuestion();
  Dispatch(27);
}

// Steps 3 to 9: one part of the token or of the pattern per answer, then the next
// question (or the same one, for another page of counts).
void TokenPartChosen(int16_t option) {
  const bool first = option == 1;
  switch (OptionStep) {
    case 3:
      PatternTokenStart = first ? "B" : "L";
      OptionStep = 4;
      break;
    case 4:
      // "Include Starting Note?": upper case yes, lower case no.
      for (char& c : PatternTokenStart)
        c = static_cast<char>(first ? std::toupper(static_cast<unsigned char>(c)) : std::tolower(static_cast<unsigned char>(c)));
      OptionStep = 5;
      break;
    case 5:
      PatternTokenDirection = first ? "U" : "D";
      OptionStep = 6;
      NoteCountPage = 1;
      break;
    case 6:
      if (option == 3) {
        NoteCountPage = static_cast<int16_t>(NoteCountPage + 1);
      } else {
        PatternTokenCount = static_cast<int16_t>(2 * NoteCountPage - (first ? 1 : 0));
        OptionStep = 7;
      }
      break;
    case 7:
      PatternTokenMove = first ? "C" : "J";
      if (sUpdatePatternPhrase()) {
        OptionStep = 8;
      } else {
        // The token is taken back; the next one starts afresh.
        sInitPatternToken();
        OptionStep = 3;
      }
      break;
    case 8:
      if (first) sInitPatternToken();
      OptionStep = first ? int16_t{3} : int16_t{9};
      break;
    case 9: {
      forms::Form& form = FrontForm();
      PatternRunMode = first ? 1 : 2;
      KeyLabelPurpose = 2;  // no more notes for the pattern
      OptionStep = 10;
      sound::sKeyBoardDisplayOn(form, 1);
      sHideUnselectedNoteLabels();
      break;
    }
    default:
      return;
  }
  sSetOptionsDisplay();
}

// Step 10: save the pattern under a name (cOK saves it), or build it as it is.
void SaveChosen(int16_t option) {
  forms::Form& form = FrontForm();
  for (const char* name : {"Frame2", "Label4"}) form.Ctl(name).SetVisible(false);
  KeyLabelPurpose = 2;
  if (option == 1) {
    forms::Control& name = form.Ctl("cPatName");
    name.SetText("");
    name.SetFont({common::kEnglishFont.Name, static_cast<double>(common::kEnglishFont.Size), common::kEnglishFont.Bold});
    name.SetVisible(true);
    form.Ctl("cOK").SetVisible(true);
    forms::Control& label = form.Ctl("Label6");
    label.SetCaption("Enter Name and click OK");
    label.SetVisible(true);
  } else {
    PatternSource = 2;
    Dispatch(6);
  }
}

// Step 11: the notes the quiz asks, then its first note.
void QuizNotesChosen(int16_t option) {
  QuizNoteKind = option;
  forms::Form& form = FrontForm();
  for (const char* name : {"Frame2", "Label4"}) form.Ctl(name).SetVisible(false);
  Dispatch(30);
}

}  // namespace

void sSetOptionsDisplay() {
  common::ProcTrace t("sSetOptionsDisplay");
  if (OptionStep == 2) {
    sScaleTypeSelection();
  } else if (OptionStep >= 1 && OptionStep <= 11) {
    ShowQuestion(OptionStep);
  }
}

void sScaleTypeSelection() {
  common::ProcTrace t("sScaleTypeSelection");
  ShowQuestion(2);
  FrontForm().Ctl("cO3").SetVisible(true);
}

void sProcessOptionSelection(int16_t& option) {
  common::ProcTrace t("sProcessOptionSelection");
  // An option the question does not show does nothing.
  if (option < 1 || option > 3 || (option == 3 && !FrontForm().Ctl("cO3").Visible())) return;
  switch (OptionStep) {
    case 1: ScaleCategoryChosen(option); break;
    case 2: ScaleTypeChosen(option); break;
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9: TokenPartChosen(option); break;
    case 10:
      if (option != 3) SaveChosen(option);
      break;
    case 11: QuizNotesChosen(option); break;
    default: break;
  }
}

void sInitPatternToken() {
  common::ProcTrace t("sInitPatternToken");
  PatternTokenStart.clear();
  PatternTokenDirection.clear();
  PatternTokenMove.clear();
  PatternTokenCount = 0;
}

}  // namespace workshop
