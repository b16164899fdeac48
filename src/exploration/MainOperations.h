// The illustration screen MainOperations (form id 28, "Raga Exploration"): the current
// raga's data and notation, the lists of what can be played (the program's items, the
// user's own items, the user's saved scales), the operation modes, the keyboard and
// the play controls.
#pragma once

#include <cstdint>
#include <string>

namespace forms {
class Form;
class FormSpec;
}  // namespace forms

namespace exploration {

// Dispatcher of the screen; every entry makes this screen the one that hears the end
// of playing (CallbackCode 12). 0 open the screen for the current raga; 1, 2 a line
// chosen in the program's or the user's list; 3 the mode chosen; 5 scale or pakad,
// 6 alap, layakari or taan, 7 composition or film song, 8 similar raga pair; 9 stop,
// 10 stop the phrase playing, 11 next / previous phrase or replay of one part; 12 a
// saved scale, 13 keyboard shown or hidden, 14 tonic, 15 script or grace notes, 16
// drone loudness, 17 the raga's notes; 18 progress of the player, 19 end of playing;
// 20 leave; 21 play (or loop) the phrase shown. 4 and other codes do nothing.
void sMainOperations(int16_t& action);

// Opening and leaving.
void sInitMainOperations();
void sTerminateMainOperations();

// The lists. A heading line is listed only when items follow it.
void sLoadSystemIllustratinsList();
// True (-1) when the user's list got at least one line.
int16_t fLoadUserIllustrationsList();
// True (-1) when the user database holds saved scale sets.
int16_t fLoadScalesList();
// RagaNotesText: thata, jati, time and the notes of the current raga.
void sLoadRagaNotes();
void sClearNotationBox();
void sUpdateF28NotationItemFonts();

// Turns a list line into the item words (CurrItemKind, CurrMusicItemType,
// CurrPhraseType, CurrAddInfo) and, for a composition, film song or similar raga,
// loads its records from database 1 (content) or 2 (user). A line that names no
// item (a heading, an unknown first word, a title missing or not found) sets
// CurrItemKind to 0 and returns false, so that nothing is played for it; so does a
// learner's item whose user database row is damaged, after the message.
bool sSetMusicParameters(const std::string& itemText, int16_t database);
// The caption of the item in hand, in cInfo.
void sSetCurrItemDesc();

// The lock set of the screen while it plays.
void sDisableF28Selections();
void sEnableF28Selections();
// The item controls for the item prepared and the mode, and hiding them again.
void sDisplayMOControls();
void sHideMOControls();
// cInfo and cCurrentItem shown in the place of the raga's notes (cNotes).
void sShowF28ItemBoxes();
// The prompt line of each mode.
void sDisplayDemoModePrompts();
void sDisplayLearningModePrompts();
void sDisplayPracticeModePrompts();

// The screen's declaration and its form object.
forms::FormSpec DeclareMainOperations();
forms::Form* MainOperationsForm();

}  // namespace exploration
