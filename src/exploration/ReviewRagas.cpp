#include "exploration/ReviewRagas.h"

#include <array>
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Queries.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "exploration/Screens.h"
#include "platform/dao/Recordset.h"
#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/forms/Registry.h"
#include "platform/vb/Variant.h"
#include "shell/FormLayout.h"
#include "shell/Navigation.h"
#include "shell/ShellState.h"

namespace exploration {

namespace {

constexpr int16_t kReviewForm = 3;
constexpr int16_t kSummaryForm = 15;
// The lists of ragas: the groups, by level - 1, then every raga.
constexpr std::array<const char*, 4> kRagaLists{"cRagaList1", "cRagaList2", "cRagaList3", "cRagaList"};

void Dispatch(int16_t code) {
  int16_t action = code;
  sReviewTechnicalData(action);
}

void RagaClicked(const char* list) {
  const std::string name = ReviewRagasForm()->Ctl(list).Text();
  if (name.empty()) return;  // the line unselected by the program
  common::CurrRagaName = name;
  Dispatch(2);
}

}  // namespace

void sReviewTechnicalData(int16_t& action) {
  common::ProcTrace t("sReviewTechnicalData");
  switch (action) {
    case 0: sInitReviewTechDat(); break;
    case 2: sDisplayRagaInfoSummary(); break;
    case 20: sTerminateReviewTechDat(); break;
    default: break;
  }
}

void sInitReviewTechDat() {
  common::ProcTrace t("sInitReviewTechDat");
  shell::sEnterForm(kReviewForm);
  int16_t hideParent = 1;
  shell::sShowForm(hideParent);
  for (int16_t level = 1; level <= 3; ++level) sLoadRagaListForLevel(level);
  common::sLoadRagaList(FrontForm());
}

void sLoadRagaListForLevel(int16_t level) {
  common::ProcTrace t("sLoadRagaListForLevel");
  if (level < 1 || level > 3) return;
  std::string* query = &common::SQLStr4;
  if (level == 1) {
    common::sPatchSQLStr16(level);
    query = &common::SQLStr16;
  } else {
    common::sPatchSQLStr4(level);
  }
  auto& list = FrontForm().Get<forms::ListControl>(kRagaLists[static_cast<size_t>(level - 1)]);
  list.Clear();
  auto rs = shell::DatabaseA.OpenRecordset(*query, dao::dbOpenSnapshot);
  for (; !rs.Eof(); rs.MoveNext()) list.AddItem(rs.Fields("Raga").ToString());
  rs.Close();
}

void sDisplayRagaInfoSummary() {
  common::ProcTrace t("sDisplayRagaInfoSummary");
  common::CurrRagaIndex = common::fGetRagaId(common::CurrRagaName);
  if (common::CurrRagaIndex == 0) return;
  // The line clicked is let go, so that the same raga can be chosen again on coming back.
  for (const char* name : kRagaLists) FrontForm().Get<forms::ListControl>(name).SetListIndex(-1);
  shell::sEnterForm(kSummaryForm);
  int16_t hideParent = 1;
  shell::sShowForm(hideParent);
  forms::Form& form = FrontForm();

  // The technical row is read from the content database, whichever database the
  // selector names now; a raga without one shows no thata and no time.
  std::string thata, time;
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Technical Information", dao::dbOpenTable);
  common::sSetTablePKRecord(rs, common::CurrRagaIndex);
  if (!rs.NoMatch()) {
    thata = vb::NzString(rs.Fields("Thata"));
    time = vb::NzString(rs.Fields("Appropriate time"));
  }
  rs.Close();
  form.Ctl("cRaga").SetCaption(common::CurrRagaName);
  form.Ctl("cThata").SetCaption(thata);
  form.Ctl("cTime").SetCaption(time);

  common::fLoadList(form.Get<forms::ListControl>("cSimRagas"), 1);
  common::fLoadList(form.Get<forms::ListControl>("cCompositions"), 2);
  common::fLoadList(form.Get<forms::ListControl>("cFilmSongs"), 3);
  form.Ctl("cReturn").SetFocus();
}

void sTerminateReviewTechDat() {
  common::ProcTrace t("sTerminateReviewTechDat");
  int16_t levels = 1;
  shell::sStructuredTermination(levels);
}

forms::FormSpec DeclareReviewRagas() {
  forms::FormSpec f("ReviewRagas", "Review Ragas", kReviewForm, {600, 450, 12000, 9000});
  shell::RouteScreenEvents(f);
  f.Label("Label8", "Ragas Available in Velmora", {600, 200, 10800, 500}).Font("Times New Roman", 16, true).Alignment(2);
  f.Label("Label7", "Click a Raga Name for more information", {600, 760, 10800, 360}).Alignment(2);
  f.Line("Line1", {240, 1200, 11700, 1200});
  f.Label("Label3", "30 Ragas available in Group 1", {360, 1320, 2700, 330});
  f.List("cRagaList1", {360, 1680, 2700, 5160}).OnClick([] { RagaClicked("cRagaList1"); });
  f.Label("Label4", "20 Ragas available in Group 2", {3240, 1320, 2700, 330});
  f.List("cRagaList2", {3240, 1680, 2700, 5160}).OnClick([] { RagaClicked("cRagaList2"); });
  f.Label("Label5", "20 Ragas available in Group 3", {6120, 1320, 2700, 330});
  f.List("cRagaList3", {6120, 1680, 2700, 5160}).OnClick([] { RagaClicked("cRagaList3"); });
  f.Label("Label1", "All Ragas", {9120, 1320, 2520, 330});
  // The caption above speaks of every list: a raga of all of them is clicked as in a group.
  f.List("cRagaList", {9120, 1680, 2520, 5160}).OnClick([] { RagaClicked("cRagaList"); });
  f.Line("Line2", {240, 7000, 11700, 7000});
  f.Line("Line3", {8980, 1200, 8980, 7000});
  f.Line("Line4", {240, 1200, 240, 7000});
  f.Button("cReturn", "Go &Back", {10260, 7880, 1440, 420}).OnClick([] { Dispatch(20); });
  f.Menu("cMnuHel", "&Help").Item("cMnuPreF1", "Press F1 any time to obtain Help");
  return f;
}
VELMORA_DECLARE_FORM(DeclareReviewRagas)

forms::FormSpec DeclareRagaInfoSummary() {
  forms::FormSpec f("RagaInfoSummary", "Raga Information Summary", kSummaryForm, {600, 450, 12000, 9000});
  shell::RouteScreenEvents(f);
  // The headings repaint themselves when clicked, and call no dispatcher.
  auto heading = [&f](const char* name, const char* caption, forms::Rect r) {
    f.Label(name, caption, r).OnClick([name] { RagaInfoSummaryForm()->Ctl(name).Refresh(); });
  };
  f.Label("cRaga", "", {600, 240, 10800, 560}).Font("Times New Roman", 18, true).Alignment(2);
  heading("Label2", "Thata", {600, 1000, 2400, 360});
  f.Label("cThata", "", {3100, 1000, 5000, 360});
  heading("Label4", "Time of Day", {600, 1450, 2400, 360});
  f.Label("cTime", "", {3100, 1450, 5000, 360});
  heading("Label8", "Similar Ragas illustrated in Velmora", {360, 2100, 3600, 600});
  f.List("cSimRagas", {360, 2760, 3600, 4200});
  heading("Label7", "Compositions available in Velmora", {4200, 2100, 3600, 600});
  f.List("cCompositions", {4200, 2760, 3600, 4200});
  heading("Label6", "Film Song Excerpts Available in Velmora", {8040, 2100, 3600, 600});
  f.List("cFilmSongs", {8040, 2760, 3600, 4200});
  f.Button("cReturn", "Go &Back", {10260, 7880, 1440, 420}).OnClick([] { Dispatch(20); });
  f.Menu("cMnuHel", "&Help").Item("cMnuPreF1", "Press F1 any time to obtain Help");
  return f;
}
VELMORA_DECLARE_FORM(DeclareRagaInfoSummary)

forms::Form* ReviewRagasForm() {
  static forms::Form form(DeclareReviewRagas());
  return &form;
}

forms::Form* RagaInfoSummaryForm() {
  static forms::Form form(DeclareRagaInfoSummary());
  return &form;
}

}  // namespace exploration
