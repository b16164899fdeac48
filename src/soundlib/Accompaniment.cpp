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
    // The same curve as the fade-out below, so that a drone carried on from the
    // last file comes in exactly as that file's goes out.
    for (int64_t i = position; i < std::min<int64_t>(position + n, drone_.fadeIn); ++i)
      work_[i - position] *= Smoothstep(static_cast<float>(i) / static_cast<float>(drone_.fadeIn));
  }
  if (tabla_ != nullptr) tabla_->Add(work_, position, n);
  if (fadeOutAt_ >= 0)
    for (int64_t i = std::max(position, fadeOutAt_); i < position + n; ++i)
      work_[i - position] *= 1.0f - Smoothstep(static_cast<float>(i - fadeOutAt_) / kFadeOut);
  for (int s = 0; s < n; ++s) mix[s] += work_[s];
}

}  // namespace soundlib
