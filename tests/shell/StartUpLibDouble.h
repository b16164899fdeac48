// A stand-in for the whole sound library of the start-up: the seeds, tuning and drone
// entry points (testsupport::SoundLibDouble) and the start-up ones (shell::StartUpLib),
// recorded in one list in the order they were called. The real entry points are back
// when it goes.
#pragma once

#include <string>
#include <vector>

#include "shell/StartUpLibrary.h"
#include "support/SoundLibDouble.h"

namespace shelltest {

class StartUpLibDouble : public testsupport::SoundLibDouble {
 public:
  explicit StartUpLibDouble(Mode mode = Mode::Answer) : SoundLibDouble(mode), saved_(shell::StartUpLib) {
    const shell::StartUpLibraryCalls real;
    shell::StartUpLib.FWavSetGlobalVariables = [this, mode, real](const std::string& globals) {
      return Record({.entry = "FWavSetGlobalVariables", .key = globals}, mode,
                    [&] { return real.FWavSetGlobalVariables(globals); });
    };
    shell::StartUpLib.FWavSetCurrInstr = [this, mode, real](const std::string& key) {
      return Record({.entry = "FWavSetCurrInstr", .key = key}, mode, [&] { return real.FWavSetCurrInstr(key); });
    };
    shell::StartUpLib.FWavLoadThekaData = [this, mode, real](const std::string& file, int32_t set) {
      return Record({.entry = "FWavLoadThekaData", .option = set, .path = file}, mode,
                    [&] { return real.FWavLoadThekaData(file, set); });
    };
    shell::StartUpLib.FWavGenerateDroneFile = [this, mode, real](int32_t variant, const std::string& file,
                                                                 int32_t option) {
      return Record({.entry = "FWavGenerateDroneFile", .droneType = variant, .option = option, .path = file}, mode,
                    [&] { return real.FWavGenerateDroneFile(variant, file, option); });
    };
  }
  ~StartUpLibDouble() { shell::StartUpLib = saved_; }

  // The entry points called, in order, each run of calls of one entry point as one.
  std::vector<std::string> Sequence() const {
    std::vector<std::string> entries;
    for (const testsupport::SoundLibCall& c : calls)
      if (entries.empty() || entries.back() != c.entry) entries.push_back(c.entry);
    return entries;
  }

 private:
  template <class F>
  int16_t Record(testsupport::SoundLibCall call, Mode mode, F&& forward) {
    calls.push_back(std::move(call));
    if (failWhen && failWhen(calls.back())) return 0;
    return mode == Mode::Forward ? forward() : int16_t{1};
  }

  shell::StartUpLibraryCalls saved_;
};

}  // namespace shelltest
