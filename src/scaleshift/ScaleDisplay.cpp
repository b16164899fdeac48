#include "scaleshift/ScaleDisplay.h"

#include <array>

#include "common/CommonState.h"
#include "common/Notation.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "scaleshift/ScaleActions.h"
#include "scaleshift/ScaleShiftState.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "sound/SoundState.h"

namespace scaleshift {

namespace {

constexpr int16_t kKeyCount = 40;
constexpr forms::Colour kClickedKeyColour = 255;  // red

void Show(const char* name, bool visible) { Screen().Ctl(name).SetVisible(visible); }

void SetNoteLabelsEnabled(bool enabled) {
  forms::Form& form = Screen();
  for (int16_t i = 0; i <= kKeyCount; ++i) {
    if (form.HasElement("cL", i)) form.Ctl("cL", i).SetEnabled(enabled);
  }
  if (form.HasElement("cL", ClickedNoteLabel)) form.Ctl("cL", ClickedNoteLabel).SetForeColor(kClickedKeyColour);
}

}  // namespace

void sGrpDispAll(int16_t mode, int16_t buttons, int16_t controls, int16_t headers, int16_t keyboard,
                 int16_t operations, int16_t optionFrames) {
  common::ProcTrace t("sGrpDispAll");
  if (mode != 0 && mode != 1) return;
  using Draw = void (*)(int16_t);
  const std::array<Draw, 6> draw{sGrpDispButtons, sGrpDispControls, sGrpDispHeaders,
                                 sGrpDispKB,      sGrpDispOperations, sGrpDispOptFrms};
  const std::array<int16_t, 6> codes{buttons, controls, headers, keyboard, operations, optionFrames};
  for (size_t g = 0; g < codes.size(); ++g) {
    if (mode == 1 && codes[g] == ShownGroupCodes[g]) continue;
    draw[g](codes[g]);
    ShownGroupCodes[g] = codes[g];
  }
}

void sGrpDispButtons(int16_t code) {
  common::ProcTrace t("sGrpDispButtons");
  for (const char* name : {"cTuneNote", "cAdjust", "cPlay", "cSave"}) Show(name, false);
  if ((code & 1) != 0) Show("cSwitch", true);
  if ((code & 2) != 0) Show("cTuneNote", true);
  if ((code & 4) != 0) Show("cAdjust", true);
  if ((code & 8) != 0) Show("cPlay", true);
  if ((code & 16) != 0) Show("cSave", true);
}

void sGrpDispControls(int16_t code) {
  common::ProcTrace t("sGrpDispControls");
  for (const char* name : {"Label5", "cScalesList", "Label3", "Label4", "Label6", "cSlider", "Label2", "cSettingName",
                           "cOK"}) {
    Show(name, false);
  }
  forms::Form& form = Screen();
  if ((code & 1) != 0) form.Ctl("Label5").SetCaption("Select a Scale to Refine");
  if ((code & 2) != 0) form.Ctl("Label5").SetCaption("Select a Raga");
  if ((code & 3) != 0) {
    Show("Label5", true);
    Show("cScalesList", true);
  }
  if ((code & 4) != 0) {
    for (const char* name : {"cSlider", "Label3", "Label4", "Label6"}) Show(name, true);
  }
  if ((code & 8) != 0) {
    for (const char* name : {"Label2", "cSettingName", "cOK"}) Show(name, true);
  }
}

void sGrpDispHeaders(int16_t code) {
  common::ProcTrace t("sGrpDispHeaders");
  forms::Form& form = Screen();
  for (const char* name : {"cScale", "cNote", "cRaga"}) form.Ctl(name).SetText("");
  if ((code & 1) != 0) form.Ctl("cScale").SetText(sound::CurrMusicSetName);
  if ((code & 2) != 0) sDisplayCurrNoteName(SelectedNoteIndex, form.Ctl("cNote"));
  if ((code & 4) != 0) form.Ctl("cRaga").SetText(common::CurrRagaName);
}

void sGrpDispKB(int16_t code) {
  common::ProcTrace t("sGrpDispKB");
  forms::Form& form = Screen();
  sound::sKeyboardDisplayOff(form);
  if ((code & 1) != 0) {
    shell::NotationScript = common::kScriptEnglish;
    sound::sKeyBoardDisplayOn(form, 2);
    sDisplayTonicNoteLabels();
  }
  if ((code & 2) != 0) {
    shell::NotationScript = SavedNotationScript;
    sound::sKeyBoardDisplayOn(form, 1);
  }
}

void sGrpDispOperations(int16_t code) {
  common::ProcTrace t("sGrpDispOperations");
  forms::Form& form = Screen();
  forms::Control& setTonic = form.Ctl("cSetTonic");
  forms::Control& refine = form.Ctl("cRefineNotes");
  if ((code & 1) != 0) {
    form.Ctl("Label7").SetCaption("Pitch-shifting Operations - Select One");
    setTonic.SetVisible(true);
    setTonic.SetEnabled(true);
    refine.SetVisible(true);
    refine.SetEnabled(true);
  }
  if ((code & 2) != 0) {
    form.Ctl("Label7").SetCaption("Current Pitch-shifting Operation");
    setTonic.SetVisible(true);
    setTonic.SetEnabled(false);
    refine.SetVisible(false);
  }
  if ((code & 4) != 0) {
    form.Ctl("Label7").SetCaption("Current Pitch-shifting Operation");
    setTonic.SetVisible(false);
    refine.SetVisible(true);
    refine.SetEnabled(false);
  }
}

void sGrpDispOptFrms(int16_t code) {
  common::ProcTrace t("sGrpDispOptFrms");
  forms::Form& form = Screen();
  const bool shown = (code & 1) != 0;
  Show("Frame2", shown);
  Show("Frame3", shown);
  if (!shown) return;
  for (const char* name : {"Option3", "Option4", "Option5", "Option6", "Option7"}) form.Ctl(name).SetValue(0);
  // The sensitivity in use shows selected, so the screen says what a step will do.
  if (RefineSensitivity >= 0 && RefineSensitivity <= 2) {
    const std::array<const char*, 3> sensitivity{"Option3", "Option4", "Option5"};
    form.Ctl(sensitivity[static_cast<size_t>(RefineSensitivity)]).SetValue(1);
  }
}

void sDisplayTonicNoteLabels() {
  common::ProcTrace t("sDisplayTonicNoteLabels");
  static const std::array<const char*, 12> kCaptions{"W7", "W1", "B1", "W2", "B2", "W3",
                                                     "W4", "B3", "W5", "B4", "W6", "B5"};
  forms::Form& form = Screen();
  for (int16_t i = 1; i <= kKeyCount; ++i) {
    const bool tonicKey = i >= kFirstTonicKey && i <= kLastTonicKey;
    if (form.HasElement("cR", i)) form.Ctl("cR", i).SetVisible(tonicKey);
    if (!form.HasElement("cL", i)) continue;
    forms::Control& label = form.Ctl("cL", i);
    if (tonicKey) label.SetCaption(kCaptions[static_cast<size_t>(i - kFirstTonicKey)]);
    label.SetVisible(tonicKey);
  }
}

void sDisableNoteLabels() {
  common::ProcTrace t("sDisableNoteLabels");
  SetNoteLabelsEnabled(false);
}

void sEnableNoteLabels() {
  common::ProcTrace t("sEnableNoteLabels");
  SetNoteLabelsEnabled(true);
}

void sDisplayCurrNoteName(int16_t i, forms::Control& box) {
  common::ProcTrace t("sDisplayCurrNoteName");
  if (i == 0) return;
  common::FormNotationControl notation(box);
  if (shell::NotationScript == common::kScriptDevnagari) {
    common::sSetDevnagariFont(notation);
  } else {
    common::sSetEnglishFont(notation);
  }
  box.SetText(common::fGetStringForNote(static_cast<int16_t>(i + 3 - sound::CurrTonicNoteId)));
}

void sMarkClickedKey(int16_t key) {
  common::ProcTrace t("sMarkClickedKey");
  forms::Form& form = Screen();
  if (PrevClickedNoteLabel >= 1 && form.HasElement("cL", PrevClickedNoteLabel)) {
    form.Ctl("cL", PrevClickedNoteLabel).SetForeColor(sound::fReedCaptionColour(PrevClickedNoteLabel));
  }
  PrevClickedNoteLabel = -1;
  if (key < 1 || !form.HasElement("cL", key)) return;
  form.Ctl("cL", key).SetForeColor(kClickedKeyColour);
  PrevClickedNoteLabel = key;
}

}  // namespace scaleshift
