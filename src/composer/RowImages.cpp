// The row images of the phrase being edited: reading a display row back, packing,
// deleting and inserting slots, joining, and loading an ALT type's phrases.
#include "composer/RowImages.h"

#include <algorithm>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "composer/ComposerScreen.h"
#include "composer/ComposerState.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Variant.h"
#include "shell/ShellState.h"

namespace composer {

namespace {

constexpr int16_t kTaan = 3;
constexpr size_t kSlotsPerRow = 20;
constexpr const char* kNoNote = "_";  // an empty slot, or no main note under a grace note

bool IsComposition(int16_t type) { return type == 4 || type == 5; }

// The English name of a note caption; a caption that names no note is kept as it stands
// (without blanks), for the checks to refuse.
std::string NameOf(const std::string& caption) {
  const int16_t k = fGetNotationIndex(caption);
  if (k >= 0) return common::EnglishNotes[static_cast<size_t>(k)];
  const std::string kept = common::fRmvAllChar(caption, " ");
  return kept.empty() ? std::string("?") : kept;
}

// The arrays the category edits: notes always, durations unless taan, syllables for a
// composition.
std::vector<std::vector<std::string>*> EditedImages() {
  const int16_t type = common::CurrPhraseType;
  std::vector<std::vector<std::string>*> images{&NotesRowImages};
  if (type != kTaan) images.push_back(&DurRowImages);
  if (IsComposition(type)) images.push_back(&SylRowImages);
  return images;
}

// The tokens of rows 1 to rowCount, 20 a row.
std::vector<std::string> Flatten(const std::vector<std::string>& images, int16_t rowCount) {
  std::vector<std::string> tokens;
  for (int16_t r = 0; r < rowCount; ++r) {
    const std::vector<std::string> row =
        fRowTokens(static_cast<size_t>(r) < images.size() ? images[static_cast<size_t>(r)] : std::string());
    tokens.insert(tokens.end(), row.begin(), row.end());
  }
  return tokens;
}

// Rows 1 to rowCount of images from tokens, 20 a row; the spare row after them empty.
void Pack(const std::vector<std::string>& tokens, std::vector<std::string>& images, int16_t rowCount) {
  images.resize(static_cast<size_t>(rowCount) + 1);
  for (int16_t r = 0; r < rowCount; ++r) {
    std::vector<std::string> row;
    for (size_t i = 0; i < kSlotsPerRow; ++i) {
      const size_t at = r * kSlotsPerRow + i;
      row.push_back(at < tokens.size() ? tokens[at] : "_");
    }
    images[static_cast<size_t>(r)] = fRowText(row);
  }
  images[static_cast<size_t>(rowCount)] = fRowText({});
}

// The row image that display row r (1 or 2) shows; a new row when it lies beyond the
// phrase.
int16_t TargetRow(int16_t displayRow) {
  const auto t = static_cast<int16_t>(TopRowIndex + displayRow - 1);
  if (t > RowImageCount) sSetRowImageCount(t);
  return t;
}

// One row image from the 20 slots of a display row, each slot's token made by token(k).
template <class TokenOf>
void RowFromDisplay(std::vector<std::string>& images, int16_t displayRow, TokenOf token) {
  const int16_t t = TargetRow(displayRow);
  std::vector<std::string> row;
  for (size_t i = 0; i < kSlotsPerRow; ++i) row.push_back(token(static_cast<int16_t>((displayRow - 1) * 20 + i)));
  images[static_cast<size_t>(t - 1)] = fRowText(row);
}

// The row and position (from 1) of display slot 0 to 39.
void RowAndPosition(int16_t slot, int16_t& row, int16_t& position) {
  row = static_cast<int16_t>(TopRowIndex + (slot >= 20 ? 1 : 0));
  position = static_cast<int16_t>(slot % 20 + 1);
}

}  // namespace

int16_t fGetNotationIndex(const std::string& caption) {
  common::ProcTrace t("fGetNotationIndex");
  const bool devnagari = shell::NotationScript == common::kScriptDevnagari;
  const auto& first = devnagari ? common::DevnagariNotes : common::EnglishNotes;
  const auto& second = devnagari ? common::EnglishNotes : common::DevnagariNotes;
  const int16_t k = common::notation::FindNote(first, caption);
  return k >= 0 ? k : common::notation::FindNote(second, caption);
}

void sSetRowImageCount(int16_t rows) {
  if (rows < 0) rows = 0;
  RowImageCount = rows;
  for (std::vector<std::string>* images : {&NotesRowImages, &DurRowImages, &SylRowImages}) {
    const size_t before = images->size();
    images->resize(static_cast<size_t>(rows) + 1);
    for (size_t r = std::min(before, images->size()); r < images->size(); ++r) (*images)[r] = fRowText({});
  }
}

std::vector<std::string> fRowTokens(const std::string& row) {
  std::vector<std::string> tokens = common::notation::Words(row, " ");
  tokens.resize(kSlotsPerRow, "_");
  return tokens;
}

std::string fRowText(const std::vector<std::string>& tokens) {
  std::vector<std::string> row = tokens;
  row.resize(kSlotsPerRow, "_");
  for (std::string& token : row)
    if (token.empty()) token = "_";
  return common::notation::Join(row, " ");
}

void sCreateNotesRowImageFromDisplay(int16_t displayRow) {
  common::ProcTrace t("sCreateNotesRowImageFromDisplay");
  forms::Form& form = ComposerFront();
  const bool taan = common::CurrPhraseType == kTaan;
  RowFromDisplay(NotesRowImages, displayRow, [&form, taan](int16_t k) -> std::string {
    const std::string note = form.Ctl("cNote", k).Caption();
    if (note == ",") return ",";
    const std::string grace = taan ? std::string() : form.Ctl("cGNote", k).Caption();
    // A grace note written before its note is kept with its slot, "a'_", for the checks
    // to ask for the note.
    if (note.empty()) return grace.empty() ? "_" : NameOf(grace) + "'" + kNoNote;
    return grace.empty() ? NameOf(note) : NameOf(grace) + "'" + NameOf(note);
  });
  sSetMoveButtons();
}

void sCreateDurRowImageFromDisplay(int16_t displayRow) {
  common::ProcTrace t("sCreateDurRowImageFromDisplay");
  forms::Form& form = ComposerFront();
  RowFromDisplay(DurRowImages, displayRow, [&form](int16_t k) -> std::string {
    const std::string duration = form.Ctl("cTime", k).Caption();
    return duration.empty() ? "_" : duration;
  });
  sSetMoveButtons();
}

void sCreateSylRowImageFromDisplay(int16_t displayRow) {
  common::ProcTrace t("sCreateSylRowImageFromDisplay");
  forms::Form& form = ComposerFront();
  RowFromDisplay(SylRowImages, displayRow, [&form](int16_t k) -> std::string {
    const std::string syllable = common::fRmvAllChar(form.Ctl("cCompSyl", k).Text(), " ");
    return syllable.empty() ? "_" : syllable;
  });
}

void sCreateRowImagesFromDisplay(int16_t displayRow) {
  common::ProcTrace t("sCreateRowImagesFromDisplay");
  const int16_t type = common::CurrPhraseType;
  sCreateNotesRowImageFromDisplay(displayRow);
  if (type != kTaan) sCreateDurRowImageFromDisplay(displayRow);
  if (IsComposition(type)) sCreateSylRowImageFromDisplay(displayRow);
}

void sCreateRowImagesFromSource(const std::string& text, std::vector<std::string>& images) {
  common::ProcTrace t("sCreateRowImagesFromSource");
  Pack(common::notation::Words(text, " "), images, RowImageCount);
}

void sDeleteCurrentSlot(int16_t slot) {
  common::ProcTrace t("sDeleteCurrentSlot");
  int16_t row = 0, position = 0;
  RowAndPosition(slot, row, position);
  if (row > RowImageCount) return;  // an empty display row beyond the phrase
  for (std::vector<std::string>* images : EditedImages()) sDeleteSlotInRowImages(*images, RowImageCount, row, position);
  sDisplayRowImages();
}

void sInsertBlankSlot(int16_t slot) {
  common::ProcTrace t("sInsertBlankSlot");
  int16_t row = 0, position = 0;
  RowAndPosition(slot, row, position);
  if (row > RowImageCount) return;
  const std::vector<std::vector<std::string>*> images = EditedImages();
  std::vector<std::string> pushed;
  for (std::vector<std::string>* image : images)
    pushed.push_back(fInsertBlankSlotInRowImages(*image, RowImageCount, row, position));
  if (std::any_of(pushed.begin(), pushed.end(), [](const std::string& token) { return token != "_"; })) {
    // The last slot held something: it moves on into a new row.
    const int16_t last = RowImageCount;
    sSetRowImageCount(static_cast<int16_t>(last + 1));
    for (size_t i = 0; i < images.size(); ++i) {
      std::vector<std::string> tokens = fRowTokens({});
      tokens[0] = pushed[i];
      (*images[i])[static_cast<size_t>(last)] = fRowText(tokens);
    }
  }
  sDisplayRowImages();
}

void sDeleteSlotInRowImages(std::vector<std::string>& images, int16_t rowCount, int16_t row, int16_t position) {
  common::ProcTrace t("sDeleteSlotInRowImages");
  std::vector<std::string> tokens = Flatten(images, rowCount);
  const size_t at = static_cast<size_t>(row - 1) * kSlotsPerRow + static_cast<size_t>(position - 1);
  if (at >= tokens.size()) return;
  tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(at));
  tokens.push_back("_");
  Pack(tokens, images, rowCount);
}

std::string fInsertBlankSlotInRowImages(std::vector<std::string>& images, int16_t rowCount, int16_t row,
                                        int16_t position) {
  common::ProcTrace t("fInsertBlankSlotInRowImages");
  std::vector<std::string> tokens = Flatten(images, rowCount);
  const size_t at = static_cast<size_t>(row - 1) * kSlotsPerRow + static_cast<size_t>(position - 1);
  if (at >= tokens.size()) return "_";
  tokens.insert(tokens.begin() + static_cast<std::ptrdiff_t>(at), "_");
  std::string pushed = tokens.back();
  tokens.pop_back();
  Pack(tokens, images, rowCount);
  return pushed;
}

std::string fCombineNotesRowImages() {
  common::ProcTrace t("fCombineNotesRowImages");
  return fEliminateUnderscores(common::notation::Join(Flatten(NotesRowImages, RowImageCount), " "));
}

std::string fCombineDurRowImages() {
  common::ProcTrace t("fCombineDurRowImages");
  if (common::CurrPhraseType == kTaan) return "";
  return fEliminateUnderscores(common::notation::Join(Flatten(DurRowImages, RowImageCount), " "));
}

std::string fCombineSylRowImages() {
  common::ProcTrace t("fCombineSylRowImages");
  return fEliminateUnderscores(common::notation::Join(Flatten(SylRowImages, RowImageCount), " "));
}

std::string fEliminateUnderscores(const std::string& text) {
  common::ProcTrace t("fEliminateUnderscores");
  std::vector<std::string> kept;
  for (const std::string& token : common::notation::Words(text, " "))
    if (token != "_") kept.push_back(token);
  return common::notation::Join(kept, " ");
}

int32_t fTToALTRowImages(int16_t altType) {
  common::ProcTrace t("fTToALTRowImages");
  std::string notesPhrase, durationPhrase;
  auto rs = shell::DatabaseB.OpenRecordset("Raga - ALT Phrases", dao::dbOpenTable);
  common::sSetTablePKRecord2(rs, common::CurrRagaIndex, altType);
  if (!rs.NoMatch()) {
    notesPhrase = vb::NzString(rs.Fields("NotesPhrase"));
    if (altType != kTaan) durationPhrase = vb::NzString(rs.Fields("DurationPhrase"));
  }
  rs.Close();
  // Each note word with the duration word it is stored with, phrases separated by ","
  // (the word standing between two phrases' durations is their separator), as the
  // program reads a list to play it; a note past the last duration has none.
  const bool timed = altType != kTaan;
  const std::vector<std::string> stored = common::notation::Words(durationPhrase, " ");
  std::vector<std::string> notes, durations;
  size_t d = 0;
  int32_t missing = 0;
  bool anyDuration = false;
  for (const std::string& phrase : common::notation::Words(notesPhrase, ",")) {
    if (!notes.empty()) {
      notes.emplace_back(",");
      if (timed) durations.emplace_back(",");
    }
    for (const std::string& segment : common::notation::Words(phrase, ":")) {
      for (const std::string& note : common::notation::Words(segment, " ")) {
        notes.push_back(note);
        if (!timed) continue;
        if (d < stored.size()) {
          durations.push_back(stored[d]);
          anyDuration = true;
        } else {
          durations.emplace_back(kNoNote);
          ++missing;
        }
        ++d;
      }
    }
    ++d;
  }
  if (altType == 2 && anyDuration)
    durations = common::notation::Words(fConvertDurationToBeats(common::notation::Join(durations, " ")), " ");
  PhraseTokenCount = static_cast<int16_t>(notes.size());
  // Rows enough for both texts: a stored row whose durations are missing keeps its notes.
  const size_t longest = std::max(notes.size(), durations.size());
  TopRowIndex = 1;
  sSetRowImageCount(static_cast<int16_t>(longest / kSlotsPerRow + 1));
  Pack(notes, NotesRowImages, RowImageCount);
  Pack(durations, DurRowImages, RowImageCount);
  Pack({}, SylRowImages, RowImageCount);
  return missing;
}

SlotWork fShownSlotWork() {
  common::ProcTrace t("fShownSlotWork");
  const int16_t type = common::CurrPhraseType;
  const std::vector<std::string> notes = Flatten(NotesRowImages, RowImageCount);
  const std::vector<std::string> none(notes.size(), kNoNote);
  return fSlotWorkOf(notes, type == kTaan ? none : Flatten(DurRowImages, RowImageCount),
                     IsComposition(type) ? Flatten(SylRowImages, RowImageCount) : none);
}

SlotWork fSlotWorkOf(const std::vector<std::string>& notes, const std::vector<std::string>& durations,
                     const std::vector<std::string>& syllables) {
  const auto at = [](const std::vector<std::string>& words, size_t k) {
    return k < words.size() ? words[k] : std::string(kNoNote);
  };
  SlotWork work;
  for (size_t k = 0; k < std::max({notes.size(), durations.size(), syllables.size()}); ++k) {
    SlotTokens slot{at(notes, k), at(durations, k), at(syllables, k)};
    if (slot.note != kNoNote || slot.duration != kNoNote || slot.syllable != kNoNote) work.push_back(std::move(slot));
  }
  return work;
}

}  // namespace composer
