// Room: a small, light reverberation added to the finished sum, so that notes
// and strokes die away into a room instead of into digital silence.
//
// A feedback delay network: four delay lines of 25 to 41 ms fed back into each
// other through a Hadamard matrix, each pass softened by a one-pole low-pass and
// scaled for the decay time (RT60 kRt60). The room is thin on top anyway, so it
// runs at half the sample rate: its input is the sum taken through a 16-tap
// low-pass and kept every second sample; its answer is interpolated back and
// twice smoothed over two samples, a few samples late (nothing a room would tell
// apart), so that nothing of the low rate is heard near 20 kHz. Its state runs on from
// one call to the next until Clear, so a file that follows another at once hears
// that file's room die away. Memory is taken in Init; Process allocates nothing.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace soundlib {

class Room {
 public:
  static constexpr int kFactor = 2;
  static constexpr int kLines = 4;
  static constexpr float kRt60 = 0.35f;
  // The room's level against the sum (about -16 dB).
  static constexpr float kWet = 0.15f;
  // How long the room takes to fall 60 dB after the sound stops, in samples.
  static constexpr int64_t kTailSamples = static_cast<int64_t>(0.35 * 44100);
  static constexpr int kTaps = 16;

  void Init();
  void Clear();
  // io[s] += the room's answer, for the next n samples of the sum.
  void Process(float* io, int n);

 private:
  static constexpr int kLineSize = 1024;  // per line: a power of two above the longest delay
  static constexpr int kAnswerSize = 2048;

  void Step(float in);

  std::array<int, kLines> delay_ = {};
  std::array<float, kLines> feedback_ = {};
  std::vector<float> lines_;  // kLines interleaved lines of kLineSize
  std::array<float, kLines> lowpass_ = {};
  std::array<float, kAnswerSize> answers_ = {};  // the room's answers at the low rate, by number
  std::vector<float> staged_;                    // kTaps - 1 earlier inputs, then the block
  int64_t seen_ = 0;                             // input samples so far
  int64_t answered_ = 0;                         // low-rate answers so far
  int write_ = 0;
  // The interpolated answer of the last sample, and its first average.
  std::array<float, 2> last_ = {};
  std::vector<float> inputs_;  // the low-passed inputs of a block's pairs
};

}  // namespace soundlib
