// Rendering phrase records into music files through the sound library, and playing a
// single note or phrase.
//
// The library receives a note text (each note's library token, tokens two blanks apart;
// a note of 250 ms or less without its grace note) and a duration text (milliseconds one
// blank apart); see common/LibraryText.h. Every renderer first deletes its target file.
// Results are 1 on success and 0 on failure, after a message (title "Message").
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "common/PhraseNote.h"

namespace sound {

// Renders NotesList(slot) into WavFiles(slot): with its theka through
// fCreateMusicFileWithTaal1 when a composition (CurrItemKind 6, CurrMusicItemType 8)
// plays with Theka 1, else through fCreateMusicFile. Failure adds "Error Preparing
// Music File". Slot outside 0 to 2: error 9.
int16_t fPrepareToPlaySelection1(int16_t slot);

// Renders the first count notes into MusicFileToGenerate with PlayMode and GenOption.
// A note outside the library's range (library number code + tonic - 3 below 0 or above
// the highest note) is refused before the library is called: "Error in creating current
// musical illustration. Note value outside range.". No file written, or an empty one:
// "Error creating music file". More notes than given: error 9.
int16_t fCreateMusicFile(std::span<const common::PhraseNote> notes, std::span<const int32_t> durations,
                         int16_t count);

// The same with the theka: CompStartMatra, CompBeatCount, talaString, ThekaSet and tempo
// (ms per beat) go to the library too; a failed rendering shows "Music File Generation
// Failed". slot is not used.
int16_t fCreateMusicFileWithTaal1(int16_t count, std::span<const common::PhraseNote> notes,
                                  std::span<const int32_t> durations, const std::string& talaString, int32_t tempo,
                                  int16_t slot);

// The theka tempo in ms per beat: BaseBeat x the speed factor x 10, rounded (ties to
// even). Demo mode plays the composition's durations unscaled, so its tempo takes the
// factor 1.0 too.
int32_t fGetThekaTempo();

// Renders a composition's asthai into slot 0 ("A.wav") and, unless it is a film song,
// its antara into slot 1 ("B.wav"); TMNInfo is left on phrase 1. Of the learner's
// compositions only the parts with notes are rendered (an empty one's slot has no
// notes); 0 when neither has any.
int16_t fCreateCompositionMusicFilesFromT();
// True when part 1 (asthai) or 2 (antara) of TCompData has notes.
bool fCompPartHasNotes(int16_t part);

// Renders one note (library note number noteCode) of durationMs into "A.wav" and plays it.
int16_t fPlaySelectedNote(int16_t noteCode, int32_t durationMs, int32_t playMode);

// Renders count notes already in the library's text format into "A.wav" and plays
// whatever the library wrote.
void sPlaySelectedPhrase(int32_t count, const std::string& notes, const std::string& durations, int32_t playMode);

}  // namespace sound
