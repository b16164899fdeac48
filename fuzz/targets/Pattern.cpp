// The workbench's pattern language: a pattern as the learner types it or as a saved user
// pattern holds it, cut into tokens and interpreted into scale offsets.
#include "FuzzTarget.h"

#include <string>

#include "workshop/PatternLanguage.h"
#include "workshop/WorkshopState.h"

VELMORA_FUZZ_TARGET(pattern) {
  const std::string pattern(input);
  std::string joined;
  for (const std::string& token : workshop::fPatternTokens(pattern)) joined += token;
  if (joined != pattern) fuzz::Fail("the tokens of '" + pattern + "' do not join back to it");
  if (!workshop::fInterpretPattern(pattern)) return;
  const int16_t n = workshop::PatternOffsetCount;
  if (n < 1 || n > workshop::kMaxPatternOffsets || workshop::PatternOffsets.size() < static_cast<size_t>(n))
    fuzz::Fail("'" + pattern + "' was taken with " + std::to_string(n) + " offsets");
}
