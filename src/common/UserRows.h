// The learner's rows of the user database checked before a screen uses them. A row
// that is whole as a row but holds a value the program cannot use (a Null where a value
// must be, a number out of range, a tala unknown to the content, a word that is not a
// note, a part row missing) is refused: the learner is told which item and what is
// wrong, naming the user database, the error is recorded in "errtrace.txt" as a handled
// one, and the row is left as it is. Each check answers "" when the row can be used, or
// what is wrong with it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/vb/Variant.h"

namespace common {

// A stored number from lo to hi (a whole number when whole): Null, text and numbers
// outside the range are not.
bool fStoredNumber(const vb::Variant& value, double lo, double hi, bool whole, double& number);

// What a row is checked for. Play: every value the item is played from. Edit: only what
// keeps the Composer from laying the item out in its slots and boxes; whatever else is
// wrong shows there, and the Composer saves nothing until the learner has mended it.
enum class RowUse { Play, Edit };

// A phrase list of type phraseType (1 alap, 2 layakari, 3 taan) as stored: phrases of
// note words, and for alap and layakari a duration above 0 for every note, each phrase
// no longer than the longest a phrase can play. For editing, only a duration list that
// has fewer durations than the notes need (the Composer lays such a list out all the
// same, its notes past the last duration without one, and says so).
std::string fALTRowFault(const vb::Variant& notesPhrase, const vb::Variant& durationPhrase, int16_t phraseType,
                         RowUse use);
// The learner's phrase list of that raga and type in the user database ("" without one).
std::string fUserALTRowFault(int16_t ragaIndex, int16_t phraseType, RowUse use);
// The learner's composition of that name in the raga ("" without one). For editing: its
// number, at least one part row, and in each part row a tala of the content database
// and a starting beat and beat duration that are numbers (or missing). For playing, both
// part rows, and in each a starting beat within the tala, a beat duration from 1 to 999,
// note words, and a duration above 0 for each note, the part no longer than the longest
// a phrase can play.
std::string fUserCompositionFault(int16_t ragaIndex, const std::string& name, RowUse use);

// The learner's items as the messages name them: "Your alap phrases of the raga <raga>"
// (layakari, taan) and "Your composition "<name>"".
std::string fUserALTItem(int16_t phraseType, const std::string& ragaName);
std::string fUserCompositionItem(const std::string& name);

// Tells the learner that item (as "Your composition "x"") cannot be used because its data
// in the user database is damaged as fault says, and records it as a handled error (3049).
void sReportDamagedUserRow(const std::string& item, const std::string& fault);
// The same damage recorded, for an item shown as far as it goes so that the learner can
// mend it; shown says what the screen made of it.
void sReportPartlyShownUserRow(const std::string& item, const std::string& fault, const std::string& shown);

}  // namespace common
