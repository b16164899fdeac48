#include "common/RagaDisplay.h"

#include <utility>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Queries.h"
#include "common/RagaReaders.h"
#include "common/Trace.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Variant.h"
#include "shell/ShellState.h"

namespace common {

namespace {

// The notation controls of the block, in the order they are rendered.
struct NotationTexts {
  std::string Aroha, Avroha, Pakad, Vadi, Samvadi;
};

void RenderInto(forms::Form& form, const char* name, const std::string& phrase) {
  forms::Control& control = form.Ctl(name);
  sLoadNotation(control, phrase);
}

void AdjustFontOf(forms::Form& form, const char* name) { sAdjustFont(form.Ctl(name)); }

// The block's texts from the current raga's row; a missing row is error 3021.
NotationTexts ReadRagaRow() {
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Technical Information", dao::dbOpenTable);
  sSetTablePKRecord(rs, CurrRagaIndex);
  NotationTexts texts;
  texts.Aroha = rs.Fields("AarohaAlt").ToString();
  texts.Avroha = rs.Fields("AvrohaAlt").ToString();
  texts.Pakad = fRemoveColons(rs.Fields("Pakad").ToString());
  texts.Vadi = rs.Fields("Vadi").ToString();
  texts.Samvadi = rs.Fields("Samvadi").ToString();
  rs.Close();
  return texts;
}

// The name, then the five notation controls in the current script, then the block shown.
void ShowBlock(forms::Form& form, const NotationTexts& texts) {
  FormNotationControl(form.Ctl("cRaga")).SetText(CurrRagaName);
  for (const char* name : {"cAroha", "cAvroha", "cPakad", "cVadi", "cSamvadi"}) AdjustFontOf(form, name);
  RenderInto(form, "cAroha", texts.Aroha);
  RenderInto(form, "cAvroha", texts.Avroha);
  RenderInto(form, "cPakad", texts.Pakad);
  RenderInto(form, "cVadi", texts.Vadi);
  RenderInto(form, "cSamvadi", texts.Samvadi);
  for (const char* name : {"cRaga", "cAroha", "cAvroha", "cPakad", "cVadi", "cSamvadi", "Label2", "Label3", "Label4",
                           "Label5", "Label6", "Label7", "cLine1"}) {
    form.Ctl(name).SetVisible(true);
  }
}

}  // namespace

void FormNotationControl::SetText(const std::string& text) {
  if (control_.IsKind(forms::Kind::Label)) {
    control_.SetCaption(text);
  } else {
    control_.SetText(text);
  }
}

void FormNotationControl::SetFont(const NotationFont& font) {
  control_.SetFontName(font.Name);
  control_.SetFontSize(font.Size);
  control_.SetFontBold(font.Bold);
}

void sLoadNotation(forms::Control& control, const std::string& phrase) {
  FormNotationControl notation(control);
  sLoadNotation(static_cast<NotationControl&>(notation), phrase);
}

void sAdjustFont(forms::Control& control) {
  ProcTrace t("sAdjustFont");
  FormNotationControl notation(control);
  if (shell::NotationScript == kScriptDevnagari) {
    sSetDevnagariFont(notation);
  } else if (shell::NotationScript == kScriptEnglish) {
    sSetEnglishFont(notation);
  }
}

void sDisplayRagaBasicData(forms::Form& form) {
  ProcTrace t("sDisplayRagaBasicData");
  ShowBlock(form, ReadRagaRow());
}

void sDisplayFromT_RagaBasicData(forms::Form& form) {
  ProcTrace t("sDisplayFromT_RagaBasicData");
  NotationTexts texts;
  texts.Aroha = fGetFromT_ArohaPhrase(kReadNotes);
  texts.Avroha = fGetFromT_AvrohaPhrase(kReadNotes);
  texts.Pakad = fGetFromT_PakadPhraseUnSeg(kReadNotes);
  texts.Vadi = TBaseInfo.Vadi;
  texts.Samvadi = TBaseInfo.Samvadi;
  ShowBlock(form, texts);
}

void sAdjustNotation(forms::Form& form) {
  ProcTrace t("sAdjustNotation");
  const NotationTexts texts = ReadRagaRow();
  const std::pair<const char*, const std::string*> order[] = {{"cVadi", &texts.Vadi},
                                                              {"cSamvadi", &texts.Samvadi},
                                                              {"cAroha", &texts.Aroha},
                                                              {"cAvroha", &texts.Avroha},
                                                              {"cPakad", &texts.Pakad}};
  for (const auto& [name, phrase] : order) {
    AdjustFontOf(form, name);
    RenderInto(form, name, *phrase);
  }
}

void sDisplayPatternNotation(forms::Form& form) {
  ProcTrace t("sDisplayPatternNotation");
  for (const char* name : {"cPlay", "cStop", "cStopLoop", "cStartLoop"}) form.Ctl(name).SetEnabled(false);
}

int16_t fLoadList(forms::ListControl& listBox, int16_t addInfoType) {
  ProcTrace t("fLoadList");
  listBox.Clear();
  sPatchSQLStr5(addInfoType);
  auto rs = shell::DatabaseA.OpenRecordset(SQLStr5, dao::dbOpenSnapshot);
  int16_t count = 0;
  if (rs.RecordCount() >= 1) {
    while (!rs.Eof()) {
      listBox.AddItem(rs.Fields("Add Info").ToString());
      rs.MoveNext();
    }
    count = vb::CInt(static_cast<double>(rs.RecordCount()));
  }
  rs.Close();
  return count;
}

void sLoadRagaList(forms::Form& form) {
  ProcTrace t("sLoadRagaList");
  auto& list = form.Get<forms::ListControl>("cRagaList");
  list.Clear();
  sPatchSQLStr13(4);
  auto rs = shell::DatabaseA.OpenRecordset(SQLStr13, dao::dbOpenSnapshot);
  for (int16_t i = 0; !rs.Eof(); ++i) {
    list.AddItem(rs.Fields("Raga").ToString(), i);
    rs.MoveNext();
  }
  rs.Close();
}

}  // namespace common
