// Test support for the sound library: a library loaded with the generated seeds,
// a scratch folder per test, and measurements of rendered sound (pitch, clicks,
// inharmonic energy).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace soundtest {

inline constexpr int kRate = 44100;

// Samples of a mono 16-bit WAV file (empty when it cannot be read).
std::vector<int16_t> ReadWav(const std::string& path, int* channels = nullptr, int* rate = nullptr);
// Writes samples as a mono WAV file.
void WriteWav(const std::string& path, const std::vector<int16_t>& samples);
// The frame a WAV file's cue point marks as its join (-1 when it has none).
int64_t JoinOf(const std::string& path);
// What a player hears of files that each follow the last from its join on: each
// file added in from where the one before it joins.
std::vector<double> PlayedInTurn(const std::vector<std::vector<double>>& files, const std::vector<int64_t>& joins);

// Fundamental frequency of x[begin, end), in Hz (0 when none is found).
double EstimatePitch(const std::vector<int16_t>& x, size_t begin, size_t end);
double Cents(double hz, double reference);
// The samples of x passed through a steep high-pass at 19 kHz: what sounds up
// there is a click, since the instrument's partials stay below.
std::vector<double> HighBand(const std::vector<int16_t>& x);
// Largest magnitude of v over [begin, end).
double Peak(const std::vector<double>& v, size_t begin, size_t end);
// Energy of x[begin, begin + 8192) away from the harmonics of hz, relative to the
// whole, in dB.
double InharmonicDb(const std::vector<int16_t>& x, size_t begin, double hz);
// The strongest single line of x[begin, begin + 8192) away from the harmonics of hz,
// relative to the whole, in dB.
double InharmonicLineDb(const std::vector<int16_t>& x, size_t begin, double hz);

// The magnitude spectrum (Blackman-Harris window) of x[begin, begin + size), size a power of two.
std::vector<double> Spectrum(const std::vector<int16_t>& x, size_t begin, size_t size);
// The strongest peak of such a spectrum within `cents` of hz, its frequency
// refined by a parabola through the log magnitudes.
struct SpectralPeak {
  double hz = 0.0;
  double level = 0.0;
};
SpectralPeak PeakNear(const std::vector<double>& magnitude, double hz, double cents);

// Pitch of a note of the main instrument as loaded by the fixture.
double NoteHz(int noteId, double adjustment = 0.0);

// Each test gets the instruments "c" and "e" with every generated seed, untuned,
// "c" current, and an empty folder.
class SoundLibTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string File(const std::string& name) const { return (folder_ / name).string(); }
  // Renders through FWavGenerateMusicFile and reads the file back (empty on failure).
  std::vector<int16_t> Render(int count, const std::string& notes, const std::string& durations, int playMode = 1);
  // The join of the file rendered last.
  int64_t LastJoin() const { return JoinOf(File("render" + std::to_string(renders_ - 1) + ".wav")); }
  // Tunes a note; the next test gets it untuned again.
  static int16_t Tune(char key, int noteId, double adjustment);
  // The next test gets the generated seed of this note again.
  static void Touched(char key, int noteId) { touched_.emplace_back(key, noteId); }
  // Reloads the seed of one note (untuning it).
  static int16_t LoadSeed(char key, int noteId);
  // Call when a test frees seeds or sets the library up anew: the next test reloads everything.
  static void ChangedSeeds() { dirty_ = true; }
  static void LoadAll();

  std::filesystem::path folder_;
  int renders_ = 0;

 private:
  static bool dirty_;
  static std::vector<std::pair<char, int>> touched_;
};

}  // namespace soundtest
