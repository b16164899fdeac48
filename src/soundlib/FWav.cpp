// The library's state and its entry points (FWav.h).
#include "soundlib/FWav.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <vector>

#include "soundlib/Accompaniment.h"
#include "soundlib/Harmonium.h"
#include "soundlib/NoteText.h"
#include "soundlib/Room.h"
#include "soundlib/SeedStore.h"
#include "soundlib/TablaPlayer.h"
#include "soundlib/TablaStrokes.h"
#include "soundlib/Tanpura.h"
#include "soundlib/ThekaData.h"
#include "soundlib/ThekaText.h"
#include "soundlib/WavReader.h"
#include "soundlib/WavWriter.h"

namespace soundlib {

namespace {

struct Instrument {
  char key = 0;
  SeedStore seeds;
};

constexpr double kSegmentFadeMs = 3.0;
// The loudness factors the drone accepts (the program steps between 0.5 and 1.5).
constexpr double kMaxDroneFactor = 2.0;
// The dayan's Sa while no drone is loaded: C4.
constexpr double kDefaultSaHz = 261.6255653005986;
// A file that starts after a pause finds the drone this long before the lower Sa's pluck.
constexpr int64_t kDroneLeadIn = static_cast<int64_t>(100.0 * kSamplesPerMs);
// The last fade of a file followed by a pause, as its room dies away.
constexpr int64_t kEndFade = static_cast<int64_t>(20.0 * kSamplesPerMs);

// The theka arguments of a music file.
struct ThekaArgs {
  const std::string& text;
  int32_t set;
  ThekaTiming timing;
};

struct Library {
  std::vector<std::unique_ptr<Instrument>> instruments;
  Instrument* current = nullptr;
  Harmonium harmonium;
  Phrase phrase;
  std::vector<int16_t> segment;
  Tanpura tanpura;
  float droneFactor = 1.0f;
  ThekaData theka;
  ThekaData reading;  // a theka file being read, so that a failed read changes nothing
  TablaStrokes strokes;
  std::vector<StrokeEvent> events;
  TablaPlayer tabla;
  Accompaniment accompaniment;
  Room room;
  // The play loop's word on the next music file, and how the last one ended.
  FileJoins next;
  bool lastJoins = false;     // it was written, and a file was to follow it at once
  bool lastRanOn = false;     // it was written to run on from the file before it
  int64_t droneEnd = 0;       // the drone stream's sample where it ended

  Library() {
    harmonium.Init();
    tanpura.Init();
    strokes.Init();
    room.Init();
    phrase.notes.reserve(1024);
    events.reserve(8192);
  }

  Instrument* Find(const std::string& key) {
    if (key.size() != 1) return nullptr;
    for (auto& instrument : instruments)
      if (instrument->key == key[0]) return instrument.get();
    return nullptr;
  }
};

Library& State() {
  static Library library;
  return library;
}

int16_t Result(bool ok) { return ok ? kSuccess : kFailure; }

// Renders a phrase with the drone (play modes 1 and 2, once loaded) and, when
// theka is given and its set is loaded, the tabla.
bool RenderPhrase(int32_t count, const std::string& notes, const std::string& durations, const std::string& path,
                  int32_t playMode, const ThekaArgs* theka) {
  Library& lib = State();
  if (lib.current == nullptr || playMode < 0 || playMode > 2) return false;
  if (!ParsePhrase(count, notes, durations, lib.phrase)) return false;
  if (!Harmonium::Playable(lib.phrase, lib.current->seeds)) return false;
  lib.events.clear();
  if (theka != nullptr && lib.theka.loaded() && theka->set == lib.theka.set() &&
      !ReadTheka(theka->text, lib.phrase, theka->timing, lib.theka, lib.events))
    return false;

  // A file that follows the last one at once begins where that file's music
  // ended, while that file's release, tabla and room sound on under its start:
  // its drone is the same stretch of the stream there, faded in as that file's
  // fades out, so that the two together hear the drone run on. Any other file
  // brings its drone in afresh. Notes, tabla and room start anew in every file.
  const FileJoins joins = lib.next;
  lib.next = FileJoins{};
  const bool continues = joins.followsLast && lib.lastJoins;
  lib.lastJoins = false;
  lib.lastRanOn = false;
  lib.room.Clear();

  const bool drone = playMode != 0 && lib.tanpura.loaded();
  const double saHz = lib.tanpura.loaded() ? lib.tanpura.saHz() : kDefaultSaHz;
  if (!lib.events.empty()) lib.strokes.Tune(saHz);
  lib.tabla.Start(lib.strokes, lib.events.data(), lib.events.size(), SeedOf(lib.phrase));
  const bool tabla = lib.tabla.active();

  Accompaniment::Drone stream;
  if (drone) {
    stream.tanpura = &lib.tanpura;
    stream.gain = lib.droneFactor;
    if (continues) {
      stream.from = lib.droneEnd;
      stream.fadeIn = Accompaniment::kFadeOut;
    } else {
      // After a pause the drone comes in at the next cycle, just before its lower Sa.
      const int64_t cycle = (lib.droneEnd + Tanpura::kCycle - 1) / Tanpura::kCycle;
      stream.from = cycle * Tanpura::kCycle + Tanpura::kPluckAt[Tanpura::kLowerSa] - kDroneLeadIn;
      stream.fadeIn = Accompaniment::kDroneFadeIn;
    }
  }
  // Every file ends with its music's release, and its room's echo after it.
  FileShape shape;
  shape.length = lib.phrase.endSample + Harmonium::kTailSamples + Room::kTailSamples;
  shape.fadeOut = kEndFade;
  lib.accompaniment.Start(stream, tabla ? &lib.tabla : nullptr, lib.phrase.endSample);
  WavWriter writer;
  if (!writer.Open(path) || !writer.MarkJoin(lib.phrase.endSample)) return false;
  if (!lib.harmonium.Render(lib.phrase, lib.current->seeds, writer, shape,
                            drone || tabla ? &lib.accompaniment : nullptr, &lib.room)) {
    writer.Abort();
    return false;
  }
  if (!writer.Close()) return false;
  if (drone) lib.droneEnd = stream.from + lib.phrase.endSample;
  lib.lastJoins = joins.followedAtOnce;
  lib.lastRanOn = continues;
  return true;
}

// Scales the first (fadeIn) or last frames of interleaved samples along a smoothstep ramp.
void Fade(int16_t* samples, int channels, int64_t frames, bool fadeIn) {
  for (int64_t f = 0; f < frames; ++f) {
    const double x = (static_cast<double>(f) + 0.5) / static_cast<double>(frames);
    const double gain = fadeIn ? x * x * (3.0 - 2.0 * x) : 1.0 - x * x * (3.0 - 2.0 * x);
    for (int c = 0; c < channels; ++c) {
      int16_t& s = samples[f * channels + c];
      s = static_cast<int16_t>(std::lrint(s * gain));
    }
  }
}

}  // namespace

void SetNextFileJoins(bool followsLast, bool followedAtOnce) { State().next = FileJoins{followsLast, followedAtOnce}; }

bool LastFileRanOn() { return State().lastRanOn; }

int16_t FWavSetGlobalVariables(const std::string& globals) {
  if (globals.empty()) return kFailure;
  for (char c : globals)
    if (!std::isalnum(static_cast<unsigned char>(c))) return kFailure;
  Library& lib = State();
  lib.instruments.clear();
  lib.current = nullptr;
  lib.tanpura.Unload();
  lib.droneFactor = 1.0f;
  lib.theka.Clear();
  lib.next = FileJoins{};
  lib.lastJoins = false;
  lib.lastRanOn = false;
  lib.droneEnd = 0;
  for (char c : globals) {
    if (lib.Find(std::string(1, c)) != nullptr) continue;
    lib.instruments.push_back(std::make_unique<Instrument>());
    lib.instruments.back()->key = c;
  }
  return kSuccess;
}

int16_t FWavSetCurrInstr(const std::string& instrumentKey) {
  Instrument* instrument = State().Find(instrumentKey);
  if (instrument == nullptr) return kFailure;
  State().current = instrument;
  return kSuccess;
}

int16_t FWavFreeNoteSeedsMemory(const std::string& instrumentKey) {
  Instrument* instrument = State().Find(instrumentKey);
  if (instrument == nullptr) return kFailure;
  instrument->seeds.Free();
  return kSuccess;
}

int16_t FWavLoadInstrNoteSeeds(const std::string& instrumentKey, int32_t noteId, int32_t samPerCyc,
                               double fractionalValue, const int16_t* samples) {
  Instrument* instrument = State().Find(instrumentKey);
  return Result(instrument != nullptr && instrument->seeds.Load(noteId, samPerCyc, fractionalValue, samples));
}

int16_t FWavTuneNote(const std::string& instrumentKey, int32_t noteId, double adjustment) {
  Instrument* instrument = State().Find(instrumentKey);
  return Result(instrument != nullptr && instrument->seeds.Tune(noteId, adjustment));
}

int16_t FWavLoadThekaData(const std::string& thekaFile, int32_t thekaSet) {
  Library& lib = State();
  if (!lib.reading.Read(thekaFile, thekaSet)) return kFailure;
  lib.theka = lib.reading;
  return kSuccess;
}

int16_t FWavLoadDroneData(const std::string& path, int32_t droneNote, int32_t droneType,
                          const std::string& instrumentKey, double factor, int32_t option) {
  Library& lib = State();
  const Instrument* instrument = lib.Find(instrumentKey);
  if (instrument == nullptr || !(factor >= 0.0 && factor <= kMaxDroneFactor)) return kFailure;
  if (!lib.tanpura.Load(droneNote, droneType, instrument->seeds)) return kFailure;
  lib.droneFactor = static_cast<float>(factor);
  return kSuccess;
}

int16_t FWavGenerateDroneFile(int32_t variant, const std::string& droneFile, int32_t option) {
  Library& lib = State();
  if (variant < 1 || variant > 2 || !lib.tanpura.loaded()) return kFailure;
  WavWriter writer;
  if (!writer.Open(droneFile)) return kFailure;
  float block[Harmonium::kBlock];
  int16_t out[Harmonium::kBlock];
  const int64_t total = variant * Tanpura::kCycle;
  for (int64_t position = 0; position < total; position += Harmonium::kBlock) {
    const int n = static_cast<int>(std::min<int64_t>(Harmonium::kBlock, total - position));
    std::fill(block, block + n, 0.0f);
    lib.tanpura.AddLoop(block, position, n, variant, lib.droneFactor);
    Mixer::Finish(block, out, n);
    if (!writer.Write(out, n)) break;
  }
  return Result(writer.Close());
}

int16_t FWavGenerateMusicFile(int32_t noteCount, const std::string& notes, const std::string& durations,
                              const std::string& outputFile, int32_t playMode, double level, int32_t genOption,
                              int32_t a, int32_t b, int32_t c, int32_t d) {
  return Result(RenderPhrase(noteCount, notes, durations, outputFile, playMode, nullptr));
}

int16_t FWavGenerateMusicFile1(int32_t noteCount, const std::string& notes, const std::string& durations,
                               int32_t compStartMatra, int32_t compBeatCount, const std::string& thekaString,
                               int32_t thekaSet, int32_t tempoMs, const std::string& outputFile, int32_t playMode,
                               double level, int32_t genOption, int32_t a, int32_t b, int32_t c, int32_t d) {
  const ThekaTiming timing{static_cast<double>(tempoMs), compStartMatra, compBeatCount};
  const ThekaArgs theka{thekaString, thekaSet, timing};
  return Result(RenderPhrase(noteCount, notes, durations, outputFile, playMode, &theka));
}

int16_t FWavCreateSegmentFile(const std::string& sourceFile, int32_t startMs, int32_t lengthMs,
                              const std::string& outputFile, int32_t playMode, double level) {
  if (startMs < 0 || lengthMs <= 0) return kFailure;
  WavReader reader;
  if (!reader.Open(sourceFile)) return kFailure;
  const double perMs = reader.sampleRate() / 1000.0;
  const int64_t start = std::llround(startMs * perMs);
  if (start >= reader.frames()) return kFailure;
  const int64_t frames = std::min<int64_t>(std::llround(lengthMs * perMs), reader.frames() - start);
  if (frames <= 0) return kFailure;

  // The whole stretch is read before the output is opened, so the output may be the source.
  std::vector<int16_t>& samples = State().segment;
  const int channels = reader.channels();
  samples.resize(static_cast<size_t>(frames * channels));
  if (!reader.Read(start, samples.data(), frames)) return kFailure;
  const int64_t fade = std::min<int64_t>(std::llround(kSegmentFadeMs * perMs), frames / 2);
  if (start > 0) Fade(samples.data(), channels, fade, true);
  if (start + frames < reader.frames()) Fade(samples.data() + (frames - fade) * channels, channels, fade, false);

  WavWriter writer;
  if (!writer.Open(outputFile, channels, reader.sampleRate())) return kFailure;
  writer.Write(samples.data(), frames);
  return Result(writer.Close());
}

}  // namespace soundlib
