#include "soundlib/TablaPlayer.h"

#include <algorithm>

#include "soundlib/Constants.h"

namespace soundlib {

namespace {
constexpr float kMutedMs = 6.0f;
constexpr float kRestruckMs = 40.0f;
}  // namespace

void TablaPlayer::Start(const TablaStrokes& bank, const StrokeEvent* events, size_t count) {
  bank_ = &bank;
  events_ = events;
  count_ = count;
  next_ = 0;
  for (auto& voice : voices_) voice = Voice{};
}

void TablaPlayer::Begin(const StrokeEvent& event) {
  const bool bayan = OnBayan(event.stroke);
  const float releaseMs = Mutes(event.stroke) ? kMutedMs : kRestruckMs;
  Voice* free = nullptr;
  for (auto& voice : voices_) {
    if (voice.samples == nullptr) {
      if (free == nullptr) free = &voice;
    } else if (voice.bayan == bayan && voice.releaseStep == 0.0f) {
      voice.releaseStep = 1.0f / (releaseMs * static_cast<float>(kSamplesPerMs));
    }
  }
  if (free == nullptr) {
    // Every voice busy: the one that has sounded longest gives way.
    free =
        &*std::max_element(voices_.begin(), voices_.end(), [](const Voice& a, const Voice& b) { return a.at < b.at; });
  }
  free->samples = bank_->Samples(event.stroke);
  free->length = bank_->Length(event.stroke);
  free->at = 0;
  free->gain = event.gain;
  free->release = 1.0f;
  free->releaseStep = 0.0f;
  free->bayan = bayan;
}

void TablaPlayer::Play(Voice& voice, float* out, int n) {
  const int count = static_cast<int>(std::min<int64_t>(n, voice.length - voice.at));
  const float* samples = voice.samples + voice.at;
  voice.at += count;
  if (voice.releaseStep == 0.0f) {
    for (int s = 0; s < count; ++s) out[s] += voice.gain * samples[s];
  } else {
    float release = voice.release;
    for (int s = 0; s < count && release > 0.0f; ++s, release -= voice.releaseStep)
      out[s] += voice.gain * release * samples[s];
    voice.release = release;
    if (release <= 0.0f) voice.at = voice.length;
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
