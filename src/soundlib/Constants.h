// Fixed facts of the sound library: output format and the note range.
#pragma once

#include <cstdint>

namespace soundlib {

inline constexpr int kSampleRate = 44100;
inline constexpr double kSamplesPerMs = kSampleRate / 1000.0;
// Note ids 0..41; id 11 is C4 and each id is one equal-tempered semitone.
inline constexpr int kNoteCount = 42;
// Longest seed cycle accepted (a 20 Hz cycle) and the shortest sounding one.
inline constexpr int32_t kMaxSamPerCyc = kSampleRate / 20;
inline constexpr double kMinSpc = 2.5;
// Longest phrase a music file may hold, in milliseconds.
inline constexpr double kMaxPhraseMs = 20.0 * 60.0 * 1000.0;

// The entry points' results.
inline constexpr int16_t kSuccess = 1;
inline constexpr int16_t kFailure = 0;

}  // namespace soundlib
