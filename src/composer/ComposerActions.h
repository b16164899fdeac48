// The actions of the Composer's dispatcher (sComposer), one procedure each, and the
// question asked before unsaved work is left. Only the dispatcher and the form's events
// call them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace composer {

// 0: the screen opened with its raga list.
void sOpenComposer();
// 1: a line of cRagaList chosen: a raga (list mode 1), a tala (2) or a composition of
// the user (3).
void sComposerListChoice();
// 2: a category chosen: the slots of an alap, layakari or taan, the texts of a new
// composition, or the user's compositions of the raga.
void sComposerCategoryChosen();
// 3: OK: the composition texts (stage 2) or details (stage 5) confirmed.
void sComposerOK();
// 4, 5: a palette note or a time value chosen (or given up): shown in red.
void sComposerPalletNoteChosen();
void sComposerTimeValueChosen();
// 6, 7, 8: a note, grace or duration slot clicked: a pending insert or delete is
// carried out there; otherwise the slot takes the chosen note, the comma, the time value
// (added to what it holds), or is cleared when nothing is chosen.
void sComposerNoteSlotClicked();
void sComposerGraceSlotClicked();
void sComposerDurationSlotClicked();
// 11, 12: the rows moved down (by 1) or up (by -1).
void sComposerMoveRows(int16_t by);
// 15: a syllable typed.
void sComposerSyllableTyped();
// 16: the phrase checked and saved; "Music Saved" once it is in the user database.
void sComposerSave();

// 17, 18: the asthai or the antara shown, the part left kept in its record (when it
// cannot be, it stays on the screen).
void sComposerShowPart(int16_t part);

// 9: play what the slots hold (for a composition, the part on screen), or the raga's
// scale or pakad when its box was clicked; the screen locked until the end of playing.
void sComposerPlay();
// 19: the end of playing: the screen usable again.
void sComposerEndOfPlaying();
// 21: the slot of the note being heard marked, at each progress notification.
void sPlayNotationSlot();
// A play still running stopped and its file closed, with no end of playing to follow.
void sComposerStopPlaying();

// 13, 14, 20: a new category, a new raga, leaving; each asks first when unsaved work
// would be lost.
void sComposerNewCategory();
void sComposerNewRaga();
void sComposerLeave();
// 22, 23: the palette shows the raga's notes, or all notes.
void sComposerPalletChanged();
// 24: the raga's data, the palette and the slots in the new notation script.
void sComposerScriptChanged();

// True when the work on the screen may be left: nothing unsaved, or the learner said
// Yes to leaving it. reason: 1 switch category, 2 switch raga, 3 leave the Composer.
bool fCheckForComp(int16_t reason);
// The composition records emptied and the composition's boxes cleared.
void sInitializeCompT();
void sInitCompInfo();

// Runs work; an error it raises is not a halt: the trace is put back as it was and the
// error's description is returned (empty when work succeeded).
std::string fTryComposerStep(const std::function<void()>& work);

}  // namespace composer
