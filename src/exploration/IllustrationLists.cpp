// The lists of the illustration screen: the program's items, the user's own items and
// the user's saved scales, and the raga's notes text.
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Queries.h"
#include "common/RagaCounts.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "exploration/ExplorationState.h"
#include "exploration/MainOperations.h"
#include "exploration/Screens.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Error.h"
#include "platform/vb/Variant.h"
#include "shell/ShellState.h"

namespace exploration {

namespace {

forms::ListControl& List(const char* name) { return FrontForm().Get<forms::ListControl>(name); }

// The fixed line of "IllustrationsList" of that key.
std::string IllustrationName(int16_t key) {
  auto rs = shell::DatabaseA.OpenRecordset("IllustrationsList", dao::dbOpenTable);
  common::sSetTablePKRecord(rs, key);
  std::string text = rs.NoMatch() ? std::string() : vb::NzString(rs.Fields("IllustrationName"));
  rs.Close();
  return text;
}

std::string Counted(int16_t key, int16_t count) { return IllustrationName(key) + "(" + std::to_string(count) + ")"; }

// The items of the current raga of one Add Info Type that have notation, each as
// prefix & title, after the heading of headingKey (0: no heading). The heading is
// added only when at least one item follows it. Returns the number of items.
int AddItems(forms::ListControl& list, const dao::Database& db, int16_t addInfoType, int16_t headingKey,
             const std::string& prefix) {
  common::sPatchSQLStr7(common::CurrRagaIndex, addInfoType);
  auto rs = db.OpenRecordset(common::SQLStr7, dao::dbOpenSnapshot);
  int count = 0;
  for (; !rs.Eof(); rs.MoveNext(), ++count) {
    if (count == 0 && headingKey != 0) list.AddItem(IllustrationName(headingKey));
    list.AddItem(prefix + vb::NzString(rs.Fields("Add Info")));
  }
  rs.Close();
  return count;
}

}  // namespace

void sLoadSystemIllustratinsList() {
  common::ProcTrace t("sLoadSystemIllustratinsList");
  forms::ListControl& list = List("cKZIllusList");
  const int16_t raga = common::CurrRagaIndex;
  list.Clear();
  list.AddItem(IllustrationName(1));
  list.AddItem(IllustrationName(2));
  list.AddItem(Counted(3, common::fAlapCount(raga, 1)));
  if (common::fHasLayakari(raga, 1)) list.AddItem(Counted(4, common::fLayakariCount(raga, 1)));
  if (common::fHasTaan(raga, 1)) list.AddItem(Counted(5, common::fTaanCount(raga, 1)));
  AddItems(list, shell::DatabaseA, 2, 6, "Composition - ");
  AddItems(list, shell::DatabaseA, 1, 7, "Similar Raga - ");
  AddItems(list, shell::DatabaseA, 3, 8, "Film Song - ");
  list.SetVisible(true);
}

int16_t fLoadUserIllustrationsList() {
  common::ProcTrace t("fLoadUserIllustrationsList");
  forms::ListControl& list = List("cUserIllusList");
  const int16_t raga = common::CurrRagaIndex;
  list.Clear();
  if (common::fHasAlap(raga, 2)) list.AddItem(Counted(3, common::fAlapCount(raga, 2)));
  if (common::fHasLayakari(raga, 2)) list.AddItem(Counted(4, common::fLayakariCount(raga, 2)));
  if (common::fHasTaan(raga, 2)) list.AddItem(Counted(5, common::fTaanCount(raga, 2)));
  AddItems(list, shell::DatabaseB, 2, 0, "Composition - ");
  return list.ListCount() > 0 ? -1 : 0;
}

int16_t fLoadScalesList() {
  common::ProcTrace t("fLoadScalesList");
  auto rs = shell::DatabaseB.OpenRecordset("Scale Shift Specs", dao::dbOpenTable);
  if (rs.Eof()) {
    rs.Close();
    return 0;
  }
  forms::ListControl& list = List("cScaleList");
  list.Clear();
  for (; !rs.Eof(); rs.MoveNext()) list.AddItem(vb::NzString(rs.Fields("NPSetName")));
  rs.Close();
  return -1;
}

void sLoadRagaNotes() {
  common::ProcTrace t("sLoadRagaNotes");
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Technical Information", dao::dbOpenTable);
  common::sSetTablePKRecord(rs, common::CurrRagaIndex);
  if (rs.NoMatch()) {
    RagaNotesText.clear();
    rs.Close();
    return;
  }
  std::string thata = vb::NzString(rs.Fields("Thata"));
  if (thata.empty()) thata = "(Undefined)";
  RagaNotesText = "Thata = " + thata + "; Jati = " + vb::NzString(rs.Fields("Jati")) +
                  "; Time = " + vb::NzString(rs.Fields("Appropriate time")) + "\n" + vb::NzString(rs.Fields("Notes"));
  rs.Close();
}

void sClearNotationBox() {
  common::ProcTrace t("sClearNotationBox");
  forms::Form& form = FrontForm();
  form.Ctl("cInfo").SetText("");
  form.Ctl("cCurrentItem").SetText("");
}

void sUpdateF28NotationItemFonts() {
  common::ProcTrace t("sUpdateF28NotationItemFonts");
  common::sAdjustFont(FrontForm().Ctl("cCurrentItem"));
}

}  // namespace exploration
