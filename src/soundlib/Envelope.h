// Envelope: the loudness of one reed from key press to silence. The attack rises
// from 0 to 1 and the release falls from wherever the level stands to 0, both
// along a smoothstep curve (zero slope at both ends), so neither clicks.
#pragma once

#include <algorithm>

namespace soundlib {

class Envelope {
 public:
  void Init(float sampleRate) {
    sampleRate_ = sampleRate;
    stage_ = Stage::Idle;
    level_ = 0.0f;
  }
  // Starts the rise from 0 over ms milliseconds.
  void Attack(float ms) { Begin(Stage::Attack, ms, 0.0f); }
  // Starts the fall from the present level over ms milliseconds.
  void Release(float ms) {
    if (stage_ != Stage::Idle) Begin(Stage::Release, ms, level_);
  }
  bool active() const { return stage_ != Stage::Idle; }
  bool sustaining() const { return stage_ == Stage::Sustain; }
  float level() const { return level_; }

  // The next n levels into out (a block at a time). The ramp's position is kept
  // in a local: a store to out could otherwise be taken to change it, and each
  // sample would wait for it to be stored and read back.
  void Process(float* out, int n) {
    if (n <= 0) return;
    int s = 0;
    float pos = pos_;
    const float step = step_;
    if (stage_ == Stage::Attack) {
      for (; s < n && pos < 1.0f; ++s, pos += step) out[s] = Smooth(pos);
      if (pos >= 1.0f) stage_ = Stage::Sustain, level_ = 1.0f;
      else level_ = out[s - 1];
    } else if (stage_ == Stage::Release) {
      const float from = from_;
      for (; s < n && pos < 1.0f; ++s, pos += step) out[s] = from * (1.0f - Smooth(pos));
      if (pos >= 1.0f) stage_ = Stage::Idle, level_ = 0.0f;
      else level_ = out[s - 1];
    }
    pos_ = pos;
    const float level = level_;
    for (; s < n; ++s) out[s] = level;
  }

  float Process() {
    switch (stage_) {
      case Stage::Idle:
      case Stage::Sustain:
        return level_;
      case Stage::Attack:
        level_ = Smooth(pos_);
        if ((pos_ += step_) >= 1.0f) stage_ = Stage::Sustain, level_ = 1.0f;
        return level_;
      case Stage::Release:
        level_ = from_ * (1.0f - Smooth(pos_));
        if ((pos_ += step_) >= 1.0f) stage_ = Stage::Idle, level_ = 0.0f;
        return level_;
    }
    return level_;
  }

 private:
  enum class Stage { Idle, Attack, Sustain, Release };
  static float Smooth(float x) { return x * x * (3.0f - 2.0f * x); }
  void Begin(Stage stage, float ms, float from) {
    stage_ = stage;
    from_ = from;
    pos_ = 0.0f;
    step_ = 1.0f / std::max(1.0f, ms * sampleRate_ / 1000.0f);
  }

  float sampleRate_ = 44100.0f;
  Stage stage_ = Stage::Idle;
  float pos_ = 0.0f;
  float step_ = 0.0f;
  float from_ = 0.0f;
  float level_ = 0.0f;
};

}  // namespace soundlib
