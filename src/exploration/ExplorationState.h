// Shared state of raga exploration: the words of the illustration screen that its
// dispatcher, its helpers and the screens that open it read and write, and those of
// the quiz and the music sampler.
#pragma once

#include <array>
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

// The quiz and the music sampler play with the keyboard hidden: the learner's
// KeyboardDisplay is kept here while they are open.
inline int16_t SavedKeyboardDisplay = 1;

// The quiz (form id 20). The stage, the kinds and the saved settings are set afresh
// every time it opens.
inline int16_t NotationDisplay = 0;       // 1 the sample's notation is shown while it plays, 0 not
inline int16_t QuizStage = 1;             // 1 choosing the kinds of item, 2 quizzing
inline std::array<int16_t, 4> QuizKinds{};  // the ticked kinds (1 scale, 2 pakad, 3 alap), in that order
inline int16_t QuizKindCount = 0;         // how many entries of QuizKinds are used, 0 to 3
inline int16_t QuizKind = 0;              // the kind of the sample in hand
inline int16_t QuizSavedTheka = 1;        // Theka as it was when the quiz opened
inline int16_t QuizTheka = 2;             // Theka while a sample plays: no theka
inline int16_t QuizKeyboardDisplay = 2;   // KeyboardDisplay while a sample plays: hidden

}  // namespace exploration
