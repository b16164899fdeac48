#include "common/Notation.h"

#include <algorithm>

#include "common/CommonState.h"
#include "common/NotationWords.h"
#include "common/StringUtil.h"
#include "common/Trace.h"

namespace common {

namespace notation {

std::vector<std::string> Words(const std::string& text, const char* separator) {
  std::vector<int32_t> starts;
  std::vector<int32_t> lengths;
  const int32_t count = fParseString1(text, separator, starts, lengths);
  std::vector<std::string> words;
  words.reserve(static_cast<size_t>(count));
  for (int32_t n = 1; n <= count; ++n) words.push_back(fGetWord1(text, n, starts, lengths));
  return words;
}

std::string Join(const std::vector<std::string>& words, const char* separator) {
  std::string out;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0) out += separator;
    out += words[i];
  }
  return out;
}

ColonWord SplitColon(const std::string& word) {
  if (!word.empty() && word.front() == ':') return {":", word.substr(1), ""};
  if (!word.empty() && word.back() == ':') return {"", word.substr(0, word.size() - 1), ":"};
  return {"", word, ""};
}

int16_t FindNote(const std::array<std::string, 37>& table, const std::string& name) {
  for (int16_t i = 0; i < 36; ++i) {
    if (table[static_cast<size_t>(i)] == name) return i;
  }
  return -1;
}

}  // namespace notation

namespace {

using notation::FindNote;
using notation::Join;
using notation::SplitColon;
using notation::Words;

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// The twelve notes of one octave, S r R g G m M P d D n N, in both scripts.
constexpr const char* kEnglishOctave[12] = {"S", "r", "R", "g", "G", "m", "M", "P", "d", "D", "n", "N"};
constexpr const char* kDevnagariOctave[12] = {"saa", "ro\\", "ro", "ga\\", "ga", "ma",
                                              "ma\\", "p", "Qa\\", "Qa", "ina\\", "ina"};

// word converted piece by piece at "'" from one table into the other; "'" stands
// before every piece after the first, whether or not the first was found.
std::string ConvertWord(const std::string& word, const std::array<std::string, 37>& from,
                        const std::array<std::string, 37>& to) {
  const auto parts = SplitColon(word);
  const auto pieces = Words(parts.Core, "'");
  std::string out = parts.Lead;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) out += "'";
    const int16_t k = FindNote(from, pieces[i]);
    if (k >= 0) out += to[static_cast<size_t>(k)];
  }
  return out + parts.Trail;
}

}  // namespace

void sInitScales() {
  ProcTrace t("sInitScales");
  const char* englishMarks[3] = {"<", "", ">"};
  const char* devnagariMarks[3] = {",", "", "M"};
  for (size_t octave = 0; octave < 3; ++octave) {
    for (size_t position = 0; position < 12; ++position) {
      const size_t k = octave * 12 + position;
      EnglishNotes[k] = std::string(kEnglishOctave[position]) + englishMarks[octave];
      DevnagariNotes[k] = std::string(kDevnagariOctave[position]) + devnagariMarks[octave];
      NoteFnames[k] = (k < 10 ? "0" : "") + std::to_string(k);
    }
  }
  EnglishNotes[36].clear();
  DevnagariNotes[36].clear();
  NoteFnames[36].clear();
}

std::string fGetDevnagariStringForNote(const std::string& englishName) {
  ProcTrace t("fGetDevnagariStringForNote");
  const int16_t k = FindNote(EnglishNotes, englishName);
  return k < 0 ? std::string() : DevnagariNotes[static_cast<size_t>(k)];
}

std::string fGetStringForNote(int16_t index, int16_t script) {
  ProcTrace t("fGetStringForNote");
  if (index < 0 || index > 36) return "";
  if (script == kScriptDevnagari) return DevnagariNotes[static_cast<size_t>(index)];
  if (script == kScriptEnglish) return EnglishNotes[static_cast<size_t>(index)];
  return "";
}

int16_t fIsEnglishNote(const std::string& word) {
  ProcTrace t("fIsEnglishNote");
  return FindNote(EnglishNotes, word) >= 0 ? kTrue : kFalse;
}

int16_t fIsDevnagriNote(const std::string& word) {
  ProcTrace t("fIsDevnagriNote");
  return FindNote(DevnagariNotes, word) >= 0 ? kTrue : kFalse;
}

int16_t fIsColon(const std::string& word) {
  ProcTrace t("fIsColon");
  return word == ":" ? kTrue : kFalse;
}

int16_t fIsLegalNote(const std::string& word, int16_t script) {
  ProcTrace t("fIsLegalNote");
  const std::string rest = SplitColon(word).Core;
  if (std::count(rest.begin(), rest.end(), '\'') >= 2) return kFalse;
  for (const auto& piece : Words(rest, "'")) {
    if (script == kScriptDevnagari && !fIsDevnagriNote(piece)) return kFalse;
    if (script == kScriptEnglish && !fIsEnglishNote(piece)) return kFalse;
  }
  return kTrue;
}

bool fIsNoteWord(const std::string& word) {
  const size_t glide = word.find('\'');
  const auto isNote = [](const std::string& name) { return !name.empty() && FindNote(EnglishNotes, name) >= 0; };
  if (glide == std::string::npos) return isNote(word);
  return isNote(word.substr(0, glide)) && isNote(word.substr(glide + 1));
}

int16_t fIsLegalNotationPhrase(const std::string& phrase, int16_t script) {
  ProcTrace t("fIsLegalNotationPhrase");
  for (const auto& word : Words(phrase, " ")) {
    if (word == ",") return kFalse;
    if (!fIsColon(word) && !fIsLegalNote(word, script)) return kFalse;
  }
  return kTrue;
}

std::string fGetDevForEng(const std::string& word) {
  ProcTrace t("fGetDevForEng");
  return ConvertWord(word, EnglishNotes, DevnagariNotes);
}

std::string fGetEngForDev(const std::string& word) {
  ProcTrace t("fGetEngForDev");
  return ConvertWord(word, DevnagariNotes, EnglishNotes);
}

std::string fPrepareNotationDevnagariString(const std::string& phrase) {
  ProcTrace t("fPrepareNotationDevnagariString");
  std::vector<std::string> out;
  for (const auto& word : Words(phrase, " ")) {
    if (word == ",") {
      out.push_back("   ");
    } else if (word == ":") {
      out.push_back(" : ");
    } else {
      out.push_back(ConvertWord(word, EnglishNotes, DevnagariNotes));
    }
  }
  return Join(out, " ");
}

std::string fPrepareNotationDisplayString(const std::string& phrase) {
  ProcTrace t("fPrepareNotationDisplayString");
  return Join(Words(phrase, " "), "   ");
}

std::string fRemoveColons(const std::string& phrase) {
  ProcTrace t("fRemoveColons");
  std::vector<std::string> pieces = Words(phrase, ":");
  for (auto& piece : pieces) piece = fRmvTrailBlk(fRmvLeadBlk(piece));
  return Join(pieces, " ");
}

std::string fRemoveGlides(const std::string& phrase) {
  ProcTrace t("fRemoveGlides");
  std::vector<std::string> out;
  for (const auto& word : Words(phrase, " ")) {
    if (word == "," || word == ":") {
      out.push_back(word);
      continue;
    }
    // The landing note is the last "'"-piece: "S'R" -> "R", "S<'P<" -> "P<", "S'" -> "S".
    const auto parts = SplitColon(word);
    const auto pieces = Words(parts.Core, "'");
    out.push_back(parts.Lead + (pieces.empty() ? parts.Core : pieces.back()) + parts.Trail);
  }
  return Join(out, " ");
}

std::string fSeparateColons(const std::string& phrase) {
  ProcTrace t("fSeparateColons");
  std::vector<int32_t> starts;
  std::vector<int32_t> lengths;
  const int32_t count = fParseString1(phrase, " ", starts, lengths);
  std::string out;
  size_t copied = 0;  // characters of phrase already written
  for (int32_t n = 1; n <= count; ++n) {
    const size_t start = static_cast<size_t>(starts[static_cast<size_t>(n - 1)] - 1);
    out += phrase.substr(copied, start - copied);  // the blanks before the word, as they are
    const std::string word = fGetWord1(phrase, n, starts, lengths);
    copied = start + word.size();
    const auto parts = SplitColon(word);
    if (parts.Core.empty()) {
      out += word;
    } else if (!parts.Lead.empty()) {
      out += parts.Lead + " " + parts.Core;
    } else if (!parts.Trail.empty()) {
      out += parts.Core + " " + parts.Trail;
    } else {
      out += word;
    }
  }
  return out + phrase.substr(copied);
}

std::string fGetNotationText(const std::string& phrase, int16_t script, int16_t graceNotes) {
  ProcTrace t("fGetNotationText");
  std::string text = graceNotes == kGraceNotesNone ? fRemoveGlides(phrase) : phrase;
  if (script == kScriptDevnagari) text = fPrepareNotationDevnagariString(text);
  return fPrepareNotationDisplayString(text);
}

void sLoadNotation(NotationControl& control, const std::string& phrase) {
  ProcTrace t("sLoadNotation");
  control.SetText(fGetNotationText(phrase));
}

void sSetDevnagariFont(NotationControl& control) {
  ProcTrace t("sSetDevnagariFont");
  control.SetFont(kDevnagariFont);
}

void sSetEnglishFont(NotationControl& control) {
  ProcTrace t("sSetEnglishFont");
  control.SetFont(kEnglishFont);
}

}  // namespace common
