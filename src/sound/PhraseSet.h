// A phrase set: the ordered phrases the play loop plays one after another, with the
// number of the phrase to play next and the numbers at which playing restarts and
// stops. Phrase k (1-based) is element k - 1 of the three lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sound {

struct PhraseSetRec {
  int16_t PhraseCount = 0;
  int16_t CurrPhrase = 0;                  // the phrase to play next
  std::vector<std::string> Phrases;        // notation text of each phrase
  std::vector<std::string> Timings;        // one duration per note, as played (speed applied)
  std::vector<std::string> StoredTimings;  // the same as loaded, before any speed factor
  int16_t RestartPhrase = 0;               // where playing starts, and starts again after LastPhrase
  int16_t LastPhrase = 0;
};

}  // namespace sound
