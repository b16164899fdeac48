#include <algorithm>

#include "platform/mci/Output.h"

namespace mci {

namespace {

// The time frames take at a sample rate, rounded up so that a play's end is never early.
Micros Duration(int64_t frames, int sampleRate) { return Micros((frames * 1'000'000 + sampleRate - 1) / sampleRate); }

}  // namespace

SilentOutput::SilentOutput(std::shared_ptr<Clock> clock) : clock_(std::move(clock)) {}

void SilentOutput::Start(uint64_t playId, std::shared_ptr<const WaveData> wave, int64_t from, int64_t to) {
  plays_.clear();
  plays_.push_back({playId, clock_->Now(), from, to - from, wave->sampleRate, wave->channels});
  ended_ = {};
  ArmEnd();
}

void SilentOutput::Queue(uint64_t currentId, uint64_t nextId, std::shared_ptr<const WaveData> next, int64_t at) {
  if (plays_.size() != 1 || plays_[0].id != currentId || next == nullptr || next->frames() <= 0) return;
  Play& current = plays_[0];
  const int64_t frames = at - current.from;
  if (frames <= 0 || frames > current.frames || Heard(current) >= frames) return;
  if (next->sampleRate != current.sampleRate || next->channels != current.channels) return;
  current.frames = frames;
  plays_.push_back({nextId, current.start + Duration(frames, current.sampleRate), 0, next->frames(), next->sampleRate,
                    next->channels});
  ArmEnd();
}

void SilentOutput::Stop() {
  plays_.clear();
  ended_ = {};
  ++generation_;
}

const SilentOutput::Play* SilentOutput::Find(uint64_t playId) const {
  for (const Play& play : plays_)
    if (play.id == playId) return &play;
  return nullptr;
}

int64_t SilentOutput::Heard(const Play& play) const {
  const int64_t us = (clock_->Now() - play.start).count();
  return std::clamp<int64_t>(us * play.sampleRate / 1'000'000, 0, play.frames);
}

int64_t SilentOutput::HeardFrames(uint64_t playId) const {
  if (playId != 0 && playId == ended_.id) return ended_.frames;
  const Play* play = Find(playId);
  return play != nullptr ? Heard(*play) : 0;
}

bool SilentOutput::Ended(uint64_t playId) const {
  const Play* play = Find(playId);
  return play == nullptr || Heard(*play) >= play->frames;
}

bool SilentOutput::Known(uint64_t playId) const {
  return playId != 0 && (playId == ended_.id || Find(playId) != nullptr);
}

// Wakes at the computed end of the first play; a real timer may wake a little
// early, so the end is checked against the clock and the wake-up armed again for
// what is left. A play queued behind it then sounds on from its own start.
void SilentOutput::ArmEnd() {
  const uint64_t generation = ++generation_;
  if (plays_.empty()) return;
  const Play& first = plays_.front();
  const Micros left = Duration(first.frames - Heard(first), first.sampleRate);
  clock_->CallAfter(&anchor_, left, [this, generation] {
    if (generation != generation_ || plays_.empty()) return;
    const Play& play = plays_.front();
    if (Heard(play) < play.frames) {
      ArmEnd();
      return;
    }
    ended_ = play;
    plays_.erase(plays_.begin());
    ArmEnd();
    if (endHandler_) endHandler_(ended_.id, End::Played);
  });
}

}  // namespace mci
