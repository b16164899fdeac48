// Test support: a stand-in for the sound library behind sound::SoundLib. It records
// every call, answers 1 (or forwards the call to the real library; a segment cut is
// always forwarded), and reports failure for the calls a test picks. The real entry
// points are back when it goes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sound/SoundLibrary.h"

namespace testsupport {

struct SoundLibCall {
  std::string entry;  // "FWavFreeNoteSeedsMemory", "FWavLoadInstrNoteSeeds", "FWavTuneNote", "FWavLoadDroneData",
                      // "FWavCreateSegmentFile"
  std::string key;    // the instrument key; for a segment, the output file
  int32_t note = 0;   // the note id; for the drone, the drone note; for a segment, its start in ms
  int32_t samPerCyc = 0;  // for a segment, its length in ms
  double value = 0.0;  // the fractional value, the adjustment, the drone factor or the segment's level
  int32_t droneType = 0;
  int32_t option = 0;  // the drone option; for a segment, the play mode
  std::string path;    // the drone's path; for a segment, the source file
  std::vector<int16_t> samples;  // a seed's SamPerCyc + 1 values
};

class SoundLibDouble {
 public:
  enum class Mode { Answer, Forward };

  explicit SoundLibDouble(Mode mode = Mode::Answer) : saved_(sound::SoundLib) {
    const sound::SoundLibraryCalls real;
    sound::SoundLib.FWavFreeNoteSeedsMemory = [this, mode, real](const std::string& key) {
      return Answer({.entry = "FWavFreeNoteSeedsMemory", .key = key}, mode,
                    [&] { return real.FWavFreeNoteSeedsMemory(key); });
    };
    sound::SoundLib.FWavLoadInstrNoteSeeds = [this, mode, real](const std::string& key, int32_t note,
                                                                int32_t samPerCyc, double fractional,
                                                                const int16_t* samples) {
      SoundLibCall call{.entry = "FWavLoadInstrNoteSeeds", .key = key, .note = note, .samPerCyc = samPerCyc,
                        .value = fractional};
      if (samples != nullptr && samPerCyc >= 0) call.samples.assign(samples, samples + samPerCyc + 1);
      return Answer(std::move(call), mode,
                    [&] { return real.FWavLoadInstrNoteSeeds(key, note, samPerCyc, fractional, samples); });
    };
    sound::SoundLib.FWavTuneNote = [this, mode, real](const std::string& key, int32_t note, double adjustment) {
      return Answer({.entry = "FWavTuneNote", .key = key, .note = note, .value = adjustment}, mode,
                    [&] { return real.FWavTuneNote(key, note, adjustment); });
    };
    sound::SoundLib.FWavLoadDroneData = [this, mode, real](const std::string& path, int32_t note, int32_t type,
                                                           const std::string& key, double factor, int32_t option) {
      return Answer({.entry = "FWavLoadDroneData", .key = key, .note = note, .value = factor, .droneType = type,
                     .option = option, .path = path},
                    mode, [&] { return real.FWavLoadDroneData(path, note, type, key, factor, option); });
    };
    // A cut touches no state of the library, only the test's own files: it is always made.
    sound::SoundLib.FWavCreateSegmentFile = [this, real](const std::string& source, int32_t startMs,
                                                         int32_t lengthMs, const std::string& output,
                                                         int32_t playMode, double level) {
      return Answer({.entry = "FWavCreateSegmentFile", .key = output, .note = startMs, .samPerCyc = lengthMs,
                     .value = level, .option = playMode, .path = source},
                    Mode::Forward,
                    [&] { return real.FWavCreateSegmentFile(source, startMs, lengthMs, output, playMode, level); });
    };
  }
  ~SoundLibDouble() { sound::SoundLib = saved_; }
  SoundLibDouble(const SoundLibDouble&) = delete;
  SoundLibDouble& operator=(const SoundLibDouble&) = delete;

  // The calls that report failure (0); they are recorded but not forwarded.
  std::function<bool(const SoundLibCall&)> failWhen;
  std::vector<SoundLibCall> calls;

  // The recorded calls of one entry point, of any key or of the key given.
  std::vector<SoundLibCall> Of(const std::string& entry, const std::string& key = "") const {
    std::vector<SoundLibCall> found;
    for (const SoundLibCall& c : calls)
      if (c.entry == entry && (key.empty() || c.key == key)) found.push_back(c);
    return found;
  }
  size_t Count(const std::string& entry, const std::string& key = "") const { return Of(entry, key).size(); }

 private:
  int16_t Answer(SoundLibCall call, Mode mode, const std::function<int16_t()>& forward) {
    calls.push_back(std::move(call));
    if (failWhen && failWhen(calls.back())) return 0;
    return mode == Mode::Forward ? forward() : int16_t{1};
  }

  sound::SoundLibraryCalls saved_;
};

// Instrument rows for a small content database: main instrument "c" with notes 10 and
// 12, drone "e" with note 12, and the rows of built-in scale set 3 (all untuned).
inline constexpr const char* kMinimalInstrumentRows = R"sql(
INSERT INTO "Note Specifications" VALUES ('c', 10, 4, 0.5), ('c', 12, 3, 0.25), ('e', 12, 3, 0.25);
INSERT INTO "Sample Values" VALUES ('c', 10, 0, 100), ('c', 10, 1, -100), ('c', 12, 0, 50), ('e', 12, 0, 70);
INSERT INTO "ONPR" ("NPSetId", "InstrumentType", "NPSetName", "TonicNoteId", "00", "01", "02", "03", "04", "05",
  "06", "07", "08", "09", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24",
  "25", "26") VALUES
  (3, 1, 'Set 3', 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  (3, 2, 'Set 3', 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
)sql";

}  // namespace testsupport
