// The instrument data of the content database, made by us: one cycle per note
// of the harmonium-like main instrument ("c") and of the drone instrument
// ("e"), note ids 0..41 in equal temperament (id 11 = C4 = 261.63 Hz), and the
// twelve built-in scale sets with their equal-tempered frequency ratios.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace instrgen {

inline constexpr int kSampleRate = 44100;
inline constexpr int kNoteCount = 42;
inline constexpr int kScaleSetCount = 12;
inline constexpr int kScaleColumns = 27;
inline constexpr char kMainInstrument = 'c';
inline constexpr char kDroneInstrument = 'e';

// Samples per cycle of a note id: 44,100 / its equal-tempered frequency.
double NoteSpc(int noteId);

struct Seed {
  int32_t samPerCyc = 0;
  double fractional = 0.0;        // SamPerCyc + fractional = the note's SPC
  std::vector<int16_t> samples;   // SamPerCyc + 1 values, phases i / SPC
};

// The seed of a note of an instrument ('c' or 'e').
Seed MakeSeed(char instrument, int noteId);

// Ratio of note n - 7 + column to the moved note n ("ONPRSets" columns "00".."26").
double ScaleRatio(int column);

// Writes the INSERT statements of "Note Specifications", "Sample Values",
// "ONPR" (sets 1..12, both instrument types) and "ONPRSets".
void WriteContentSql(std::ostream& out);

}  // namespace instrgen
