// A composition on the Composer's screen: its details line, its layout of time values,
// palette and slots under it, its fields filled from its records, and a part shown in
// the slots with a syllable under each note that starts one.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/NotationWords.h"
#include "common/Trace.h"
#include "composer/ComposerScreen.h"
#include "composer/ComposerState.h"
#include "composer/RowImages.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"

namespace composer {

void sShowCompositionDetails() {
  common::ProcTrace t("sShowCompositionDetails");
  forms::Form& form = ComposerFront();
  // The beat duration back beside the starting beats, wherever a layakari put it.
  form.Arrange("details", [&form] {
    const double scale = fComposerWidth(form) / form.Spec().Design.Width;
    const std::pair<const char*, const char*> detailLine[] = {{"Label14", "Label15"}, {"cSpeed", "cStartBeatAnt"}};
    for (const auto& [name, beside] : detailLine) {
      for (const forms::MemberSpec& m : form.Spec().Members) {
        if (m.Name != name) continue;
        forms::Control& c = form.Ctl(name);
        c.SetLeft(m.P.Geometry.Left * scale);
        c.SetTop(form.Ctl(beside).Top());
      }
    }
  });
  for (const char* name : {"Label18", "cTaal", "Label17", "cMukhada", "Label16", "cStartBeatAst", "Label15",
                           "cStartBeatAnt", "Label14", "cSpeed"}) {
    form.Ctl(name).SetVisible(true);
  }
}

void sCompPartWords(const common::CompDataRec& record, std::vector<std::string>& notes,
                    std::vector<std::string>& durations, std::vector<std::string>& syllables) {
  notes = common::notation::Words(record.Notation, " ");
  durations = common::notation::Words(record.NotesDuration, " ");
  syllables.clear();
  if (!record.Syllables.empty()) {
    syllables = common::notation::Words(
        fCreateExpandedSylString(record.Syllables, record.SyllableDuration, record.NotesDuration), " ");
  }
}

void sDisplayCompPartNotationFromT(int16_t part) {
  common::ProcTrace t("sDisplayCompPartNotationFromT");
  const common::CompDataRec& record = common::TCompData.at(static_cast<size_t>(part - 1));
  std::vector<std::string> notes, durations, syllables;
  sCompPartWords(record, notes, durations, syllables);
  const auto n = static_cast<int16_t>(notes.size());
  // Rows enough for every word: a stored part whose lists differ in length shows all.
  const size_t longest = std::max({notes.size(), durations.size(), syllables.size()});
  for (std::vector<std::string>* images : {&NotesRowImages, &DurRowImages, &SylRowImages}) images->clear();
  sSetRowImageCount(static_cast<int16_t>(longest / 20 + 1));
  sCreateRowImagesFromSource(common::notation::Join(notes, " "), NotesRowImages);
  sCreateRowImagesFromSource(common::notation::Join(durations, " "), DurRowImages);
  sCreateRowImagesFromSource(common::notation::Join(syllables, " "), SylRowImages);
  PhraseTokenCount = n;
  sClearPhraseDisplay();
  TopRowIndex = 1;
  sDisplayRowImages();
}

void sDisplayCompTemplate() {
  common::ProcTrace t("sDisplayCompTemplate");
  sLoadPhraseArea([](forms::Form& form) {
    const forms::Control& taal = form.Ctl("cTaal");
    return taal.Top() + taal.Height() + 0.02 * fComposerHeight(form);
  });
}

void sDisplayCompDataFromT() {
  common::ProcTrace t("sDisplayCompDataFromT");
  forms::Form& form = ComposerFront();
  const common::CompDataRec& asthai = common::TCompData[0];
  const common::CompDataRec& antara = common::TCompData[1];
  form.Ctl("cAsthai").SetText(asthai.CompositionText);
  form.Ctl("cStartBeatAst").SetText(vb::FormatGeneral(asthai.StartingBeat));
  form.Ctl("cAntara").SetText(antara.CompositionText);
  form.Ctl("cStartBeatAnt").SetText(vb::FormatGeneral(antara.StartingBeat));
  form.Ctl("cTaal").SetText(common::fGetTalaName(common::CurrTalaId));
  // The name is the composition's key: its row of names holds it even when a part is missing.
  form.Ctl("cMukhada").SetText(common::TCompInfo.AddInfo);
  form.Get<forms::TextBox>("cMukhada").SetLocked(true);
  const int16_t speed = asthai.PlayingSpeed != 0 ? asthai.PlayingSpeed : antara.PlayingSpeed;
  form.Ctl("cSpeed").SetText(vb::CStr(static_cast<int32_t>(speed)));
  sDisplayCompTemplate();
}

void sDisplayExistingUserCompLayout() {
  common::ProcTrace t("sDisplayExistingUserCompLayout");
  forms::Form& form = ComposerFront();
  for (const char* name : {"cRagaList", "Label1", "Label8", "cOK"}) form.Ctl(name).SetVisible(false);
  for (const char* name : {"Label12", "Label13", "cAsthai", "cAntara", "Frame1"}) form.Ctl(name).SetVisible(true);
  sShowCompositionDetails();
  sDisplayCompDataFromT();
}

}  // namespace composer
