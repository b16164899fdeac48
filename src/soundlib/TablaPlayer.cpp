#include "soundlib/TablaPlayer.h"

#include <algorithm>
#include <cmath>

#include "soundlib/Constants.h"
#include "soundlib/Random.h"

namespace soundlib {

namespace {
constexpr float kMutedMs = 6.0f;
constexpr float kRestruckMs = 40.0f;
// What a hand on the skin leaves ringing, and how fast that dies (time constant, s).
constexpr float kMutedRing = 0.01f;
constexpr float kMutedRingSeconds = 0.12f;
constexpr float kSilent = 1e-4f;
}  // namespace

void TablaPlayer::Start(const TablaStrokes& bank, const StrokeEvent* events, size_t count, uint64_t take) {
  bank_ = &bank;
  events_ = events;
  count_ = count;
  next_ = 0;
  for (auto& voice : voices_) voice = Voice{};
  Random random(take);
  for (int& turn : turn_) turn = static_cast<int>(random.Next() % TablaStrokes::kVariants);
}

bool TablaPlayer::active() const {
  if (next_ < count_) return true;
  for (const auto& voice : voices_)
    if (voice.samples != nullptr) return true;
  return false;
}

void TablaPlayer::Begin(const StrokeEvent& event) {
  const bool bayan = OnBayan(event.stroke);
  const bool mutes = Mutes(event.stroke);
  const float releaseMs = mutes ? kMutedMs : kRestruckMs;
  Voice* free = nullptr;
  for (auto& voice : voices_) {
    if (voice.samples == nullptr) {
      if (free == nullptr) free = &voice;
    } else if (voice.bayan == bayan && voice.releaseStep == 0.0f) {
      voice.releaseStep = 1.0f / (releaseMs * static_cast<float>(kSamplesPerMs));
      voice.floor = mutes ? kMutedRing : 0.0f;
    }
  }
  if (free == nullptr) {
    // Every voice busy: the one that has sounded longest gives way.
    free =
        &*std::max_element(voices_.begin(), voices_.end(), [](const Voice& a, const Voice& b) { return a.at < b.at; });
  }
  int& turn = turn_[static_cast<size_t>(event.stroke)];
  free->samples = bank_->Samples(event.stroke, turn);
  free->length = bank_->Length(event.stroke, turn);
  turn = (turn + 1) % TablaStrokes::kVariants;
  free->at = 0;
  free->gain = event.gain;
  free->release = 1.0f;
  free->releaseStep = 0.0f;
  free->floor = 0.0f;
  free->fade = 1.0f;
  free->bayan = bayan;
}

void TablaPlayer::Play(Voice& voice, float* out, int n) {
  const int count = static_cast<int>(std::min<int64_t>(n, voice.length - voice.at));
  const float* samples = voice.samples + voice.at;
  voice.at += count;
  if (voice.releaseStep == 0.0f) {
    for (int s = 0; s < count; ++s) out[s] += voice.gain * samples[s];
  } else {
    int s = 0;
    float release = voice.release;
    for (; s < count && release > voice.floor; ++s, release -= voice.releaseStep)
      out[s] += voice.gain * release * samples[s];
    if (release <= voice.floor) {
      // The faint ring the hand leaves dies away.
      if (voice.fade == 1.0f) {
        release = voice.floor;
        voice.fade = std::exp(-1.0f / (kMutedRingSeconds * static_cast<float>(kSampleRate)));
      }
      for (; s < count; ++s, release *= voice.fade) out[s] += voice.gain * release * samples[s];
      if (release < kSilent) voice.at = voice.length;
    }
    voice.release = release;
  }
  if (voice.at >= voice.length) voice.samples = nullptr;
}

void TablaPlayer::Add(float* out, int64_t position, int n) {
  if (bank_ == nullptr) return;
  int done = 0;
  while (done < n) {
    while (next_ < count_ && events_[next_].sample <= position + done) Begin(events_[next_++]);
    int64_t until = position + n;
    if (next_ < count_) until = std::min(until, events_[next_].sample);
    const int part = static_cast<int>(until - (position + done));
    for (auto& voice : voices_)
      if (voice.samples != nullptr) Play(voice, out + done, part);
    done += part;
  }
}

}  // namespace soundlib
