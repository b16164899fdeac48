// The phrase being edited checked and turned into the in-memory records (the user's ALT
// record TALTInfo2(type - 1), or a composition part TCompData(part - 1)) before it is
// played or saved, and the saving of those records into the user database.
//
// The checks go slot by slot over every row and name the slot at fault, "(row r, slot c)";
// every message has the information icon and the title "Message", and a failed check
// leaves the records as they were.
#pragma once

#include <cstdint>
#include <string>

#include "common/RagaRecords.h"
#include "composer/ComposerState.h"

namespace composer {

// The alap, layakari or taan in the slots into TALTInfo2(CurrPhraseType - 1): every
// note with its duration in its own slot (a taan has none), phrases separated by "," (a
// "," ending the last phrase is dropped), the layakari's beats converted with the beat
// duration in cSpeed (a whole number from 1 to 999). False after the message.
bool fUpdateALTTFromRowImages();

// The composition part on screen (CurrCompPart) into TCompData(part - 1): syllables that
// spell the part's text, every note with its duration in its own slot, no comma, the
// syllable durations in step with the syllables; its text, starting beat and playing
// speed from the boxes. A part with nothing written is kept empty when emptyAllowed
// (work in progress); otherwise, as for playing, it is refused. A part (slots and text)
// not changed since it was stored keeps its stored notes and syllables unchecked, but
// for playing its notes must be playable. The record changes only when every check has
// passed. False after the message.
bool fUpdateCompTFromRowImages(bool emptyAllowed);
// The syllables of the part on screen spell its text (blanks and "_" left out).
bool fVerifyCompPartSyllables();
// The composition details of the boxes: the Mukhada, the starting beats (whole numbers
// from 1 to the tala's beats) and the beat duration (a whole number from 1 to 999); the
// message of the first fault, "" when all is well. part 0 checks both starting beats,
// 1 or 2 only that part's (the part to be played).
std::string fCheckCompData(int16_t part = 0);
// True when the raga already has a composition of the user of that name, whatever the
// letter case and the blanks around it.
bool fCompositionNameTaken(const std::string& mukhada);
// The records of a new composition from its confirmed details, under the next free
// composition number of the user database.
void sSetInitialValuesInCompT();

// Saves the record of the category in the user database (ALT types: its phrase list
// replaces the stored one), in one transaction. A failure leaves the database as it was
// and says so; false then.
bool sSaveMusicToDatabase();
// The writes themselves, inside the caller's transaction. A composition: its name row
// (added on its first save) and both part rows; refused (error 3022 with the message)
// when another composition of the raga has its name or another composition its number.
void sSaveALTFromTToDB();
void sSaveCompDataFromTToDB();
// The details of both parts from the boxes: the tala, each part's starting beat and
// the playing speed of cSpeed (checked beforehand by fCheckCompData).
void sSetCompDetailsFromBoxes();
// Both parts of the composition made ready to save: the part on screen from the slots,
// the other from its record, each with its own text and starting beat and the playing
// speed of cSpeed. False after the message.
bool fPrepareCompositionForSave();

// What the user database holds of the work on the screen (StoredSlots, StoredCompData,
// StoredBoxes) taken as what the screen shows now, the changed flag cleared: when the
// work was laid out from the user database, and after it was saved.
void sKeepStoredWork();
// True when what the slots and boxes show (for a composition, both parts) differs from
// what is stored; a blank slot inserted or deleted is no difference.
bool fWorkChanged();
// WorkChanged := fWorkChanged(), after each of the learner's edits.
void sNoteWorkChanged();
// True when composition part 1 or 2 (in the slots or in its record) or its text differs
// from what is stored of it.
bool fCompPartEdited(int16_t part);
// The slots a composition part's record shows.
SlotWork fCompPartSlotWork(const common::CompDataRec& record);

}  // namespace composer
