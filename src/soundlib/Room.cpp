#include "soundlib/Room.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "soundlib/Constants.h"
#include "soundlib/Wide.h"

namespace soundlib {

namespace {

constexpr double kRate = static_cast<double>(kSampleRate) / Room::kFactor;
// Delays in low-rate samples (25, 30, 35 and 41 ms): primes, so that their echoes seldom meet.
constexpr int kDelays[Room::kLines] = {557, 661, 773, 907};

// The half-band low-pass: its centre tap and those 1, 3 and 5 samples either
// side (a Blackman-windowed sinc, unit gain at 0 Hz); the even ones are 0.
constexpr float kHalfBand[4] = {0.50100f, 0.28486f, -0.03617f, 0.00170f};

// One stretch of the network over plain arrays: each line's output y (from two
// samples before the stretch) softened by a three-point average (1, 2, 1); the
// Hadamard matrix of four, scaled to keep energy; the feedback g; x entering
// every line w; and the answer.
VELMORA_WIDE void Mix(const float* __restrict y0, const float* __restrict y1, const float* __restrict y2,
         const float* __restrict y3, const float* __restrict x, float g0, float g1, float g2, float g3,
         float* __restrict w0, float* __restrict w1, float* __restrict w2, float* __restrict w3,
         float* __restrict answer, int c) {
  for (int k = 0; k < c; ++k) {
    const float d0 = 0.25f * (y0[k] + 2.0f * y0[k + 1] + y0[k + 2]);
    const float d1 = 0.25f * (y1[k] + 2.0f * y1[k + 1] + y1[k + 2]);
    const float d2 = 0.25f * (y2[k] + 2.0f * y2[k + 1] + y2[k + 2]);
    const float d3 = 0.25f * (y3[k] + 2.0f * y3[k + 1] + y3[k + 2]);
    const float a = d0 + d1, b = d0 - d1, e = d2 + d3, f = d2 - d3;
    w0[k] = g0 * (a + e) + x[k];
    w1[k] = g1 * (b + f) + x[k];
    w2[k] = g2 * (a - e) + x[k];
    w3[k] = g3 * (b - f) + x[k];
    answer[k] = 0.5f * (a + e);
  }
}

}  // namespace

void Room::Init() {
  for (auto& line : lines_) line.assign(kLineSize, 0.0f);
  staged_.assign(static_cast<size_t>(kHistory + kStageMax), 0.0f);
  answers_.assign(static_cast<size_t>(3 + kStageMax / kFactor), 0.0f);
  heard_.assign(static_cast<size_t>(2 + kStageMax), 0.0f);
  answer_.assign(kStretch, 0.0f);
  work_.assign(static_cast<size_t>(std::max(2 * kLines * (kStretch + 2), 2 * (kStageMax / kFactor + 8))), 0.0f);
  for (int i = 0; i < kLines; ++i) {
    delay_[static_cast<size_t>(i)] = kDelays[i];
    feedback_[static_cast<size_t>(i)] = static_cast<float>(std::pow(10.0, -3.0 * kDelays[i] / (kRt60 * kRate)));
  }
  Clear();
}

void Room::Clear() {
  for (auto& line : lines_) std::fill(line.begin(), line.end(), 0.0f);
  std::fill(staged_.begin(), staged_.begin() + kHistory, 0.0f);
  answers_[0] = answers_[1] = answers_[2] = 0.0f;
  heard_[0] = heard_[1] = 0.0f;
  write_ = 0;
  seen_ = 0;
}

VELMORA_WIDE void Room::Network(const float* in, float* out, int count) {
  constexpr int kMask = kLineSize - 1;
  for (int done = 0; done < count; done += kStretch) {
    const int c = std::min(kStretch, count - done);
    // Each line's output over the stretch, from two samples before it: in place
    // unless the stretch wraps round the line.
    const float* y[kLines];
    float* into[kLines];
    for (int i = 0; i < kLines; ++i) {
      std::vector<float>& line = lines_[static_cast<size_t>(i)];
      const int from = (write_ - delay_[static_cast<size_t>(i)] - 2) & kMask;
      if (from + c + 2 <= kLineSize) {
        y[i] = line.data() + from;
      } else {
        float* copy = work_.data() + i * (kStretch + 2);
        for (int k = 0; k < c + 2; ++k) copy[k] = line[static_cast<size_t>((from + k) & kMask)];
        y[i] = copy;
      }
      into[i] = write_ + c <= kLineSize ? line.data() + write_ : work_.data() + (kLines + i) * (kStretch + 2);
    }
    // (in and out may be one array; the lines and their copies are apart from it and each other.)
    const float* x = in + done;
    float* o = out + done;
    float* sum = answer_.data();
    Mix(y[0], y[1], y[2], y[3], x, 0.5f * feedback_[0], 0.5f * feedback_[1], 0.5f * feedback_[2],
        0.5f * feedback_[3], into[0], into[1], into[2], into[3], sum, c);
    std::copy(sum, sum + c, o);
    for (int i = 0; i < kLines; ++i) {
      std::vector<float>& line = lines_[static_cast<size_t>(i)];
      if (into[i] != line.data() + write_)
        for (int k = 0; k < c; ++k) line[static_cast<size_t>((write_ + k) & kMask)] = into[i][k];
    }
    write_ = (write_ + c) & kMask;
  }
}

VELMORA_WIDE void Room::Process(float* io, int n) {
  while (n > kStageMax) {
    Process(io, kStageMax);
    io += kStageMax;
    n -= kStageMax;
  }
  // staged_[k] is input sample seen_ - kHistory + k.
  float* stage = staged_.data();
  std::copy(io, io + n, stage + kHistory);
  const int64_t end = seen_ + n;
  // Pair m (inputs 2m, 2m + 1) is answered once both are in, by an 11-tap
  // half-band low-pass centred on input 2m - 4, which keeps what lies above
  // 11 kHz from folding down.
  const int64_t first = (seen_ + 1) / 2;  // the first pair completed in this block
  const int count = static_cast<int>(end / 2 - first);
  float* fresh = answers_.data() + 3;
  // The inputs of pairs first - kBack .. first + count - 1 by their first and second samples.
  constexpr int kBack = 5;
  const int span = count + kBack;
  float* firsts = work_.data();
  float* seconds = work_.data() + kStageMax / kFactor + kBack + 1;
  const float* pairs = stage + (2 * first - seen_ + kHistory) - 2 * kBack;
  for (int k = 0; k < span; ++k) {
    firsts[k] = pairs[2 * k];
    seconds[k] = pairs[2 * k + 1];
  }
  // Answer first + k: centre input 2(first + k) - 4, the first sample of pair
  // first + k - 2; its odd neighbours the second samples of pairs first + k - 5 .. first + k.
  const float* centre = firsts + kBack - 2;
  const float* odd = seconds + kBack;  // odd[k] is the second sample of pair first + k
  const float h0 = kHalfBand[0], h1 = kHalfBand[1], h3 = kHalfBand[2], h5 = kHalfBand[3];
  for (int k = 0; k < count; ++k)
    fresh[k] = h0 * centre[k] + h1 * (odd[k - 3] + odd[k - 2]) + h3 * (odd[k - 4] + odd[k - 1]) +
               h5 * (odd[k - 5] + odd[k]);
  Network(fresh, fresh, count);
  // Sample t hears answers m - 2 and m - 1 (m = t / 2), both complete by then:
  // the one, or halfway between the two; answers_[k] is answer first - 3 + k.
  float* heard = heard_.data() + 2;
  int s = 0;
  int64_t at = (seen_ >> 1) - first + 1;
  if ((seen_ & 1) != 0) {
    heard[s++] = 0.5f * (answers_[static_cast<size_t>(at)] + answers_[static_cast<size_t>(at + 1)]);
    ++at;
  }
  const float* a = answers_.data() + at;
  const int pairCount = (n - s) / 2;
  for (int k = 0; k < pairCount; ++k) {
    heard[s + 2 * k] = a[k];
    heard[s + 2 * k + 1] = 0.5f * (a[k] + a[k + 1]);
  }
  s += 2 * pairCount;
  if (s < n) heard[s] = a[pairCount];
  // Smoothed over three samples (1, 2, 1), which is zero at 22 kHz.
  const float w = 0.25f * kWet;
  for (int s = 0; s < n; ++s) io[s] += w * (heard[s] + 2.0f * heard[s - 1] + heard[s - 2]);
  // The last answers and interpolations become the next block's history.
  std::copy(answers_.begin() + count, answers_.begin() + count + 3, answers_.begin());
  std::copy(heard_.begin() + n, heard_.begin() + n + 2, heard_.begin());
  std::copy(stage + n, stage + n + kHistory, stage);
  seen_ = end;
}

}  // namespace soundlib
