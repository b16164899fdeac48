#include "soundlib/Harmonium.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "soundlib/Random.h"
#include "soundlib/Room.h"
#include "soundlib/Smoothstep.h"
#include "soundlib/Wide.h"

namespace soundlib {

namespace {

constexpr float kLegatoReleaseMs = 35.0f;
constexpr float kRepeatReleaseMs = 12.0f;
constexpr float kRepeatAttackMs = 30.0f;
constexpr uint64_t kBellowsSeed = 0x6b656c6c6f7773ull;
constexpr int kBellowsStep = 32;
constexpr uint64_t kNoteSeed = 0x7265656473ull;
constexpr uint64_t kNoiseSeed = 0x6169722e6e6full;
// How far a note may sit off its pitch, in cents.
constexpr double kDetuneCents = 1.0;
// The chamber noise against the reeds' RMS (-45 dB), and how much more than the
// loudness it moves with the bellows' pressure.
constexpr float kChamber = 0.0056f;
constexpr float kAirPressure = 4.0f;
// A key's speaking burst: its peak RMS in the sum (about 11 dB below a sounding
// reed pair), rise and decay (ms), and how long it is followed; a key pressed again speaks softer.
constexpr float kSpeak = 0.08f;
constexpr float kSpeakRiseMs = 0.5f;
constexpr float kSpeakDecayMs = 7.0f;
constexpr float kSpeakMs = 30.0f;
constexpr float kRepeatSpeak = 0.5f;

// A biquad band-pass (unit gain at its centre) run over v in place.
void BandPass(std::vector<double>& v, double hz, double q) {
  const double w = 2.0 * std::numbers::pi * hz / kSampleRate;
  const double alpha = std::sin(w) / (2.0 * q);
  const double a0 = 1.0 + alpha;
  const double b0 = alpha / a0, b2 = -alpha / a0, a1 = -2.0 * std::cos(w) / a0, a2 = (1.0 - alpha) / a0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (double& x : v) {
    const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    x = y;
  }
}

// A biquad low-pass run over v in place.
void LowPass(std::vector<double>& v, double hz, double q) {
  const double w = 2.0 * std::numbers::pi * hz / kSampleRate;
  const double alpha = std::sin(w) / (2.0 * q);
  const double a0 = 1.0 + alpha;
  const double b1 = (1.0 - std::cos(w)) / a0, b0 = 0.5 * b1, a1 = -2.0 * std::cos(w) / a0, a2 = (1.0 - alpha) / a0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (double& x : v) {
    const double y = b0 * x + b1 * x1 + b0 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    x = y;
  }
}

// Fills loop with seeded noise through the given band-passes (hz, q, gain) and a
// steep low-pass at 8 kHz, at unit RMS.
void NoiseLoop(std::vector<float>& loop, uint64_t seed, std::initializer_list<std::array<double, 3>> bands) {
  const size_t n = loop.size();
  std::vector<double> white(n), sum(n, 0.0), band(n);
  Random random(seed);
  for (double& w : white) w = random.Bipolar();
  for (const auto& [hz, q, gain] : bands) {
    // Twice round the loop, so that the filter has settled where the loop joins.
    band.assign(white.begin(), white.end());
    band.insert(band.end(), white.begin(), white.end());
    BandPass(band, hz, q);
    // An eighth-order Butterworth low-pass.
    for (double stageQ : {0.5098, 0.6013, 0.9000, 2.5629}) LowPass(band, 8000.0, stageQ);
    for (size_t i = 0; i < n; ++i) sum[i] += gain * band[n + i];
  }
  double energy = 0.0;
  for (double v : sum) energy += v * v;
  const double scale = energy > 0.0 ? 1.0 / std::sqrt(energy / static_cast<double>(n)) : 0.0;
  for (size_t i = 0; i < n; ++i) loop[i] = static_cast<float>(sum[i] * scale);
}

uint64_t Mix(uint64_t a, uint64_t b) { return Random(a ^ (b * 0x9E3779B97F4A7C15ull)).Next(); }

// Low reeds speak more slowly: 28 ms at the bottom of the range, 14 ms from 1 kHz up.
float AttackMs(double hz) {
  const double octavesAbove = std::clamp(std::log2(hz / 125.0) / 3.0, 0.0, 1.0);
  return static_cast<float>(28.0 - 14.0 * octavesAbove);
}

}  // namespace

void Harmonium::Init() {
  for (auto& voice : voices_) voice.Init(static_cast<float>(kSampleRate));
  mixer_.Init(0.5f);
  chamber_.assign(kNoiseLength, 0.0f);
  speak_.assign(kNoiseLength, 0.0f);
  // The chamber: its two resonances over a little air of the whole band.
  NoiseLoop(chamber_, kNoiseSeed, {{1300.0, 2.5, 1.0}, {2900.0, 3.0, 0.6}, {2000.0, 0.4, 0.25}});
  // The speaking key: a broad hiss from 2 to 9 kHz with the chamber's ring.
  NoiseLoop(speak_, kNoiseSeed + 1, {{4500.0, 0.5, 1.0}, {1300.0, 2.0, 0.4}, {2900.0, 2.5, 0.3}});
}

bool Harmonium::Playable(const Phrase& phrase, const SeedStore& seeds) {
  for (const PhraseNote& note : phrase.notes)
    for (int i = 0; i < note.count; ++i)
      if (seeds.Find(note.ids[i]) == nullptr) return false;
  return true;
}

// An idle voice, else (only when eight notes sound at once, as in a run of notes
// shorter than 5 ms) the quietest one dying away.
Voice* Harmonium::FreeVoice() {
  Voice* quietest = nullptr;
  for (auto& voice : voices_) {
    if (!voice.active()) return &voice;
    if (&voice != held_ && (quietest == nullptr || voice.level() < quietest->level())) quietest = &voice;
  }
  return quietest;
}

void Harmonium::StartNote(const PhraseNote& note, const SeedStore& seeds, size_t index) {
  const NoteSeed* chosen[PhraseNote::kMaxIds];
  for (int i = 0; i < note.count; ++i) chosen[i] = seeds.Find(note.ids[i]);
  const int64_t length = note.end - note.start;
  const double lengthMs = static_cast<double>(length) / kSamplesPerMs;

  double phase1 = 0.0;
  double phase2 = 0.37;
  float attack = AttackMs(chosen[0]->hz());
  bool repeat = false;
  if (held_ != nullptr) {
    repeat = held_->lastSeed() == chosen[0];
    phase1 = held_->phase1();
    phase2 = held_->phase2();
    held_->Release(repeat ? kRepeatReleaseMs : kLegatoReleaseMs);
    if (repeat) attack = kRepeatAttackMs;
    held_ = nullptr;
  }
  // A short note still reaches its full level.
  attack = std::max(2.0f, std::min(attack, static_cast<float>(0.4 * lengthMs)));
  Random random(Mix(kNoteSeed + index, static_cast<uint64_t>(note.ids[note.count - 1])));
  const double detune = std::exp2(kDetuneCents * random.Bipolar() / 1200.0);
  Voice* voice = FreeVoice();
  voice->Start(chosen, note.count, length, attack, phase1, phase2, detune);
  held_ = voice;
  Burst& burst = bursts_[nextBurst_];
  nextBurst_ = (nextBurst_ + 1) % kBursts;
  if (burst.at < 0) ++liveBursts_;
  burst.at = note.start;
  burst.level = kSpeak * (repeat ? kRepeatSpeak : 1.0f);
}

VELMORA_WIDE void Harmonium::AddAir(int64_t position, int n) {
  using F4 = float __attribute__((vector_size(16)));
  constexpr int64_t kMask = kNoiseLength - 1;
  constexpr int kChunks = kBlock / kBellowsStep;
  const int chunks = (n + kBellowsStep - 1) / kBellowsStep;
  // First the reeds' energy in every chunk, before any air is added: the chunks
  // then need not wait for each other. Four sums a chunk, so that the additions
  // need not wait for each other either.
  float energy[kChunks];
  for (int c = 0; c < chunks; ++c) {
    const float* chunk = mix_ + c * kBellowsStep;
    const int length = std::min(kBellowsStep, n - c * kBellowsStep);
    F4 sums = {};
    int i = 0;
    for (; i + 4 <= length; i += 4) {
      F4 v;
      std::memcpy(&v, chunk + i, sizeof v);
      sums += v * v;
    }
    for (; i < length; ++i) sums[0] += chunk[i] * chunk[i];
    energy[c] = (sums[0] + sums[1]) + (sums[2] + sums[3]);
  }
  // Then the gains: both move over each chunk to what the chunk before it
  // measured, so that no air comes before its key.
  float chamberFrom[kChunks], chamberStep[kChunks], speakFrom[kChunks], speakStep[kChunks];
  bool speaks[kChunks];
  for (int c = 0; c < chunks; ++c) {
    const int s = c * kBellowsStep;
    const int length = std::min(kBellowsStep, n - s);
    chamberFrom[c] = chamberGain_;
    chamberStep[c] = (chamberNext_ - chamberGain_) / static_cast<float>(length);
    speakFrom[c] = speakGain_;
    speakStep[c] = (speakNext_ - speakGain_) / static_cast<float>(length);
    speaks[c] = speakGain_ != 0.0f || speakNext_ != 0.0f;
    chamberGain_ = chamberNext_;
    speakGain_ = speakNext_;
    const float pressure = pressure_[s + length - 1];
    chamberNext_ =
        kChamber * std::sqrt(energy[c] / static_cast<float>(length)) * (1.0f + kAirPressure * (pressure - 1.0f));
    const int64_t end = position + s + length;
    float speak = 0.0f;
    for (Burst& burst : bursts_) {
      if (liveBursts_ == 0) break;
      if (burst.at < 0) continue;
      const float ms = static_cast<float>(end - burst.at) / static_cast<float>(kSamplesPerMs);
      if (ms > kSpeakMs) {
        burst.at = -1;
        --liveBursts_;
        continue;
      }
      if (ms > 0.0f) speak += burst.level * (1.0f - std::exp(-ms / kSpeakRiseMs)) * std::exp(-ms / kSpeakDecayMs);
    }
    speakNext_ = speak;
  }
  // Then the air itself. A chunk of the loops never wraps: the loops' length is
  // a multiple of the chunk's. (The gains are read into locals: the stores into
  // the chunk then cannot be taken to change them, and run eight samples at a time.)
  for (int c = 0; c < chunks; ++c) {
    const int s = c * kBellowsStep;
    const int length = std::min(kBellowsStep, n - s);
    const int64_t at = position + s;
    const float* __restrict chamberNoise = chamber_.data() + (at & kMask);
    const float* __restrict speakNoise = speak_.data() + (at & kMask);
    float* __restrict into = mix_ + s;
    const float chamberGain = chamberFrom[c];
    const float chamberRamp = chamberStep[c];
    for (int i = 0; i < length; ++i)
      into[i] += (chamberGain + chamberRamp * static_cast<float>(i + 1)) * chamberNoise[i];
    if (!speaks[c]) continue;
    const float speakGain = speakFrom[c];
    const float speakRamp = speakStep[c];
    for (int i = 0; i < length; ++i) into[i] += (speakGain + speakRamp * static_cast<float>(i + 1)) * speakNoise[i];
  }
}

void Harmonium::ReleaseAll(float ms) {
  for (auto& voice : voices_) voice.Release(ms);
  held_ = nullptr;
}

VELMORA_WIDE bool Harmonium::Render(const Phrase& phrase, const SeedStore& seeds, BlockSink& sink, const FileShape& shape,
                       BlockAdder* accompaniment, Room* room) {
  for (auto& voice : voices_) voice.Stop();
  held_ = nullptr;
  for (Burst& burst : bursts_) burst.at = -1;
  liveBursts_ = 0;
  chamberGain_ = speakGain_ = chamberNext_ = speakNext_ = 0.0f;
  bellows_.Init(static_cast<float>(kSampleRate) / kBellowsStep, kBellowsSeed);
  float pressure = bellows_.Process();

  const int64_t total = std::max(shape.length, phrase.endSample + kTailSamples);
  const int64_t fadeOutFrom = total - shape.fadeOut;
  size_t next = 0;
  bool released = false;
  for (int64_t position = 0; position < total; position += kBlock) {
    const int n = static_cast<int>(std::min<int64_t>(kBlock, total - position));
    std::fill(mix_, mix_ + n, 0.0f);
    int done = 0;
    while (done < n) {
      // Notes (and the phrase's end) take effect at their exact sample.
      while (next < phrase.notes.size() && phrase.notes[next].start <= position + done) {
        const size_t index = next++;
        const PhraseNote& note = phrase.notes[index];
        if (note.end > note.start) StartNote(note, seeds, index);
      }
      if (!released && next == phrase.notes.size() && phrase.endSample <= position + done) {
        ReleaseAll(kEndReleaseMs);
        released = true;
      }
      int64_t until = position + n;
      if (next < phrase.notes.size()) until = std::min(until, phrase.notes[next].start);
      if (!released) until = std::min(until, std::max(phrase.endSample, position + done + 1));
      const int part = static_cast<int>(until - (position + done));
      for (auto& voice : voices_) voice.Render(mix_ + done, part);
      done += part;
    }
    // The pressure moves linearly between its control points, one every kBellowsStep samples.
    for (int s = 0; s < n; s += kBellowsStep) {
      const float target = bellows_.Process();
      const float step = (target - pressure) / kBellowsStep;
      float* chunk = pressure_ + s;
      const int length = std::min(kBellowsStep, n - s);
      for (int i = 0; i < length; ++i) chunk[i] = pressure + step * static_cast<float>(i);
      pressure = target;
    }
    AddAir(position, n);
    mixer_.Scale(mix_, pressure_, n);
    if (accompaniment != nullptr) accompaniment->Add(mix_, position, n);
    if (room != nullptr) room->Process(mix_, n);
    for (int64_t i = std::max(position, fadeOutFrom); i < position + n; ++i)
      mix_[i - position] *= 1.0f - Smoothstep((static_cast<float>(i - fadeOutFrom) + 0.5f) / static_cast<float>(shape.fadeOut));
    Mixer::Finish(mix_, out_, n);
    if (!sink.Write(out_, n)) return false;
  }
  return true;
}

}  // namespace soundlib
