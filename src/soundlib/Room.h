// Room: a small, light reverberation added to the finished sum, so that notes
// and strokes die away into a room instead of into digital silence.
//
// A feedback delay network: four delay lines of 25 to 41 ms fed back into each
// other through a Hadamard matrix, each pass softened by a three-point average
// and scaled for the decay time (RT60 kRt60). The room is thin on top anyway, so
// it runs at half the sample rate: its input is the sum taken through a
// half-band low-pass and kept every second sample; its answer is interpolated
// back and smoothed over three samples, a few samples late (nothing a room would
// tell apart), so that nothing of the low rate is heard near 20 kHz. Every delay
// is longer than the stretch the network works on at a time, so a stretch is
// done over plain arrays, in place in the lines.
//
// Its state runs on from one call to the next until Clear, so a file that
// follows another at once hears that file's room die away. Memory is taken in
// Init; Process allocates nothing.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace soundlib {

class Room {
 public:
  static constexpr int kFactor = 2;
  static constexpr int kLines = 4;
  static constexpr int kHistory = 11;  // earlier inputs the low-pass reaches back to
  static constexpr float kRt60 = 0.35f;
  // The room's level against the sum (about -16 dB).
  static constexpr float kWet = 0.15f;
  // How long the room takes to fall 60 dB after the sound stops, in samples.
  static constexpr int64_t kTailSamples = static_cast<int64_t>(0.35 * 44100);

  void Init();
  void Clear();
  // io[s] += the room's answer, for the next n samples of the sum.
  void Process(float* io, int n);

 private:
  // Per line: a power of two above the longest delay and a stretch, so that a
  // stretch's reads and writes never meet.
  static constexpr int kLineSize = 2048;
  static constexpr int kStageMax = 2048;  // input samples taken at a time
  static constexpr int kStretch = 512;    // low-rate samples worked on at a time: below every delay

  // Runs count low-rate inputs in[] through the network, answers to out[].
  void Network(const float* in, float* out, int count);

  std::array<int, kLines> delay_ = {};
  std::array<float, kLines> feedback_ = {};
  std::array<std::vector<float>, kLines> lines_;
  int write_ = 0;
  std::vector<float> staged_;   // kHistory earlier inputs, then the block
  std::vector<float> answers_;  // the three last answers before the block, then the block's
  std::vector<float> heard_;    // the two last interpolated answers before the block, then the block's
  std::vector<float> answer_;   // the network's answers over a stretch
  std::vector<float> work_;     // the inputs split into pairs; lines that wrap in a stretch
  int64_t seen_ = 0;            // input samples so far
};

}  // namespace soundlib
