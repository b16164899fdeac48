// The drone: its data in the sound library, following the raga's drone type, and its
// loudness.
#pragma once

#include <cstdint>

#include "platform/dao/Recordset.h"

namespace sound {

// Loads the drone into the sound library for the current tonic (drone note
// CurrTonicNoteId + 21), CurrDroneType (a type outside 1 to 3 sounds as 1, Pa),
// DroneInstrument, CurrDroneFactor and DroneOption. 1 on success; 0 after the message
// "Error in FWavLoadDroneData".
int16_t fBuildDroneData();

// Follows the drone type of the current raga (CurrRagaIndex): seeks its row in the open
// "Raga - Technical Information" table recordset and, when its "DroneType" differs from
// CurrDroneType, takes it and loads the drone for it ("Error in loading drone data"
// when that fails). The same type loads nothing. A missing raga row is error 3021.
void sAdjustDroneType(dao::Recordset& technicalInfo);

// One loudness step in the direction DroneVolumeStep (1 louder, -1 softer): the factor
// moves by a tenth within 0.5 to 1.5 and lands exactly on those eleven values; a step
// beyond a bound leaves it. Sets PlayMode to 1 and reloads the drone: 1, or 0 after the
// message "Error in Building DroneData".
int16_t fAdjustDroneVolume();

}  // namespace sound
