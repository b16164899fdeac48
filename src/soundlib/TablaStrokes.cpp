#include "soundlib/TablaStrokes.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "soundlib/Constants.h"
#include "soundlib/Random.h"
#include "soundlib/Smoothstep.h"

namespace soundlib {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

struct Mode {
  double ratio;      // to the drum's pitch
  double amplitude;
  double decay;      // amplitude time constant, seconds
};

struct Recipe {
  const char* name;
  bool bayan;
  double seconds;  // length in the bank
  float peak;      // level in the mix
  // The impact: band-pass centre and quality, peak relative to the modes', decay (s).
  double noiseHz, noiseQ, noiseLevel, noiseDecay;
  // Pitch: starts (1 + bend) times too high, falling with bendDecay, then rises by press.
  double bend, bendDecay, press;
  int modeCount;
  Mode modes[12];
};

// In the order of the Stroke enumeration. The closed strokes end on a faint,
// slowly dying mode: what still rings of the skin under the hand.
constexpr Recipe kRecipes[kStrokeKinds] = {
    {"Na", false, 2.0, 0.20f, 4500.0, 1.2, 0.55, 0.004, 0.0, 0.0, 0.0, 11,
     {{1.0, 0.20, 0.06}, {2.0, 1.0, 0.42}, {2.99, 0.55, 0.30}, {3.01, 0.25, 0.28}, {4.0, 0.38, 0.20},
      {4.03, 0.18, 0.18}, {5.0, 0.25, 0.14}, {5.04, 0.12, 0.12}, {6.1, 0.12, 0.05}, {7.3, 0.10, 0.03},
      {8.6, 0.08, 0.02}}},
    {"Tin", false, 2.5, 0.17f, 3000.0, 1.0, 0.30, 0.003, 0.0, 0.0, 0.0, 8,
     {{1.0, 0.12, 0.05}, {2.0, 0.75, 0.55}, {2.99, 0.85, 0.45}, {3.01, 0.35, 0.42}, {4.0, 0.42, 0.30},
      {4.03, 0.20, 0.28}, {5.0, 0.20, 0.20}, {6.1, 0.06, 0.04}}},
    {"Tun", false, 3.0, 0.18f, 1800.0, 0.8, 0.20, 0.004, 0.0, 0.0, 0.0, 5,
     {{1.0, 1.0, 0.65}, {2.0, 0.35, 0.40}, {2.99, 0.18, 0.25}, {4.0, 0.08, 0.15}, {5.8, 0.05, 0.03}}},
    {"Ta", false, 0.6, 0.18f, 4000.0, 1.2, 0.60, 0.004, 0.0, 0.0, 0.0, 8,
     {{1.0, 0.30, 0.03}, {2.0, 1.0, 0.08}, {2.99, 0.50, 0.06}, {4.0, 0.35, 0.05}, {5.0, 0.20, 0.04},
      {6.1, 0.15, 0.025}, {7.3, 0.10, 0.02}, {2.0, 0.012, 0.2}}},
    {"Ti", false, 0.4, 0.13f, 2500.0, 1.0, 0.55, 0.005, 0.0, 0.0, 0.0, 5,
     {{1.0, 0.80, 0.035}, {2.0, 0.45, 0.03}, {2.99, 0.25, 0.025}, {4.0, 0.12, 0.02}, {1.0, 0.01, 0.15}}},
    {"Ra", false, 0.4, 0.10f, 3200.0, 1.1, 0.55, 0.004, 0.0, 0.0, 0.0, 5,
     {{1.0, 0.55, 0.03}, {2.0, 0.50, 0.028}, {2.99, 0.30, 0.022}, {4.0, 0.15, 0.018}, {2.0, 0.008, 0.15}}},
    {"Ge", true, 2.5, 0.16f, 350.0, 0.9, 0.35, 0.008, 0.2, 0.04, 0.05, 5,
     {{1.0, 1.0, 0.50}, {1.98, 0.35, 0.30}, {2.95, 0.15, 0.20}, {3.6, 0.08, 0.12}, {4.7, 0.04, 0.06}}},
    {"Ke", true, 0.4, 0.12f, 600.0, 0.7, 1.2, 0.02, 0.0, 0.0, 0.0, 3,
     {{1.3, 0.5, 0.03}, {2.4, 0.3, 0.02}, {1.0, 0.01, 0.12}}},
};

// How the renderings of a stroke differ (each seeded on its own).
constexpr double kLevelSpreadDb = 3.0;
constexpr double kDecaySpread = 0.15;
constexpr double kDayanCents = 3.0;
constexpr double kBendSpread = 0.25;
constexpr double kPressSpread = 0.3;
// A mode is followed until it has decayed by about 70 dB.
constexpr double kModeLife = 8.0;
// Samples between updates of a bending mode's rotation.
constexpr int kBendBlock = 32;

// One rendering's variation of a recipe.
struct Variation {
  double pitch = 1.0;  // of the whole drum
  double bend = 0.0, press = 0.0;
  double amplitude[12] = {};
  double decay[12] = {};
  double noiseLevel = 1.0;
  uint64_t noiseSeed = 0;
};

Variation Vary(const Recipe& r, int stroke, int variant) {
  Random random(0x74616b6c61ull + static_cast<uint64_t>(stroke * 131 + variant));
  Variation v;
  v.noiseSeed = 0x7461626c61ull + static_cast<uint64_t>(stroke * 131 + variant);
  v.pitch = r.bayan ? 1.0 : std::exp2(kDayanCents * random.Bipolar() / 1200.0);
  v.bend = r.bend * (1.0 + kBendSpread * random.Bipolar());
  v.press = r.press * (1.0 + kPressSpread * random.Bipolar());
  for (int m = 0; m < r.modeCount; ++m) {
    v.amplitude[m] = r.modes[m].amplitude * std::pow(10.0, kLevelSpreadDb * random.Bipolar() / 20.0);
    v.decay[m] = r.modes[m].decay * (1.0 + kDecaySpread * random.Bipolar());
  }
  v.noiseLevel = r.noiseLevel * std::pow(10.0, kLevelSpreadDb * random.Bipolar() / 20.0);
  return v;
}

// z * step, as std::complex computes it for finite values.
struct Rotation {
  double re, im, stepRe, stepIm;
  void Next() {
    const double r = re * stepRe - im * stepIm;
    im = re * stepIm + im * stepRe;
    re = r;
  }
};

// The modes of a recipe added to out, each from a sine at 0 until it has died away.
void AddModes(const Recipe& r, const Variation& v, double hz, float* out, int64_t length) {
  const double rate = kSampleRate;
  if (v.bend == 0.0 && v.press == 0.0) {
    // Damped rotations: z = e^{(i w - 1 / decay) t}, the imaginary part a sine from
    // 0. All modes turn side by side, so that their rotations (each waiting on its
    // last) overlap; each sample still takes them in the order of the modes.
    Rotation modes[12];
    int64_t lives[12];
    int64_t longest = 0;
    for (int m = 0; m < r.modeCount; ++m) {
      const double decay = v.decay[m];
      lives[m] = std::min<int64_t>(length, static_cast<int64_t>(kModeLife * decay * rate));
      longest = std::max(longest, lives[m]);
      const double f = hz * v.pitch * r.modes[m].ratio;
      const std::complex<double> step = std::polar(std::exp(-1.0 / (decay * rate)), 2.0 * std::numbers::pi * f / rate);
      modes[m] = {v.amplitude[m], 0.0, step.real(), step.imag()};
    }
    for (int64_t from = 0; from < longest;) {
      // The modes that sound through [from, to): to is the first end of one of them.
      int active[12];
      int count = 0;
      int64_t to = longest;
      for (int m = 0; m < r.modeCount; ++m) {
        if (lives[m] <= from) continue;
        active[count++] = m;
        to = std::min(to, lives[m]);
      }
      for (int64_t i = from; i < to; ++i) {
        float sample = out[i];
        for (int a = 0; a < count; ++a) {
          Rotation& z = modes[active[a]];
          sample += static_cast<float>(z.im);
          z.Next();
        }
        out[i] = sample;
      }
      from = to;
    }
    return;
  }
  for (int m = 0; m < r.modeCount; ++m) {
    const double decay = v.decay[m];
    const int64_t life = std::min<int64_t>(length, static_cast<int64_t>(kModeLife * decay * rate));
    const double f = hz * v.pitch * r.modes[m].ratio;
    std::complex<double> z(v.amplitude[m], 0.0);
    // The pitch bends: the rotation is set anew every kBendBlock samples.
    const double damping = std::exp(-1.0 / (decay * rate));
    for (int64_t b = 0; b < life; b += kBendBlock) {
      const double t = (static_cast<double>(b) + 0.5 * kBendBlock) / rate;
      const double pitch = 1.0 + v.bend * std::exp(-t / r.bendDecay) + v.press * Smoothstep((t - 0.08) / 0.3);
      const std::complex<double> step = std::polar(damping, 2.0 * std::numbers::pi * f * pitch / rate);
      const int64_t end = std::min<int64_t>(life, b + kBendBlock);
      for (int64_t i = b; i < end; ++i) {
        out[i] += static_cast<float>(z.imag());
        z *= step;
      }
    }
  }
}

// Seeded white noise through two band-passes in a row (unit gain at their centre), decaying.
void Impact(const Recipe& r, uint64_t seed, float* out, int64_t length) {
  const double w = kTwoPi * r.noiseHz / kSampleRate;
  const double alpha = std::sin(w) / (2.0 * r.noiseQ);
  const double a0 = 1.0 + alpha;
  const double b0 = alpha / a0, b2 = -alpha / a0, a1 = -2.0 * std::cos(w) / a0, a2 = (1.0 - alpha) / a0;
  Random random(seed);
  double state[2][4] = {};  // x1, x2, y1, y2 of each band-pass
  const double fall = std::exp(-1.0 / (r.noiseDecay * kSampleRate));
  double envelope = 1.0;
  for (int64_t i = 0; i < length; ++i) {
    double x = random.Bipolar() * envelope;
    envelope *= fall;
    for (auto& z : state) {
      const double y = b0 * x + b2 * z[1] - a1 * z[2] - a2 * z[3];
      z[1] = z[0], z[0] = x, z[3] = z[2], z[2] = y;
      x = y;
    }
    out[i] = static_cast<float>(x);
  }
}

float PeakOf(const float* v, int64_t n) {
  float peak = 0.0f;
  for (int64_t i = 0; i < n; ++i) peak = std::max(peak, std::fabs(v[i]));
  return peak;
}

}  // namespace

std::string_view StrokeName(Stroke stroke) { return kRecipes[static_cast<size_t>(stroke)].name; }

bool StrokeFromName(std::string_view name, Stroke& stroke) {
  for (int k = 0; k < kStrokeKinds; ++k) {
    if (name == kRecipes[k].name) {
      stroke = static_cast<Stroke>(k);
      return true;
    }
  }
  return false;
}

bool OnBayan(Stroke stroke) { return kRecipes[static_cast<size_t>(stroke)].bayan; }

bool Mutes(Stroke stroke) {
  return stroke == Stroke::Ta || stroke == Stroke::Ti || stroke == Stroke::Ra || stroke == Stroke::Ke;
}

void TablaStrokes::Init() {
  pool_.Wait(true);
  for (int k = 0; k < kStrokeKinds; ++k)
    for (int variant = 0; variant < kVariants; ++variant) {
      const size_t index = Index(static_cast<Stroke>(k), variant);
      const int64_t length = std::min<int64_t>(kMaxLength, std::llround(kRecipes[k].seconds * kSampleRate));
      bank_[index].assign(static_cast<size_t>(length), 0.0f);
      impacts_[index].assign(static_cast<size_t>(std::min<int64_t>(length, kSampleRate / 4)), 0.0f);
    }
  dayanHz_ = 0.0;
}

void TablaStrokes::RenderUnscaled(int index) {
  const int k = index / kVariants;
  const int variant = index % kVariants;
  const Recipe& r = kRecipes[k];
  const int64_t length = std::min<int64_t>(kMaxLength, std::llround(r.seconds * kSampleRate));
  const Variation v = Vary(r, k, variant);
  std::vector<float>& samples = bank_[static_cast<size_t>(index)];
  lengths_[static_cast<size_t>(index)] = length;
  float* noise = impacts_[static_cast<size_t>(index)].data();
  const int64_t noiseLength = static_cast<int64_t>(impacts_[static_cast<size_t>(index)].size());
  Impact(r, v.noiseSeed, noise, noiseLength);
  std::fill(samples.begin(), samples.begin() + length, 0.0f);
  AddModes(r, v, r.bayan ? bayanHz_ : dayanHz_, samples.data(), length);
  const float modesPeak = PeakOf(samples.data(), length);
  const float noisePeak = PeakOf(noise, noiseLength);
  const float noiseGain = noisePeak > 0.0f ? static_cast<float>(v.noiseLevel) * modesPeak / noisePeak : 0.0f;
  for (int64_t i = 0; i < noiseLength; ++i) samples[static_cast<size_t>(i)] += noiseGain * noise[i];
  // A ramp of 0.2 ms into the impact; the last 15 %, where the stroke has
  // died away by 30 dB or more, fades out.
  const int64_t ramp = 9;
  const int64_t fade = length * 15 / 100;
  for (int64_t i = 0; i < ramp; ++i)
    samples[static_cast<size_t>(i)] *= static_cast<float>(Smoothstep((static_cast<double>(i) + 1.0) / ramp));
  for (int64_t i = length - fade; i < length; ++i)
    samples[static_cast<size_t>(i)] *=
        static_cast<float>(1.0 - Smoothstep(static_cast<double>(i - (length - fade)) / static_cast<double>(fade)));
}

// Every rendering takes the first's scale, so that their levels differ as their modes do.
void TablaStrokes::Scale(int k) {
  const size_t first = Index(static_cast<Stroke>(k), 0);
  const float peak = PeakOf(bank_[first].data(), lengths_[first]);
  const float scale = peak > 0.0f ? kRecipes[k].peak / peak : 0.0f;
  for (int variant = 0; variant < kVariants; ++variant) {
    const size_t index = Index(static_cast<Stroke>(k), variant);
    float* samples = bank_[index].data();
    for (int64_t i = 0; i < lengths_[index]; ++i) samples[i] *= scale;
  }
}

bool TablaStrokes::Tune(double saHz) {
  if (saHz == dayanHz_) return false;
  dayanHz_ = saHz;
  // A fourth below the octave of Sa that lies between 80 and 160 Hz.
  double octave = saHz;
  while (octave >= 160.0) octave *= 0.5;
  while (octave < 80.0) octave *= 2.0;
  bayanHz_ = 0.75 * octave;
  pool_.Start(kRenderings, [this](int index) { RenderUnscaled(index); });
  pool_.Wait();
  pool_.Start(kStrokeKinds, [this](int k) { Scale(k); });
  pool_.Wait();
  return true;
}

}  // namespace soundlib
