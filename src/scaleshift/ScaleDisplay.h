// The looks of the ScaleShifting screen. Each step describes its look as six group
// codes, one per group of controls (buttons, controls, headers, keyboard, operations,
// option frames); each code is a set of bits, and sGrpDispAll draws the groups. The
// helpers below show, lock and name the keys of the on-screen keyboard. Everything
// works on the form in front.
#pragma once

#include <cstdint>

namespace forms {
class Control;
}

namespace scaleshift {

// Draws the groups in order: in mode 0 every group, in mode 1 only the groups whose
// code differs from the one drawn last (ShownGroupCodes); other modes draw nothing.
void sGrpDispAll(int16_t mode, int16_t buttons, int16_t controls, int16_t headers, int16_t keyboard,
                 int16_t operations, int16_t optionFrames);

// Buttons: cTuneNote, cAdjust, cPlay and cSave hidden, then shown by bit: 1 cSwitch,
// 2 cTuneNote, 4 cAdjust, 8 cPlay, 16 cSave. cSwitch is never hidden here.
void sGrpDispButtons(int16_t code);
// Controls: the list, the slider and the naming controls hidden, then by bit: 1 the
// list as "Select a Scale to Refine", 2 the list as "Select a Raga", 4 the tuning
// slider, 8 the naming controls.
void sGrpDispControls(int16_t code);
// Headers: cScale, cNote and cRaga emptied, then by bit: 1 the scale's name, 2 the
// name of the selected note, 4 the raga's name.
void sGrpDispHeaders(int16_t code);
// Keyboard: hidden, then 1 the octave of the tonic keys 10 to 21 captioned W7 ... B5
// in English, or 2 the whole keyboard of the tonic in the learner's script.
void sGrpDispKB(int16_t code);
// Operations (nothing hidden first): 1 both operation buttons to choose from; 2 the
// new tonic as the operation in hand; 4 the refinement as the operation in hand.
void sGrpDispOperations(int16_t code);
// Option frames: 1 shows "Sensitivity" with the sensitivity in use selected and
// "Pitch" with neither direction selected; otherwise both are hidden.
void sGrpDispOptFrms(int16_t code);

// Keys 10 to 21 shown as the choice of tonic, captioned "W7" ... "B5"; the other keys hidden.
void sDisplayTonicNoteLabels();
// Every key label locked or unlocked; the clicked key stays red.
void sDisableNoteLabels();
void sEnableNoteLabels();
// The name of key i relative to the tonic in box, in the learner's script; 0 (no key)
// leaves the box as it is.
void sDisplayCurrNoteName(int16_t i, forms::Control& box);

// The red mark of the clicked key moved to key; the key marked before gets back the
// caption colour the keyboard gave it. 0 (or below) only takes the mark away.
void sMarkClickedKey(int16_t key);

}  // namespace scaleshift
