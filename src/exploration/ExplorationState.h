// Shared state of raga exploration: the words of the illustration screen that its
// dispatcher, its helpers and the screens that open it read and write.
#pragma once

#include <cstdint>
#include <string>

namespace exploration {

// Reset every time the illustration screen opens.
inline int16_t LastPlayedSpeed = 0;    // speed slider value of the last learning-mode play
inline int16_t ScriptStep = 1;         // 1 next phrase, -1 previous phrase
inline std::string LastPlayedItemText; // the phrase text of the last learning-mode play

inline std::string CurrItemText;      // the text of cCurrentItem when Play was pressed
inline std::string SimilarRagaName;   // the other raga of the comparison pair in hand
inline int16_t CurrPairRaga = 1;      // 1 the current raga, 2 the similar raga of the pair
inline std::string RagaNotesText;     // thata, jati, time and notes of the current raga ("Raga Info")

// Which boxes the illustration screen shows beside its program list, set when it opens
// (True -1 / False 0): the user's own items, the user's saved scales, the mode frame.
inline int16_t UserItemsPresent = 0;
inline int16_t ScalesPresent = 0;
inline int16_t ModeFramePresent = -1;

}  // namespace exploration
