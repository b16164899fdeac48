// The actions of the illustration screen's dispatcher (sMainOperations) apart from
// opening, the mode prompts and leaving: choosing and playing items, stopping, the
// saved scales and the menus, progress marking and the end of playing. Only the
// dispatcher and the screen's form events call them.
#pragma once

#include <cstdint>

namespace exploration {

// One step of the play loop on this screen; "Error Playing Music Phrases" when the next
// phrase could not be prepared.
void sPlayF28Phrases();
// Forgets the text and speed of the last learning-mode play, so the next Play builds
// its phrase afresh: every other set-up, and every change of what a phrase sounds like,
// calls it.
void sForgetLastLearningPlay();
// Ends the play now running and lets the file go (no Done follows into the list); the
// play set is left past its end. Nothing when no file is open.
void sStopAndCloseF28Player();
// The prompts of the current operation mode.
void sDisplayCurrModePrompts();

// 1, 2: a line chosen in cKZIllusList (database 1) or cUserIllusList (database 2).
void sIllustrationItemChosen(int16_t database);
// 5: scale or pakad; 6: alap, layakari or taan; 7: composition or film song;
// 8: similar raga pair.
void sPlayScaleOrPakad();
void sPlayALTItem();
void sPlayCompositionItem();
void sPlaySimilarRagaPair();
// 9: stop; 10: stop the phrase being played; 11: next or previous phrase, or replay one
// part or one raga of a pair.
void sStopF28Playing();
void sStopF28CurrentPhrase();
void sStepOrReplayF28Item();
// 21: play (or loop) the phrase of cCurrentItem in learning and practice mode.
void sPlayF28EditedItem();

// 12: saved scale chosen; 13: keyboard shown or hidden; 14: tonic chosen; 15: script
// or grace notes changed; 16: drone louder or softer; 17: the raga's notes shown.
void sF28SavedScaleChosen();
void sF28TonicChosen();
void sF28NotationChanged();
void sF28DroneChanged();
void sF28ShowRagaInfo();

// 18: the note being heard marked; 19: the end of playing.
void sMarkF28Progress();
void sF28EndOfPlaying();

}  // namespace exploration
