// The scale-shifting screen ScaleShifting (form id 7, "Define/Refine Pitch-Shifted
// Scales"): a new scale is defined by choosing a key of one octave as its tonic, tuning
// it between its neighbouring keys and shifting the whole scale to it, then naming and
// saving it; a saved scale is refined note by note, and scales and ragas are played in
// the scale in use.
#pragma once

#include <cstdint>
#include <string>

namespace forms {
class Form;
class FormSpec;
}  // namespace forms

namespace scaleshift {

// Dispatcher of the screen; every entry makes this screen the one that hears the end of
// playing (CallbackCode 1), which calls nothing back: the screen waits with its timer.
// 0 open; 1 a key clicked; 2 tune the selected key; 3 list the saved scales to refine;
// 4 define a new tonic; 5 play the selected key; 6 shift the scale to the tuned key;
// 7 save the refined scale; 8 name and save the new scale; 9 major scale; 10 full
// scale; 11 drone loudness; 12 a line of the list chosen; 13, 14 the selected key one
// step higher or lower, 15 that step heard; 16 list the ragas; 17 end of the wait after
// a sound; 18 the raga's aroha and avroha; 20 leave; 21 the raga's pakad; 22 back to the
// choice of operation. Other codes do nothing. While a step waits for the sound to end
// the other codes but 20 are dropped (a tick of the timer comes again shortly), and
// nothing but opening acts on a screen that is not open in front.
void sShiftScale(int16_t& action);

// Opening: the learner's script, tonic and keyboard setting are kept to be put back on
// leaving; the screen starts with the tonic step, in English, on the program's scale of
// key 3 (B1, C#).
void sInitShiftScale();
// Leaving, once code 20 has put the settings back: back to the main form.
void sTerminateShiftScale();

// The two operations, as code 4 and code 3.
void sStartTonicDefinition();
void sStartScaleRefinement();

// Makes the saved set of that name the scale in use for refinement (CurrMusicSetName
// names it then). A set that cannot be used is refused with a message, and the screen
// goes on with the scale in use: a saved set being refined is refined on, else the saved
// sets are listed again.
void sSetUpForRefinementOperation(const std::string& name);

// The screen's declaration and its form object.
forms::FormSpec DeclareScaleShifting();
forms::Form* ScaleShiftingForm();

}  // namespace scaleshift
