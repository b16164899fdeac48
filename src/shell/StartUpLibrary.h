// The sound library's start-up entry points as sInitApp1 calls them (the seeds, tuning
// and drone entry points go through sound::SoundLib).
//
// Every call goes through StartUpLib, which holds the real entry points of src/soundlib
// unless a test puts a stand-in there. Each entry returns 1 on success.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "soundlib/FWav.h"

namespace shell {

struct StartUpLibraryCalls {
  std::function<int16_t(const std::string& globals)> FWavSetGlobalVariables = soundlib::FWavSetGlobalVariables;
  std::function<int16_t(const std::string& instrumentKey)> FWavSetCurrInstr = soundlib::FWavSetCurrInstr;
  std::function<int16_t(const std::string& thekaFile, int32_t thekaSet)> FWavLoadThekaData =
      soundlib::FWavLoadThekaData;
  std::function<int16_t(int32_t variant, const std::string& droneFile, int32_t option)> FWavGenerateDroneFile =
      soundlib::FWavGenerateDroneFile;
};

// The entry points in use; default-constructed, the real library.
inline StartUpLibraryCalls StartUpLib;

}  // namespace shell
