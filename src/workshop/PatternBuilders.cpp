#include "workshop/PatternBuilders.h"

#include <array>
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/RagaReaders.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "workshop/PatternLanguage.h"
#include "workshop/WorkshopActions.h"
#include "workshop/WorkshopState.h"

namespace workshop {

namespace {

using common::notation::Join;
using common::notation::Words;

constexpr int16_t kPracticeMode = 3;
constexpr const char* kCannotIllustrate = "The selected phrase cannot be illustrated. Please select another.";

// The note a word lands on: its last "'"-separated part.
std::string Landing(const std::string& word) {
  const size_t glide = word.rfind('\'');
  return glide == std::string::npos ? word : word.substr(glide + 1);
}

// The English note table entry (0 "S<" to 35 "N>") of the note a word lands on; -1 for none.
int16_t PitchOf(const std::string& word) { return common::notation::FindNote(common::EnglishNotes, Landing(word)); }

bool Refuse() {
  sound::PhraseNotes.clear();
  BasePatternPhrase.clear();
  vb::Message(kCannotIllustrate);
  return false;
}

// Position of a workbench note in ScaleNotes(0 .. ScaleNoteCount - 1); -1 when absent.
int32_t PositionOf(int32_t note) {
  for (int32_t p = 0; p < ScaleNoteCount && p < kWorkbenchNotes; ++p)
    if (ScaleNotes[static_cast<size_t>(p)] == note) return p;
  return -1;
}

// Every position p0 + direction * (o + s), for each offset o and 0 <= s <= runs - 1, lies
// within the scale.
bool RunsStayInScale(int32_t p0, int32_t direction, int32_t runs) {
  for (int32_t s = 0; s < runs; ++s) {
    for (const int16_t o : PatternOffsets) {
      const int32_t p = p0 + direction * (o + s);
      if (p < 0 || p >= ScaleNoteCount) return false;
    }
  }
  return true;
}

void AppendWord(std::string& phrase, const std::string& word) {
  if (!phrase.empty()) phrase += " ";
  phrase += word;
}

// Runs of the figure over ScaleNotes from position p0, each `direction` one position
// further, a " :" after each in practice mode when `segments`.
void AppendScaleRuns(std::string& phrase, int32_t p0, int32_t direction, int32_t runs, bool segments) {
  for (int32_t s = 0; s < runs; ++s) {
    for (const int16_t o : PatternOffsets) {
      const auto note = ScaleNotes[static_cast<size_t>(p0 + direction * (o + s))];
      AppendWord(phrase, WBNoteNames[static_cast<size_t>(note)]);
    }
    if (s == 0 && BasePatternPhrase.empty()) BasePatternPhrase = phrase;
    if (segments) phrase += " :";
  }
}

// The straightened aroha or avroha with "S" and "S>" back at their pitch place when no
// word lands on them (an aroha that starts below "S", or an "S>" passed over after a
// higher note).
std::string WithTonicWords(const std::string& straight, int16_t direction) {
  std::vector<std::string> words = Words(straight, " ");
  for (const char* tonic : {"S", "S>"}) {
    const int16_t pitch = common::notation::FindNote(common::EnglishNotes, tonic);
    bool present = false;
    for (const std::string& w : words) present = present || Landing(w) == tonic;
    if (present) continue;
    auto at = words.begin();
    while (at != words.end() && (direction > 0 ? PitchOf(*at) < pitch : PitchOf(*at) > pitch)) ++at;
    words.insert(at, tonic);
  }
  return Join(words, " ");
}

// One half of the raga builder over its word list: runs from the first word landing on
// `from` until a run's last word lands on `to` (only one run when oneRun). False when a
// run would read outside the list or no word lands on `from`.
bool AppendRagaRuns(std::string& phrase, const std::vector<std::string>& words, const char* from, const char* to,
                    bool oneRun) {
  int32_t start = -1;
  for (size_t i = 0; i < words.size() && start < 0; ++i)
    if (Landing(words[i]) == from) start = static_cast<int32_t>(i);
  if (start < 0) return false;
  RagaPhraseStart = static_cast<int16_t>(start + 1);
  const auto n = static_cast<int32_t>(words.size());
  for (int32_t s = 0;; ++s) {
    std::string last;
    for (size_t k = 0; k < PatternOffsets.size(); ++k) {
      const int32_t p = start + PatternOffsets[k] + s;
      if (p < 0 || p >= n) return false;
      std::string word = words[static_cast<size_t>(p)];
      // A run does not begin on the grace note of a two-note glide.
      if (k == 0 && Words(word, "'").size() == 2) word = Landing(word);
      AppendWord(phrase, word);
      last = word;
    }
    if (s == 0 && BasePatternPhrase.empty()) BasePatternPhrase = phrase;
    if (oneRun || Landing(last) == to) return true;
  }
}

// The aroha (direction 1) or avroha (-1) of the current raga as the raga builder walks it.
std::vector<std::string> RagaWords(int16_t direction) {
  std::string notes = direction > 0 ? common::fGetFromT_ArohaPhrase(common::kReadNotes)
                                    : common::fGetFromT_AvrohaPhrase(common::kReadNotes);
  if (shell::GraceNotes == common::kGraceNotesNone) notes = common::fRemoveGlides(notes);
  const std::string straight = WithTonicWords(fStraightenOutPhrase(notes, direction), direction);
  return Words(fAugmentRagaPhraseNotes(straight, direction > 0 ? 1 : 2), " ");
}

}  // namespace

bool sCreateScalePatternFromBP() {
  common::ProcTrace t("sCreateScalePatternFromBP");
  sound::PhraseNotes.clear();
  BasePatternPhrase.clear();
  if (PatternOffsets.empty()) return Refuse();
  const int32_t p0 = PositionOf(PatternStartNote);
  if (p0 < 0) return Refuse();
  std::string phrase;
  if (PatternRunMode == 1) {
    if (!RunsStayInScale(p0, 1, 1)) return Refuse();
    AppendScaleRuns(phrase, p0, 1, 1, false);
  } else {
    // The ascending half ends on the run whose last note is "S>", the descending half
    // on the run whose last note is "S"; the figure must reach them exactly, and inside
    // the scale.
    const int32_t upper = PositionOf(kNoteUpperS);
    const int32_t lower = PositionOf(kNoteS);
    const int32_t last = PatternOffsets.back();
    const int32_t runsUp = upper - p0 - last + 1;
    const int32_t runsDown = upper - lower - last + 1;
    if (upper < 0 || lower < 0 || runsUp < 1 || runsDown < 1) return Refuse();
    if (!RunsStayInScale(p0, 1, runsUp) || !RunsStayInScale(upper, -1, runsDown)) return Refuse();
    const bool segments = sound::CurrOperationMode == kPracticeMode;
    AppendScaleRuns(phrase, p0, 1, runsUp, segments);
    AppendScaleRuns(phrase, upper, -1, runsDown, segments);
  }
  sound::PhraseNotes = phrase;
  return true;
}

bool sCreateRagaPatternFromBP() {
  common::ProcTrace t("sCreateRagaPatternFromBP");
  sound::PhraseNotes.clear();
  BasePatternPhrase.clear();
  if (PatternOffsets.empty()) return Refuse();
  std::string phrase;
  const bool once = PatternRunMode == 1;
  if (!AppendRagaRuns(phrase, RagaWords(1), "S", "S>", once)) return Refuse();
  if (!once && !AppendRagaRuns(phrase, RagaWords(-1), "S>", "S", false)) return Refuse();
  sound::PhraseNotes = phrase;
  return true;
}

std::string fStraightenOutPhrase(const std::string& phrase, int16_t direction) {
  common::ProcTrace t("fStraightenOutPhrase");
  constexpr int32_t kHighest = 25;  // "S>", 1-based
  constexpr int32_t kLowest = 12;   // "N<", 1-based
  const std::vector<std::string> words = Words(phrase, " ");
  std::array<int32_t, 37> byPitch{};  // by 1-based pitch: 1-based word number, 0 none
  int32_t previous = direction > 0 ? 0 : 37;
  for (size_t i = 0; i < words.size(); ++i) {
    const int32_t k = PitchOf(words[i]) + 1;
    if (k == 0) continue;
    if (direction > 0 ? k > previous && k <= kHighest : k < previous && k >= kLowest)
      byPitch[static_cast<size_t>(k)] = static_cast<int32_t>(i + 1);
    previous = k;
  }
  std::vector<std::string> out;
  for (int32_t j = 1; j <= 36; ++j) {
    const int32_t k = direction > 0 ? j : 37 - j;
    if (byPitch[static_cast<size_t>(k)] != 0) out.push_back(words[static_cast<size_t>(byPitch[static_cast<size_t>(k)] - 1)]);
  }
  return Join(out, " ");
}

std::string fAugmentRagaPhraseNotes(const std::string& phrase, int16_t kind) {
  common::ProcTrace t("fAugmentRagaPhraseNotes");
  const std::vector<std::string> words = Words(phrase, " ");
  std::vector<int16_t> held;
  for (const std::string& w : words) held.push_back(PitchOf(w));
  auto isHeld = [&held](const std::string& word) {
    const int16_t pitch = PitchOf(word);
    for (const int16_t h : held)
      if (h == pitch) return true;
    return false;
  };
  const std::string upperEnds = "rRgGmMP";
  const std::string lowerEnds = "PdDnN";
  std::vector<std::string> upper;
  std::vector<std::string> lower;
  for (const std::string& word : words) {
    const char end = word.empty() ? '\0' : word.back();
    if (end == '\0' || end == '<' || end == '>') continue;
    for (const bool up : {true, false}) {
      if ((up ? upperEnds : lowerEnds).find(end) == std::string::npos) continue;
      std::vector<std::string> parts;
      for (const std::string& part : Words(word, "'")) {
        if (part.size() == 1) {
          parts.push_back(part + (up ? ">" : "<"));
        } else if (part.back() == (up ? '<' : '>')) {
          parts.push_back(part.substr(0, 1));  // back into the middle octave
        } else if (part.back() == (up ? '>' : '<')) {
          return "";  // beyond the workbench notes
        }
      }
      const std::string copied = Join(parts, "'");
      if (!copied.empty() && !isHeld(copied)) (up ? upper : lower).push_back(copied);
    }
  }
  std::vector<std::string> pieces;
  for (const std::string& piece : kind == 1 ? std::array{Join(lower, " "), phrase, Join(upper, " ")}
                                            : std::array{Join(upper, " "), phrase, Join(lower, " ")})
    if (!piece.empty()) pieces.push_back(piece);
  return Join(pieces, " ");
}

bool sUpdatePatternPhrase() {
  common::ProcTrace t("sUpdatePatternPhrase");
  const std::string before = UserPatternPhrase;
  UserPatternPhrase +=
      PatternTokenStart + PatternTokenDirection + PatternTokenMove + std::to_string(PatternTokenCount);
  if (!fInterpretPattern(UserPatternPhrase)) {
    UserPatternPhrase = before;
    vb::Message("Error in phrase spec");
    return false;
  }
  PatternStartNote = kNoteS;
  PatternRunMode = 1;
  if (!sCreateScalePatternFromBP()) {
    UserPatternPhrase = before;
    return false;
  }
  forms::Form& form = FrontForm();
  forms::Control& name = form.Ctl("cPatName");
  AdjustFont(name);
  name.SetText(DisplayText(sound::PhraseNotes));
  name.SetVisible(true);
  form.Ctl("cPattern").SetVisible(true);
  return true;
}

}  // namespace workshop
