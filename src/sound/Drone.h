// The drone: following the current raga's drone type.
#pragma once

#include "platform/dao/Recordset.h"

namespace sound {

// Follows the drone type of the current raga (CurrRagaIndex): seeks its row in the open
// "Raga - Technical Information" table recordset and, when its "DroneType" differs
// from CurrDroneType, records the new type. For now it only records the type: loading
// the drone data for it comes with the sound library. A missing raga row is an error
// (3021) for the error handling.
void sAdjustDroneType(dao::Recordset& technicalInfo);

}  // namespace sound
