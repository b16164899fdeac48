#include "sound/Keyboard.h"

#include <algorithm>
#include <vector>

#include "common/CommonState.h"
#include "common/Notation.h"
#include "common/Queries.h"
#include "common/Trace.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "shell/ShellState.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/ReedLighting.h"
#include "sound/SoundState.h"

namespace sound {

namespace {

constexpr int16_t kReedCount = 40;
constexpr double kLineMargin = 30;  // twips between the form's edges and the keyboard

// Reed numbers of one colour code between FirstReed and LastReed, ascending (query 24).
std::vector<int16_t> ReedsOfColour(int16_t colorCode) {
  common::sPatchSQLStr24(colorCode);
  dao::Recordset rs = shell::DatabaseA.OpenRecordset(common::SQLStr24, dao::dbOpenSnapshot);
  std::vector<int16_t> reeds;
  for (; !rs.Eof(); rs.MoveNext()) {
    const int16_t reed = rs.Fields("Reed Number").ToInt();
    if (reed >= 1 && reed <= kReedCount) reeds.push_back(reed);
  }
  rs.Close();
  return reeds;
}

void Show(forms::Control& c, int16_t show) {
  if (show == 1) c.SetVisible(true);
}

// The height the reeds are sized by: the height the form's members share (the window's
// less its menu bar, as the layout takes it), from the saved window height, or the
// form's own before any was saved.
double KeyboardBaseHeight(forms::Form& form) {
  double window = shell::FormH > 0 ? shell::FormH : form.Height();
  if (shell::FormState == forms::vbMaximized && shell::MaxFormH > 0) window = shell::MaxFormH;
  return std::max(0.0, window - form.MenuBarHeight());
}

void HideAll(forms::Form& form) {
  for (int16_t r = 1; r <= kReedCount; ++r) {
    if (form.HasElement("cR", r)) form.Ctl("cR", r).SetVisible(false);
    if (form.HasElement("cL", r)) form.Ctl("cL", r).SetVisible(false);
  }
  form.Ctl("cLine1").SetVisible(false);
}

}  // namespace

void sInitReedColorType() {
  common::ProcTrace t("sInitReedColorType");
  // By reed mod 12, from reed 0 (A#); reed 11 is C.
  constexpr int16_t kPattern[12] = {2, 1, 2, 1, 1, 2, 1, 2, 1, 2, 1, 1};
  ReedColorType.fill(0);
  for (int r = 0; r <= kReedCount; ++r) ReedColorType[r] = kPattern[r % 12];
}

void sInitReedsDisplayedData() {
  common::ProcTrace t("sInitReedsDisplayedData");
  FirstReedForTonic = {0, 3, 4, 4, 4, 6, 6, 8, 10, 11, 11, 11, 13};
  LastReedForTonic = {0, 30, 32, 32, 32, 34, 34, 35, 37, 39, 39, 39, 40};
}

void DeclareKeyboard(forms::FormSpec& f, double baseLineY, forms::Handler labelClick) {
  const double right = f.Design.Width - kLineMargin;
  f.Line("cLine1", {kLineMargin, baseLineY, right, baseLineY});
  f.Shape("cR", {kLineMargin, baseLineY, 300, 1500}).Index(0).BackColor(kWhiteReedColour).Hidden();
  forms::Member label = f.Label("cL", "", {kLineMargin, baseLineY + 1100, 270, 300});
  label.Index(0)
      .BackColor(kWhiteReedColour)
      .ForeColor(kCaptionColour)
      .Font(common::kEnglishFont.Name, common::kEnglishFont.Size, common::kEnglishFont.Bold)
      .Alignment(2)
      .NoWordWrap()
      .Hidden();
  if (labelClick) label.On(forms::Event::Click, std::move(labelClick));
}

void sLoadKBReedsAndLabels(forms::Form& form) {
  common::ProcTrace t("sLoadKBReedsAndLabels");
  for (int16_t r = 1; r <= kReedCount; ++r) {
    if (!form.HasElement("cR", r)) form.LoadElement("cR", r);
  }
  for (int16_t r = 1; r <= kReedCount; ++r) {
    if (!form.HasElement("cL", r)) form.LoadElement("cL", r);
  }
}

namespace {

// The reed sizes for the form's present size: the white reeds spread over cLine1, the
// black ones a little narrower and shorter, the captions inside their reeds.
struct ReedSizes {
  int16_t whiteHeight, whiteWidth, blackHeight, blackWidth, labelWidth, labelHeight;
};

// Places cLine1 across the form and the white and black reeds (of "Reed Colors", from
// FirstReed to LastReed) with their captions hanging from it; colours, captions and
// visibility are left as they are. whites is not empty.
void PlaceKeyboard(forms::Form& form, const std::vector<int16_t>& whites, const std::vector<int16_t>& blacks) {
  auto& line = form.Get<forms::Line>("cLine1");
  line.SetX1(kLineMargin);
  line.SetX2(form.ScaleWidth() - kLineMargin);
  const int16_t length = vb::CInt(line.X2() - line.X1());

  const double baseHeight = KeyboardBaseHeight(form);
  ReedSizes z{};
  z.whiteHeight = vb::CInt(baseHeight / 4);
  z.whiteWidth = vb::CInt(static_cast<double>(length) / static_cast<double>(whites.size()));
  z.blackHeight = vb::CInt(baseHeight / 5.5);
  z.blackWidth = vb::CInt(z.whiteWidth / 1.5);
  z.labelWidth = vb::CInt(z.blackWidth * 0.9);
  z.labelHeight = z.blackWidth;

  double x = line.X1();
  for (const int16_t r : whites) {
    auto& reed = form.Get<forms::Shape>("cR", r);
    reed.Move(x, line.Y1(), z.whiteWidth, z.whiteHeight);
    // Neighbouring white reeds share their border.
    x += z.whiteWidth - 15.0 * reed.BorderWidth();
    form.Ctl("cL", r).Move(reed.Left() + (z.whiteWidth - z.labelWidth) / 2.0,
                           reed.Top() + z.whiteHeight - 1.1 * z.labelHeight, z.labelWidth, z.labelHeight);
  }
  // Black reeds sit centred on the left edge of the white reed above them, so the
  // white pass comes first.
  for (const int16_t r : blacks) {
    if (r + 1 > kReedCount) continue;
    auto& reed = form.Get<forms::Shape>("cR", r);
    reed.Move(form.Ctl("cR", static_cast<int16_t>(r + 1)).Left() - z.blackWidth / 2.0, line.Y1(), z.blackWidth,
              z.blackHeight);
    form.Ctl("cL", r).Move(reed.Left() + (z.blackWidth - z.labelWidth) / 2.0,
                           reed.Top() + z.blackHeight - 1.1 * z.labelHeight, z.labelWidth, z.labelHeight);
  }
}

}  // namespace

void sDisplayKeyboardAlt(forms::Form& form, int16_t show) {
  common::ProcTrace t("sDisplayKeyboardAlt");
  if (CurrTonicNoteId < 1 || CurrTonicNoteId > 12) vb::Raise(vb::kSubscript);
  form.Ctl("cLine1").SetVisible(true);
  FirstReed = FirstReedForTonic[CurrTonicNoteId];
  LastReed = LastReedForTonic[CurrTonicNoteId];
  const std::vector<int16_t> whites = ReedsOfColour(kWhiteReed);
  const std::vector<int16_t> blacks = ReedsOfColour(kBlackReed);
  if (whites.empty()) {
    // A damaged "Reed Colors" table: nothing to divide the width among.
    vb::Signal(vb::kDivisionByZero, "No white reed for the tonic in \"Reed Colors\"");
    return;
  }
  // Placed now, and again at every layout of the form at its new size.
  form.Arrange("keyboard", [&form, whites, blacks] { PlaceKeyboard(form, whites, blacks); });

  for (const int16_t r : whites) {
    auto& reed = form.Get<forms::Shape>("cR", r);
    reed.SetBackColor(kWhiteReedColour);
    Show(reed, show);
    reed.ZOrder(1);
    auto& label = form.Ctl("cL", r);
    label.SetBackColor(kWhiteReedColour);
    Show(label, show);
  }
  for (const int16_t r : blacks) {
    if (r + 1 > kReedCount) continue;
    auto& reed = form.Get<forms::Shape>("cR", r);
    reed.SetBackColor(kBlackReedColour);
    Show(reed, show);
    reed.ZOrder(0);
    auto& label = form.Ctl("cL", r);
    label.SetBackColor(kBlackReedColour);
    Show(label, show);
    label.ZOrder(0);
  }
  sUpdateReedLabelsAlt(form);
}

void sKeyBoardDisplayOn(forms::Form& form, int16_t show) {
  common::ProcTrace t("sKeyBoardDisplayOn");
  sDisplayKeyboardAlt(form, show);
  // The workbench and the scale-shifting screen show their notation beside the keyboard.
  if (CallbackCode != 8 && CallbackCode != 1 && CallbackCode != 13 && form.Has("cNotes")) {
    form.Ctl("cNotes").SetVisible(false);
  }
  form.Refresh();
}

void sKeyboardDisplayOff(forms::Form& form) {
  common::ProcTrace t("sKeyboardDisplayOff");
  HideAll(form);
  sSetAllReedLabelColorToDefault(form);
  form.Refresh();
}

void sHideKeyboard(forms::Form& form) {
  common::ProcTrace t("sHideKeyboard");
  HideAll(form);
  form.Refresh();
}

void sImplementCurrKBDisplayMode() {
  common::ProcTrace t("sImplementCurrKBDisplayMode");
  if (shell::CurrForm == nullptr) vb::Raise(vb::kObjectNotSet);
  if (KeyboardDisplay == 1) {
    sKeyBoardDisplayOn(*shell::CurrForm, 1);
  } else if (KeyboardDisplay == 2) {
    sKeyboardDisplayOff(*shell::CurrForm);
  }
}

void sUpdateReedLabelsAlt(forms::Form& form) {
  common::ProcTrace t("sUpdateReedLabelsAlt");
  ReedNoteOffset = static_cast<int16_t>(3 - CurrTonicNoteId);
  const int16_t script = shell::NotationScript;
  if (script == common::kScriptDevnagari || script == common::kScriptEnglish) {
    const common::NotationFont& font = script == common::kScriptDevnagari ? common::kDevnagariFont : common::kEnglishFont;
    for (int16_t r = FirstReed; r <= LastReed; ++r) {
      auto& label = form.Ctl("cL", r);
      label.SetFont({font.Name, static_cast<double>(font.Size), font.Bold});
      label.SetCaption(common::fGetStringForNote(static_cast<int16_t>(r + ReedNoteOffset), script));
      label.SetForeColor(kCaptionColour);
    }
  }
  // The Sa caption stands out: white on a black reed; white on a white reed would not
  // show, so there it is navy.
  const int16_t saReed = static_cast<int16_t>(CurrTonicNoteId + 9);
  if (form.HasElement("cL", saReed)) form.Ctl("cL", saReed).SetForeColor(fReedCaptionColour(saReed));
}

forms::Colour fReedCaptionColour(int16_t reed) {
  // The Sa reed of the tonic the captions were drawn for (ReedNoteOffset is 3 - tonic).
  const int saReed = 12 - ReedNoteOffset;
  if (reed != saReed || reed < 0 || reed >= static_cast<int>(ReedColorType.size())) return kCaptionColour;
  return ReedColorType[static_cast<size_t>(reed)] == kWhiteReed ? kSaCaptionOnWhiteColour : kSaCaptionColour;
}

std::string fGetTonicNoteName(int16_t key) {
  common::ProcTrace t("fGetTonicNoteName");
  static const char* const kNames[13] = {"",           "White-7 (B)", "White-1 (C)", "Black-1 (C#)", "White-2 (D)",
                                         "Black-2 (D#)", "White-3 (E)", "White-4 (F)", "Black-3 (F#)", "White-5 (G)",
                                         "Black-4 (G#)", "White-6 (A)", "Black-5 (A#)"};
  if (key < 1 || key > 12) return "";
  return kNames[key];
}

std::string fGetScaleInfo() {
  common::ProcTrace t("fGetScaleInfo");
  const std::string tonic = fGetTonicNoteName(CurrTonicNoteId);
  if (CurrMusicSetId > 12) {
    return "Using User-defined scale '" + CurrMusicSetName + "' with " + tonic + " as nominal 'sA' (Tonic Note)";
  }
  return "Using KZ Scale with " + tonic + " As 'sA' (Tonic Note)";
}

}  // namespace sound
