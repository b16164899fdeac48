#include "soundlib/Accompaniment.h"

#include <algorithm>

#include "soundlib/Smoothstep.h"

namespace soundlib {

namespace {

constexpr int64_t kDroneFadeIn = static_cast<int64_t>(20.0 * kSamplesPerMs);

}  // namespace

void Accompaniment::Start(int64_t total, const float* drone, int64_t cycleLength, float droneGain, TablaPlayer* tabla) {
  total_ = total;
  drone_ = drone;
  cycleLength_ = cycleLength;
  droneGain_ = droneGain;
  tabla_ = tabla;
}

void Accompaniment::Add(float* mix, int64_t position, int n) {
  std::fill(work_, work_ + n, 0.0f);
  if (drone_ != nullptr) {
    int64_t at = position % cycleLength_;
    for (int s = 0; s < n; ++s) {
      work_[s] = droneGain_ * drone_[at];
      if (++at == cycleLength_) at = 0;
    }
    for (int64_t i = position; i < std::min<int64_t>(position + n, kDroneFadeIn); ++i)
      work_[i - position] *= Smoothstep(static_cast<float>(i) / kDroneFadeIn);
  }
  if (tabla_ != nullptr) tabla_->Add(work_, position, n);
  const int64_t tailStart = total_ - Harmonium::kTailSamples;
  for (int64_t i = std::max(position, tailStart); i < position + n; ++i)
    work_[i - position] *=
        1.0f - Smoothstep(std::min(1.0f, static_cast<float>(i - tailStart) / Harmonium::kTailSamples));
  for (int s = 0; s < n; ++s) mix[s] += work_[s];
}

}  // namespace soundlib
