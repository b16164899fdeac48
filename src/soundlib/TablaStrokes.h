// TablaStrokes: the single strokes every bol is made of, rendered once per
// tuning into a bank of samples.
//
// The dayan (right drum) is tuned to Sa. Its loaded membrane (the syahi, the
// black patch) rings in nearly harmonic modes at 1, 2, 3, 4 and 5 times Sa, the
// upper ones in close pairs that beat a little, over a few quickly dying
// inharmonic modes of the bare skin:
//   Na   on the rim, the fundamental damped by the resting finger: a bright ring
//   Tin  on the open skin beside the syahi: a softer, long ring of modes 2 to 4
//   Tun  in the middle of the syahi, the finger lifted: the fundamental rings
//   Ta   a rim stroke damped at once
//   Ti, Ra  closed strokes on the syahi (fingers stay on it): short and dull
// The bayan (left drum) sits a fourth below an octave of Sa, between 60 and 120 Hz:
//   Ge   open, resonant, its pitch falling from 20 % sharp as the impact passes
//        and then bending up a little as the wrist presses the skin
//   Ke   the flat hand slapped on and left there: a short, noisy thud
// Every stroke begins with the noise of the impact, shaped by a band-pass.
// Dha, Dhin and the other two-handed bols are a dayan and a bayan stroke together.
//
// No two strokes of a real drum are alike: each stroke is rendered kVariants
// times, seeded, its modes up to 3 dB louder or softer and 15 % quicker or slower
// to decay, the dayan up to 3 cents off, the bayan's bend deeper or shallower, and
// a fresh impact each time. The open strokes ring on until they have decayed by
// 35 dB or so before a short fade; the closed ones keep a faint ring of the skin.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "soundlib/WorkPool.h"

namespace soundlib {

enum class Stroke : uint8_t { Na, Tin, Tun, Ta, Ti, Ra, Ge, Ke };
inline constexpr int kStrokeKinds = 8;
// The name of a stroke in the theka data file, and back.
std::string_view StrokeName(Stroke stroke);
bool StrokeFromName(std::string_view name, Stroke& stroke);
// True for the bayan's strokes.
bool OnBayan(Stroke stroke);
// True for strokes whose hand stays on the skin and stops what still rings there.
bool Mutes(Stroke stroke);

class TablaStrokes {
 public:
  static constexpr int kVariants = 4;
  static constexpr int64_t kMaxLength = 3 * 44100;  // three seconds

  TablaStrokes() = default;
  TablaStrokes(const TablaStrokes&) = delete;
  TablaStrokes& operator=(const TablaStrokes&) = delete;
  ~TablaStrokes() { pool_.Wait(true); }

  void Init();
  // Renders every stroke for a dayan tuned to saHz, the renderings shared out
  // among threads of the library's own; false when it was already so (nothing done).
  bool Tune(double saHz);
  double dayanHz() const { return dayanHz_; }
  double bayanHz() const { return bayanHz_; }
  const float* Samples(Stroke stroke, int variant = 0) const { return bank_[Index(stroke, variant)].data(); }
  int64_t Length(Stroke stroke, int variant = 0) const { return lengths_[Index(stroke, variant)]; }

 private:
  static size_t Index(Stroke stroke, int variant) {
    return static_cast<size_t>(stroke) * kVariants + static_cast<size_t>(variant);
  }

  static constexpr int kRenderings = kStrokeKinds * kVariants;
  // Rendering r of the bank (stroke r / kVariants), before it takes its stroke's scale.
  void RenderUnscaled(int r);
  // Every rendering of stroke k at the scale of its first.
  void Scale(int k);

  std::array<std::vector<float>, kRenderings> bank_;
  std::array<std::vector<float>, kRenderings> impacts_;  // the noise of each rendering's impact
  std::array<int64_t, kRenderings> lengths_ = {};
  double dayanHz_ = 0.0;
  double bayanHz_ = 0.0;
  WorkPool pool_{kRenderings};
};

}  // namespace soundlib
