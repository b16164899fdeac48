// Shared state of the composer: the phrase being edited as row images, the words the
// form events set before they call the dispatcher, the stage of the dialogue and what
// the screen changed on opening and puts back on leaving.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/RagaRecords.h"

namespace composer {

// The palette offered: 1 the notes of the raga only, 2 all notes. Set to 1 whenever the
// screen opens; the "Palette" menu changes it.
inline int16_t NotePallet = 1;

// The phrase being edited, one text per row of 20 slots, 20 blank-separated tokens each
// ("_" for an empty slot): the note tokens (English names, "a'b" a grace note a before
// b, "," a phrase boundary), the duration tokens (numbers or ",") and the syllables.
// Rows 1 to RowImageCount are elements 0 to RowImageCount - 1; one spare element
// follows. The three arrays always hold the same number of rows.
inline std::vector<std::string> NotesRowImages;
inline std::vector<std::string> DurRowImages;
inline std::vector<std::string> SylRowImages;
inline int16_t RowImageCount = 0;   // rows of the phrase; 0 before any phrase is laid out
inline int16_t TopRowIndex = 1;     // the row shown in display row 1 (from 1)
inline int16_t PhraseTokenCount = 0;

// Words the form events set (each -1 for none).
inline int16_t ComposerSlot = 0;          // the slot 0 to 39 clicked last
inline int16_t SelectedPalletNote = -1;   // 5 to 31 a note of the palette, 32 the comma
inline int16_t PrevPalletNote = -1;       // the palette entry shown in red
inline int16_t SelectedTimeValue = -1;    // 0 to 18 a time value
inline int16_t PrevTimeValue = -1;
inline bool InsertSlotPending = false;    // the next slot click inserts a blank slot there
inline bool DeleteSlotPending = false;    // the next slot click deletes that slot

// The dialogue: what cRagaList lists (1 ragas, 2 talas, 3 the user's compositions) and
// what OK confirms (2 the composition texts, 5 the composition details).
inline int16_t ComposerListMode = 1;
inline int16_t ComposerOKStage = 0;
// The category's item kind, kept while the raga's scale or pakad plays.
inline int16_t SavedItemKind = 0;

// What exists on the screen now: the slots of a category (and the palette above them).
inline bool SlotLayoutPresent = false;
inline bool PalletPresent = false;
// The composition part in the slots (1 asthai, 2 antara, 0 none yet), and true while
// the option of that part is selected again from code.
inline int16_t ShownCompPart = 0;
inline bool RestoringPartOption = false;
// True while anything plays: everything the user can edit or start is locked.
inline bool ComposerPlaying = false;
// The phrase of the play set now heard (from 1), 0 while nothing plays.
inline int16_t PlayingPhrase = 0;

// True while what the slots and boxes show differs from what the user database holds
// of it (sNoteWorkChanged): leaving the work then asks first.
inline bool WorkChanged = false;

// One slot as the work is kept: its note, duration and syllable tokens ("_" for none).
struct SlotTokens {
  std::string note, duration, syllable;
  bool operator==(const SlotTokens&) const = default;
};
// The slots of a phrase that hold anything, in order: a blank slot inserted or deleted
// changes nothing that is kept.
using SlotWork = std::vector<SlotTokens>;

// What the user database holds of the work on the screen, as the screen shows it (the
// ALT list in element 0, or each part of the composition), the composition's part
// records and the texts of the boxes the learner can edit. Taken when a category or a
// composition is laid out from the user database and after each successful save
// (sKeepStoredWork).
inline std::array<SlotWork, 2> StoredSlots;
inline std::array<common::CompDataRec, 2> StoredCompData;
inline std::vector<std::pair<std::string, std::string>> StoredBoxes;

// Put back when the screen is left: the operation mode and the theka setting of the
// screen it was opened from.
inline int16_t SavedOperationMode = 1;
inline int16_t SavedTheka = 1;

// The slot (0-based, over all rows) of each note of each phrase last checked for playing
// or saving: element p - 1 lists phrase p's notes in order.
inline std::vector<std::vector<int16_t>> PhraseNoteSlots;

// For tests only: called inside a save after each row is written (its number from 1),
// before the save commits.
inline std::function<void(int row)> SaveRowWrittenHook;

}  // namespace composer
