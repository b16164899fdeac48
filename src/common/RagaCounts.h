// Counts and existence tests of a raga's content (alap, layakari and taan phrases,
// similar ragas, compositions, film songs), the matra length of a composition and the
// next free composition number of the user database. A database code is 1 for the
// content database and 2 for the user database; any other code is error 91.
// Existence tests return True (-1) or False (0).
#pragma once

#include <cstdint>

#include "platform/vb/Variant.h"

namespace common {

// The number of ","-separated phrases of the raga's phrase list of that kind; 0 when
// the raga has no such row.
int16_t fAlapCount(int16_t ragaIndex, int16_t database);
int16_t fLayakariCount(int16_t ragaIndex, int16_t database);
int16_t fTaanCount(int16_t ragaIndex, int16_t database);

int16_t fHasAlap(int16_t ragaIndex, const vb::Variant& database);
int16_t fHasLayakari(int16_t ragaIndex, int16_t database);
int16_t fHasTaan(int16_t ragaIndex, const vb::Variant& database);

int16_t fHasSimilarRagas(int16_t ragaIndex, int16_t database);
int16_t fHasCompositions(int16_t ragaIndex, int16_t database);
int16_t fHasFilmSongs(int16_t ragaIndex, const vb::Variant& database);

// The number of items of that "Add Info Type" of CurrRagaIndex in the content database.
int16_t fAddInfoCount(int16_t addInfoType);

// The "Notation Index" for a new composition of the user: one more than the highest
// in use in the user database (1 when there is none), so it never takes the number of
// another composition, whatever gaps earlier deletions or a carry-over left.
int32_t fGetNextUserCompositionIndex();

// The whole matras of the longer part of composition CurrNotationIndex in the database
// of CurrDBSelector: each part's durations plus its "Starting Beat" - 1; a missing part
// counts 0. Also sets AsthaiStartBeat and AntaraStartBeat for the composition player:
// each part's matra count, the sum of its durations rounded half to even, before its
// starting beat is added (the part's last beat is that count + "Starting Beat" - 1).
int16_t fGetMatraCountForComposition();

}  // namespace common
