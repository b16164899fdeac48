// The learner's own patterns: saving a defined pattern by name in "User Patterns" of the
// user database, listing them, and taking one back to build and play it.
#include <algorithm>
#include <functional>
#include <limits>
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/LearnersNames.h"
#include "common/Trace.h"
#include "common/UserRows.h"
#include "platform/dao/Transaction.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Variant.h"
#include "shell/ShellState.h"
#include "workshop/PatternLanguage.h"
#include "workshop/Workshop.h"
#include "workshop/WorkshopActions.h"
#include "workshop/WorkshopState.h"

namespace workshop {

namespace {

constexpr const char* kUserPatterns = "User Patterns";
constexpr const char* kByName = "PatternByName";
constexpr int16_t kUserPatternList = 4;  // ListContent

enum class SaveResult { Saved, NameTaken, NoIdLeft };

// The largest "PatternId" of the table (0 when it has no rows): a carried-over table may
// have gaps, so its row count is no free id.
double LargestPatternId() {
  auto rs = shell::DatabaseB.OpenRecordset(kUserPatterns, dao::dbOpenTable);
  double largest = 0;
  // A damaged id (not a number) is passed over: no new id can equal it.
  for (double id = 0; !rs.Eof(); rs.MoveNext())
    if (common::fStoredNumber(rs.Fields("PatternId"), -std::numeric_limits<double>::max(),
                              std::numeric_limits<double>::max(), false, id))
      largest = std::max(largest, id);
  rs.Close();
  return largest;
}

// The pattern added in one transaction: all of it, or nothing when anything fails.
SaveResult AddPattern(const std::string& name) {
  dao::Transaction transaction(shell::DatabaseB);
  auto rs = shell::DatabaseB.OpenRecordset(kUserPatterns, dao::dbOpenTable);
  common::sSetTableIndexRecord(rs, kByName, name);
  if (!rs.NoMatch()) {
    rs.Close();
    return SaveResult::NameTaken;
  }
  const double largest = LargestPatternId();
  if (largest >= std::numeric_limits<int32_t>::max()) {
    rs.Close();
    return SaveResult::NoIdLeft;
  }
  rs.AddNew();
  rs.SetField("PatternId", static_cast<int32_t>(largest) + 1);
  rs.SetField("PatternName", name);
  rs.SetField("PatternPhrase", UserPatternPhrase);
  rs.SetField("PatternMode", PatternRunMode);
  rs.Update();
  rs.Close();
  transaction.Commit();
  return SaveResult::Saved;
}

}  // namespace

void sSavePattern() {
  common::ProcTrace t("sSavePattern");
  forms::Form& form = FrontForm();
  forms::Control& box = form.Ctl("cPatName");
  common::NameFault fault = common::NameFault::None;
  const std::string name = common::fLearnersName(box.Text(), fault);
  if (fault == common::NameFault::Empty) {
    vb::Message("Please enter a name for the pattern.");
    return;
  }
  if (fault != common::NameFault::None) {
    vb::Message(common::fNameFaultMessage(fault));
    return;
  }
  // Nothing is stored that would not play: the pattern is built as Play would build it,
  // and refused with the message Play would give.
  const int32_t source = PatternSource;
  PatternSource = 2;
  if (!fBuildChosenPattern()) {
    PatternSource = source;
    return;
  }
  PatternSource = source;
  SaveResult result = SaveResult::NoIdLeft;
  // A database error is told to the learner (the work stays on screen) instead of
  // halting the program.
  const bool ranThrough = common::fRunOrTell([&] { result = AddPattern(name); }, [](const vb::ErrObject& err) {
    vb::Message("The pattern could not be saved. Nothing was changed.\n\n(" + err.Description + ")");
  });
  if (!ranThrough) return;
  if (result == SaveResult::NameTaken) {
    vb::Message("Pattern Name already used. Enter different Name.");
    box.SetText("");
    return;
  }
  if (result == SaveResult::NoIdLeft) {
    vb::Message("No more patterns can be saved: every pattern number is in use.");
    return;
  }
  vb::Message("Pattern Saved as " + name);
  for (const char* control : {"Label6", "cOK", "cPatName"}) form.Ctl(control).SetVisible(false);
  PatternSource = 2;
  KeyLabelPurpose = 2;
  Dispatch(6);
}

void sProcessSelectedUserPattern() {
  common::ProcTrace t("sProcessSelectedUserPattern");
  const std::string name = FrontForm().Ctl("cRagaList").Text();
  auto rs = shell::DatabaseB.OpenRecordset(kUserPatterns, dao::dbOpenTable);
  common::sSetTableIndexRecord(rs, kByName, name);
  if (rs.NoMatch()) {
    rs.Close();
    return;
  }
  const vb::Variant phrase = rs.Fields("PatternPhrase");
  const vb::Variant mode = rs.Fields("PatternMode");
  rs.Close();
  // A pattern saved without a mode plays as a series.
  double runMode = 2;
  std::string fault;
  if (!mode.IsNull() && !common::fStoredNumber(mode, 1, 2, true, runMode)) {
    fault = "its mode is not 1 (once) or 2 (series)";
  } else if (phrase.IsNull()) {
    fault = "its pattern is missing";
  } else if (!fInterpretPattern(phrase.ToString())) {
    fault = "\"" + phrase.ToString() + "\" is not a pattern";
  }
  if (!fault.empty()) {
    common::sReportDamagedUserRow("Your pattern \"" + name + "\"", fault);
    return;
  }
  UserPatternPhrase = phrase.ToString();
  PatternRunMode = static_cast<int32_t>(runMode);
  PatternStartNote = kNoteS;
  PatternSource = 2;
  Dispatch(6);
}

bool fLoadUserPatternsList() {
  common::ProcTrace t("fLoadUserPatternsList");
  forms::Form& form = FrontForm();
  auto& list = form.Get<forms::ListControl>("cRagaList");
  list.Clear();
  auto rs = shell::DatabaseB.OpenRecordset(kUserPatterns, dao::dbOpenTable);
  for (; !rs.Eof(); rs.MoveNext()) list.AddItem(vb::NzString(rs.Fields("PatternName")));
  rs.Close();
  if (list.ListCount() == 0) return false;  // an empty list is not shown
  form.Ctl("Label6").SetCaption("Select Pattern");
  for (const char* name : {"cRagaList", "Label6"}) form.Ctl(name).SetVisible(true);
  ListContent = kUserPatternList;
  return true;
}

void sShowUserPatterns() {
  common::ProcTrace t("sShowUserPatterns");
  forms::Form& form = FrontForm();
  if (!fLoadUserPatternsList()) {
    vb::Message("No User-defined Patterns are available");
    return;
  }
  form.Ctl("cPatName").SetVisible(false);
  form.Ctl("cOK").SetVisible(false);
  ShowPrompt("93,35");
}

}  // namespace workshop
