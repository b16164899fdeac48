// The actions of the workbench's dispatcher apart from opening and leaving, and the
// small helpers they share. Only the dispatcher, the question panel and the form
// events call them.
#pragma once

#include <cstdint>
#include <string>

namespace forms {
class Control;
class Form;
}  // namespace forms

namespace workshop {

// The form in front (shell::CurrForm); error 91 when there is none.
forms::Form& FrontForm();
// cPrompts := the scale information, the separator and the prompts of keys ("34", "40,35").
void ShowPrompt(const std::string& keys);
// The prompt shown last again, with the scale information as it is now.
void RefreshPrompt();
// An English phrase as the current script shows it: words three blanks apart, in
// Devanagari when NotationScript is 1.
std::string DisplayText(const std::string& phrase);
// The notation font of the current script on a control.
void AdjustFont(forms::Control& control);
// The caption of a picked scale: "Selected Audav (5 Notes) Scale" ... by ScaleType 0 to 2.
std::string fScaleTypeText(int16_t scaleType);
// Calls the dispatcher with a code.
void Dispatch(int16_t code);
// Ends what the player plays now and lets its file go, with no Done to follow; the play
// set is left past its end and cTimer1 stopped. Nothing more when no file is open.
void StopAndClosePlayer();

// 1: the mode of WBMode entered.
void sEnterWBMode();
// 21: back to the choice of mode.
void sSwitchWBMode();
// 2: a line of cRagaList chosen (thata, raga or user pattern).
void sListEntryChosen();
// 4: the thata list shown.
void sShowThataList();
// 3: a key label clicked (ClickedNoteLabel), by KeyLabelPurpose; nothing while the
// player plays.
void sKeyLabelClicked();
// 3, purpose 1: one note of the scale being picked (a note of the middle octave between
// "S" and "S>", once by its name); the last one completes the scale.
void sPickScaleNote(int16_t label);
// 27: the scale type chosen; the notes of the scale are then picked on the keyboard,
// the patterns waiting until the scale is complete.
void sStartScalePicking();
// Mode 2 choosing its scale anew: no note set (nothing of a scale half picked stays),
// the pattern items, where shown, waiting for the scale.
void sClearScaleForChoice();
// Drone type 1 (Pa) for a scale that holds P; the drone rebuilt when it changes.
void sSetDroneType(int32_t droneType);

// The chosen pattern (PatternSource) built into sound::PhraseNotes over the notes of the
// mode: in raga mode the raga's own scale or pakad (entries 0, 1) or a built-in figure
// over its aroha and avroha; the learner's own pattern over the notes the keyboard shows
// (in raga mode the raga's notes, on which it was clicked and previewed). False after
// "Error in phrase spec" or the builder's message.
bool fBuildChosenPattern();
// 6: the chosen pattern built over the note set and set up to play (Play plays it). A
// pattern that cannot be built or set up leaves Play disabled.
void sBuildPatternPhrase();
// 5: Play or Start Looping in learning or practice mode; the text of cCurrentItem is set
// up again when the learner changed it or the speed.
void sPlayInLearningOrPractice();
// Plays what is set up; cTimer1 then waits WBNoteTime x 10 ms.
void sPlaySetUp();
// 17: Play or Start Looping in demo mode: in the quiz its own note is set up again (a key
// heard since replaced it), then what is set up is played.
void sPlayInDemoMode();
// 10: the timer after a single note: the form unlocked once the player has stopped.
void sSingleNoteEnded();
// 19: the end of playing: again while looping, else the form back to use.
void sWorkshopEndOfPlaying();
// 22: stop.
void sStopWorkshopPlaying();
// 23: the note being heard marked.
void sMarkWorkshopProgress();
// 7: the built phrase (the meend's) set up and played.
void sSetUpAndPlay();
// 8: the quiz note lit and played again; 9: a new scale, raga or quiz note; 30: the
// next quiz note. Nothing while the player plays.
void sShowQuizNote();
void sNewScaleOrNote();
void sNextQuizNote();
// 16: the meend demo waits for its first note; the pattern shown before is put away.
void sStartMeendDemo();
// A pattern chosen or a definition started ends the meend demo: key clicks pick no more
// of its notes and the mode line it replaced comes back. Nothing when no demo is on.
void sEndMeendDemo();
// 25: the drone file made and played in a loop; 22 and 23 while it plays: stopped at
// once, and played again from its start half way.
void sPlayDroneAlone();
void sStopDrone();
void sRestartDroneHalfWay();
// 26: a pattern defined from nothing: by the questions (DefinePatternStep 1) or by
// clicked notes (2).
void sDefinePattern();
// 29: the user patterns listed ("No User-defined Patterns are available" when none).
void sShowUserPatterns();
// 14, 15, 24: grace notes, tonic, notation script changed.
void sGraceNotesChanged();
void sTonicChanged();
void sScriptChanged();

}  // namespace workshop
