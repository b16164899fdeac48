#include "sound/PhraseRecords.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/LibraryText.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace sound {

namespace {

using common::notation::Join;
using common::notation::Words;

constexpr int16_t kDemoMode = 1;
constexpr int32_t kUntimedNoteMs = 1000;

// A timing word read as a decimal number; a word that is none is error 13.
double DecimalOf(const std::string& word) {
  if (!vb::IsNumeric(word)) vb::Raise(vb::kTypeMismatch, "Type mismatch: '" + word + "' is no number");
  return vb::Val(word);
}

// The display text of an English phrase in script, with one word-table entry per
// English word, so that note k and its displayed word always share index k - 1. In
// Devanagari the text is fPrepareNotationDevnagariString's: a "," word shows as three
// blanks (length 0 in the table), a ":" word as " : ".
void SetDisplayText(NotesListRec& rec, const std::string& phrase, const std::vector<std::string>& words) {
  rec.Script = shell::NotationScript;
  rec.WordStarts.assign(words.size() + 1, 0);
  rec.WordLengths.assign(words.size() + 1, 0);
  if (rec.Script != common::kScriptDevnagari) {
    rec.Text = phrase;
    std::vector<int32_t> starts, lengths;
    common::fParseString1(phrase, " ", starts, lengths);
    for (size_t k = 0; k < words.size(); ++k) {
      rec.WordStarts[k] = starts[k];
      rec.WordLengths[k] = lengths[k];
    }
    return;
  }
  rec.Text.clear();
  for (size_t k = 0; k < words.size(); ++k) {
    if (k > 0) rec.Text += " ";
    const auto at = static_cast<int32_t>(rec.Text.size()) + 1;  // 1-based start of the shown word
    if (words[k] == ",") {
      rec.Text += "   ";
      rec.WordStarts[k] = at;
    } else if (words[k] == ":") {
      rec.Text += " : ";
      rec.WordStarts[k] = at + 1;
      rec.WordLengths[k] = 1;
    } else {
      const std::string shown = common::fGetDevForEng(words[k]);
      rec.Text += shown;
      rec.WordStarts[k] = at;
      rec.WordLengths[k] = static_cast<int32_t>(shown.size());
    }
  }
}

// The word table of a display text split at blanks, at least `entries` long.
void SetWordTable(NotesListRec& rec, size_t entries) {
  std::vector<int32_t> starts, lengths;
  const auto n = static_cast<size_t>(common::fParseString1(rec.Text, " ", starts, lengths));
  rec.WordStarts.assign(std::max(entries, n + 1), 0);
  rec.WordLengths.assign(std::max(entries, n + 1), 0);
  for (size_t k = 0; k < n; ++k) {
    rec.WordStarts[k] = starts[k];
    rec.WordLengths[k] = lengths[k];
  }
}

// Duration in ms of one timing word: taans and film songs may hold decimals ("2.5" is
// 25 ms); other items count only the leading digits.
int32_t DurationMs(const std::string& word) {
  if ((CurrMusicItemType == kTaanItem || CurrMusicItemType == kFilmSongItem) && word.find('.') != std::string::npos)
    return vb::CLng(DecimalOf(word) * 10);
  return vb::CLng(static_cast<double>(AltricaVal(word)) * 10);
}

}  // namespace

double fGetSpeedFactor() {
  common::ProcTrace t("fGetSpeedFactor");
  if (shell::CurrForm == nullptr) vb::Raise(vb::kObjectNotSet);
  const int32_t value = shell::CurrForm->Ctl("cSlider").Value();
  if (value < 0 || value >= static_cast<int32_t>(shell::SpeedFactors.size())) vb::Raise(vb::kSubscript);
  return shell::SpeedFactors[static_cast<size_t>(value)];
}

int16_t fCreateNotesList1(int16_t slot) {
  common::ProcTrace t("fCreateNotesList1");
  if (slot < 0 || slot >= static_cast<int16_t>(NotesList.size())) vb::Raise(vb::kSubscript);
  const int32_t p = TPlayInfo.CurrPhrase;
  if (p < 1 || static_cast<size_t>(p) > TPlayInfo.Phrases.size()) vb::Raise(vb::kSubscript);
  const std::string phrase = TPlayInfo.Phrases[static_cast<size_t>(p - 1)];
  const std::string timing =
      static_cast<size_t>(p) <= TPlayInfo.Timings.size() ? TPlayInfo.Timings[static_cast<size_t>(p - 1)] : "";
  // Notes and durations follow the stored English words, whatever the display script.
  const std::vector<std::string> words = Words(phrase, " ");
  const size_t n = words.size();
  if (n > static_cast<size_t>(INT16_MAX)) vb::Raise(vb::kOverflow);

  NotesListRec& rec = NotesList[static_cast<size_t>(slot)];
  rec.Notes.assign(n + 1, common::PhraseNote{});
  rec.Durations.assign(n + 1, 0);
  // A timing text without words (none stored) gives every note the same length.
  const std::vector<std::string> timingWords = Words(timing, " ");
  const bool untimed = timingWords.empty();
  // A composition in learning or practice mode is timed on the beat grid.
  const bool grid = !untimed && CurrMusicItemType == kCompositionItem && CurrOperationMode != kDemoMode;
  const size_t cells = static_cast<size_t>(std::max(0, CompCycleCount * CompBeatCount));
  rec.Positions.assign(grid ? cells + 1 : n + 1, 0);
  SetDisplayText(rec, phrase, words);
  for (size_t k = 0; k < n; ++k) rec.Notes[k] = common::fGetPhraseNote(words[k]);

  if (untimed) {
    for (size_t k = 0; k < n; ++k) {
      rec.Durations[k] = kUntimedNoteMs;
      rec.Positions[k + 1] = rec.Positions[k] + kUntimedNoteMs;
    }
  } else {
    if (grid) {
      // One cell per beat; the last entry is the end of the grid.
      const double beatMs = BaseBeat * fGetSpeedFactor() * 10;
      for (size_t i = 1; i <= cells; ++i) rec.Positions[i] = vb::CLng(beatMs * static_cast<double>(i));
    }
    // Each duration is checked against the longest phrase the renderer takes before it
    // is added, so the sum stays within it too.
    int32_t total = 0;
    for (size_t k = 0; k < n; ++k) {
      rec.Durations[k] = k < timingWords.size() ? DurationMs(timingWords[k]) : 0;
      if (rec.Durations[k] < 0 || rec.Durations[k] > kLongestPhraseMs - total)
        vb::Raise(vb::kOverflow, "Overflow: the phrase lasts longer than " + std::to_string(kLongestPhraseMs) +
                                     " ms, the longest a phrase can play");
      total += rec.Durations[k];
      if (!grid) rec.Positions[k + 1] = total;
    }
  }
  rec.CurrNote = 1;
  rec.NoteCount = static_cast<int16_t>(n);
  return rec.NoteCount;
}

std::string fCreateDurationPhrase(const std::string& phraseList, int16_t kind) {
  common::ProcTrace t("fCreateDurationPhrase");
  const int16_t unit = kind == 6 ? 15 : kind == 10 ? BaseBeat : 0;
  const std::string unitText = std::to_string(unit) + " ";
  const std::vector<std::string> phrases = Words(phraseList, ",");
  std::string out;
  for (size_t i = 0; i < phrases.size(); ++i) {
    const size_t notes = Words(common::fRemoveColons(phrases[i]), " ").size();
    for (size_t k = 0; k < notes; ++k) out += unitText;
    if (i + 1 < phrases.size()) out += ", ";
  }
  return out;
}

std::string fConvertMatraToDuration(const std::string& matras, int16_t unit) {
  common::ProcTrace t("fConvertMatraToDuration");
  // Each note ends where its exact position in the phrase rounds to, so that the
  // rounding never adds up and every beat keeps its length.
  auto rounded = [](double x) {
    const double whole = std::floor(x);
    return whole + (x - whole > 0.5 ? 1 : 0);
  };
  std::vector<std::string> out;
  double matrasBefore = 0.0;
  double start = 0.0;
  for (const auto& word : Words(matras, " ")) {
    matrasBefore += DecimalOf(word);
    const double end = rounded(matrasBefore * unit);
    out.push_back(std::to_string(vb::CInt(end - start)));
    start = end;
  }
  return Join(out, " ");
}

std::string fFactorTimingScript(const std::string& script) {
  common::ProcTrace t("fFactorTimingScript");
  const double f = fGetSpeedFactor();
  if (f == 1.0) return script;
  std::vector<std::string> segments;
  for (const auto& segment : Words(script, ",")) {
    // Each number ends where its exact scaled position in the segment rounds to.
    std::vector<std::string> numbers;
    double before = 0.0;
    int32_t start = 0;
    for (const auto& word : Words(segment, " ")) {
      before += DecimalOf(word);
      const int32_t end = vb::CLng(before * f);
      numbers.push_back(vb::Str(vb::CInt(static_cast<double>(end - start))));
      start = end;
    }
    if (!numbers.empty()) segments.push_back(Join(numbers, " "));
  }
  return Join(segments, " , ");
}

void sAdjustMDMStr() {
  common::ProcTrace t("sAdjustMDMStr");
  for (size_t slot = 0; slot < 2; ++slot) {
    NotesListRec& rec = NotesList[slot];
    if (rec.Text.empty() || rec.Script == shell::NotationScript) continue;
    rec.Text = fConvertFont(rec.Text, rec.Script);
    rec.Script = shell::NotationScript;
    SetWordTable(rec, static_cast<size_t>(std::max<int16_t>(rec.NoteCount, 0)) + 1);
  }
}

std::string fConvertFont(const std::string& text, int16_t fromScript) {
  common::ProcTrace t("fConvertFont");
  std::vector<std::string> words = Words(text, " ");
  for (auto& word : words) {
    if (fromScript == common::kScriptDevnagari) {
      word = common::fGetEngForDev(word);
    } else if (fromScript == common::kScriptEnglish) {
      word = common::fGetDevForEng(word);
    }
  }
  return Join(words, " ");
}

int32_t AltricaVal(const std::string& text) {
  common::ProcTrace t("AltricaVal");
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > INT32_MAX) return vb::CLng(static_cast<double>(value));  // error 6
  }
  return static_cast<int32_t>(value);
}

}  // namespace sound
