#include "sound/Drone.h"

#include <algorithm>
#include <cmath>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Trace.h"
#include "platform/vb/Interaction.h"
#include "sound/SoundLibrary.h"
#include "sound/SoundState.h"

namespace sound {

namespace {

constexpr int32_t kDroneNoteOffset = 21;  // the drone note of tonic t is t + 21
constexpr int32_t kPa = 1;
constexpr int32_t kLastDroneType = 3;
// The loudness factor in tenths.
constexpr int kSoftestTenths = 5;
constexpr int kLoudestTenths = 15;

int32_t DroneTypeToSound(int32_t droneType) { return droneType >= 1 && droneType <= kLastDroneType ? droneType : kPa; }

}  // namespace

int16_t fBuildDroneData() {
  common::ProcTrace t("fBuildDroneData");
  if (SoundLib.FWavLoadDroneData("", CurrTonicNoteId + kDroneNoteOffset, DroneTypeToSound(CurrDroneType),
                                 DroneInstrument, CurrDroneFactor, DroneOption) != 1) {
    vb::Message("Error in FWavLoadDroneData");
    return 0;
  }
  return 1;
}

void sAdjustDroneType(dao::Recordset& technicalInfo) {
  common::ProcTrace t("sAdjustDroneType");
  common::sSetTablePKRecord(technicalInfo, common::CurrRagaIndex);
  const int32_t droneType = technicalInfo.Fields("DroneType").ToLong();
  if (droneType == CurrDroneType) return;
  CurrDroneType = droneType;
  if (fBuildDroneData() != 1) vb::Message("Error in loading drone data");
}

int16_t fAdjustDroneVolume() {
  common::ProcTrace t("fAdjustDroneVolume");
  PlayMode = 1;
  // Counting whole tenths keeps the factor on its eleven values: adding 0.1 again and
  // again would drift off them (and miss the bounds).
  const double current = std::isfinite(CurrDroneFactor) ? CurrDroneFactor * 10.0 : 10.0;
  int tenths = std::clamp(static_cast<int>(std::lround(std::clamp(current, -1e6, 1e6))), kSoftestTenths,
                          kLoudestTenths);
  if (DroneVolumeStep == 1 && tenths < kLoudestTenths) ++tenths;
  if (DroneVolumeStep == -1 && tenths > kSoftestTenths) --tenths;
  CurrDroneFactor = tenths / 10.0;
  if (fBuildDroneData() != 1) {
    vb::Message("Error in Building DroneData");
    return 0;
  }
  return 1;
}

}  // namespace sound
