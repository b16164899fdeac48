// The sound library's entry points as the seeds, tuning and drone procedures, the
// composition player's segment cut and the workbench's drone file call them.
//
// Every call goes through SoundLib, which holds the real entry points of src/soundlib
// unless a test puts a stand-in there (to record calls or to report a failure at one
// step). Each entry returns 1 on success and any other value on failure.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "soundlib/FWav.h"

namespace sound {

struct SoundLibraryCalls {
  std::function<int16_t(const std::string& instrumentKey)> FWavFreeNoteSeedsMemory =
      soundlib::FWavFreeNoteSeedsMemory;
  // samples: element 0 of samPerCyc + 1 values, copied during the call.
  std::function<int16_t(const std::string& instrumentKey, int32_t noteId, int32_t samPerCyc, double fractionalValue,
                        const int16_t* samples)>
      FWavLoadInstrNoteSeeds = soundlib::FWavLoadInstrNoteSeeds;
  std::function<int16_t(const std::string& instrumentKey, int32_t noteId, double adjustment)> FWavTuneNote =
      soundlib::FWavTuneNote;
  std::function<int16_t(const std::string& path, int32_t droneNote, int32_t droneType,
                        const std::string& instrumentKey, double factor, int32_t option)>
      FWavLoadDroneData = soundlib::FWavLoadDroneData;
  // The drone loaded last written to a file of `variant` cycles (the workbench's drone alone).
  std::function<int16_t(int32_t variant, const std::string& droneFile, int32_t option)> FWavGenerateDroneFile =
      soundlib::FWavGenerateDroneFile;
  // Cuts a stretch of a music file into another (the composition player's practice segment).
  std::function<int16_t(const std::string& sourceFile, int32_t startMs, int32_t lengthMs,
                        const std::string& outputFile, int32_t playMode, double level)>
      FWavCreateSegmentFile = soundlib::FWavCreateSegmentFile;
};

// The entry points in use; default-constructed, the real library.
inline SoundLibraryCalls SoundLib;

}  // namespace sound
