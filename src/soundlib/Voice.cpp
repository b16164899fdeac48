#include "soundlib/Voice.h"

#include <algorithm>
#include <cmath>

namespace soundlib {

namespace {

// The two reeds: the second sounds 2.5 cents above the first at a third of its
// level; the first sits 0.31 cents above the note, so that the pitch the pair
// beats around is the note's own.
constexpr double kReed1Ratio = 1.000179;  // 2^(0.31 / 1200)
constexpr double kReed2Ratio = 1.001623;  // 2^(2.81 / 1200)
constexpr float kReed2Level = 0.33f;
// The darker level the upper partials come in from: three levels up keeps an
// eighth of the harmonics (up to about 2.2 kHz at the seed's own pitch).
constexpr int kDarkLevels = 3;

void AddTable(TableMix& mix, const float* table, float weight) {
  if (weight <= 0.0f) return;
  for (int t = 0; t < mix.count; ++t) {
    if (mix.table[t] == table) {
      mix.weight[t] += weight;
      return;
    }
  }
  if (mix.count < TableMix::kMax) {
    mix.table[mix.count] = table;
    mix.weight[mix.count++] = weight;
  }
}

// bright: how much of the seed's band-limited levels sound; the rest reads the dark level.
void AddSeed(TableMix& mix, const NoteSeed& seed, double hz, float weight, float bright) {
  const NoteSeed::LevelMix levels = seed.MixFor(hz);
  AddTable(mix, seed.Level(levels.lower), bright * weight * (1.0f - levels.upperWeight));
  if (levels.upperWeight > 0.0f) AddTable(mix, seed.Level(levels.lower + 1), bright * weight * levels.upperWeight);
  if (bright < 1.0f)
    AddTable(mix, seed.Level(std::min(levels.lower + kDarkLevels, NoteSeed::kLevels - 1)), (1.0f - bright) * weight);
}

float WeightOf(const TableMix& mix, const float* table) {
  for (int t = 0; t < mix.count; ++t)
    if (mix.table[t] == table) return mix.weight[t];
  return 0.0f;
}

}  // namespace

void Voice::Init(float sampleRate) {
  sampleRate_ = sampleRate;
  envelope_.Init(sampleRate);
  glide_.Init(sampleRate);
}

void Voice::Start(const NoteSeed* const* seeds, int count, int64_t length, float attackMs, double phase1,
                  double phase2, double detune) {
  count_ = std::clamp(count, 1, Glide::kMaxPoints);
  detune_ = detune;
  // The upper partials begin to come in a third of the attack after the key and
  // are all there at 1.3 times the attack.
  onsetAt_ = 0;
  onsetDelay_ = static_cast<int64_t>(0.3f * attackMs * sampleRate_ / 1000.0f);
  onsetLength_ = std::max<int64_t>(1, static_cast<int64_t>(attackMs * sampleRate_ / 1000.0f));
  double hz[Glide::kMaxPoints];
  for (int i = 0; i < count_; ++i) {
    seeds_[i] = seeds[i];
    hz[i] = seeds[i]->hz();
  }
  glide_.Start(hz, count_, length);
  const Glide::Point point = glide_.Advance(kControlBlock);
  now_ = TargetAt(point);
  nowFinal_ = point.from == count_ - 1 && point.toWeight == 0.0f && Brightness() >= 1.0f;
  onsetAt_ += kControlBlock;
  next_ = Target{};
  reed1_.Init(phase1, now_.increment * kReed1Ratio);
  reed2_.Init(phase2, now_.increment * kReed2Ratio);
  blockLeft_ = 0;
  steady_ = false;
  envelope_.Attack(attackMs);
}

float Voice::Brightness() const {
  const float x = static_cast<float>(onsetAt_ - onsetDelay_) / static_cast<float>(onsetLength_);
  return x <= 0.0f ? 0.0f : x >= 1.0f ? 1.0f : x * x * (3.0f - 2.0f * x);
}

Voice::Target Voice::TargetAt(const Glide::Point& point) const {
  Target target;
  target.increment = point.hz * detune_ / sampleRate_;
  const float bright = Brightness();
  AddSeed(target.mix, *seeds_[point.from], point.hz, 1.0f - point.toWeight, bright);
  if (point.toWeight > 0.0f) AddSeed(target.mix, *seeds_[point.from + 1], point.hz, point.toWeight, bright);
  return target;
}

void Voice::NextControl() {
  if (steady_) {
    blockLeft_ = kControlBlock;
    return;
  }
  if (next_.mix.count > 0) {
    now_ = next_;
    nowFinal_ = nextFinal_;
  }
  steady_ = nowFinal_;
  if (steady_) {
    // On its main note the voice keeps its pitch and tables.
    next_ = now_;
    block_ = now_.mix;
    blockLeft_ = kControlBlock;
    return;
  }
  const Glide::Point point = glide_.Advance(kControlBlock);
  next_ = TargetAt(point);
  nextFinal_ = point.from == count_ - 1 && point.toWeight == 0.0f && Brightness() >= 1.0f;
  onsetAt_ += kControlBlock;
  // Every table of either end takes part, with weight 0 where it is absent.
  block_ = TableMix{};
  for (const TableMix* end : {&now_.mix, &next_.mix})
    for (int t = 0; t < end->count; ++t) AddTable(block_, end->table[t], 1.0f);
  for (int t = 0; t < block_.count; ++t) {
    const float from = WeightOf(now_.mix, block_.table[t]);
    const float to = WeightOf(next_.mix, block_.table[t]);
    block_.weight[t] = from;
    block_.step[t] = (to - from) / kControlBlock;
  }
  blockLeft_ = kControlBlock;
}

void Voice::Render(float* out, int n) {
  while (n > 0 && envelope_.active()) {
    if (blockLeft_ == 0) NextControl();
    const bool sustaining = envelope_.sustaining();
    if (steady_ && sustaining && block_.count == 1) {
      // A held note: nothing changes, the whole stretch in one pass.
      ReedOscillator::ProcessPair(reed1_, block_.weight[0], reed2_, block_.weight[0] * kReed2Level, block_.table[0],
                                  nullptr, out, n);
      return;
    }
    const int part = std::min(n, blockLeft_);
    if (steady_ && block_.count == 1) {
      envelope_.Process(gain1_, part);
      ReedOscillator::ProcessPair(reed1_, block_.weight[0], reed2_, block_.weight[0] * kReed2Level, block_.table[0],
                                  gain1_, out, part);
      blockLeft_ -= part;
      out += part;
      n -= part;
      continue;
    }
    envelope_.Process(gain1_, part);
    // The block's weights start where the last part left them.
    const int done = kControlBlock - blockLeft_;
    TableMix mix = block_;
    for (int t = 0; t < mix.count; ++t) mix.weight[t] += mix.step[t] * static_cast<float>(done);
    const double fraction = static_cast<double>(done + part) / kControlBlock;
    const double increment = now_.increment + (next_.increment - now_.increment) * fraction;
    ReedOscillator::ProcessPair(reed1_, increment * kReed1Ratio, reed2_, increment * kReed2Ratio, kReed2Level, mix,
                                gain1_, out, part);
    blockLeft_ -= part;
    out += part;
    n -= part;
  }
}

}  // namespace soundlib
