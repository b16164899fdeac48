#include "common/LibraryText.h"

#include <utility>
#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "platform/vb/Variant.h"
#include "shell/ShellState.h"

namespace common {

namespace {

using notation::Join;
using notation::Words;

// A library note number with two digits. Numbers below 0 have no token: the lowest
// note the library has stands in for them.
std::string TwoDigits(int32_t number) {
  if (number < 0) number = 0;
  return (number < 10 ? "0" : "") + std::to_string(number);
}

// The token of a grace note (none when it falls below the library's range) and a main note.
std::string Token(int32_t grace, int32_t main, int16_t tonic) {
  std::string token;
  if (grace >= 0 && grace + tonic - 3 >= 0) token = TwoDigits(grace + tonic - 3);
  return token + TwoDigits(main + tonic - 3);
}

// "15" once per word of phrase, which is left trimmed.
std::string TimingScript(std::string& phrase) {
  phrase = fRmvTrailBlk(fRmvLeadBlk(phrase));
  return Join(std::vector<std::string>(Words(phrase, " ").size(), "15"), " ");
}

}  // namespace

std::string fGetFnameForNote(const std::string& englishName) {
  ProcTrace t("fGetFnameForNote");
  const int16_t k = notation::FindNote(EnglishNotes, englishName);
  return k < 0 ? std::string() : NoteFnames[static_cast<size_t>(k)];
}

PhraseNote fGetPhraseNote(const std::string& word) {
  ProcTrace t("fGetPhraseNote");
  std::vector<int16_t> codes;
  for (const auto& piece : Words(notation::SplitColon(word).Core, "'")) {
    const std::string code = fGetFnameForNote(piece);
    if (!code.empty()) codes.push_back(static_cast<int16_t>(std::stoi(code)));
  }
  if (codes.empty()) return {};
  if (codes.size() == 1) return {-1, codes[0]};
  return {codes[codes.size() - 2], codes.back()};
}

int16_t fGetLibraryNoteNumber(int16_t code, int16_t tonic) {
  ProcTrace t("fGetLibraryNoteNumber");
  return static_cast<int16_t>(code + tonic - 3);
}

bool fIsNoteInLibraryRange(const PhraseNote& note, int16_t tonic) {
  ProcTrace t("fIsNoteInLibraryRange");
  return note.IsNote() && fGetLibraryNoteNumber(note.Main, tonic) >= 0;
}

std::string fGetFnameForCurrTonicNote(int32_t noteNumber, int16_t tonic) {
  ProcTrace t("fGetFnameForCurrTonicNote");
  if (noteNumber < 0) return "";
  std::string digits = std::to_string(noteNumber);
  if (digits.size() % 2 == 1) digits.insert(0, "0");
  std::string token;
  for (size_t i = 0; i < digits.size(); i += 2) {
    const int32_t code = std::stoi(digits.substr(i, 2));
    if (i + 2 < digits.size()) {
      if (code + tonic - 3 >= 0) token += TwoDigits(code + tonic - 3);  // a grace note
    } else {
      token += TwoDigits(code + tonic - 3);
    }
  }
  return token;
}

std::string fGetFnameForCurrTonicNote(const PhraseNote& note, int16_t tonic) {
  ProcTrace t("fGetFnameForCurrTonicNote");
  if (!note.IsNote()) return "";
  return Token(note.HasGrace() ? note.Grace : -1, note.Main, tonic);
}

std::string fGetLibraryNoteText(std::span<const PhraseNote> notes, std::span<const int32_t> durations,
                                int16_t tonic) {
  ProcTrace t("fGetLibraryNoteText");
  if (durations.size() < notes.size()) vb::Raise(vb::kSubscript);
  std::vector<std::string> tokens;
  tokens.reserve(notes.size());
  for (size_t k = 0; k < notes.size(); ++k) {
    PhraseNote note = notes[k];
    if (durations[k] <= kShortestGlideMs) note.Grace = -1;
    tokens.push_back(fGetFnameForCurrTonicNote(note, tonic));
  }
  return Join(tokens, "  ");
}

std::string fGetLibraryDurationText(std::span<const int32_t> durations) {
  ProcTrace t("fGetLibraryDurationText");
  std::string out;
  for (size_t k = 0; k < durations.size(); ++k) {
    if (k > 0) out += " ";
    out += std::to_string(durations[k]);
  }
  return out;
}

std::string fConvertNotePhraseToMusicGenerationFormat(const std::string& phrase, int16_t tonic) {
  ProcTrace t("fConvertNotePhraseToMusicGenerationFormat");
  std::vector<std::string> tokens;
  for (const auto& word : Words(phrase, " ")) {
    const PhraseNote note = fGetPhraseNote(word);
    if (note.IsNote()) tokens.push_back(fGetFnameForCurrTonicNote(note, tonic));
  }
  return Join(tokens, " ");
}

std::string fConvertDurPhraseToMusicGenerationFormat(const std::string& phrase) {
  ProcTrace t("fConvertDurPhraseToMusicGenerationFormat");
  std::vector<std::string> out;
  for (const auto& word : Words(phrase, " ")) out.push_back(vb::FormatGeneral(vb::Val(word) * 10));
  return Join(out, " ");
}

bool fReadRagaPhraseTexts(int16_t ragaIndex, RagaPhraseTexts& row) {
  ProcTrace t("fReadRagaPhraseTexts");
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Technical Information", dao::dbOpenTable);
  sSetTablePKRecord(rs, ragaIndex);
  if (rs.NoMatch()) return false;
  row.AarohaAlt = vb::NzString(rs.Fields("AarohaAlt"));
  row.AvrohaAlt = vb::NzString(rs.Fields("AvrohaAlt"));
  row.AaDuration = vb::NzString(rs.Fields("AaDuration"));
  row.AvDuration = vb::NzString(rs.Fields("AvDuration"));
  row.Pakad = vb::NzString(rs.Fields("Pakad"));
  row.PakadDuration = vb::NzString(rs.Fields("PakadDuration"));
  rs.Close();
  return true;
}

void sCreateRagaPhraseData(int16_t kind, const RagaPhraseTexts& row, std::string& notesOut,
                           std::string& durationsOut, int16_t tonic) {
  ProcTrace t("sCreateRagaPhraseData");
  std::string notes;
  std::string durations;
  if (kind == kRagaScaleData) {
    notes = row.AarohaAlt + " " + row.AvrohaAlt;
    durations = row.AaDuration + " " + row.AvDuration;
  } else if (kind == kRagaPakadData) {
    notes = fRemoveColons(row.Pakad);
    durations = fRemoveColons(row.PakadDuration);
  }
  notesOut = fConvertNotePhraseToMusicGenerationFormat(notes, tonic);
  durationsOut = fConvertDurPhraseToMusicGenerationFormat(durations);
}

std::string fGetTimingScript(std::string& phrase) {
  ProcTrace t("fGetTimingScript");
  return TimingScript(phrase);
}

std::string fGetTimingScript(std::string&& phrase) {
  ProcTrace t("fGetTimingScript");
  std::string text = std::move(phrase);
  return TimingScript(text);
}

int32_t fGetDurationValue(const std::string& phrase) {
  ProcTrace t("fGetDurationValue");
  int32_t total = 0;
  for (const auto& word : Words(phrase, " ")) total = vb::CLng(static_cast<double>(total) + vb::Val(word));
  return total;
}

}  // namespace common
