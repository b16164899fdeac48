// One phrase record: a phrase made ready for sound and display. The play loop keeps
// three of them (NotesList, SoundState.h): slots 0 and 1 alternate while a list plays,
// slot 2 holds a composition's practice segment; slot k renders into WavFiles(k).
//
// Note k (1-based) is element k - 1 of Notes, Durations, WordStarts and WordLengths.
// The arrays hold NoteCount + 1 elements (one more than used).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/PhraseNote.h"

namespace sound {

struct NotesListRec {
  std::string Text;                  // the phrase as shown: stored English, or its Devanagari display text
  int16_t Script = 0;                // the NotationScript Text is written in: 1 Devanagari, 2 English
  std::vector<int32_t> WordStarts;   // 1-based character position in Text of note k's word
  std::vector<int32_t> WordLengths;  // its length in characters (0: the word shows as blanks only)
  int32_t CurrNote = 1;              // 1-based note now sounding; advanced while the file plays
  int16_t NoteCount = 0;
  std::vector<common::PhraseNote> Notes;  // grace and main note of each note word
  std::vector<int32_t> Durations;         // milliseconds
  // Start times in ms: Positions(k - 1) is the start of note k, Positions(n) the end of
  // the phrase. A composition in learning or practice mode has the beat grid instead:
  // Positions(i) is the start of grid cell i (one beat each), the last entry the grid's end.
  std::vector<int32_t> Positions;
  int16_t BeatCount = 0;   // beats of a composition part
  std::string Prompt;      // the line shown while the record plays
  int16_t StartMatra = 0;  // a composition part's Starting Beat
  std::string TalaString;  // a composition part's theka string (TalaTheka.h)
  int16_t GridOffset = 0;  // cell offset of the practice segment within its part
};

}  // namespace sound
