// The checks of the phrase in the slots, the in-memory records made from it, and saving
// them into the user database in one transaction.
#include "composer/ComposerRecords.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/RagaCounts.h"
#include "common/RagaTables.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "common/UserRows.h"
#include "composer/ComposerActions.h"
#include "composer/ComposerScreen.h"
#include "composer/ComposerState.h"
#include "composer/RowImages.h"
#include "platform/dao/Transaction.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Interaction.h"
#include "sound/PhraseRecords.h"
#include "sound/SoundState.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"

namespace composer {

namespace {

constexpr int16_t kLayakari = 2;
constexpr int16_t kTaan = 3;
constexpr double kLongestDuration = 32767;
// The longest phrase that can play, in 10 ms units.
constexpr double kLongestPhrase = sound::kLongestPhraseMs / 10.0;

// " (row r, slot c)" of overall slot k (0-based).
std::string Where(size_t k) {
  return " (row " + std::to_string(k / 20 + 1) + ", slot " + std::to_string(k % 20 + 1) + ")";
}

// The beat duration of cSpeed: a whole number from 1 to 999; 0 after the message.
int16_t BeatDuration() {
  const std::string text = common::fRmvLeadBlk(common::fRmvTrailBlk(ComposerFront().Ctl("cSpeed").Text()));
  const bool digits = !text.empty() && text.size() <= 3 && text.find_first_not_of("0123456789") == std::string::npos;
  const int value = digits ? std::stoi(text) : 0;
  if (value < 1 || value > 999) {
    vb::Message("The Beat Duration must be a whole number from 1 to 999. Please correct.");
    return 0;
  }
  return static_cast<int16_t>(value);
}

// The phrase of the slots as note and duration words, slot by slot over every row; the
// message of the first slot at fault, or "" when all is well.
struct PhraseWords {
  std::vector<std::string> notes;
  std::vector<std::string> durations;
  std::vector<std::vector<int16_t>> noteSlots;  // per phrase, the slot of each note
};

enum class Walk { Timed, Untimed, Composition };

// beatDuration: the 10 ms units of a layakari's beat, or of a composition's matra (0 while
// cSpeed holds none, which the composition's own checks refuse); a phrase's notes must
// not last longer than the longest phrase that can play.
std::string WalkSlots(Walk walk, int16_t beatDuration, PhraseWords& out) {
  const bool timed = walk != Walk::Untimed;
  const bool composition = walk == Walk::Composition;
  std::vector<std::string> notes, durations;
  for (int16_t r = 1; r <= RowImageCount; ++r) {
    const std::vector<std::string> row = fRowTokens(NotesRowImages[static_cast<size_t>(r - 1)]);
    const std::vector<std::string> times = fRowTokens(DurRowImages[static_cast<size_t>(r - 1)]);
    notes.insert(notes.end(), row.begin(), row.end());
    durations.insert(durations.end(), times.begin(), times.end());
  }
  const std::string noDuration = composition ? "You must supply duration for every note."
                                             : "Durations must be specified for every specified note. Please correct.";
  const std::string noNote = composition ? "You cannot supply duration without note."
                                         : "Durations cannot be specified for undefined notes. Please correct.";
  bool inPhrase = false;
  double length = 0;  // of the phrase so far, in 10 ms units
  for (size_t k = 0; k < notes.size(); ++k) {
    const std::string& n = notes[k];
    const std::string d = timed ? durations[k] : "_";
    if (n == "_" && d == "_") continue;
    if (n == "_") return noNote + Where(k);
    if (n.size() > 2 && n.compare(n.size() - 2, 2, "'_") == 0)
      return "A grace note needs its note in the slot below it. Please correct." + Where(k);
    if (n == "," && composition) return "A composition part cannot hold a comma." + Where(k);
    if (n == ",") {
      if (timed && d != ",") return "A \",\" takes \",\" as its duration. Please correct." + Where(k);
      if (!inPhrase) return "A \",\" can only end the notes of a phrase. Please correct." + Where(k);
      inPhrase = false;
      length = 0;
      out.notes.push_back(n);
      if (timed) out.durations.push_back(d);
      continue;
    }
    if (!common::fIsNoteWord(n)) return "This slot holds no single note. Please correct." + Where(k);
    if (timed) {
      if (d == "_") return noDuration + Where(k);
      const double value = vb::IsNumeric(d) ? vb::Val(d) : 0;
      if (d == "," || value <= 0) return "A note takes a number above 0 as its duration. Please correct." + Where(k);
      // A layakari's beats become whole durations, which must neither vanish nor overflow.
      const bool layakari = beatDuration > 0 && !composition;
      const double stored =
          layakari ? vb::RoundHalfEven(static_cast<float>(value) * static_cast<float>(beatDuration)) : value;
      // A composition's matras become durations of matra x beat duration, which must fit too.
      if ((layakari && stored < 1) || stored > kLongestDuration ||
          (composition && value * beatDuration > kLongestDuration))
        return "This duration is too short or too long to be kept. Please correct." + Where(k);
      length += composition ? value * beatDuration : stored;
      if (length > kLongestPhrase)
        return "The phrase lasts longer than " + std::to_string(sound::kLongestPhraseMs / 60000) +
               " minutes, the longest a phrase can play. Please correct." + Where(k);
    }
    if (!inPhrase) out.noteSlots.emplace_back();
    inPhrase = true;
    out.noteSlots.back().push_back(static_cast<int16_t>(k));
    out.notes.push_back(n);
    if (timed) out.durations.push_back(d);
  }
  // A "," after the last phrase ends nothing.
  if (!out.notes.empty() && out.notes.back() == ",") {
    out.notes.pop_back();
    if (timed) out.durations.pop_back();
  }
  return {};
}

constexpr int16_t kNewComposition = 4;
constexpr int16_t kExistingComposition = 5;
const char* const kAdditionalInfo = "Raga - Additional Information";
const char* const kNotations = "Raga - Composition Notations";

bool IsComposition(int16_t type) { return type == kNewComposition || type == kExistingComposition; }
const char* TextBoxOf(int16_t part) { return part == 1 ? "cAsthai" : "cAntara"; }
const char* BeatBoxOf(int16_t part) { return part == 1 ? "cStartBeatAst" : "cStartBeatAnt"; }

std::string Trimmed(const std::string& text) { return common::fRmvLeadBlk(common::fRmvTrailBlk(text)); }

// A name as names are compared: blanks around it left out, letters in one case.
std::string NameKey(const std::string& name) {
  std::string key = Trimmed(name);
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

// A whole number from lo to hi written in a text (blanks around it allowed); -1 otherwise.
int32_t WholeNumber(const std::string& text, int32_t lo, int32_t hi) {
  const std::string t = Trimmed(text);
  if (t.empty() || t.size() > 5 || t.find_first_not_of("0123456789") != std::string::npos) return -1;
  const int32_t value = std::stoi(t);
  return value >= lo && value <= hi ? value : -1;
}

// The syllables spell the text: both read without blanks (and the syllables without "_").
bool SyllablesSpell(const std::string& syllables, const std::string& text) {
  return common::fRmvAllChar(common::fRmvAllChar(syllables, " "), "_") == common::fRmvAllChar(text, " ");
}

std::string BoxText(const char* name) { return ComposerFront().Ctl(name).Text(); }

// The composition of the user of another number that has this name in the raga, or "".
std::string NameHolder(const std::string& mukhada, int32_t except) {
  auto rs = shell::DatabaseB.OpenRecordset(kAdditionalInfo, dao::dbOpenTable);
  common::sSetTableIndexRecord2(rs, "AddInfoType", common::CurrRagaIndex, int16_t{2});
  std::string holder;
  for (; !rs.NoMatch() && !rs.Eof(); rs.MoveNext()) {
    if (rs.Fields("Raga Index").ToInt() != common::CurrRagaIndex || rs.Fields("Add Info Type").ToInt() != 2) break;
    const std::string name = rs.Fields("Add Info").ToString();
    // A row whose number is damaged holds its name all the same.
    double number = 0;
    const bool numbered =
        common::fStoredNumber(rs.Fields("Notation Index"), 1, std::numeric_limits<int32_t>::max(), true, number);
    if (NameKey(name) == NameKey(mukhada) && (!numbered || static_cast<int32_t>(number) != except)) {
      holder = name;
      break;
    }
  }
  rs.Close();
  return holder;
}

std::string NameTakenMessage(const std::string& mukhada) {
  return "The raga already has a composition named '" + Trimmed(mukhada) + "'. Please choose another Mukhada.";
}

}  // namespace

bool fUpdateALTTFromRowImages() {
  common::ProcTrace t("fUpdateALTTFromRowImages");
  const int16_t type = common::CurrPhraseType;
  if (fCombineNotesRowImages().empty()) {
    vb::Message("No notation defined");
    return false;
  }
  int16_t beatDuration = 0;
  if (type == kLayakari && (beatDuration = BeatDuration()) == 0) return false;
  PhraseWords words;
  const std::string fault = WalkSlots(type == kTaan ? Walk::Untimed : Walk::Timed, beatDuration, words);
  if (!fault.empty()) {
    vb::Message(fault);
    return false;
  }
  const std::string notes = common::notation::Join(words.notes, " ");
  std::string durations = common::notation::Join(words.durations, " ");
  if (type == kLayakari) durations = fConvertBeatsToDuration(durations, beatDuration);
  common::sLoadRagaALTInfoIntoT(common::TALTInfo2.at(static_cast<size_t>(type - 1)), type, common::CurrRagaIndex,
                                notes, durations);
  PhraseNoteSlots = words.noteSlots;
  return true;
}

namespace {

// The boxes the learner edits, whatever the category (those not shown stay empty).
constexpr const char* kEditedBoxes[] = {"cAsthai", "cAntara", "cMukhada", "cStartBeatAst", "cStartBeatAnt", "cSpeed"};

std::vector<std::pair<std::string, std::string>> BoxTexts() {
  std::vector<std::pair<std::string, std::string>> texts;
  for (const char* name : kEditedBoxes) texts.emplace_back(name, BoxText(name));
  return texts;
}

std::string StoredBox(const std::string& name) {
  for (const auto& [box, text] : StoredBoxes)
    if (box == name) return text;
  return {};
}

// The slots of composition part p (1 or 2) as the screen has them now: the slots when
// it is on screen, else its record.
SlotWork CompPartSlotsNow(int16_t p) {
  if (p == ShownCompPart && SlotLayoutPresent) return fShownSlotWork();
  return fCompPartSlotWork(common::TCompData[static_cast<size_t>(p - 1)]);
}

}  // namespace

SlotWork fCompPartSlotWork(const common::CompDataRec& record) {
  std::vector<std::string> notes, durations, syllables;
  sCompPartWords(record, notes, durations, syllables);
  return fSlotWorkOf(notes, durations, syllables);
}

bool fCompPartEdited(int16_t part) {
  if (part != 1 && part != 2) return false;
  return CompPartSlotsNow(part) != StoredSlots[static_cast<size_t>(part - 1)] ||
         BoxText(TextBoxOf(part)) != StoredBox(TextBoxOf(part));
}

void sKeepStoredWork() {
  common::ProcTrace t("sKeepStoredWork");
  StoredBoxes = BoxTexts();
  StoredSlots = {};
  StoredCompData = {common::TCompData[0], common::TCompData[1]};
  if (IsComposition(common::CurrPhraseType)) {
    for (int16_t p = 1; p <= 2; ++p) StoredSlots[static_cast<size_t>(p - 1)] = CompPartSlotsNow(p);
  } else if (SlotLayoutPresent) {
    StoredSlots[0] = fShownSlotWork();
  }
  WorkChanged = false;
}

bool fWorkChanged() {
  if (BoxTexts() != StoredBoxes) return true;
  if (!SlotLayoutPresent) return false;
  if (IsComposition(common::CurrPhraseType)) return fCompPartEdited(1) || fCompPartEdited(2);
  return fShownSlotWork() != StoredSlots[0];
}

void sNoteWorkChanged() { WorkChanged = fWorkChanged(); }

namespace {

// The composition part in the slots has notes, each with its duration in its own slot;
// false after the message.
bool PartNotesPlayable(const std::string& notes, PhraseWords& words) {
  if (notes.empty()) {
    vb::Message("No Notes Specified");
    return false;
  }
  const auto matra = static_cast<int16_t>(std::max(WholeNumber(BoxText("cSpeed"), 1, 999), 0));
  const std::string fault = WalkSlots(Walk::Composition, matra, words);
  if (!fault.empty()) {
    vb::Message(fault);
    return false;
  }
  return true;
}

}  // namespace

bool fVerifyCompPartSyllables() {
  common::ProcTrace t("fVerifyCompPartSyllables");
  return SyllablesSpell(fCombineSylRowImages(), BoxText(TextBoxOf(sound::CurrCompPart)));
}

bool fUpdateCompTFromRowImages(bool emptyAllowed) {
  common::ProcTrace t("fUpdateCompTFromRowImages");
  const int16_t p = sound::CurrCompPart;
  if (p != 1 && p != 2) return true;
  common::CompDataRec record = common::TCompData[static_cast<size_t>(p - 1)];
  const std::string notes = fCombineNotesRowImages();
  const std::string durations = fCombineDurRowImages();
  const std::string syllables = fCombineSylRowImages();
  PhraseWords words;
  if (!fCompPartEdited(p)) {
    // A part not changed since it was stored is kept as stored: its syllables need not
    // spell its text (a part carried over from an earlier installation, or written
    // only in part). To be played it must still hold notes that can be played.
    const common::CompDataRec& stored = StoredCompData[static_cast<size_t>(p - 1)];
    record.Notation = stored.Notation;
    record.NotesDuration = stored.NotesDuration;
    record.Syllables = stored.Syllables;
    record.SyllableDuration = stored.SyllableDuration;
    if (!emptyAllowed && !PartNotesPlayable(notes, words)) return false;
  } else if (notes.empty() && durations.empty() && syllables.empty()) {
    if (!emptyAllowed) {
      vb::Message("No Notes Specified");
      return false;
    }
    record.Notation = record.NotesDuration = record.Syllables = record.SyllableDuration = "";
  } else {
    if (!fVerifyCompPartSyllables()) {
      vb::MsgBox("Discrepancies found in syllables. Check and correct", vb::vbInformation, "Message");
      return false;
    }
    if (durations.empty()) {
      vb::Message("No Duration Specified");
      return false;
    }
    if (!PartNotesPlayable(notes, words)) return false;
    const std::string syllableDurations = fCreateCombinedSylDurPhrase();
    if (syllableDurations.empty()) return false;
    record.Notation = notes;
    record.NotesDuration = durations;
    record.Syllables = syllables;
    record.SyllableDuration = Trimmed(syllableDurations);
  }
  record.CompositionText = BoxText(TextBoxOf(p));
  record.StartingBeat = std::max(WholeNumber(BoxText(BeatBoxOf(p)), 1, 32767), 0);
  record.PlayingSpeed = static_cast<int16_t>(std::max(WholeNumber(BoxText("cSpeed"), 1, 999), 0));
  common::TCompData[static_cast<size_t>(p - 1)] = record;
  PhraseNoteSlots = words.noteSlots;
  return true;
}

std::string fCheckCompData(int16_t part) {
  common::ProcTrace t("fCheckCompData");
  for (const char* name : {"cTaal", "cMukhada", "cStartBeatAst", "cStartBeatAnt", "cSpeed"}) {
    if (part != 0 && name == std::string(BeatBoxOf(3 - part))) continue;
    if (Trimmed(BoxText(name)).empty())
      return "All data (Mukhada, Starting beats for Asthai and Antara, and Beat Duration) must be specified";
  }
  const int16_t beats = sound::CompBeatCount;
  for (int16_t p : {1, 2}) {
    if (part != 0 && p != part) continue;
    if (WholeNumber(BoxText(BeatBoxOf(p)), 1, beats) < 0)
      return "The starting beats must be whole numbers from 1 to " + std::to_string(beats) +
             ", the beats of the tala. Please correct.";
  }
  if (WholeNumber(BoxText("cSpeed"), 1, 999) < 0)
    return "The Beat Duration must be a whole number from 1 to 999. Please correct.";
  return {};
}

bool fCompositionNameTaken(const std::string& mukhada) {
  common::ProcTrace t("fCompositionNameTaken");
  return !NameHolder(mukhada, -1).empty();
}

void sSetInitialValuesInCompT() {
  common::ProcTrace t("sSetInitialValuesInCompT");
  sInitializeCompT();
  common::TCompInfo = {common::CurrRagaIndex, Trimmed(BoxText("cMukhada")), 2, common::fGetNextUserCompositionIndex()};
  sSetCompDetailsFromBoxes();
}

bool fPrepareCompositionForSave() {
  common::ProcTrace t("fPrepareCompositionForSave");
  const std::string details = fCheckCompData();
  if (!details.empty()) {
    vb::Message(details);
    return false;
  }
  const std::string holder = NameHolder(common::TCompInfo.AddInfo, common::TCompInfo.NotationIndex);
  if (!holder.empty()) {
    vb::Message(NameTakenMessage(common::TCompInfo.AddInfo));
    return false;
  }
  if (!fUpdateCompTFromRowImages(true)) return false;
  const auto other = static_cast<int16_t>(3 - sound::CurrCompPart);
  const common::CompDataRec& left = common::TCompData[static_cast<size_t>(other - 1)];
  if (!left.Notation.empty() && fCompPartEdited(other) && !SyllablesSpell(left.Syllables, BoxText(TextBoxOf(other)))) {
    vb::MsgBox(std::string("Discrepancies found in syllables of the ") + (other == 1 ? "Asthai" : "Antara") +
                   ". Check and correct",
               vb::vbInformation, "Message");
    return false;
  }
  if (common::TCompData[0].Notation.empty() && common::TCompData[1].Notation.empty()) {
    vb::Message("No Notes Specified");
    return false;
  }
  sSetCompDetailsFromBoxes();
  return true;
}

void sSetCompDetailsFromBoxes() {
  common::ProcTrace t("sSetCompDetailsFromBoxes");
  // Both parts under the composition's own number, each with its own text and starting
  // beat, both at the beat duration of cSpeed.
  for (int16_t p = 1; p <= 2; ++p) {
    common::CompDataRec& record = common::TCompData[static_cast<size_t>(p - 1)];
    record.NotationIndex = common::TCompInfo.NotationIndex;
    record.CompositionPart = p;
    record.RagaIndex = common::CurrRagaIndex;
    record.CompositionMukhada = common::TCompInfo.AddInfo;
    record.CompositionText = BoxText(TextBoxOf(p));
    record.TalaId = common::CurrTalaId;
    // A part's starting beat not yet given (a part played alone) stays as it was.
    const int32_t beat = WholeNumber(BoxText(BeatBoxOf(p)), 1, 32767);
    if (beat > 0) record.StartingBeat = beat;
    record.PlayingSpeed = static_cast<int16_t>(WholeNumber(BoxText("cSpeed"), 1, 999));
  }
}

bool sSaveMusicToDatabase() {
  common::ProcTrace t("sSaveMusicToDatabase");
  const int16_t type = common::CurrPhraseType;
  const bool composition = IsComposition(type);
  if (!composition && (type < 1 || type > kTaan)) return true;
  const std::string failure = fTryComposerStep([composition] {
    dao::Transaction transaction(shell::DatabaseB);
    if (composition) {
      sSaveCompDataFromTToDB();
    } else {
      sSaveALTFromTToDB();
    }
    transaction.Commit();
  });
  if (failure.empty()) return true;
  vb::Message(std::string(composition ? "Your composition" : "Your phrases") + " could not be saved (" + failure +
              "). Nothing was changed in your user database; your work is still on the screen.");
  return false;
}

void sSaveALTFromTToDB() {
  common::ProcTrace t("sSaveALTFromTToDB");
  const int16_t type = common::CurrPhraseType;
  auto rs = shell::DatabaseB.OpenRecordset("Raga - ALT Phrases", dao::dbOpenTable);
  common::sSetTablePKRecord2(rs, common::CurrRagaIndex, type);
  if (rs.NoMatch()) {
    rs.AddNew();
    rs.SetField("RagaIndex", common::CurrRagaIndex);
    rs.SetField("PhraseType", type);
  } else {
    rs.Edit();
  }
  rs.SetField("NotesPhrase", fCreateALTDBStrFromT(type, 1));
  if (type != kTaan) rs.SetField("DurationPhrase", fCreateALTDBStrFromT(type, 2));
  rs.Update();
  if (SaveRowWrittenHook) SaveRowWrittenHook(1);
  rs.Close();
}

void sSaveCompDataFromTToDB() {
  common::ProcTrace t("sSaveCompDataFromTToDB");
  const common::CompInfoRec& info = common::TCompInfo;
  if (!NameHolder(info.AddInfo, info.NotationIndex).empty()) vb::Raise(vb::kDuplicateKey, NameTakenMessage(info.AddInfo));
  int row = 0;
  // The name row: added on the first save. Every row of the number must be this
  // composition's own.
  auto names = shell::DatabaseB.OpenRecordset(kAdditionalInfo, dao::dbOpenTable);
  common::sSetTableIndexRecord(names, "CompositionId", info.NotationIndex);
  bool own = false;
  for (; !names.NoMatch() && !names.Eof(); names.MoveNext()) {
    if (vb::CLng(vb::NzDouble(names.Fields("Notation Index"))) != info.NotationIndex) break;
    const bool same = names.Fields("Raga Index").ToInt() == info.RagaIndex &&
                      names.Fields("Add Info Type").ToInt() == 2 &&
                      NameKey(names.Fields("Add Info").ToString()) == NameKey(info.AddInfo);
    if (!same) vb::Raise(vb::kDuplicateKey, "This composition's number is used by another composition");
    own = true;
  }
  if (!own) {
    names.AddNew();
    names.SetField("Raga Index", info.RagaIndex);
    names.SetField("Add Info", info.AddInfo);
    names.SetField("Add Info Type", int16_t{2});
    names.SetField("Notation Index", info.NotationIndex);
    names.Update();
    if (SaveRowWrittenHook) SaveRowWrittenHook(++row);
  }
  names.Close();

  auto parts = shell::DatabaseB.OpenRecordset(kNotations, dao::dbOpenTable);
  for (int16_t p = 1; p <= 2; ++p) {
    const common::CompDataRec& record = common::TCompData[static_cast<size_t>(p - 1)];
    common::sSetTablePKRecord2(parts, info.NotationIndex, p);
    if (parts.NoMatch()) {
      parts.AddNew();
    } else {
      parts.Edit();
    }
    parts.SetField("Notation Index", info.NotationIndex);
    parts.SetField("Composition Part", p);
    parts.SetField("Raga Index", record.RagaIndex);
    parts.SetField("CompositionMukhada", record.CompositionMukhada);
    parts.SetField("CompositionText", record.CompositionText);
    parts.SetField("Syllables", record.Syllables);
    parts.SetField("SyllableDuration", record.SyllableDuration);
    parts.SetField("Notation", record.Notation);
    parts.SetField("NotesDuration", record.NotesDuration);
    parts.SetField("Tala Id", record.TalaId);
    parts.SetField("Starting Beat", vb::CInt(record.StartingBeat));
    parts.SetField("Playing Speed", record.PlayingSpeed);
    parts.Update();
    if (SaveRowWrittenHook) SaveRowWrittenHook(++row);
  }
  parts.Close();
}

}  // namespace composer
