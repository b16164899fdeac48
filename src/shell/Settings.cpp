#include "shell/Settings.h"

#include <QMainWindow>

#include <optional>
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/Trace.h"
#include "platform/dao/Recordset.h"
#include "platform/dao/Transaction.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "shell/Navigation.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace shell {

namespace {

constexpr const char* kTable = "User Parameters";
constexpr const char* kName = "Parameter Name";
constexpr const char* kValue = "Parameter Value";

// The stored text of a row; no value for Null (a missing row reads as Null: the row
// is added when the settings are saved).
std::optional<std::string> StoredText(dao::Recordset& rs, const char* name) {
  common::sSetTablePKRecord(rs, name);
  if (rs.NoMatch()) return std::nullopt;
  const vb::Variant v = rs.Fields(kValue);
  if (v.IsNull()) return std::nullopt;
  return v.ToString();
}

// A stored value that is out of its range is replaced by the default, and the
// replacement recorded in "ignoerr.txt".
void RecordMended(const char* name, const std::string& text, const std::string& range, const std::string& used) {
  vb::Signal(vb::kOverflow, std::string("Setting '") + name + "' holds '" + text + "', outside " + range + "; " +
                                used + " is used instead");
}

// A 16-bit setting: its default when Null or empty, else the leading number of the
// text rounded half to even, when it lies in lo..hi.
int16_t ReadInteger(dao::Recordset& rs, const char* name, int16_t whenNull, int16_t whenEmpty, int lo, int hi) {
  const std::optional<std::string> text = StoredText(rs, name);
  if (!text) return whenNull;
  if (text->empty()) return whenEmpty;
  const double v = vb::RoundHalfEven(vb::Val(*text));
  if (v < lo || v > hi) {
    RecordMended(name, *text, std::to_string(lo) + " to " + std::to_string(hi), std::to_string(whenNull));
    return whenNull;
  }
  return static_cast<int16_t>(v);
}

// A single-precision setting: its default when Null or empty, else the leading number.
float ReadSingle(dao::Recordset& rs, const char* name, float whenNull) {
  const std::optional<std::string> text = StoredText(rs, name);
  if (!text || text->empty()) return whenNull;
  return vb::CSng(vb::Val(*text));
}

// The window geometry must fit the screen, not be too small to use, and have its
// centre on the screen; otherwise the default geometry is used.
bool OnScreen(float l, float t, float w, float h, double screenW, double screenH) {
  return w >= screenW / 8 && w <= screenW && h >= screenH / 8 && h <= screenH && l + w / 2 >= 0 &&
         l + w / 2 <= screenW && t + h / 2 >= 0 && t + h / 2 <= screenH;
}

void ReadGeometry(dao::Recordset& rs) {
  const double screenW = forms::ScreenWidth();
  const double screenH = forms::ScreenHeight();
  const float defL = static_cast<float>(screenW * 0.05), defT = static_cast<float>(screenH * 0.05);
  const float defW = static_cast<float>(screenW * 0.9), defH = static_cast<float>(screenH * 0.9);
  const float l = ReadSingle(rs, "FormL", defL);
  const float t = ReadSingle(rs, "FormT", defT);
  const float w = ReadSingle(rs, "FormW", defW);
  const float h = ReadSingle(rs, "FormH", defH);
  if (OnScreen(l, t, w, h, screenW, screenH)) {
    FormL = l, FormT = t, FormW = w, FormH = h;
    return;
  }
  RecordMended("FormL, FormT, FormW, FormH",
               vb::FormatGeneralSingle(l) + ", " + vb::FormatGeneralSingle(t) + ", " + vb::FormatGeneralSingle(w) +
                   ", " + vb::FormatGeneralSingle(h),
               "the screen", "the default geometry");
  FormL = defL, FormT = defT, FormW = defW, FormH = defH;
}

void ReadFormState(dao::Recordset& rs) {
  FormState = ReadInteger(rs, "FormState", 0, 0, 0, 2);
  if (FormState == forms::vbMinimized) {
    // A window is never started minimised: it would come up with nothing to use.
    RecordMended("FormState", "1", "the states 0 (normal) and 2 (maximised)", "0");
    FormState = 0;
  }
}

// The window state saved for the form in front: a minimised window is saved as the
// state it will be restored to.
int16_t StateToSave() {
  if (CurrForm == nullptr || !CurrForm->Loaded()) return FormState == forms::vbMinimized ? 0 : FormState;
  const int16_t state = CurrForm->WindowState();
  if (state != forms::vbMinimized) return state;
  return (CurrForm->Window()->windowState() & Qt::WindowMaximized) ? forms::vbMaximized : forms::vbNormal;
}

// A normal window in front at shut-down leaves its own geometry as the shared one.
void TakeGeometryOfFormInFront() {
  if (CurrForm == nullptr || !CurrForm->Loaded() || !CurrForm->Visible()) return;
  if (CurrForm->WindowState() != forms::vbNormal) return;
  const ClientRect r = ClientGeometry(*CurrForm);
  FormL = static_cast<float>(r.Left), FormT = static_cast<float>(r.Top);
  FormW = static_cast<float>(r.Width), FormH = static_cast<float>(r.Height);
}

double DroneFactorToSave() {
  if (sound::CurrDroneFactor >= 0.5 - 1e-9 && sound::CurrDroneFactor <= 1.5 + 1e-9) return sound::CurrDroneFactor;
  RecordMended("CurrDroneFactor", vb::FormatGeneral(sound::CurrDroneFactor), "0.5 to 1.5", "1");
  return 1.0;
}

void WriteRow(dao::Recordset& rs, const char* name, const std::string& value) {
  common::sSetTablePKRecord(rs, name);
  if (rs.NoMatch()) {
    rs.AddNew();
    rs.SetField(kName, name);
  } else {
    rs.Edit();
  }
  rs.SetField(kValue, value);
  rs.Update();
}

std::string Text(int16_t v) { return vb::CStr(static_cast<int32_t>(v)); }
std::string Text(float v) { return vb::FormatGeneralSingle(v); }

}  // namespace

void sSetDefaultOptions() {
  common::ProcTrace t("sSetDefaultOptions");
  common::sInitScales();
  sound::sInitReedsDisplayedData();
  sound::sInitReedColorType();

  common::CurrDBSelector = 1;
  GraceNotes = 2;
  sound::CurrDroneType = 1;
  sound::PlayMode = 1;
  sound::DroneOption = 1;
  sound::DroneInstrument = "e";
  sound::CurrDroneFactor = 1.0;
  sound::SoundLibraryGlobals = "ce";
  sound::CurrInstrument = "c";
  sound::GenOption = 1;
  sound::ThekaSet = 4;
  sound::Theka = 1;
  sound::CurrCompPart = 1;
  sound::KeyboardDisplay = 1;
  PictureNumber = 6;
  TimerPurpose = 1;
  TerminatingForm = 0;
  TipCount = common::fGetKZTipCount();

  dao::Recordset rs = DatabaseB.OpenRecordset(kTable, dao::dbOpenTable);
  sound::CurrTonicNoteId = ReadInteger(rs, "CurrTonicNoteId", 3, 3, 1, 12);
  sound::CurrMusicSetId =
      ReadInteger(rs, "CurrMusicSetId", sound::CurrTonicNoteId, sound::CurrTonicNoteId, 1, INT16_MAX);
  if (sound::CurrMusicSetId > 12) sound::CurrMusicSetName = sound::fGetMusicSetName(sound::CurrMusicSetId);
  sound::KeyboardDisplay = ReadInteger(rs, "KeyboardDisplay", 1, 1, 1, 2);
  ReadGeometry(rs);
  ReadFormState(rs);
  SortingMode = ReadInteger(rs, "SortingMode", 0, 0, 0, 5);
  NotationScript = DevnagariAvailable ? ReadInteger(rs, "NotationScript", 1, 1, 1, 2) : int16_t{2};
  LastTip = ReadInteger(rs, "LastTip", TipCount, TipCount, 0, TipCount);
  TipSignal = ReadInteger(rs, "TipSignal", 1, 1, 0, 1);
  DelayC = ReadInteger(rs, "DelayC", 10, 10, 0, INT16_MAX);
  DelayMO = ReadInteger(rs, "DelayMO", 10, 0, 0, INT16_MAX);
  DelayPC = ReadInteger(rs, "DelayPC", 10, 10, 0, INT16_MAX);
  DelayW = ReadInteger(rs, "DelayW", 10, 10, 0, INT16_MAX);
  rs.Close();
}

void sSaveUsageParameters() {
  common::ProcTrace t("sSaveUsageParameters");
  TakeGeometryOfFormInFront();
  const int16_t state = StateToSave();
  const double droneFactor = DroneFactorToSave();

  dao::Transaction transaction(DatabaseB);
  dao::Recordset rs = DatabaseB.OpenRecordset(kTable, dao::dbOpenTable);
  WriteRow(rs, "CurrMusicSetId", Text(sound::CurrMusicSetId));
  WriteRow(rs, "CurrTonicNoteId", Text(sound::CurrTonicNoteId));
  WriteRow(rs, "SortingMode", Text(SortingMode));
  WriteRow(rs, "KeyboardDisplay", Text(sound::KeyboardDisplay));
  WriteRow(rs, "FormH", Text(FormH));
  WriteRow(rs, "FormL", Text(FormL));
  WriteRow(rs, "FormT", Text(FormT));
  WriteRow(rs, "FormW", Text(FormW));
  WriteRow(rs, "FormState", vb::Str(state));
  WriteRow(rs, "CurrDroneFactor", vb::FormatGeneral(droneFactor));
  WriteRow(rs, "NotationScript", Text(NotationScript));
  WriteRow(rs, "LastTip", Text(LastTip));
  WriteRow(rs, "TipSignal", Text(TipSignal));
  WriteRow(rs, "DelayC", Text(DelayC));
  WriteRow(rs, "DelayMO", Text(DelayMO));
  WriteRow(rs, "DelayPC", Text(DelayPC));
  WriteRow(rs, "DelayW", Text(DelayW));
  rs.Close();
  transaction.Commit();
}

}  // namespace shell
