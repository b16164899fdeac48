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
// 3: a key label clicked (ClickedNoteLabel), by KeyLabelPurpose.
void sKeyLabelClicked();
// 27: the scale type chosen; the notes of the scale are then picked on the keyboard.
void sStartScalePicking();
// Drone type 1 (Pa) for a scale that holds P; the drone rebuilt when it changes.
void sSetDroneType(int32_t droneType);

}  // namespace workshop
