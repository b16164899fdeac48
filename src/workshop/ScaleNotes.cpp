#include "workshop/ScaleNotes.h"

#include <algorithm>
#include <array>
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/NotationWords.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Random.h"
#include "platform/vb/Variant.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "workshop/WorkshopActions.h"
#include "workshop/WorkshopState.h"

namespace workshop {

namespace {

// The natural notes by workbench index: "P<" "D<" "N<" "S" "R" "G" "m" "P" "D" "N" "S>"
// "R>" "G>" "m>" "P>".
constexpr std::array<int16_t, 15> kNaturalNotes{0, 2, 4, 5, 7, 9, 10, 12, 14, 16, 17, 19, 21, 22, 24};

// The workbench note of an English note table entry; -1 outside "P<" to "P>".
int16_t WorkbenchNoteOfEntry(int32_t entry) {
  const int32_t n = entry - kEnglishOffset;
  return n >= 0 && n < kWorkbenchNotes ? static_cast<int16_t>(n) : int16_t{-1};
}

// The workbench note of an English note word; -1 for a word that is none of them.
int16_t WorkbenchNoteOfWord(const std::string& word) {
  return WorkbenchNoteOfEntry(common::notation::FindNote(common::EnglishNotes, word));
}

void ClearMarks() { std::fill(NoteMarks.begin(), NoteMarks.begin() + kWorkbenchNotes, int16_t{0}); }

}  // namespace

void sInitScaleNotes() {
  common::ProcTrace t("sInitScaleNotes");
  ClearMarks();
}

void sSetScaleNotesForMajorScale() {
  common::ProcTrace t("sSetScaleNotesForMajorScale");
  for (const int16_t n : kNaturalNotes) NoteMarks[static_cast<size_t>(n)] = 1;
  sSetUpSelNotes1(0, kWorkbenchNotes - 1);
}

bool sSetScaleNotesForThata() {
  common::ProcTrace t("sSetScaleNotesForThata");
  const std::string name = FrontForm().Ctl("cRagaList").Text();
  auto rs = shell::DatabaseA.OpenRecordset("ThataScales", dao::dbOpenTable);
  common::sSetTablePKRecord(rs, name);
  if (rs.NoMatch()) {
    rs.Close();
    return false;
  }
  const std::string scale = vb::NzString(rs.Fields("ThataScale"));
  rs.Close();
  bool anyNote = false;
  for (const std::string& word : common::notation::Words(scale, " "))
    anyNote = anyNote || WorkbenchNoteOfWord(word) >= 0;
  if (!anyNote) return false;
  sSetScaleAndSelNotesForPhrase(scale);
  return true;
}

void sSetScaleAndSelNotesForPhrase(const std::string& phrase) {
  common::ProcTrace t("sSetScaleAndSelNotesForPhrase");
  ClearMarks();
  for (const std::string& word : common::notation::Words(phrase, " ")) {
    const int16_t n = WorkbenchNoteOfWord(word);
    if (n >= 0) NoteMarks[static_cast<size_t>(n)] = 1;
  }
  sAugmentScaleNotes();
  sSetUpSelNotes1(0, kWorkbenchNotes - 1);
}

std::string fLoadRagaNotesInVector() {
  common::ProcTrace t("fLoadRagaNotesInVector");
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Notes", dao::dbOpenTable);
  common::sSetTablePKRecord(rs, common::CurrRagaIndex);
  const std::string ids = rs.NoMatch() ? std::string() : vb::NzString(rs.Fields("Raga Note Ids"));
  rs.Close();
  const auto words = common::notation::Words(ids, " ");
  if (words.empty()) {
    vb::Message("The notes of raga '" + common::CurrRagaName + "' are not available");
    return "";
  }
  ClearMarks();
  int16_t count = 0;
  for (const std::string& word : words) {
    const double id = vb::Val(word);
    const int16_t n = id >= 0 && id < 100 ? WorkbenchNoteOfEntry(static_cast<int32_t>(id)) : int16_t{-1};
    if (n < 0 || NoteMarks[static_cast<size_t>(n)] != 0) continue;
    NoteMarks[static_cast<size_t>(n)] = 1;
    ++count;
  }
  ScaleNoteCount = count;
  ScaleType = static_cast<int16_t>(count - 6);
  return ids;
}

void sAugmentScaleNotes() {
  common::ProcTrace t("sAugmentScaleNotes");
  auto copy = [](size_t from, size_t to) {
    if (NoteMarks[from] == 1 && NoteMarks[to] != 1) {
      NoteMarks[to] = 1;
      ++ScaleNoteCount;
    }
  };
  for (size_t k = 0; k <= 4; ++k) copy(k + 12, k);
  for (size_t k = 18; k <= 24; ++k) copy(k - 12, k);
}

void sSetUpSelNotes1(int16_t first, int16_t last) {
  common::ProcTrace t("sSetUpSelNotes1");
  std::fill(ScaleNotes.begin(), ScaleNotes.end(), int16_t{0});
  ScaleNoteCount = 0;
  const int16_t from = std::max<int16_t>(first, 0);
  const int16_t to = std::min<int16_t>(last, kWorkbenchNotes - 1);
  for (int16_t k = from; k <= to; ++k) {
    if (NoteMarks[static_cast<size_t>(k)] == 1) ScaleNotes[static_cast<size_t>(ScaleNoteCount++)] = k;
  }
}

bool fIsShuddha(int16_t noteNumber) {
  common::ProcTrace t("fIsShuddha");
  return std::find(kNaturalNotes.begin(), kNaturalNotes.end(), noteNumber - 1) != kNaturalNotes.end();
}

int16_t fCountMarkedNotes(int16_t label) {
  common::ProcTrace t("fCountMarkedNotes");
  const auto n = static_cast<int16_t>(label - sound::CurrTonicNoteId - 4);
  if (n < kNoteS || n > kNoteUpperS || NoteMarks[static_cast<size_t>(n)] != 1) return -1;
  int16_t count = 0;
  for (int16_t k = kNoteS + 1; k <= n; ++k) count = static_cast<int16_t>(count + NoteMarks[static_cast<size_t>(k)]);
  return count;
}

int16_t fGetValidNoteId() {
  common::ProcTrace t("fGetValidNoteId");
  // Draws until the kind fits; a source that never gives one (possible only where
  // draws are scripted) ends on the first note of the kind rather than looping on.
  constexpr int kMostDraws = 1000;
  auto fits = [](int16_t n) {
    if (QuizNoteKind == 2) return fIsShuddha(n);
    if (QuizNoteKind == 3) return !fIsShuddha(n);
    return true;
  };
  for (int draw = 0; draw < kMostDraws; ++draw) {
    const auto n = static_cast<int16_t>(vb::DrawOneTo(kWorkbenchNotes));
    if (n >= 1 && n <= kWorkbenchNotes && fits(n)) return n;
  }
  for (int16_t n = 1; n <= kWorkbenchNotes; ++n)
    if (fits(n)) return n;
  return 1;
}

}  // namespace workshop
