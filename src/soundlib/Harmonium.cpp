#include "soundlib/Harmonium.h"

#include <algorithm>
#include <cmath>

namespace soundlib {

namespace {

constexpr float kLegatoReleaseMs = 35.0f;
constexpr float kRepeatReleaseMs = 12.0f;
constexpr float kRepeatAttackMs = 30.0f;
constexpr uint64_t kBellowsSeed = 0x6b656c6c6f7773ull;
constexpr int kBellowsStep = 32;

// Low reeds speak more slowly: 28 ms at the bottom of the range, 14 ms from 1 kHz up.
float AttackMs(double hz) {
  const double octavesAbove = std::clamp(std::log2(hz / 125.0) / 3.0, 0.0, 1.0);
  return static_cast<float>(28.0 - 14.0 * octavesAbove);
}

}  // namespace

void Harmonium::Init() {
  for (auto& voice : voices_) voice.Init(static_cast<float>(kSampleRate));
  mixer_.Init(0.5f);
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

void Harmonium::StartNote(const PhraseNote& note, const SeedStore& seeds) {
  const NoteSeed* chosen[PhraseNote::kMaxIds];
  for (int i = 0; i < note.count; ++i) chosen[i] = seeds.Find(note.ids[i]);
  const int64_t length = note.end - note.start;
  const double lengthMs = static_cast<double>(length) / kSamplesPerMs;

  double phase1 = 0.0;
  double phase2 = 0.37;
  float attack = AttackMs(chosen[0]->hz());
  if (held_ != nullptr) {
    const bool repeat = held_->lastSeed() == chosen[0];
    phase1 = held_->phase1();
    phase2 = held_->phase2();
    held_->Release(repeat ? kRepeatReleaseMs : kLegatoReleaseMs);
    if (repeat) attack = kRepeatAttackMs;
    held_ = nullptr;
  }
  // A short note still reaches its full level.
  attack = std::max(2.0f, std::min(attack, static_cast<float>(0.4 * lengthMs)));
  Voice* voice = FreeVoice();
  voice->Start(chosen, note.count, length, attack, phase1, phase2);
  held_ = voice;
}

void Harmonium::ReleaseAll(float ms) {
  for (auto& voice : voices_) voice.Release(ms);
  held_ = nullptr;
}

bool Harmonium::Render(const Phrase& phrase, const SeedStore& seeds, BlockSink& sink, BlockAdder* accompaniment) {
  for (auto& voice : voices_) voice.Stop();
  held_ = nullptr;
  bellows_.Init(static_cast<float>(kSampleRate) / kBellowsStep, kBellowsSeed);
  float pressure = bellows_.Process();

  const int64_t total = phrase.endSample + kTailSamples;
  size_t next = 0;
  bool released = false;
  for (int64_t position = 0; position < total; position += kBlock) {
    const int n = static_cast<int>(std::min<int64_t>(kBlock, total - position));
    std::fill(mix_, mix_ + n, 0.0f);
    int done = 0;
    while (done < n) {
      // Notes (and the phrase's end) take effect at their exact sample.
      while (next < phrase.notes.size() && phrase.notes[next].start <= position + done) {
        const PhraseNote& note = phrase.notes[next++];
        if (note.end > note.start) StartNote(note, seeds);
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
    mixer_.Scale(mix_, pressure_, n);
    if (accompaniment != nullptr) accompaniment->Add(mix_, position, n);
    Mixer::Finish(mix_, out_, n);
    if (!sink.Write(out_, n)) return false;
  }
  return true;
}

}  // namespace soundlib
