#include "exploration/RagaSelection.h"

#include <algorithm>
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Queries.h"
#include "common/RagaTables.h"
#include "common/Trace.h"
#include "exploration/MainOperations.h"
#include "exploration/Screens.h"
#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/forms/Registry.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Variant.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace exploration {

namespace {

// The columns of both grids: header text, field of the grid query, width as a
// fraction of the form width, and the sort mode a click on the header selects.
struct Column {
  const char* header;
  const char* field;
  double width;
  int16_t sortMode;
};
constexpr std::array<Column, 6> kColumns{{
    {"Raga", "Raga", 0.24, 0},
    {"Thata", "Thata", 0.15, 1},
    {"Vadi", "Vadi", 0.04, 3},
    {"Samvadi", "Samvadi", 0.08, 4},
    {"Jati", "Jati", 0.15, 2},
    {"Time", "Appropriate time", 0.24, 5},
}};

void Dispatch(int16_t code) {
  int16_t action = code;
  sSelectRaga(action);
}

void SortBy(int16_t mode) {
  shell::SortingMode = mode;
  shell::sMnuRagaSortingModeCheck();
  Dispatch(2);
}

// Makes the raga of the clicked row current and its tables loaded. False when the
// raga cannot be set up: its tables could not be read, or the note seeds of its drone
// could not be prepared; the messages say which.
bool SetUpClickedRaga() {
  try {
    common::sSetupForCurrRaga();
  } catch (const vb::VbError& e) {
    vb::Message("The raga \"" + common::CurrRagaName + "\" cannot be set up: its data could not be read (" +
                e.err().Description + ").");
    return false;
  }
  // sSetupForCurrRaga keeps the previous drone type when preparing the new one failed.
  return common::TBaseInfo.RagaIndex == common::CurrRagaIndex &&
         common::TBaseInfo.DroneType == sound::CurrDroneType;
}

void RagaChosen() {
  auto& grid = FrontForm().Get<forms::Grid>("cRagaList");
  const int32_t r = grid.RowSel();
  if (r < 0 || r >= grid.Rows()) return;
  const std::string name = grid.TextMatrix(r, 0);
  const int16_t index = common::fGetRagaId(name);
  if (index == 0) return;
  common::CurrRagaName = name;
  common::CurrRagaIndex = index;
  if (!SetUpClickedRaga()) return;
  int16_t open = 0;
  sMainOperations(open);
}

// The column whose heading selects the sort mode (the inverse of fSortModeOfColumn).
int32_t ColumnOfSortMode(int16_t mode) {
  for (size_t c = 0; c < kColumns.size(); ++c)
    if (kColumns[c].sortMode == mode) return static_cast<int32_t>(c);
  return -1;
}

// The heading of the column the list is sorted by stands out.
constexpr forms::Colour kSortedHeading = forms::RGB(255, 236, 179);

// Both grids at the window's present size: the column widths of the shared form width,
// a heading row that is never too low for its text, and the raga rows continuing it
// down to where the layout ends them. Kept with the form when the grid is loaded, so
// every re-layout, which puts the grids back at their proportional places, does it again.
void ArrangeGrids(forms::Form& form) {
  auto& header = form.Get<forms::Grid>("cRagaListT");
  auto& list = form.Get<forms::Grid>("cRagaList");
  const double width = fLayoutWidth(form);
  for (size_t c = 0; c < kColumns.size() && c < static_cast<size_t>(header.Cols()); ++c) {
    const double twips = static_cast<double>(static_cast<int32_t>(kColumns[c].width * width));
    if (static_cast<int32_t>(c) < list.Cols()) list.SetColWidth(static_cast<int32_t>(c), twips);
    header.SetColWidth(static_cast<int32_t>(c), twips);
  }
  header.FitHeading();
  // The columns take the width the heading gives them: the rows scroll up and down only.
  list.SetScrollBars(2);
  const double bottom = list.Top() + list.Height();
  list.SetLeft(header.Left());
  list.SetTop(header.Top() + header.RowHeight(0));
  list.SetHeight(std::max(0.0, bottom - list.Top()));
}

void HeaderClicked() {
  const int16_t mode = fSortModeOfColumn(FrontForm().Get<forms::Grid>("cRagaListT").Col());
  if (mode >= 0) shell::SortingMode = mode;
  Dispatch(2);
}

}  // namespace

int16_t fSortModeOfColumn(int32_t column) {
  if (column < 0 || column >= static_cast<int32_t>(kColumns.size())) return -1;
  return kColumns[column].sortMode;
}

void sSelectRaga(int16_t& action) {
  common::ProcTrace t("sSelectRaga");
  switch (action) {
    case 0: {
      sInitRagaSelection();
      shell::sMnuRagaSortingModeCheck();
      sLoadRagaSelectionGrid();
      forms::Form& form = FrontForm();
      form.Ctl("Label1").SetCaption("70 Ragas in Groups 1, 2 and 3");
      form.Ctl("cRagaList").SetFocus();
      form.Ctl("cPrompts").SetText(common::fGetPrompts("2"));
      break;
    }
    case 1:
      RagaChosen();
      break;
    case 2:
      shell::sMnuRagaSortingModeCheck();
      sLoadRagaSelectionGrid();
      break;
    case 3:
      HeaderClicked();
      break;
    case 20:
      sTerminateRagaSelection();
      break;
    default:
      break;
  }
}

void sInitRagaSelection() {
  common::ProcTrace t("sInitRagaSelection");
  shell::sEnterForm(9);
  int16_t hideParent = 1;
  shell::sShowForm(hideParent);
  shell::sMnuTraceCheck();
}

void sLoadRagaSelectionGrid() {
  common::ProcTrace t("sLoadRagaSelectionGrid");
  forms::Form& form = FrontForm();
  auto& header = form.Get<forms::Grid>("cRagaListT");
  auto& list = form.Get<forms::Grid>("cRagaList");

  list.Clear();
  list.SetCols(static_cast<int32_t>(kColumns.size()));
  header.Clear();
  header.SetCols(static_cast<int32_t>(kColumns.size()));
  if (list.Rows() > 0) list.SetRow(0);
  header.SetRow(0);
  const int32_t sorted = ColumnOfSortMode(shell::SortingMode);
  for (size_t c = 0; c < kColumns.size(); ++c) {
    header.SetCol(static_cast<int32_t>(c));
    header.SetCellAlignment(4);
    header.SetTextMatrix(0, static_cast<int32_t>(c), kColumns[c].header);
    header.SetCellFontBold(static_cast<int32_t>(c) == sorted);
    header.SetCellBackColor(static_cast<int32_t>(c) == sorted ? kSortedHeading : forms::kSysButtonFace);
  }
  form.Arrange("grids", [&form] { ArrangeGrids(form); });

  common::sPatchSQLStr19();
  auto rs = shell::DatabaseA.OpenRecordset(common::SQLStr19, dao::dbOpenSnapshot);
  if (!rs.Eof()) {
    rs.MoveLast();
    list.SetRows(rs.RecordCount());
    rs.MoveFirst();
  } else {
    list.SetRows(0);
  }
  for (int32_t r = 0; !rs.Eof(); rs.MoveNext(), ++r) {
    for (size_t c = 0; c < kColumns.size(); ++c)
      list.SetTextMatrix(r, static_cast<int32_t>(c), vb::NzString(rs.Fields(kColumns[c].field)));
  }
  rs.Close();
  if (list.Rows() > 0) {
    list.SetRow(0);
    list.SetCol(0);
    list.SetTopRow(0);  // a new order is read from its top
  }
}

void sTerminateRagaSelection() {
  common::ProcTrace t("sTerminateRagaSelection");
  int16_t levels = 1;
  shell::sStructuredTermination(levels);
}

forms::FormSpec DeclareRagaSelection1() {
  forms::FormSpec f("RagaSelection1", "Raga Selection", 9, {600, 450, 12000, 9000});
  shell::RouteScreenEvents(f);
  f.Label("Label1", "", {600, 200, 10800, 450}).Font("Times New Roman", 16, true).Alignment(2);
  f.Line("Line4", {420, 780, 11880, 780});
  f.Grid("cRagaListT", {600, 900, 11100, 330}).Cells(1, 6, 1, 0).Alignment(4).OnClick([] { Dispatch(3); });
  f.Grid("cRagaList", {600, 1230, 11100, 5550})
      .Cells(1, 6, 0, 0)
      .ToolTip("\"Click desired Raga name\"")
      .OnClick([] { Dispatch(1); })
      .OnDblClick([] { Dispatch(1); });
  f.Line("Line5", {420, 6900, 11880, 6900});
  f.Line("Line6", {420, 780, 420, 6900});
  f.Line("Line7", {11880, 780, 11880, 6900});
  f.TextBox("cPrompts", {600, 7080, 9000, 450}).Locked();
  f.Button("cReturn", "Go &Back", {9900, 7080, 1800, 450}).OnClick([] { Dispatch(20); });

  auto sort = f.Menu("cMnuSorBy", "&Sort By");
  sort.Item("cMnuRag", "Raga").OnClick([] { SortBy(0); });
  sort.Item("cMnuTha", "Thata").OnClick([] { SortBy(1); });
  sort.Item("cMnuVad", "Vadi Note").OnClick([] { SortBy(3); });
  sort.Item("cMnuSam", "Samvadi Note").OnClick([] { SortBy(4); });
  sort.Item("cMnuJat", "Jati").OnClick([] { SortBy(2); });
  sort.Item("cMnuAppTim", "Appropriate Time").OnClick([] { SortBy(5); });
  shell::DeclareHelpAndTraceMenus(f);
  return f;
}
VELMORA_DECLARE_FORM(DeclareRagaSelection1)

forms::Form* RagaSelectionForm() {
  static forms::Form form(DeclareRagaSelection1());
  return &form;
}

}  // namespace exploration
