#include "soundlib/Room.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "soundlib/Constants.h"

namespace soundlib {

namespace {

constexpr double kRate = static_cast<double>(kSampleRate) / Room::kFactor;
// Delays in low-rate samples (25, 30, 35 and 41 ms): primes, so that their echoes seldom meet.
constexpr int kDelays[Room::kLines] = {557, 661, 773, 907};
// The low-pass of each pass: its pole, for a corner near 3 kHz.
constexpr float kDamping = 0.58f;
constexpr int kStageMax = 2048;

// The decimating low-pass: a Blackman-windowed sinc with its corner at 2.8 kHz, unit gain at 0 Hz.
template <int N>
struct Taps {
  float h[N];
  Taps() {
    double sum = 0.0;
    for (int j = 0; j < N; ++j) {
      const double x = j - (N - 1) / 2.0;
      const double corner = 2800.0 / kSampleRate;
      const double sinc = std::sin(2.0 * std::numbers::pi * corner * x) / (std::numbers::pi * x);
      const double p = 2.0 * std::numbers::pi * (j + 0.5) / N;
      const double window = 0.42 - 0.5 * std::cos(p) + 0.08 * std::cos(2.0 * p);
      h[j] = static_cast<float>(sinc * window);
      sum += h[j];
    }
    for (float& v : h) v = static_cast<float>(v / sum);
  }
};
const Taps<Room::kTaps> kLowPass;

}  // namespace

void Room::Init() {
  lines_.assign(static_cast<size_t>(kLines * kLineSize), 0.0f);
  staged_.assign(static_cast<size_t>(kTaps - 1 + kStageMax), 0.0f);
  inputs_.assign(static_cast<size_t>(kStageMax / kFactor + 1), 0.0f);
  for (int i = 0; i < kLines; ++i) {
    delay_[static_cast<size_t>(i)] = kDelays[i];
    feedback_[static_cast<size_t>(i)] = static_cast<float>(std::pow(10.0, -3.0 * kDelays[i] / (kRt60 * kRate)));
  }
  Clear();
}

void Room::Clear() {
  std::fill(lines_.begin(), lines_.end(), 0.0f);
  std::fill(staged_.begin(), staged_.end(), 0.0f);
  lowpass_ = {};
  answers_ = {};
  seen_ = 0;
  answered_ = 0;
  write_ = 0;
  last_ = {};
}

// One low-rate step of the network: in enters every line; the answer is kept by number.
void Room::Step(float in) {
  float y[kLines];
  for (int i = 0; i < kLines; ++i) {
    const float out = lines_[static_cast<size_t>(((write_ - delay_[i]) & (kLineSize - 1)) * kLines + i)];
    lowpass_[i] += kDamping * (out - lowpass_[i]);
    y[i] = lowpass_[i];
  }
  // The Hadamard matrix of four, scaled to keep energy.
  const float a = y[0] + y[1], b = y[0] - y[1], c = y[2] + y[3], d = y[2] - y[3];
  const float mixed[kLines] = {0.5f * (a + c), 0.5f * (b + d), 0.5f * (a - c), 0.5f * (b - d)};
  float* slot = lines_.data() + static_cast<size_t>(write_ & (kLineSize - 1)) * kLines;
  for (int i = 0; i < kLines; ++i) slot[i] = feedback_[i] * mixed[i] + in;
  write_ = (write_ + 1) & (kLineSize - 1);
  answers_[static_cast<size_t>(answered_ & (kAnswerSize - 1))] = 0.5f * (y[0] + y[1] + y[2] + y[3]);
  ++answered_;
}

void Room::Process(float* io, int n) {
  while (n > kStageMax) {
    Process(io, kStageMax);
    io += kStageMax;
    n -= kStageMax;
  }
  // staged_[k] is input sample seen_ - (kTaps - 1) + k.
  float* stage = staged_.data();
  std::copy(io, io + n, stage + kTaps - 1);
  const int64_t end = seen_ + n;
  // Pair m (inputs 2m, 2m + 1) is answered once its last sample is in: the
  // low-pass over the inputs up to 2m + 1, tap by tap over all pairs of the block.
  // A block of an odd length leaves its last pair to the next block.
  const int64_t first = answered_;
  const int count = static_cast<int>(end / 2 - first > 0 ? end / 2 - first : 0);
  float* in = inputs_.data();
  std::fill(in, in + count, 0.0f);
  const float* last = stage + (2 * first + 1 - seen_ + kTaps - 1);  // input 2 first + 1
  for (int j = 0; j < kTaps; ++j) {
    const float h = kLowPass.h[j];
    const float* x = last - j;
    for (int k = 0; k < count; ++k) in[k] += h * x[2 * k];
  }
  for (int k = 0; k < count; ++k) Step(in[k]);
  // Sample t hears answers m - 2 and m - 1 (m = t / 2), both complete by then,
  // interpolated and then twice averaged over two samples, which takes the
  // images of the low rate down a further 27 dB or more near 20 kHz.
  const float w = 0.25f * kWet;
  for (int s = 0; s < n; ++s) {
    const int64_t t = seen_ + s;
    const int64_t m = t >> 1;
    const float older = m >= 2 ? answers_[static_cast<size_t>((m - 2) & (kAnswerSize - 1))] : 0.0f;
    const float newer = m >= 1 ? answers_[static_cast<size_t>((m - 1) & (kAnswerSize - 1))] : 0.0f;
    const float answer = (t & 1) != 0 ? 0.5f * (older + newer) : older;
    const float once = answer + last_[0];
    io[s] += w * (once + last_[1]);
    last_[0] = answer;
    last_[1] = once;
  }
  std::copy(stage + n, stage + n + kTaps - 1, stage);
  seen_ = end;
}

}  // namespace soundlib
