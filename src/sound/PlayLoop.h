// The double-buffered play loop: the phrases of TPlayInfo play one after another from
// the phrase slots 0 and 1 (files "A.wav" and "B.wav"), phrase p from slot
// (p + 1) mod 2 while AlternateFlag is set (else from CurrSlot alone). While a phrase
// plays, the next one is built and rendered into the other slot (LookAhead 1). The end
// of each file comes back through the control's Done (sPlayMusicFile, then
// sDoCallback); after the last phrase the screen of CallbackCode hears action 19.
// The file to play next (the next phrase's, or with LookAhead 2 while LoopFlag is set
// the restart phrase's after the last) is named to the player as its phrase starts,
// so that the sound runs on into it without a break (sQueueMusicFile).
//
// Starting a list: build phrase CurrPhrase into its slot (the set-ups of
// PhraseSetUps.h), set CurrPhrase, RestartPhrase, LastPhrase, LookAhead and PlayMode,
// then call fPlayMusicPhrases. A screen that repeats calls fPlayMusicPhrases again at
// its action 19: the list starts over from RestartPhrase with the files already in the
// slots.
#pragma once

#include <cstdint>

namespace sound {

// One step of the loop. A phrase remains: marks the screen for it (by CallbackCode:
// 12 the reeds, 3 the composition grid, 11 the composer's slot), shows its prompt,
// starts its file and, with LookAhead 1, prepares the next phrase in the other slot;
// false when that preparation failed (the renderer has shown its message): the phrase
// now playing is then the last of the list. No phrase remains: CurrPhrase goes back to
// RestartPhrase and the screen's dispatcher gets action 19 (3 sPlayCompositions,
// 8 sWorkshop, 11 sComposer, 12 sMainOperations; other codes none); true.
bool fPlayMusicPhrases();

// The end of a file, after sPlayMusicFile closed it: 3 sends the composition player
// action 19; 8, 11 and 12 run the next step of the loop ("Error playing music phrases"
// when it fails), or end the list with the screen's action 19 when the file just heard
// was to be its last (ListEndsAtDone); other codes do nothing.
void sDoCallback();

}  // namespace sound
