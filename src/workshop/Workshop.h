// The workbench, Workshop (form id 13, "Workbench"): note patterns played over the
// major scale, a thata's scale, a scale picked on the keyboard or a raga's notes; the
// question panel that picks a scale or defines a pattern; the meend demo and the notes
// quiz. Every form event stores what it carries and calls the dispatcher sWorkshop.
#pragma once

#include <cstdint>
#include <string>

namespace forms {
class Form;
class FormSpec;
}  // namespace forms

namespace workshop {

// Dispatcher of the workbench; every entry makes this screen the one that hears the end
// of playing (CallbackCode 8). 0 open; 1 a mode button; 2 a line of cRagaList chosen;
// 3 a key label clicked; 4 the thata list; 5 play in learning or practice mode; 6 build
// the chosen pattern; 7 set up and play the built phrase; 8 show the quiz note; 9 a new
// scale, raga or quiz note; 10 the timer after a single note; 11 to 13 an answer of the
// question panel; 14 grace notes; 15 tonic; 16 the meend demo; 17 play what is set up
// (in the quiz its own note); 18 keyboard; 19 end of playing; 20 leave; 21 back to the
// choice of mode; 22 stop; 23 progress of the player; 24 script; 25 the drone alone;
// 26 define a pattern; 27 scale type chosen; 28 save the defined pattern; 29 the user
// patterns; 30 the next quiz note. Other codes do nothing, and so does every code but 0 while another screen
// is in front (a late notice of the player or the timer).
void sWorkshop(int16_t& action);

// Opening and leaving.
void sInitWorkshop();
void sTerminateWorkshop();

// The layout of the form for WBMode, and locking it while a phrase plays. A second lock
// while locked keeps the menu states the first one captured.
void sSetModeDisplay();
void sDisableWSModeSelections();
void sEnableWSModeSelections();
void sDisableF13Selections();
void sEnableF13Selections();
void sEnableKeyLabels();
// MenuBarItemStatus := the Enabled state of the seven top menus.
void sCaptureMenuBarItemStatus();

// Display helpers.
// Hides the details area: the captions and boxes of scale type, selected notes or
// pattern, phrase notation, the list, the pattern-name box with its OK button and the
// question panel.
void sHideDetails();
// Shows (never hides) by bits: 1 Label1 and cScaleType, 2 Label3 and cPattern, 4 Label5
// and cCurrentItem.
void sShowUserData(int16_t mask);
void sHideSlider();
void sShowSlider();
// The keyboard drawn with only the tonic's octave (reeds T + 9 to T + 21) left shown.
void sDisplayKBForNoteSelection();
void sHideNonOctaveNotes();
// While the keyboard is shown: the key labels of the notes of ScaleNotes alone shown.
void sHideUnselectedNoteLabels();
// WBCurrentPhrase in cCurrentItem in the current script.
void sShowCurrentItem();
// The middle octave's marked notes in cPattern under "Selected Notes" (the raga's scale
// in raga mode).
void sShowSelectedNotes();

// The question panel: the question of OptionStep (1 to 11), the scale-type question
// (step 2), and an answer (1, 2 or 3: cO1, cO2, cO3) to the question on show.
void sSetOptionsDisplay();
void sScaleTypeSelection();
void sProcessOptionSelection(int16_t& option);
void sInitPatternToken();

// cRagaList := the thata names in stored order.
void sLoadThataList();

// The defined pattern saved under the name typed in cPatName, in one transaction with
// the next free "PatternId": a blank name, a name in use (in any letter case) or a
// failed save says so and changes nothing; a saved pattern is then built (action 6).
void sSavePattern();
// The user pattern of the line chosen in cRagaList built (action 6); a name without a
// row does nothing.
void sProcessSelectedUserPattern();
// cRagaList := the names of "User Patterns", shown under "Select Pattern"; false (the
// list not shown) when there are none.
bool fLoadUserPatternsList();

// The phrase set of the phrase to play: source 1 the built phrase (sound::PhraseNotes),
// 2 the learner's text in cCurrentItem (its script converted to English). One phrase per
// ":"-separated segment with notes, timed by BaseBeat per note (a raga's own scale or
// pakad by its stored durations; the learner's text, while its notes are those set up
// last, by their durations) scaled by the speed slider; the first phrase rendered. 1, or
// 0 after "Error Setting up for Illustration".
int16_t sSetUpForWorkbenchModeIllustrations(int16_t source);
// The same phrase set from its first phrase again (looping). 1, or 0 after the message.
int16_t sSetUpForWBModeLoop();
// BasePatternPhrase in cPatName under "Selected Base pattern".
void sShowBasePattern();
// After a change of script: key labels and the notation boxes in its font.
void sAdjustF13NotationFonts();

// The screen's declaration and its form object.
forms::FormSpec DeclareWorkshop();
forms::Form* WorkshopForm();

}  // namespace workshop
