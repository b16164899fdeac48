// The note set the workbench works on (NoteMarks, ScaleNotes, ScaleNoteCount in
// WorkshopState.h), filled from the major scale, a thata's scale ("ThataScales"), a
// scale picked on the keyboard or a raga's notes ("Raga - Notes"). Notes outside the
// 25 workbench notes ("P<" to "P>") are passed over wherever they come from.
#pragma once

#include <cstdint>
#include <string>

namespace workshop {

// NoteMarks(0 to 24) := 0.
void sInitScaleNotes();
// Marks the 15 natural notes "P<" "D<" "N<" "S" ... "P>" (other marks stay), then
// sSetUpSelNotes1(0, 24).
void sSetScaleNotesForMajorScale();
// The scale of the thata named by the line chosen in cRagaList of the form in front,
// through sSetScaleAndSelNotesForPhrase. False (nothing changed) when no thata has that
// name or its scale holds no workbench note.
bool sSetScaleNotesForThata();
// Marks the notes of an English phrase ("S R G m P D N S>": other words are passed
// over), copies them an octave down and up (sAugmentScaleNotes), then sSetUpSelNotes1(0, 24).
void sSetScaleAndSelNotesForPhrase(const std::string& phrase);
// Marks the notes of the current raga from "Raga - Notes" (ids are English note table
// entries, 0 = "S<"); ScaleNoteCount := the notes marked, ScaleType := that count - 6.
// Returns the id text; "" (nothing changed, after a message) when the raga has no notes row.
std::string fLoadRagaNotesInVector();
// "P" to "N" copied into "P<" to "N<" and "r" to "P" into "r>" to "P>"; ScaleNoteCount
// grows by the marks newly set. "S" and "S>" are not copied.
void sAugmentScaleNotes();
// ScaleNotes := the marked notes from first to last in ascending order; ScaleNoteCount their number.
void sSetUpSelNotes1(int16_t first, int16_t last);

// True for the quiz numbers (workbench index + 1) of the 15 natural notes.
bool fIsShuddha(int16_t noteNumber);

// The count of a jump token from "S" to the note of key label `label`: the notes of the
// set above "S" up to and including it; -1 when the label is no note of the set between
// "S" and "S>".
int16_t fCountMarkedNotes(int16_t label);

// A quiz note number 1 to 25 drawn with the runtime's Rnd, of the kind QuizNoteKind
// asks (2 natural notes only, 3 the others, else any). The generator is not reseeded
// between draws.
int16_t fGetValidNoteId();

}  // namespace workshop
