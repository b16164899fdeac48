// The composition player PlayComposition1 (form id 14): one part of a composition
// (asthai or antara) on a grid of tala cycles and beats, played whole (learning mode)
// or a stretch of it (practice mode), with or without the theka of its tala, the cell
// of the beat being heard lit in red. The illustration screen opens it for a
// composition in learning or practice mode.
#pragma once

#include <cstdint>

namespace forms {
class Form;
class FormSpec;
}  // namespace forms

namespace exploration {

// Dispatcher of the screen: 0 open, 1 play, 2 part chosen, 3 mode chosen, 4 tonic,
// 5 grace notes, 8 notation script, 9 theka on or off, 10 drone louder or softer,
// 11 stop, 12 progress of the player, 19 end of playing, 20 leave. Every entry makes
// this screen the one that hears the end of playing (CallbackCode 3); other codes (the
// speed slider sends 7) do nothing. Once the player is no longer in front only 0 is
// heard, so a late end of playing reaches no other screen's controls.
void sPlayCompositions(int16_t& action);

// Opening for CurrCompPart and CurrOperationMode (2 learning, 3 practice) of the
// composition in the raga tables. A composition whose tala cannot be found or has no
// beats is refused with a message before the screen opens: false.
bool sInitPlayCompositions();
// Leaving: back to the illustration screen, in the mode it had, which takes over a
// tonic, scale set, notation script or grace-note setting changed here.
void sTerminatePlayCompositions();
// The form's Unload. When the user closes the window, it leaves as Go Back does: the
// play running is stopped and its file closed first, and the illustration screen
// takes over the settings changed here.
void sUnloadPlayComposition1();
// The part's name in Label22.
void sSetupForCurrCompPart();
// What the music files were made with: mode 2 records "A.wav" and "B.wav" as the two
// parts at the slider's speed, mode 3 forgets "C.wav" (sInitCS); sUpdateCS(3) records
// the slider's speed for all three and, for "C.wav", the segment just cut (the grid
// points of SegmentBeats).
void sInitCS(int16_t mode);
void sUpdateCS(int16_t mode);

// The grid: built once per opening for the tala (rows enough for the longer part) and
// placed at every layout of the form: the cells fit the room above the frames and
// buttons, shrinking to their text's height, and when the rows still do not fit, the
// rows shown scroll with the beat being heard;
// the part's syllables and notes placed cell by cell by their durations; the note
// cells' font of the script; the cells' colours.
void sAdjustDisplayForTala();
void sDisplayCompositionData();
void sAdjustFontForDisplay();
void sSetDefaultDisplayColors();
// The note cells of the player's grid back to their colour, whatever form is in
// front; nothing while the player is not loaded.
void sSetCompNotationSlotsToDefaultColor();
// The beat being heard marked on the grid of `form`: note cell `previous` (-1: none)
// back to the note colour, cell `cell` in the red that stands out by a contrast of at
// least 3:1 against the cells around it (a darker or lighter red where plain red does
// not), its caption black or white, whichever reads. The grid keeps that cell's row in
// view. Cells outside 0 .. cellCount - 1 are passed over.
void sMarkGridCell(forms::Form& form, int32_t cell, int32_t previous, int32_t cellCount);

// The speed factor of the slider's value, as the records of the music files keep it.
float fCompSpeedFactor();

// Play in practice mode: the stretch of the part between the points of the From and
// To boxes (each a row and a beat of the grid), cut out of the part's file into
// "C.wav" when it is not cut already, its ends framed and its cells lit in turn. A
// point missing, outside the part or after the other is refused with its message, and
// a cut the sound library refuses with "Error creating music file"; the screen stays
// usable and no segment is recorded.
void sPlayF14Segment();
// True (-1) when "C.wav" must be cut anew: another part, speed or segment (the grid
// points of SegmentBeats, compared as they are recorded) than it was cut for, or none
// cut since the part files were last rendered.
int16_t fNewCompSegment();
// A grid beat number (from 1) as the row and the beat in the row of the grid.
struct GridPoint {
  int16_t Row = 0, Beat = 0;
};
GridPoint fGridPointOf(int16_t beatNumber);
// Cuts the segment of SegmentBeats out of the part's file into "C.wav" and builds its
// phrase record in slot 2 from the part's beat times: 1, or 0 when the sound library
// refused the cut.
int16_t fCreateCompSegmentMusicFile();
// The playing state, for the segment.
void sGetReadyToPlaySegment();

// The screen's playing and idle states, the practice boxes and the mode prompts.
void sDisableF14Selections();
void sEnableF14Selections();
void sDisplayPracticeParams();
void sHidePracticeParams();
void sDisplayLearningModePromptsForCompositions();
void sDisplayPracticeModePromptsForCompositions();

// The screen's declaration and its form object.
forms::FormSpec DeclarePlayComposition1();
forms::Form* PlayComposition1Form();

}  // namespace exploration
