// Filling the in-memory raga tables (CommonState.h) from the databases.
//
// Making a raga current copies its technical data, scale, pakad and its alap, layakari
// and taan phrases, already split into phrases and segments, into TBaseInfo, TALTInfo1
// (content database) and TALTInfo2 (user database); choosing a composition, film song
// or comparison copies its key row and part rows into TCompInfo and TCompData. Every
// record is cleared before it is filled, so nothing of the previous raga or item is
// left where the new one has no value.
//
// Splitting: a phrase list separates phrases by ",", segments by ":" and notes by blanks;
// runs of separators count as one. Its duration list holds one duration per note word,
// nothing for ":", and one separator word after each phrase. A duration list with
// fewer values than the notes need is error 9.
#pragma once

#include <cstdint>
#include <string>

#include "common/RagaRecords.h"

namespace common {

// Makes the raga of CurrRagaIndex current: loads its tables and, when its drone type
// differs from sound::CurrDroneType, reloads the note seeds for it. The new drone type
// is kept only when the reload succeeded, so a failed reload is tried again next time;
// a failure shows "Error in setting up for current Raga".
void sSetupForCurrRaga();

// TBaseInfo from the row of CurrRagaIndex in "Raga - Technical Information" (content
// database). A missing row is error 3021, a Null other than in "Thata" error 94.
void sDBToTBaseInfo();
void sLoadRagaScalePakadInfo();

// The pakad and its duration list as one phrase whose segments are the ":"-separated
// pieces of the pakad.
PhraseSegmentsRec fSplitPakad(const std::string& pakad, const std::string& pakadDurations);

// Elements 0 to 2 of TALTInfo1 and TALTInfo2 from "Raga - ALT Phrases" of the content
// and the user database. A type without a row, or whose user row cannot be split
// (fALTRowFault for editing), leaves an empty record (RagaIndex 0). The content's taans
// come with their stored durations when they have them; the learner's never do.
void sDBToTALTInfo();

// Fills record from a phrase list and its duration list (an empty list, as for a taan
// without stored durations, gives its segments empty duration texts).
void sLoadRagaALTInfoIntoT(ALTInfoRec& record, int16_t phraseType, int16_t ragaIndex, const std::string& notesList,
                           const std::string& durationList);

// TCompInfo and CurrNotationIndex from the row (CurrRagaIndex, addInfo, addInfoType) of
// "Raga - Additional Information"; database 1 the content database, any other the user
// database. No row: "Composition Not Available", and TCompInfo and CurrNotationIndex
// are emptied (0), so the part rows of an earlier item are not taken for this one.
void sDBToTCompInfo(int16_t database, int16_t addInfoType, const std::string& addInfo);

// TCompData elements 0 and 1 from the part rows of notationIndex in "Raga - Composition
// Notations", by sound::CurrMusicItemType: 8 composition (asthai and antara), 7 similar
// raga (element 1 is the current raga's phrase of the same row), 9 film song (element 0
// only). A missing part leaves an empty element (NotationIndex 0). Element 2 is left alone.
void sDBToTCompData(int16_t database, int32_t notationIndex);

}  // namespace common
