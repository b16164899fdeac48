#include "soundlib/Accompaniment.h"

#include <algorithm>

#include "soundlib/Smoothstep.h"

namespace soundlib {

void Accompaniment::Start(const Drone& drone, TablaPlayer* tabla, int64_t fadeOutAt) {
  drone_ = drone;
  tabla_ = tabla;
  fadeOutAt_ = fadeOutAt;
}

void Accompaniment::Add(float* mix, int64_t position, int n) {
  if (fadeOutAt_ >= 0 && position >= fadeOutAt_ + kFadeOut) return;
  std::fill(work_, work_ + n, 0.0f);
  if (drone_.tanpura != nullptr) {
    drone_.tanpura->AddStream(work_, drone_.from + position, n, drone_.gain);
    if (drone_.fadeIn)
      for (int64_t i = position; i < std::min<int64_t>(position + n, kDroneFadeIn); ++i)
        work_[i - position] *= Smoothstep((static_cast<float>(i) + 0.5f) / kDroneFadeIn);
  }
  if (tabla_ != nullptr) tabla_->Add(work_, position, n);
  if (fadeOutAt_ >= 0)
    for (int64_t i = std::max(position, fadeOutAt_); i < position + n; ++i)
      work_[i - position] *= 1.0f - Smoothstep(static_cast<float>(i - fadeOutAt_) / kFadeOut);
  for (int s = 0; s < n; ++s) mix[s] += work_[s];
}

}  // namespace soundlib
