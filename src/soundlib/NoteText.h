// NoteText: reads the note and duration texts a music file is rendered from.
//
// Note text: one token per note, tokens separated by any run of blanks. A token
// is a note id in two digits ("05", "21"); a glide writes its grace note(s) in
// front of the main note ("1214": from 12 into 14; at most two grace notes). A
// grace part that holds a minus sign (a note below the range, written by the
// converters as "0-1" or "-01") is dropped and the main note sounds alone.
// Duration text: one duration per note in milliseconds, decimal, a fraction
// allowed ("250", "25.5"), separated by runs of blanks.
// Note k starts at the sum of the durations before it, rounded to the sample.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundlib {

struct PhraseNote {
  static constexpr int kMaxIds = 3;
  int32_t ids[kMaxIds] = {};  // grace notes first, the main note last
  int count = 0;
  int64_t start = 0;  // first sample
  int64_t end = 0;    // first sample after the note
};

struct Phrase {
  std::vector<PhraseNote> notes;  // capacity kept from one phrase to the next
  int64_t endSample = 0;
};

// Fills phrase; false when the texts are malformed or do not hold count notes
// and count durations.
bool ParsePhrase(int32_t count, const std::string& notes, const std::string& durations, Phrase& phrase);

// A seed that follows the phrase: its notes and their times. What varies from
// one item to another (a tabla's take) is seeded from it.
uint64_t SeedOf(const Phrase& phrase);

}  // namespace soundlib
