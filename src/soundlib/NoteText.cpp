#include "soundlib/NoteText.h"

#include <cmath>
#include <string_view>

#include "soundlib/Constants.h"

namespace soundlib {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Calls take(token) for each blank-separated token; stops early when take is false.
template <class Take>
bool ForEachToken(std::string_view text, Take take) {
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    const size_t begin = i;
    while (i < text.size() && !IsBlank(text[i])) ++i;
    if (i > begin && !take(text.substr(begin, i - begin))) return false;
  }
  return true;
}

int32_t PairValue(std::string_view pair) { return (pair[0] - '0') * 10 + (pair[1] - '0'); }

bool ReadNote(std::string_view token, PhraseNote& note) {
  if (token.size() < 2) return false;
  const std::string_view main = token.substr(token.size() - 2);
  const std::string_view grace = token.substr(0, token.size() - 2);
  if (!IsDigit(main[0]) || !IsDigit(main[1])) return false;
  if (!grace.empty() && grace.back() == '-') return false;  // the main note itself is negative
  note.count = 0;
  if (grace.find('-') == std::string_view::npos) {
    if (grace.size() % 2 != 0 || grace.size() / 2 >= PhraseNote::kMaxIds) return false;
    for (size_t i = 0; i < grace.size(); i += 2) {
      if (!IsDigit(grace[i]) || !IsDigit(grace[i + 1])) return false;
      note.ids[note.count++] = PairValue(grace.substr(i, 2));
    }
  } else {
    for (char c : grace)
      if (!IsDigit(c) && c != '-') return false;
  }
  note.ids[note.count++] = PairValue(main);
  return true;
}

bool ReadDuration(std::string_view token, double& ms) {
  double value = 0.0;
  double scale = 0.0;  // 0 before the decimal point
  bool digits = false;
  for (char c : token) {
    if (IsDigit(c)) {
      digits = true;
      if (scale == 0.0) {
        value = value * 10.0 + (c - '0');
      } else {
        value += (c - '0') * scale;
        scale *= 0.1;
      }
    } else if (c == '.' && scale == 0.0) {
      scale = 0.1;
    } else {
      return false;
    }
  }
  ms = value;
  return digits && value <= kMaxPhraseMs;
}

}  // namespace

bool ParsePhrase(int32_t count, const std::string& notes, const std::string& durations, Phrase& phrase) {
  phrase.notes.clear();
  phrase.endSample = 0;
  if (count <= 0) return false;
  PhraseNote note;
  const bool notesRead = ForEachToken(notes, [&](std::string_view token) {
    if (!ReadNote(token, note) || static_cast<int32_t>(phrase.notes.size()) >= count) return false;
    phrase.notes.push_back(note);
    return true;
  });
  if (!notesRead || static_cast<int32_t>(phrase.notes.size()) != count) return false;

  // Each start is the rounded sum of all durations before it, so no rounding accumulates.
  size_t k = 0;
  double totalMs = 0.0;
  const bool durationsRead = ForEachToken(durations, [&](std::string_view token) {
    double ms = 0.0;
    if (k >= phrase.notes.size() || !ReadDuration(token, ms)) return false;
    phrase.notes[k].start = std::llround(totalMs * kSamplesPerMs);
    totalMs += ms;
    phrase.notes[k].end = std::llround(totalMs * kSamplesPerMs);
    ++k;
    return totalMs <= kMaxPhraseMs;
  });
  if (!durationsRead || k != phrase.notes.size()) return false;
  phrase.endSample = phrase.notes.back().end;
  return true;
}

uint64_t SeedOf(const Phrase& phrase) {
  // FNV-1a over each note's ids and first sample.
  uint64_t hash = 0xcbf29ce484222325ull;
  auto add = [&hash](uint64_t value) {
    for (int byte = 0; byte < 8; ++byte, value >>= 8) hash = (hash ^ (value & 0xff)) * 0x100000001b3ull;
  };
  for (const PhraseNote& note : phrase.notes) {
    for (int i = 0; i < note.count; ++i) add(static_cast<uint64_t>(note.ids[i]));
    add(static_cast<uint64_t>(note.start));
  }
  add(static_cast<uint64_t>(phrase.endSample));
  return hash;
}

}  // namespace soundlib
