// Harmonium: the main instrument. Each note of a phrase is a voice (two reeds
// under one envelope and glide); at a join the new note's reeds speak from the
// note's first sample while the previous note's die away, a legato overlap
// without gap or click. A repeated note continues the reeds' phases and dips
// briefly, as a key pressed again does. Each note sits a seeded cent or less off
// its pitch, as the reeds of a real instrument do. The bellows move the loudness
// of the whole instrument.
//
// Air sounds with the reeds: noise shaped by the reed chamber's resonances (1.3
// and 2.9 kHz), following the level of the reeds and the bellows' pressure, about
// 45 dB below them; and as each key speaks, a burst of brighter noise over its
// first 15 ms or so. The noise is filtered once, in Init, into loops that are read
// from a seeded place in each file. The finished sum goes through the room
// (Room.h). Voices and loops are made once, in Init; rendering allocates nothing.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

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

class Room;

// The length of a music file and the fade of its whole sum at its end (in
// samples; 0 for none).
struct FileShape {
  int64_t length = 0;
  int64_t fadeOut = 0;
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
  // Renders the phrase into sink as a file of shape.length samples (at least
  // the notes and the last one's release), with the accompaniment, when given,
  // added to the instrument's scaled sum, and that sum through room when given.
  bool Render(const Phrase& phrase, const SeedStore& seeds, BlockSink& sink, const FileShape& shape,
              BlockAdder* accompaniment = nullptr, Room* room = nullptr);

 private:
  static constexpr int kBursts = 8;
  static constexpr int kNoiseLength = 1 << 16;
  struct Burst {
    int64_t at = -1;  // the key's first sample; -1 when unused
    float level = 0.0f;
  };
  void StartNote(const PhraseNote& note, const SeedStore& seeds, size_t index);
  // Adds the air to the reeds of mix_ [0, n), samples [position, position + n) of the file.
  void AddAir(int64_t position, int n);
  void ReleaseAll(float ms);
  Voice* FreeVoice();

  std::array<Voice, kVoices> voices_;
  Voice* held_ = nullptr;  // the voice of the note now sounding
  Bellows bellows_;
  Mixer mixer_;
  std::vector<float> chamber_;  // reed-chamber noise, unit RMS
  std::vector<float> speak_;    // the brighter noise of a key speaking, unit RMS
  std::array<Burst, kBursts> bursts_;
  size_t nextBurst_ = 0;
  int liveBursts_ = 0;  // bursts with at >= 0
  float chamberGain_ = 0.0f;  // at the end of the last chunk
  float speakGain_ = 0.0f;
  float chamberNext_ = 0.0f;  // what the last chunk measured, for the next
  float speakNext_ = 0.0f;
  float mix_[kBlock] = {};
  float pressure_[kBlock] = {};
  int16_t out_[kBlock] = {};
};

}  // namespace soundlib
