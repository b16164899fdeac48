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

// The composition player. What one of its music files was made with: the part (1
// asthai, 2 antara; 0 when the file is not to be trusted), the speed factor of the
// slider then, and for the practice segment the grid points it was cut between.
struct CompSegmentRec {
  int16_t Part = 0;
  float SpeedFactor = 0.0f;
  int16_t FromRow = 0, FromBeat = 0, ToRow = 0, ToBeat = 0;
};
// Element 0 describes "A.wav" (the asthai), 1 "B.wav" (the antara), 2 "C.wav" (the
// practice segment); element 3 is not used.
inline std::array<CompSegmentRec, 4> CompSegments{};
inline int16_t CompFilesRegenerated = 0;  // True (-1): the play in hand rendered the part files again
// The illustration screen's settings when the player opened over it: its mode, the
// tonic, the scale set, the notation script and the grace-note setting.
inline int16_t EntryOperationMode = 0;
inline int16_t EntryTonicNoteId = 0;
inline int16_t EntryMusicSetId = 0;
inline int16_t EntryNotationScript = 0;
inline int16_t EntryGraceNotes = 0;
inline int16_t GridBeatCount = 0;         // beats per row of the grid
inline int16_t GridTopRow = 0;            // the first row of the grid in view (0-based)
inline int32_t GridCurrentCell = 0;       // the cell the grid keeps in view: the beat being heard
inline int16_t CompFirstBeat = 0;         // the part's Starting Beat: its first cell in row 1
inline int16_t CompLastRow = 0;           // row and beat of the part's last cell
inline int16_t CompLastBeat = 0;
inline std::array<int16_t, 2> SegmentBeats{};  // grid beat numbers of a practice segment's two ends

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

// The music sampler (form id 22).
inline std::array<int16_t, 8> SamplerItemCounts{};  // by kind - 1: the items of each kind the drawn raga has
inline int16_t SamplerKind = 0;         // the kind of the sample in hand, 1 to 7; 0 while drawing
inline int16_t SamplerItemNo = 0;       // the phrase drawn for an alap, layakari or taan
inline int16_t SamplerTheka = 2;        // Theka while the sampler is open: no theka
inline int16_t SamplerSavedTheka = 1;   // Theka as it was when the sampler opened

}  // namespace exploration
