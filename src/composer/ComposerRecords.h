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
// (work in progress); otherwise, as for playing, it is refused. The record changes only
// when every check has passed. False after the message.
bool fUpdateCompTFromRowImages(bool emptyAllowed);
// The syllables of the part on screen spell its text (blanks and "_" left out).
bool fVerifyCompPartSyllables();
// The composition details of the boxes: the Mukhada, the starting beats (whole numbers
// from 1 to the tala's beats) and the beat duration (a whole number from 1 to 999); the
// message of the first fault, "" when all is well.
std::string fCheckCompData();
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

}  // namespace composer
