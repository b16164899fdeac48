#include "common/UserRows.h"

#include <cmath>
#include <limits>
#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/Trace.h"
#include "platform/dao/Errors.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"
#include "sound/PhraseRecords.h"

namespace common {

namespace {

using notation::Words;

constexpr int16_t kTaan = 3;
constexpr int16_t kComposition = 2;  // Add Info Type
// The longest duration a note can keep (in 10 ms units, or matras): what the Composer saves.
constexpr double kLongestDuration = 32767;
// The longest phrase that can play, in 10 ms units.
constexpr double kLongestPhrase = sound::kLongestPhraseMs / 10.0;

std::string TooLong(const std::string& what) {
  return what + " lasts longer than " + std::to_string(sound::kLongestPhraseMs / 60000) +
         " minutes, the longest a phrase can play";
}

// A duration word: a number above 0 that a note can last.
bool IsDuration(const std::string& word) {
  if (!vb::IsNumeric(word)) return false;
  const double value = vb::Val(word);
  return std::isfinite(value) && value > 0 && value <= kLongestDuration;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// What is wrong with the notes and durations of one composition part ("" when nothing);
// beat is the duration of one matra in 10 ms units.
std::string PartNotesFault(const dao::Recordset& rs, const std::string& part, double beat) {
  const vb::Variant notation = rs.Fields("Notation");
  const vb::Variant durations = rs.Fields("NotesDuration");
  if (notation.IsNull()) return "the notes of the " + part + " are missing";
  if (durations.IsNull()) return "the durations of the " + part + " are missing";
  const std::vector<std::string> notes = Words(notation.ToString(), " ");
  const std::vector<std::string> times = Words(durations.ToString(), " ");
  for (const std::string& note : notes)
    if (!fIsNoteWord(note)) return Quoted(note) + " in the " + part + " is not a note";
  if (times.size() != notes.size())
    return "the " + part + " has " + std::to_string(notes.size()) + " notes but " + std::to_string(times.size()) +
           " durations";
  double total = 0;
  for (const std::string& time : times) {
    if (!IsDuration(time) || vb::Val(time) * beat > kLongestDuration)
      return Quoted(time) + " in the durations of the " + part + " is not a duration";
    total += vb::Val(time) * beat;
  }
  if (total > kLongestPhrase) return TooLong("the " + part);
  return {};
}

// The beats of a tala of the content database; 0 when it has none or is not there.
int16_t TalaBeats(double talaId) {
  auto rs = shell::DatabaseA.OpenRecordset("Tala - Technical Information", dao::dbOpenTable);
  sSetTablePKRecord(rs, static_cast<int16_t>(talaId));
  double beats = 0;
  if (rs.NoMatch() || !fStoredNumber(rs.Fields("Beat Count"), 1, 999, true, beats)) beats = 0;
  rs.Close();
  return static_cast<int16_t>(beats);
}

// A value that is missing, or a number: what a box can show.
bool NullOrNumber(const vb::Variant& value) { return value.IsNull() || value.IsEmpty() || value.IsNumber(); }

// What is wrong with one part row of a composition ("" when nothing).
std::string PartFault(const dao::Recordset& rs, const std::string& part, RowUse use) {
  double tala = 0, start = 0, speed = 0;
  const int16_t beats =
      fStoredNumber(rs.Fields("Tala Id"), 1, std::numeric_limits<int16_t>::max(), true, tala) ? TalaBeats(tala) : 0;
  if (beats == 0) return "the tala of the " + part + " is missing or not known to this program";
  const vb::Variant startingBeat = rs.Fields("Starting Beat");
  const vb::Variant playingSpeed = rs.Fields("Playing Speed");
  if (use == RowUse::Edit) {
    if (!NullOrNumber(startingBeat)) return "the starting beat of the " + part + " is not a number";
    if (!NullOrNumber(playingSpeed)) return "the beat duration of the " + part + " is not a number";
    return {};
  }
  if (!fStoredNumber(startingBeat, 1, beats, true, start))
    return "the starting beat of the " + part + " is missing or not from 1 to " + std::to_string(beats);
  if (!fStoredNumber(playingSpeed, 1, 999, true, speed))
    return "the beat duration of the " + part + " is missing or not from 1 to 999";
  return PartNotesFault(rs, part, speed);
}

}  // namespace

bool fStoredNumber(const vb::Variant& value, double lo, double hi, bool whole, double& number) {
  if (!value.IsNumber()) return false;
  const double v = value.ToDouble();
  if (!std::isfinite(v) || v < lo || v > hi || (whole && v != std::floor(v))) return false;
  number = v;
  return true;
}

std::string fALTRowFault(const vb::Variant& notesPhrase, const vb::Variant& durationPhrase, int16_t phraseType,
                         RowUse use) {
  ProcTrace t("fALTRowFault");
  const bool play = use == RowUse::Play;
  const auto words = [](const vb::Variant& text, const char* separator) {
    return text.IsNull() || text.IsEmpty() ? std::vector<std::string>{} : Words(text.ToString(), separator);
  };
  const std::vector<std::string> phrases = words(notesPhrase, ",");
  const std::vector<std::string> durations = phraseType == kTaan ? std::vector<std::string>{} : words(durationPhrase, " ");
  // A list without durations is laid out with its notes alone; a taan has none.
  const bool timed = phraseType != kTaan && (play || !durations.empty());
  if (phrases.empty()) return play ? "the phrases are missing" : "";
  if (timed && durations.empty()) return "the durations are missing";
  // As the phrases are read: one duration per note, and one separator word after each phrase.
  size_t d = 0;
  for (size_t p = 0; p < phrases.size(); ++p) {
    double total = 0;
    for (const std::string& segment : Words(phrases[p], ":")) {
      for (const std::string& note : Words(segment, " ")) {
        if (play && !fIsNoteWord(note)) return Quoted(note) + " is not a note";
        if (!timed) continue;
        if (d >= durations.size()) return "there are fewer durations than notes";
        if (play && !IsDuration(durations[d])) return Quoted(durations[d]) + " is not a duration";
        total += vb::Val(durations[d]);
        ++d;
      }
    }
    if (play && total > kLongestPhrase) return TooLong("phrase " + std::to_string(p + 1));
    ++d;
  }
  return {};
}

std::string fUserALTRowFault(int16_t ragaIndex, int16_t phraseType, RowUse use) {
  ProcTrace t("fUserALTRowFault");
  auto rs = shell::DatabaseB.OpenRecordset("Raga - ALT Phrases", dao::dbOpenTable);
  sSetTablePKRecord2(rs, ragaIndex, phraseType);
  std::string fault;
  if (!rs.NoMatch()) fault = fALTRowFault(rs.Fields("NotesPhrase"), rs.Fields("DurationPhrase"), phraseType, use);
  rs.Close();
  return fault;
}

std::string fUserCompositionFault(int16_t ragaIndex, const std::string& name, RowUse use) {
  ProcTrace t("fUserCompositionFault");
  auto names = shell::DatabaseB.OpenRecordset("Raga - Additional Information", dao::dbOpenTable);
  sSetTablePKRecord3(names, ragaIndex, name, kComposition);
  if (names.NoMatch()) {
    names.Close();
    return {};
  }
  double number = 0;
  const bool numbered = fStoredNumber(names.Fields("Notation Index"), 1, std::numeric_limits<int32_t>::max(), true, number);
  names.Close();
  if (!numbered) return "its number is missing or not a whole number above 0";
  auto parts = shell::DatabaseB.OpenRecordset("Raga - Composition Notations", dao::dbOpenTable);
  std::string fault;
  int present = 0;
  for (int16_t p = 1; p <= 2 && fault.empty(); ++p) {
    const std::string part = p == 1 ? "asthai" : "antara";
    sSetTablePKRecord2(parts, static_cast<int32_t>(number), p);
    if (!parts.NoMatch()) {
      ++present;
      fault = PartFault(parts, part, use);
    } else if (use == RowUse::Play) {
      fault = "the row of the " + part + " is missing";
    }
  }
  parts.Close();
  if (fault.empty() && present == 0) fault = "the rows of both parts are missing";
  return fault;
}

std::string fUserALTItem(int16_t phraseType, const std::string& ragaName) {
  const char* kind = phraseType == 1 ? "alap" : phraseType == 2 ? "layakari" : "taan";
  return std::string("Your ") + kind + " phrases of the raga " + ragaName;
}

std::string fUserCompositionItem(const std::string& name) { return "Your composition " + Quoted(name); }

namespace {

// The user database's file, with the damage recorded as a handled error.
std::string RecordDamage(const std::string& item, const std::string& fault) {
  const std::string& file = shell::DatabaseBFile.empty() ? shell::DatabaseB.Name() : shell::DatabaseBFile;
  RecordError(vb::MakeError(dao::kDamagedDatabase,
                            "The user database '" + file + "' holds damaged data: " + item + ": " + fault + "."));
  return file;
}

}  // namespace

void sReportDamagedUserRow(const std::string& item, const std::string& fault) {
  ProcTrace t("sReportDamagedUserRow");
  const std::string file = RecordDamage(item, fault);
  vb::Message(item + " cannot be used: its data in your user database " + Quoted(file) + " is damaged (" + fault +
              "). Nothing was changed in the file; everything else can be used as before.");
}

void sReportPartlyShownUserRow(const std::string& item, const std::string& fault, const std::string& shown) {
  ProcTrace t("sReportPartlyShownUserRow");
  const std::string file = RecordDamage(item, fault);
  vb::Message(item + ": the data in your user database " + Quoted(file) + " is damaged (" + fault + "). " + shown);
}

}  // namespace common
