// The Composer's screen: opening and leaving it, the slot rows, the note palette, the
// time values, the raga and tala lists, the prompt lines and the hiding of groups of
// controls. Everything works on the Composer form in front (shell::CurrForm); lengths
// are twips of the layout the shell gave the form (its shared width W and height H).
#pragma once

#include <cstdint>

namespace forms {
class Control;
class Form;
}  // namespace forms

namespace composer {

// The Composer form in front; error 91 when the form in front is another one.
forms::Form& ComposerFront();
// True when the Composer is loaded and in front.
bool ComposerInFront();
// The width and height the shell laid the form out in.
double fComposerWidth(forms::Form& form);
double fComposerHeight(forms::Form& form);

// Opening: the user database selected, the form shown over the one in front, demo mode
// and theka on (both put back on leaving), the palette of the raga's notes, the menu
// marks; the script menu stays disabled until a category is laid out.
void sInitComposer();
// Leaving by Go Back: the content database selected again, the screen unloaded, the
// operation mode and theka of the parent screen put back.
void sTerminateComposer();
// What leaving puts back, whichever way the screen is left.
void sRestoreComposerSettings();

// Creates `rows` rows of `cols` slots (every caller passes 2 and 20), their row labels,
// the move buttons and the button line; for layakari the "Beat Duration" box with 40.
// sLoadPhraseArea places them under the palette.
void sLoadNotesArrayToForm(int16_t rows, int16_t cols);
// The phrase area of the current phrase type: the time values on the line top(form)
// names (none for taan), the palette 2 % of the height under them, TopRowIndex 1 and
// the 2 rows of 20 slots under the palette. Its placing is kept with the form, so every
// layout of the form places it again under the line at its new place, until
// sUnloadPhraseArrayElements.
void sLoadPhraseArea(double (*top)(forms::Form& form));
// Removes every element created at run time, of every array, whatever the category.
void sUnloadPhraseArrayElements();
// Records whether the slot layout is on the screen; the raga's aroha, avroha and pakad,
// which play over it, take a click only while it is.
void sSetSlotLayoutPresent(bool present);

// The palette: notes 5 to 31 and the comma (32), captioned in the current script and
// showing what NotePallet asks for; sLoadPhraseArea places it (centred as if 29 wide).
void sLoadNotesPalletToForm();
void sLoadPalletNotes();
void sAdjustNotesPalletForRaga();
void sShowAllNotesInPallet();

// The 19 time values of the phrase type (none for taan); sLoadPhraseArea places them.
void sLoadTimeValuesArrayToForm();
void sSetTimeValues(int16_t phraseType);

// cRagaList with its heading Label1: the ragas (in the order of SortingMode, then by
// name) or the talas; placed below cLine1 (where 1) or below cAntara (where 2).
void sLoadAndDisplayRagaList();
void sLoadAndDisplayTalaList();
void sLocateDisplayList(int16_t where);

// The prompt line of each stage of the dialogue.
void sDisplayPromptComposer0();
void sDisplayPromptComposer1();
void sDisplayPromptComposer2();
void sDisplayPromptComposer3();
void sDisplayPromptComposer4();
void sDisplayPromptComposer5();
void sDisplayPromptComposer6();
void sDisplayPromptComposer7();
void sDisplayPromptComposer8();

void sHidePhraseDisplayControls();
void sHideRagaInfoDisplayControls();

// The slots show the row images from TopRowIndex (two display rows of 20); clearing
// empties all 40; the row fonts follow the notation script.
void sDisplayRowImages();
void sClearPhraseDisplay();
void sResetDevnagariFontForRow(int16_t row);
void sResetEnglishFontForRow(int16_t row);
// Move Up and Move Down enabled as the rows allow (both disabled while playing).
void sSetMoveButtons();

// A composition part (1 asthai, 2 antara) from its record into the row images, one
// syllable token per note, shown from row 1.
void sDisplayCompPartNotationFromT(int16_t part);
// The composition's layout under its details line: time values, palette and slots.
void sDisplayCompTemplate();
// The composition's boxes filled from its records, then its layout.
void sDisplayCompDataFromT();
// A stored composition of the user: its boxes shown and filled, and its layout.
void sDisplayExistingUserCompLayout();
// The details line (tala, Mukhada, starting beats, beat duration) shown in its place.
void sShowCompositionDetails();

}  // namespace composer
