// Lighting the keyboard while a phrase plays: the caption label of the sounding note's
// reed turns red, its grace note's reed light red, and the note before goes back to its
// key colour; the composition player's grid marks its current cell the same way.
// Text marks (red caption text) serve the workbench.
//
// The procedures read the phrase record being played: its notes (common::PhraseNote,
// grace and main note apart), NoteCount and the 1-based CurrNote. Each comes in two
// forms: with those fields as arguments, and taking the record itself, so that the
// play loop calls sPlayReedsAlt(NotesList[CurrSlot]) with any record type that
// carries Notes, NoteCount and CurrNote (and GridOffset, StartMatra for the grid).
//
// Note code c lights reed c - ReedNoteOffset; only reeds 1 to 40 are marked or reset,
// so a note off the keyboard (a high note at a high tonic) is passed over. Labels are
// those of shell::CurrForm (error 91 when there is none) unless a form is named; a
// reed whose label was never created is passed over.
#pragma once

#include <cstdint>
#include <vector>

#include "common/PhraseNote.h"
#include "platform/forms/Colour.h"

namespace forms {
class Form;
}

namespace sound {

inline constexpr forms::Colour kCurrentNoteColour = 255;       // red
inline constexpr forms::Colour kGraceNoteColour = 0xC0C0FF;    // light red
inline constexpr forms::Colour kCurrentCellColour = 255;       // composition grid
inline constexpr forms::Colour kOtherCellColour = 0x8080FF;
inline constexpr forms::Colour kMarkedTextColour = 255;
inline constexpr forms::Colour kUnmarkedTextColour = 0;

// The reed of a note code; 0 when the note lies off the keyboard or is no note.
int16_t fReedOfNote(int16_t noteCode);

// Marks note currNote (1-based) of notes[0 .. noteCount - 1] and resets the note before
// it. sPlayReedsAlt marks the main note only (grace notes off); sPlayReeds1Alt also the
// grace note. A currNote past noteCount only resets the note before.
void sPlayReedsAlt(const std::vector<common::PhraseNote>& notes, int32_t noteCount, int32_t currNote);
void sPlayReeds1Alt(const std::vector<common::PhraseNote>& notes, int32_t noteCount, int32_t currNote);
template <class PhraseRecord>
void sPlayReedsAlt(const PhraseRecord& rec) {
  sPlayReedsAlt(rec.Notes, rec.NoteCount, rec.CurrNote);
}
template <class PhraseRecord>
void sPlayReeds1Alt(const PhraseRecord& rec) {
  sPlayReeds1Alt(rec.Notes, rec.NoteCount, rec.CurrNote);
}

// The progress mark of the phrase in play (NotesList[CurrSlot]) on a screen with a
// "cCurrentItem" line: once the player's position reaches the end of the current note,
// brought forward by `delay` ms per note played, the next note becomes current, its word
// is added to the line and its reeds light (with the grace note when grace notes are
// on). The last note stays marked.
void sMarkNextNoteReached(forms::Form& form, int32_t position, int16_t delay);

// The reeds of one note (main and grace) back to their key colours.
void sSetReedLabelColorToDefault(const common::PhraseNote& note);
// Labels of reeds 0 to 40 back to their key colours.
void sSetAllReedLabelColorToDefault(forms::Form& form);

// The composition grid cNote(0 .. cellCount - 1): the cell of currNote,
// currNote + gridOffset + startMatra - 2, turns red and the cell before it back to its
// colour; cells outside the grid are passed over.
void sPlayCurrBol1Alt(int32_t currNote, int16_t gridOffset, int16_t startMatra, int32_t cellCount);
template <class PhraseRecord>
void sPlayCurrBol1Alt(const PhraseRecord& rec, int32_t cellCount) {
  sPlayCurrBol1Alt(rec.CurrNote, rec.GridOffset, rec.StartMatra, cellCount);
}

// The caption text of the note's main reed on form: mode 1 unmarked (black), 2 marked (red).
void sToggleCurrKBNote(int16_t mode, forms::Form& form, const common::PhraseNote& note);
template <class PhraseRecord>
void sToggleCurrKBNote(int16_t mode, forms::Form& form, const PhraseRecord& rec) {
  if (rec.CurrNote >= 1 && rec.CurrNote <= rec.NoteCount) sToggleCurrKBNote(mode, form, rec.Notes[rec.CurrNote - 1]);
}
// Unmarks the text of every note of the phrase, stepping currNote through 1 to
// noteCount; it is left at noteCount.
void sUnMarkCurrentReeds(forms::Form& form, const std::vector<common::PhraseNote>& notes, int32_t noteCount,
                         int32_t& currNote);
template <class PhraseRecord>
void sUnMarkCurrentReeds(forms::Form& form, PhraseRecord& rec) {
  sUnMarkCurrentReeds(form, rec.Notes, rec.NoteCount, rec.CurrNote);
}
// Unmarks the caption text of reeds 1 to 40.
void sUnMarkAllReeds(forms::Form& form);

}  // namespace sound
