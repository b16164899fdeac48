// Rendering speed of the sound library, as real-time factors (seconds of sound
// per second of CPU, rendering and WAV writing, one thread), and the time of a
// seed reload with tuning of both instruments.
//
// With VELMORA_BENCH_PHRASE_FILE set, the 45-second phrase's note and duration
// texts are written there (two lines), for bench/fluidsynth-ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "instrgen/InstrumentData.h"
#include "soundlib/FWav.h"

namespace {

struct Phrase {
  int count = 0;
  std::string notes;
  std::string durations;
  double seconds = 0.0;
};

const std::vector<instrgen::Seed>& Seeds(char key) {
  static std::vector<instrgen::Seed> seeds[2];
  auto& list = seeds[key == 'c' ? 0 : 1];
  if (list.empty())
    for (int id = 0; id < instrgen::kNoteCount; ++id) list.push_back(instrgen::MakeSeed(key, id));
  return list;
}

void LoadInstruments() {
  for (char key : {'c', 'e'}) {
    const std::string k(1, key);
    soundlib::FWavFreeNoteSeedsMemory(k);
    const auto& seeds = Seeds(key);
    for (int id = 0; id < instrgen::kNoteCount; ++id) {
      const auto& s = seeds[static_cast<size_t>(id)];
      soundlib::FWavLoadInstrNoteSeeds(k, id, s.samPerCyc, s.fractional, s.samples.data());
      soundlib::FWavTuneNote(k, id, 0.001 * (id % 7 - 3));
    }
  }
}

void SetUpLibrary() {
  static bool done = false;
  if (done) return;
  soundlib::FWavSetGlobalVariables("ce");
  soundlib::FWavSetCurrInstr("c");
  LoadInstruments();
  done = true;
}

// A phrase moving through a raga-like scale, every fifth note a glide from the
// note below, of `notes` notes lasting `totalMs` together.
Phrase MakePhrase(int notes, double totalMs) {
  static const int steps[] = {11, 13, 15, 18, 20, 23, 20, 18, 16, 15, 13, 11, 8, 11, 15, 16, 18, 22, 23, 25};
  Phrase phrase;
  phrase.count = notes;
  const int each = static_cast<int>(totalMs / notes);
  for (int k = 0; k < notes; ++k) {
    const int note = steps[k % 20];
    char token[24];
    if (k % 5 == 4)
      std::snprintf(token, sizeof token, "%02d%02d", note - 2, note);
    else
      std::snprintf(token, sizeof token, "%02d", note);
    const int ms = each + (k % 3 - 1) * each / 4;
    if (k > 0) phrase.notes += "  ", phrase.durations += " ";
    phrase.notes += token;
    phrase.durations += std::to_string(ms);
    phrase.seconds += ms / 1000.0;
  }
  return phrase;
}

std::string OutputFile() {
  const char* tmp = std::getenv("TMPDIR");
  return (std::filesystem::path(tmp ? tmp : "/tmp") / "velmora-bench-soundlib.wav").string();
}

void RenderPhrase(benchmark::State& state, const Phrase& phrase) {
  SetUpLibrary();
  const std::string path = OutputFile();
  for (auto _ : state) {
    if (soundlib::FWavGenerateMusicFile(phrase.count, phrase.notes, phrase.durations, path, 1, 0.2, 1, 1000, 60, 80,
                                        50) != 1)
      state.SkipWithError("rendering failed");
  }
  // Seconds of sound per second of CPU.
  state.counters["realtime_factor"] = benchmark::Counter(phrase.seconds, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["sound_seconds"] = phrase.seconds;
  std::filesystem::remove(path);
}

void BM_Phrase20Notes(benchmark::State& state) { RenderPhrase(state, MakePhrase(20, 8000.0)); }
BENCHMARK(BM_Phrase20Notes)->Unit(benchmark::kMillisecond);

void BM_Phrase45Seconds(benchmark::State& state) {
  const Phrase phrase = MakePhrase(150, 45000.0);
  if (const char* file = std::getenv("VELMORA_BENCH_PHRASE_FILE")) std::ofstream(file) << phrase.notes << "\n" << phrase.durations << "\n";
  RenderPhrase(state, phrase);
}
BENCHMARK(BM_Phrase45Seconds)->Unit(benchmark::kMillisecond);

// Free, load and tune all 42 notes of both instruments, as a tonic change does.
void BM_SeedReloadWithTuning(benchmark::State& state) {
  SetUpLibrary();
  Seeds('c');
  Seeds('e');
  for (auto _ : state) LoadInstruments();
  state.counters["seconds_per_reload"] =
      benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SeedReloadWithTuning)->Unit(benchmark::kMillisecond);

}  // namespace
