// The steps of the scale-shifting dispatcher (sShiftScale) and the helpers they share.
// Only the dispatcher and the screen's form events call them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace forms {
class Form;
}

namespace scaleshift {

// The form in front (the screen); error 91 when there is none.
forms::Form& Screen();
// True while the screen opened in session is open and in front.
bool fScreenInFront(uint32_t session);

// Waits until the screen's player is silent, keeping the event loop running. False
// when the screen was closed meanwhile: the step that waited then stops.
bool fWaitForSilence();
// "Start the wait of ms": code 17 follows when the timer ticks.
void sStartWait(int32_t ms);
// Waits for silence, switches the timer off and unlocks what a sound locked (keys,
// option frames, Play and Create Scale, the pointer): a step that changes the operation
// starts from a screen at rest, with no tick of an earlier step to come. False when the
// screen was closed during the wait.
bool fEndWaitAndUnlock();
// Stops the player and lets its file go; the timer off.
void sStopPlayerAndTimer();
// The main instrument's stored SPC of a note (its seed, untuned).
double fSeedSpc(int16_t note);
// The prompt line of the prompt numbers given.
void sShowPrompts(const std::string& numbers);

// Runs a save. A database error raised in it is caught: its transaction has rolled
// back, so the file is as it was; the trace goes on at the caller's depth, and the
// message "Error saving Scale Data" with the reason is shown. True when the save ran
// through.
bool fSaveOrSay(const std::function<void()>& save);

// Defining a new scale.
void sKeyClicked();           // 1
void sTuneSelectedNote();     // 2
void sDefineNewTonic();       // 4
void sPlaySelectedKey();      // 5
void sCreateShiftedScale();   // 6
void sNameAndSaveScale();     // 8
void sChangeDroneLoudness();  // 11
void sEndOfWait();            // 17
void sLeaveShiftScale();      // 20
void sSwitchOperation();      // 22

// Refining a saved scale and hearing it.
void sListSavedScales();       // 3
void sSaveRefinedScale();      // 7
void sListLineChosen();        // 12
void sRefineStep(bool higher); // 13, 14
void sApplyRefineStep();       // 15
// Playing in the scale in use.
void sPlayFixedScale(bool fullScale);  // 9, 10
void sListRagas();                     // 16
void sPlayRagaPhrase(bool pakad);      // 18, 21
// A raga chosen in the list of ragas (code 12 while it lists ragas).
void sRagaChosen();

// The settings the screen changed, put back as they were when it opened: the tonic
// and its own program scale, the script and the keyboard setting.
void sRestoreLearnerSettings();

}  // namespace scaleshift
