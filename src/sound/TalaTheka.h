// The theka string of a composition part: for every note, the beats of the tala cycle
// that begin while it sounds and the tabla bol struck on each.
//
// Positions and durations are in beats (matras), single precision; a position is the
// 0-based start within the cycle (0 is the start of beat 1).
//
// Tala text of a note: "0" when no beat begins within it (from its start, included, to
// its end, excluded), else "n/b/o": n beats begin within it, it starts in beat b
// (1-based), the first of them begins o beats after its start (0 on the beat):
// 2 beats at 4.0 -> "2/5/0", 0.5 beats at 4.75 -> "1/5/0.25".
// Theka text of a note: "0", or n, the bol of each of those n beats and o, joined by
// "/". The part's theka string is its notes' theka texts one blank apart.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dao/Recordset.h"

namespace sound {

// The theka string of TCompData(part - 1) (part 1 asthai, 2 antara, 3 the composer's)
// for thekaSet, from its NotesDuration, Tala Id and Starting Beat and the content
// table "ThekaTypeBolsForTaal". An unknown tala is error 3021.
std::string fCreateTalaStringForCompFromT(int16_t part, int16_t thekaSet);

// The tala text of a note of duration beats at position, which moves on by the
// duration (less one cycle when it reaches the cycle's end).
std::string fGetTalaStringForNote(float& position, float& duration, int16_t beatCount);

// The theka text for a tala text: the bols of talaId in thekaSet from table (an open
// table recordset of "ThekaTypeBolsForTaal"). A beat without a row strikes bol 0.
std::string fGetThekaStringForTalaString(const std::string& talaText, int16_t talaId, int16_t thekaSet,
                                         dao::Recordset& table, int16_t beatCount);

}  // namespace sound
