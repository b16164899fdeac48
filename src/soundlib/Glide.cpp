#include "soundlib/Glide.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace soundlib {

void Glide::Start(const double* hz, int count, int64_t lengthSamples) {
  count_ = std::clamp(count, 1, kMaxPoints);
  for (int i = 0; i < count_; ++i) log2Hz_[i] = std::log2(hz[i]);
  position_ = 0;
  const int slides = count_ - 1;
  if (slides == 0) {
    hold_ = slide_ = end_ = 0;
    return;
  }
  // The grace notes take up to 15 % of the note (at most 90 ms together), the
  // slides up to 45 % (at most 450 ms); the rest sounds the main note.
  const double length = static_cast<double>(lengthSamples);
  const double holdTotal = std::min(0.15 * length, 0.090 * sampleRate_);
  const double slideTotal = std::min(0.45 * length, 0.450 * sampleRate_);
  hold_ = static_cast<int64_t>(holdTotal / slides);
  slide_ = std::max<int64_t>(1, static_cast<int64_t>(slideTotal / slides));
  end_ = slides * (hold_ + slide_);
}

Glide::Point Glide::Advance(int samples) {
  Point point;
  if (count_ == 1 || position_ >= end_) {
    point.hz = std::exp2(log2Hz_[count_ - 1]);
    point.from = count_ - 1;
  } else {
    const int64_t span = hold_ + slide_;
    const int segment = static_cast<int>(position_ / span);
    const int64_t into = position_ - segment * span - hold_;
    double shape = 0.0;
    if (into > 0) {
      const double u = static_cast<double>(into) / static_cast<double>(slide_);
      shape = 0.5 - 0.5 * std::cos(std::numbers::pi * u);
    }
    point.hz = std::exp2(log2Hz_[segment] + (log2Hz_[segment + 1] - log2Hz_[segment]) * shape);
    point.from = segment;
    point.toWeight = static_cast<float>(shape);
  }
  position_ += samples;
  return point;
}

}  // namespace soundlib
