#include "sound/Drone.h"

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Trace.h"
#include "sound/SoundState.h"

namespace sound {

void sAdjustDroneType(dao::Recordset& technicalInfo) {
  common::ProcTrace t("sAdjustDroneType");
  common::sSetTablePKRecord(technicalInfo, common::CurrRagaIndex);
  const int32_t droneType = technicalInfo.Fields("DroneType").ToLong();
  if (droneType != CurrDroneType) CurrDroneType = droneType;
}

}  // namespace sound
