#include <algorithm>

#include "platform/mci/Output.h"

namespace mci {

SilentOutput::SilentOutput(std::shared_ptr<Clock> clock) : clock_(std::move(clock)) {}

void SilentOutput::Start(uint64_t playId, std::shared_ptr<const WaveData> wave, int64_t from, int64_t to) {
  playId_ = playId;
  active_ = true;
  start_ = clock_->Now();
  frames_ = to - from;
  sampleRate_ = wave->sampleRate;
  ArmEnd();
}

void SilentOutput::Stop() { active_ = false; }

int64_t SilentOutput::HeardFrames() const {
  const int64_t us = (clock_->Now() - start_).count();
  return std::clamp<int64_t>(us * sampleRate_ / 1'000'000, 0, frames_);
}

bool SilentOutput::Ended() const { return !active_ || HeardFrames() >= frames_; }

// Wakes at the computed end; a real timer may wake a little early, so the end is
// checked against the clock and the wake-up armed again for what is left.
void SilentOutput::ArmEnd() {
  const int64_t leftFrames = frames_ - HeardFrames();
  const Micros left((leftFrames * 1'000'000 + sampleRate_ - 1) / sampleRate_);
  const uint64_t id = playId_;
  clock_->CallAfter(&anchor_, left, [this, id] {
    if (!active_ || id != playId_) return;
    if (HeardFrames() < frames_) {
      ArmEnd();
      return;
    }
    active_ = false;
    if (endHandler_) endHandler_(id, End::Played);
  });
}

}  // namespace mci
