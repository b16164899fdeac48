#include "SoundTest.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <numbers>

#include "instrgen/InstrumentData.h"
#include "soundlib/FWav.h"
#include "soundlib/Fft.h"

namespace soundtest {

bool SoundLibTest::dirty_ = true;
std::vector<std::pair<char, int>> SoundLibTest::touched_;

namespace {
const instrgen::Seed& GeneratedSeed(char key, int noteId) {
  static std::vector<instrgen::Seed> seeds[2];
  auto& list = seeds[key == 'c' ? 0 : 1];
  while (list.size() <= static_cast<size_t>(noteId)) list.push_back(instrgen::MakeSeed(key, static_cast<int>(list.size())));
  return list[static_cast<size_t>(noteId)];
}
}  // namespace

int16_t SoundLibTest::LoadSeed(char key, int noteId) {
  const instrgen::Seed& s = GeneratedSeed(key, noteId);
  return soundlib::FWavLoadInstrNoteSeeds(std::string(1, key), noteId, s.samPerCyc, s.fractional, s.samples.data());
}

int16_t SoundLibTest::Tune(char key, int noteId, double adjustment) {
  touched_.emplace_back(key, noteId);
  return soundlib::FWavTuneNote(std::string(1, key), noteId, adjustment);
}

void SoundLibTest::LoadAll() {
  ASSERT_EQ(soundlib::FWavSetGlobalVariables("ce"), 1);
  for (char key : {'c', 'e'}) {
    ASSERT_EQ(soundlib::FWavFreeNoteSeedsMemory(std::string(1, key)), 1);
    for (int id = 0; id < instrgen::kNoteCount; ++id) ASSERT_EQ(LoadSeed(key, id), 1);
  }
  dirty_ = false;
}

void SoundLibTest::SetUp() {
  if (dirty_) LoadAll();
  for (const auto& [key, id] : touched_) ASSERT_EQ(LoadSeed(key, id), 1);
  touched_.clear();
  ASSERT_EQ(soundlib::FWavSetCurrInstr("c"), 1);
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder_ = std::filesystem::current_path() / "scratch" / (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_);
}

void SoundLibTest::TearDown() { std::filesystem::remove_all(folder_); }

std::vector<int16_t> SoundLibTest::Render(int count, const std::string& notes, const std::string& durations,
                                          int playMode) {
  const std::string path = File("render" + std::to_string(renders_++) + ".wav");
  if (soundlib::FWavGenerateMusicFile(count, notes, durations, path, playMode, 0.2, 1, 1000, 60, 80, 50) == 0)
    return {};
  return ReadWav(path);
}

double NoteHz(int noteId, double adjustment) { return kRate / (instrgen::NoteSpc(noteId) + adjustment); }

std::vector<int16_t> ReadWav(const std::string& path, int* channels, int* rate) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) return {};
  std::vector<int16_t> samples(static_cast<size_t>(info.frames * info.channels));
  sf_readf_short(file, samples.data(), info.frames);
  sf_close(file);
  if (channels != nullptr) *channels = info.channels;
  if (rate != nullptr) *rate = info.samplerate;
  return samples;
}

int64_t JoinOf(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) return -1;
  uint32_t count = 0;
  int64_t join = -1;
  if (sf_command(file, SFC_GET_CUE_COUNT, &count, sizeof count) == SF_TRUE && count > 0) {
    auto cues = std::make_unique<SF_CUES>();
    if (sf_command(file, SFC_GET_CUE, cues.get(), sizeof(SF_CUES)) == SF_TRUE) join = cues->cue_points[0].sample_offset;
  }
  sf_close(file);
  return join;
}

std::vector<double> PlayedInTurn(const std::vector<std::vector<double>>& files, const std::vector<int64_t>& joins) {
  std::vector<double> heard;
  size_t at = 0;
  for (size_t k = 0; k < files.size(); ++k) {
    heard.resize(std::max(heard.size(), at + files[k].size()), 0.0);
    for (size_t i = 0; i < files[k].size(); ++i) heard[at + i] += files[k][i];
    at += static_cast<size_t>(joins[k]);
  }
  return heard;
}

void WriteWav(const std::string& path, const std::vector<int16_t>& samples) {
  SF_INFO info{};
  info.samplerate = kRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(file);
}

namespace {

// Mean squared difference of x against itself shifted by lag, over [begin, end - lag).
double Difference(const std::vector<int16_t>& x, size_t begin, size_t end, size_t lag) {
  double sum = 0.0;
  for (size_t i = begin; i + lag < end; ++i) {
    const double d = static_cast<double>(x[i]) - x[i + lag];
    sum += d * d;
  }
  return sum / static_cast<double>(end - begin - lag);
}

// Vertex of the parabola through (lag - 1, a), (lag, b), (lag + 1, c).
double Vertex(double lag, double a, double b, double c) {
  const double denominator = a - 2.0 * b + c;
  return denominator > 0.0 ? lag + 0.5 * (a - c) / denominator : lag;
}

}  // namespace

double EstimatePitch(const std::vector<int16_t>& x, size_t begin, size_t end) {
  // A coarse period from the normalised difference function (the first dip below
  // 0.2 of its running mean), then refined on the dip near the longest whole
  // number of periods that fits, which divides the lag error by that number.
  const size_t minLag = kRate / 2500;
  const size_t maxLag = kRate / 100;
  if (end > x.size() || end < begin + 2 * maxLag + 2) return 0.0;
  const size_t window = std::min<size_t>(end - begin - maxLag - 1, 2048);
  std::vector<double> d(maxLag + 2, 0.0);
  double running = 0.0;
  size_t coarse = 0;
  for (size_t lag = 1; lag <= maxLag + 1; ++lag) {
    d[lag] = Difference(x, begin, begin + window + lag, lag);
    running += d[lag];
    d[lag] = d[lag] * static_cast<double>(lag) / running;
  }
  for (size_t lag = minLag; lag < maxLag && coarse == 0; ++lag) {
    if (d[lag] < 0.2) {
      while (lag + 1 < maxLag && d[lag + 1] < d[lag]) ++lag;
      coarse = lag;
    }
  }
  if (coarse == 0) coarse = static_cast<size_t>(std::min_element(d.begin() + minLag, d.begin() + maxLag) - d.begin());
  const double period = Vertex(coarse, d[coarse - 1], d[coarse], d[coarse + 1]);
  const size_t periods = std::max<size_t>(1, static_cast<size_t>((end - begin) / 2 / period));
  const size_t lag = static_cast<size_t>(std::lround(periods * period));
  size_t best = lag;
  double bestValue = Difference(x, begin, end, lag);
  for (size_t l = lag - 3; l <= lag + 3; ++l) {
    const double v = Difference(x, begin, end, l);
    if (v < bestValue) best = l, bestValue = v;
  }
  const double refined = Vertex(best, Difference(x, begin, end, best - 1), bestValue, Difference(x, begin, end, best + 1));
  return kRate * static_cast<double>(periods) / refined;
}

double Cents(double hz, double reference) { return 1200.0 * std::log2(hz / reference); }

std::vector<double> HighBand(const std::vector<int16_t>& x) {
  constexpr int kHalf = 63;
  constexpr double kCut = 19000.0 / kRate;
  std::vector<double> taps(2 * kHalf + 1);
  for (int n = -kHalf; n <= kHalf; ++n) {
    const double sinc = n == 0 ? 2.0 * kCut : std::sin(2.0 * std::numbers::pi * kCut * n) / (std::numbers::pi * n);
    const double phase = 2.0 * std::numbers::pi * (n + kHalf) / (2 * kHalf);
    const double blackman = 0.42 - 0.5 * std::cos(phase) + 0.08 * std::cos(2.0 * phase);
    taps[static_cast<size_t>(n + kHalf)] = (n == 0 ? 1.0 : 0.0) - sinc * blackman;
  }
  std::vector<double> out(x.size(), 0.0);
  for (size_t i = kHalf; i + kHalf < x.size(); ++i) {
    double sum = 0.0;
    for (int n = -kHalf; n <= kHalf; ++n) sum += taps[static_cast<size_t>(n + kHalf)] * x[i - n];
    out[i] = sum;
  }
  return out;
}

double Peak(const std::vector<double>& v, size_t begin, size_t end) {
  double peak = 0.0;
  for (size_t i = begin; i < std::min(end, v.size()); ++i) peak = std::max(peak, std::fabs(v[i]));
  return peak;
}

namespace {
// Energy of each bin of the Blackman-Harris spectrum of x[begin, begin + 8192), and
// whether the bin lies away from the harmonics of hz. The window's sidelobes lie below
// -92 dB, so only real partials count.
constexpr size_t kInharmonicSize = 8192;
std::vector<std::pair<double, bool>> Bins(const std::vector<int16_t>& x, size_t begin, double hz) {
  std::vector<std::complex<double>> spectrum(kInharmonicSize);
  for (size_t i = 0; i < kInharmonicSize; ++i) {
    const double p = 2.0 * std::numbers::pi * static_cast<double>(i) / kInharmonicSize;
    const double window = 0.35875 - 0.48829 * std::cos(p) + 0.14128 * std::cos(2 * p) - 0.01168 * std::cos(3 * p);
    spectrum[i] = x[begin + i] * window;
  }
  soundlib::Fft(spectrum, false);
  std::vector<std::pair<double, bool>> bins;
  for (size_t bin = 1; bin < kInharmonicSize / 2; ++bin) {
    const double f = static_cast<double>(bin) * kRate / kInharmonicSize;
    const double nearest = std::max(1.0, std::round(f / hz));
    bins.emplace_back(std::norm(spectrum[bin]), std::fabs(f - nearest * hz) > 5.0 * kRate / kInharmonicSize + 0.004 * f);
  }
  return bins;
}
}  // namespace

double InharmonicLineDb(const std::vector<int16_t>& x, size_t begin, double hz) {
  double total = 0.0, line = 1e-30;
  for (const auto& [energy, away] : Bins(x, begin, hz)) {
    total += energy;
    if (away) line = std::max(line, energy);
  }
  return 10.0 * std::log10(line / total);
}

double InharmonicDb(const std::vector<int16_t>& x, size_t begin, double hz) {
  double total = 0.0, away = 0.0;
  for (const auto& [energy, isAway] : Bins(x, begin, hz)) {
    total += energy;
    if (isAway) away += energy;
  }
  return 10.0 * std::log10(std::max(away, 1e-30) / total);
}

std::vector<double> Spectrum(const std::vector<int16_t>& x, size_t begin, size_t size) {
  std::vector<std::complex<double>> data(size);
  for (size_t i = 0; i < size; ++i) {
    const double p = 2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(size);
    const double w = 0.35875 - 0.48829 * std::cos(p) + 0.14128 * std::cos(2 * p) - 0.01168 * std::cos(3 * p);
    data[i] = w * (begin + i < x.size() ? x[begin + i] : 0);
  }
  soundlib::Fft(data, false);
  std::vector<double> magnitude(size / 2);
  for (size_t k = 0; k < size / 2; ++k) magnitude[k] = std::abs(data[k]);
  return magnitude;
}

SpectralPeak PeakNear(const std::vector<double>& magnitude, double hz, double cents) {
  const double binHz = static_cast<double>(kRate) / static_cast<double>(2 * magnitude.size());
  const size_t low = static_cast<size_t>(hz * std::exp2(-cents / 1200.0) / binHz);
  const size_t high = std::min(magnitude.size() - 2, static_cast<size_t>(hz * std::exp2(cents / 1200.0) / binHz) + 1);
  size_t best = std::max<size_t>(low, 1);
  for (size_t k = best; k <= high; ++k)
    if (magnitude[k] > magnitude[best]) best = k;
  const double a = std::log(magnitude[best - 1] + 1e-9), b = std::log(magnitude[best] + 1e-9),
               c = std::log(magnitude[best + 1] + 1e-9);
  const double denominator = a - 2.0 * b + c;
  const double shift = denominator < 0.0 ? 0.5 * (a - c) / denominator : 0.0;
  return SpectralPeak{(static_cast<double>(best) + shift) * binHz, magnitude[best]};
}

}  // namespace soundtest
