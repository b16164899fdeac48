// Rendering speed of the sound library, as real-time factors (seconds of sound
// per second of CPU, rendering and WAV writing, one thread), the time of a
// seed reload with tuning of both instruments, and of the drone file.
//
// With VELMORA_BENCH_PHRASE_FILE set, the 45-second phrase's note and duration
// texts are written there (two lines), for bench/fluidsynth-ratio; the
// composition part with drone and theka adds a third line: its tabla strokes as
// "ms:d" (dayan) or "ms:b" (bayan), and a fourth: the drone's pluck times and
// note ids for one cycle, "ms:id".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "instrgen/InstrumentData.h"
#include "soundlib/FWav.h"
#include "soundlib/Tanpura.h"
#include "thekagen/ThekaTable.h"

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
const int kSteps[] = {11, 13, 15, 18, 20, 23, 20, 18, 16, 15, 13, 11, 8, 11, 15, 16, 18, 22, 23, 25};

Phrase MakePhrase(int notes, double totalMs) {
  Phrase phrase;
  phrase.count = notes;
  const int each = static_cast<int>(totalMs / notes);
  for (int k = 0; k < notes; ++k) {
    const int note = kSteps[k % 20];
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

std::string TempFile(const std::string& name) {
  const char* tmp = std::getenv("TMPDIR");
  return (std::filesystem::path(tmp ? tmp : "/tmp") / name).string();
}

std::string OutputFile() { return TempFile("velmora-bench-soundlib.wav"); }

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

// The drone file of the start-up (two cycles, 6.4 s): the four strings
// rendered and the file written, as after a tonic change.
void BM_DroneFileAfterATonicChange(benchmark::State& state) {
  SetUpLibrary();
  const std::string path = TempFile("velmora-bench-drone.wav");
  int tonic = 0;
  for (auto _ : state) {
    if (soundlib::FWavLoadDroneData("", 22 + tonic, 1, "e", 1.0, 1) != 1 ||
        soundlib::FWavGenerateDroneFile(2, path, 1) != 1)
      state.SkipWithError("drone failed");
    tonic = (tonic + 1) % 12;
  }
  state.counters["seconds_per_file"] =
      benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  std::filesystem::remove(path);
}
BENCHMARK(BM_DroneFileAfterATonicChange)->Unit(benchmark::kMillisecond);

// A composition part of 45 seconds in Teentaal at 600 ms a beat, half and whole
// beats and glides, with the drone and the theka.
void BM_Composition45SecondsWithDroneAndTheka(benchmark::State& state) {
  SetUpLibrary();
  const std::string thekaFile = TempFile("velmora-bench-clb.kzy");
  {
    std::ofstream file(thekaFile, std::ios::binary);
    thekagen::WriteThekaFile(file);
  }
  if (soundlib::FWavLoadThekaData(thekaFile, thekagen::kThekaSet) != 1 ||
      soundlib::FWavLoadDroneData("", 23, 1, "e", 1.0, 1) != 1) {
    state.SkipWithError("theka or drone failed");
    return;
  }
  constexpr int kTempo = 600;
  const std::vector<int> teentaal = thekagen::BolIds(thekagen::Thekas()[0]);
  std::string notes, durations, theka, strokes;
  int count = 0;
  double seconds = 0.0;
  // Beats 1..75: on even beats two half-beat notes (the second beginning no beat), else one note.
  for (int beat = 0; beat < 75; ++beat) {
    const int bol = teentaal[static_cast<size_t>(beat % 16)];
    const int halves = beat % 2 == 0 ? 2 : 1;
    for (int h = 0; h < halves; ++h) {
      const int note = kSteps[count % 20];
      char token[24];
      if (count % 5 == 4) std::snprintf(token, sizeof token, "%02d%02d", note - 2, note);
      else std::snprintf(token, sizeof token, "%02d", note);
      if (count > 0) notes += "  ", durations += " ", theka += " ";
      notes += token;
      durations += std::to_string(kTempo / halves);
      char text[24] = "0";
      if (h == 0) std::snprintf(text, sizeof text, "1/%d/0", bol);
      theka += text;
      ++count;
    }
    for (const thekagen::Bol& b : thekagen::Bols()) {
      if (b.id != bol) continue;
      std::istringstream parts(b.strokes);
      for (std::string part; parts >> part;) {
        const double at = (beat + std::stod(part.substr(part.find('@') + 1))) * kTempo;
        const bool bayan = part.rfind("Ge", 0) == 0 || part.rfind("Ke", 0) == 0;
        char text[40];
        std::snprintf(text, sizeof text, "%s%.3f:%c", strokes.empty() ? "" : " ", at, bayan ? 'b' : 'd');
        strokes += text;
      }
    }
    seconds += kTempo / 1000.0;
  }
  if (const char* file = std::getenv("VELMORA_BENCH_PHRASE_FILE")) {
    std::ofstream out(file);
    out << notes << "\n" << durations << "\n" << strokes << "\n";
    // Pa, Sa, Sa, lower Sa of tonic 2 (Sa = note id 11).
    const int ids[] = {6, 11, 11, -1};
    for (int i = 0; i < 4; ++i)
      out << (i ? " " : "") << soundlib::Tanpura::kPluckAt[static_cast<size_t>(i)] * 1000.0 / 44100.0 << ":" << ids[i];
    out << "\n";
  }
  const std::string path = OutputFile();
  for (auto _ : state) {
    if (soundlib::FWavGenerateMusicFile1(count, notes, durations, 1, 16, theka, thekagen::kThekaSet, kTempo, path, 1,
                                         0.2, 1, 1000, 60, 80, 50) != 1)
      state.SkipWithError("rendering failed");
  }
  state.counters["realtime_factor"] = benchmark::Counter(seconds, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["sound_seconds"] = seconds;
  std::filesystem::remove(path);
  std::filesystem::remove(thekaFile);
}
BENCHMARK(BM_Composition45SecondsWithDroneAndTheka)->Unit(benchmark::kMillisecond);

}  // namespace
