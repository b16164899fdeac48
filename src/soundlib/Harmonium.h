// Harmonium: the main instrument. Each note of a phrase is a voice (two reeds
// under one envelope and glide); at a join the new note's reeds speak from the
// note's first sample while the previous note's die away, a legato overlap
// without gap or click. A repeated note continues the reeds' phases and dips
// briefly, as a key pressed again does. The bellows move the loudness of the
// whole instrument. Voices are made once, in Init; rendering allocates nothing.
#pragma once

#include <array>
#include <cstdint>

#include "soundlib/Bellows.h"
#include "soundlib/Mixer.h"
#include "soundlib/NoteText.h"
#include "soundlib/SeedStore.h"
#include "soundlib/Voice.h"
#include "soundlib/WavWriter.h"

namespace soundlib {

// What sounds with the instrument (drone, tabla): adds its samples
// [position, position + n) of the file to mix.
class BlockAdder {
 public:
  virtual ~BlockAdder() = default;
  virtual void Add(float* mix, int64_t position, int n) = 0;
};

class Harmonium {
 public:
  static constexpr int kVoices = 8;
  static constexpr int kBlock = 2048;
  // How long the last note of a phrase takes to die away after its end.
  static constexpr float kEndReleaseMs = 60.0f;
  static constexpr int64_t kTailSamples = static_cast<int64_t>(kEndReleaseMs * kSamplesPerMs) + 1;

  void Init();
  // True when every note of the phrase has a seed in seeds.
  static bool Playable(const Phrase& phrase, const SeedStore& seeds);
  // Renders the phrase (its notes plus the release tail) into sink, with the
  // accompaniment, when given, added to the instrument's scaled sum.
  bool Render(const Phrase& phrase, const SeedStore& seeds, BlockSink& sink, BlockAdder* accompaniment = nullptr);

 private:
  void StartNote(const PhraseNote& note, const SeedStore& seeds);
  void ReleaseAll(float ms);
  Voice* FreeVoice();

  std::array<Voice, kVoices> voices_;
  Voice* held_ = nullptr;  // the voice of the note now sounding
  Bellows bellows_;
  Mixer mixer_;
  float mix_[kBlock] = {};
  float pressure_[kBlock] = {};
  int16_t out_[kBlock] = {};
};

}  // namespace soundlib
