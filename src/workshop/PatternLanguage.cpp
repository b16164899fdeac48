#include "workshop/PatternLanguage.h"

#include <limits>
#include <string>
#include <vector>

#include "common/Trace.h"
#include "workshop/WorkshopState.h"

namespace workshop {

namespace {

constexpr size_t kLongestCount = 4;  // digits of a count

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One token appended to offsets; false when it is malformed or the figure grows past
// its limits. previousEnd carries the note the token ended on.
bool AppendToken(const std::string& token, int32_t& previousEnd, std::vector<int16_t>& offsets) {
  if (token.size() < 4 || token.size() > 3 + kLongestCount) return false;
  const char start = token[0];
  if (start != 'B' && start != 'b' && start != 'L' && start != 'l') return false;
  const int32_t step = token[1] == 'U' ? 1 : token[1] == 'D' ? -1 : 0;
  if (step == 0) return false;
  const char move = token[2];
  if (move != 'C' && move != 'J') return false;
  int32_t count = 0;
  for (size_t i = 3; i < token.size(); ++i) {
    if (!IsDigit(token[i])) return false;
    count = count * 10 + (token[i] - '0');
  }
  const int32_t base = start == 'B' || start == 'b' ? 0 : previousEnd;
  const bool include = start == 'B' || start == 'L';
  const int32_t appended = (include ? 1 : 0) + (move == 'C' ? count : 1);
  if (static_cast<int32_t>(offsets.size()) + appended > kMaxPatternOffsets) return false;
  const int32_t end = base + step * count;
  if (end < std::numeric_limits<int16_t>::min() || end > std::numeric_limits<int16_t>::max()) return false;
  if (include) offsets.push_back(static_cast<int16_t>(base));
  if (move == 'C') {
    for (int32_t k = 1; k <= count; ++k) offsets.push_back(static_cast<int16_t>(base + step * k));
  } else {
    offsets.push_back(static_cast<int16_t>(end));
  }
  previousEnd = end;
  return true;
}

}  // namespace

std::vector<std::string> fPatternTokens(const std::string& pattern) {
  std::vector<std::string> tokens;
  size_t at = 0;
  while (pattern.size() - at >= 8) {
    const size_t width = IsDigit(pattern[at + 4]) ? 5 : 4;
    tokens.push_back(pattern.substr(at, width));
    at += width;
  }
  tokens.push_back(pattern.substr(at));
  return tokens;
}

bool fInterpretPattern(const std::string& pattern) {
  common::ProcTrace t("fInterpretPattern");
  PatternOffsets.clear();
  PatternOffsetCount = 0;
  std::vector<int16_t> offsets;
  int32_t previousEnd = 0;
  bool valid = true;
  for (const std::string& token : fPatternTokens(pattern)) {
    if (!AppendToken(token, previousEnd, offsets)) {
      valid = false;
      break;
    }
  }
  PatternOffsets = std::move(offsets);
  PatternOffsetCount = static_cast<int16_t>(PatternOffsets.size());
  // A figure of no note would make a series that never ends.
  return valid && PatternOffsetCount > 0;
}

void sSetOctavePatterns(int16_t notesPerOctave) {
  common::ProcTrace t("sSetOctavePatterns");
  const std::string k = std::to_string(notesPerOctave);
  const std::string k2 = std::to_string(2 * notesPerOctave);
  BasePatterns[0] = "BUC" + k + "LDC" + k;
  BasePatterns[1] = "BUC" + k2 + "LDC" + k2;
}

}  // namespace workshop
