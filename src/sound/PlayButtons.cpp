#include "sound/PlayButtons.h"

#include <optional>

#include "common/CommonState.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "platform/forms/Form.h"
#include "platform/vb/Error.h"
#include "shell/ShellState.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace sound {

namespace {

constexpr int16_t kIllustrationForm = 28;
constexpr int16_t kWorkbenchForm = 13;

forms::Form& CurrentForm() {
  if (shell::CurrForm == nullptr) vb::Raise(vb::kObjectNotSet);
  return *shell::CurrForm;
}

// "n/m": the set's current phrase and its phrase count.
std::string Position(const PhraseSetRec& set) {
  return std::to_string(set.CurrPhrase) + "/" + std::to_string(set.PhraseCount);
}

// The pattern name of an ALT item kind (3 to 5), "" for the others.
std::string PatternName(int16_t kind) {
  switch (kind) {
    case 3: return "Alap";
    case 4: return "Layakari";
    case 5: return "Taan";
    default: return "";
  }
}

// cInfo of the illustration screen in demo mode; nothing for a kind without one.
std::optional<std::string> DemoInfo(int16_t kind, const std::string& recordPrompt) {
  if (kind >= 3 && kind <= 5) return "Playing " + PatternName(kind) + " pattern " + Position(TPlayInfo);
  if (kind == 1) return "Playing Aroha + Avroha";
  if (kind == 2) return "Playing Pakad";
  if (kind == 7) {
    // Slot 0 holds the compared raga's phrase, slot 1 the current raga's.
    return "Playing comparison of Ragas " + common::CurrRagaName + " and " + common::CurrAddInfo +
           ". Currently playing " + (CurrSlot == 0 ? common::CurrAddInfo : common::CurrRagaName);
  }
  if (kind == 6) return CurrMusicItemType == 8 ? recordPrompt : "Playing Film Song : " + common::CurrAddInfo;
  return std::nullopt;
}

// Frame2 names what is playing: the part of a composition (Option4 asthai in slot 0,
// Option5 antara in slot 1) or the raga of a comparison (Option4 the current raga,
// Option5 the compared one).
void ShowPlayingOption(forms::Form& form, bool option4) {
  form.Ctl("Frame2").SetCaption("Playing");
  form.Ctl("Option4").SetVisible(option4);
  form.Ctl("Option5").SetVisible(!option4);
}

void ShowCurrentItem(forms::Form& form, const std::string& word1) {
  auto& item = form.Ctl("cCurrentItem");
  item.SetVisible(true);
  item.SetText(word1);
  item.Refresh();
}

}  // namespace

void sDisplayPlayControlButtons() {
  common::ProcTrace t("sDisplayPlayControlButtons");
  forms::Form& form = CurrentForm();
  for (const char* name : {"cPlay", "cStop", "cStartLoop", "cStopLoop"}) form.Ctl(name).SetVisible(true);
}

void sEnablePlayStartButtons() {
  common::ProcTrace t("sEnablePlayStartButtons");
  forms::Form& form = CurrentForm();
  form.Ctl("cPlay").SetEnabled(true);
  form.Ctl("cStop").SetEnabled(false);
  form.Ctl("cStartLoop").SetEnabled(true);
  form.Ctl("cStopLoop").SetEnabled(false);
  form.Ctl("cReturn").SetEnabled(true);
}

void sEnablePlayStopButtons() {
  common::ProcTrace t("sEnablePlayStopButtons");
  forms::Form& form = CurrentForm();
  form.Ctl("cPlay").SetEnabled(false);
  form.Ctl("cStartLoop").SetEnabled(false);
  form.Ctl("cReturn").SetEnabled(false);
  const bool looping = LoopFlag != 0;
  form.Ctl("cStopLoop").SetEnabled(looping);
  form.Ctl("cStop").SetEnabled(!looping);
}

void sDisplayMPPrompt(const std::string& text, const std::vector<int32_t>& wordStarts,
                      const std::vector<int32_t>& wordLengths, const std::string& recordPrompt) {
  common::ProcTrace t("sDisplayMPPrompt");
  forms::Form& form = CurrentForm();
  const int16_t kind = CurrItemKind;

  if (shell::CurrFormId == kIllustrationForm && CurrOperationMode == 1) {
    if (const auto line = DemoInfo(kind, recordPrompt)) form.Ctl("cInfo").SetText(*line);
    if (kind == 7) ShowPlayingOption(form, CurrSlot != 0);
    if (kind == 6 && CurrMusicItemType == 8) ShowPlayingOption(form, CurrSlot == 0);
    auto& info = form.Ctl("cInfo");
    info.SetVisible(true);
    info.Refresh();
    ShowCurrentItem(form, common::fGetWord1(text, 1, wordStarts, wordLengths));
  } else if (shell::CurrFormId == kIllustrationForm && (CurrOperationMode == 2 || CurrOperationMode == 3)) {
    auto& info = form.Ctl("cInfo");
    const bool practice = CurrOperationMode == 3;
    if (kind >= 3 && kind <= 5) {
      std::string line = PatternName(kind) + " pattern " + Position(TMNInfo);
      if (practice) line += " - practice pattern " + Position(TPlayInfo);
      info.SetText(line);
    } else if (kind == 1 || kind == 2) {
      std::string line = kind == 1 ? "Aroha + Avroha " : "Pakad ";
      if (practice) line += "-practice pattern " + Position(TPlayInfo);
      info.SetText(line);
    }
    info.SetVisible(true);
    info.Refresh();
    form.Ctl("cCurrentItem").SetVisible(true);
    form.Ctl("Label17").SetVisible(true);
    ShowCurrentItem(form, common::fGetWord1(text, 1, wordStarts, wordLengths));
  } else if (shell::CurrFormId == kWorkbenchForm && CurrOperationMode != 1) {
    form.Ctl("cCurrentItem").SetVisible(true);
    form.Ctl("Label10").SetVisible(true);
    ShowCurrentItem(form, common::fGetWord1(text, 1, wordStarts, wordLengths));
  }
}

}  // namespace sound
