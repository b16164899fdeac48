// ThekaData: the bols of one theka set as read from its theka data file (the
// file and its layout are made by tools/thekagen, which documents them): for
// each bol id, the strokes it is made of and where in the beat each falls; and
// the theka of every tala with its khali beats, from which a music file's khali
// is found (its theka string names the bols only).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "soundlib/TablaStrokes.h"

namespace soundlib {

struct Bol {
  static constexpr int kMaxStrokes = 6;
  struct Part {
    Stroke stroke = Stroke::Na;
    float position = 0.0f;  // in beats from the bol's beat, 0 <= position < 1
  };
  bool defined = false;
  int count = 0;  // 0 for a rest
  Part parts[kMaxStrokes];
};

class ThekaData {
 public:
  static constexpr int kMaxBolId = 255;
  static constexpr int kMaxTalas = 64;
  static constexpr int kMaxBeats = 32;

  // Reads the file; false (and *this cleared) when it is missing, damaged, or
  // holds another theka set than set.
  bool Read(const std::string& path, int32_t set);
  void Clear() { *this = ThekaData{}; }
  bool loaded() const { return set_ != 0; }
  int32_t set() const { return set_; }
  // The bol of an id, or nullptr when the set has no such bol.
  const Bol* Find(long id) const;
  // The khali beats (bit b for beat b + 1) of a cycle of beatCount beats on which
  // bolAt[b] was struck (0 where nothing was): those of the talas whose thekas
  // hold these bols, where they all agree; 0 when no tala fits.
  uint32_t Khali(int beatCount, const std::array<int, kMaxBeats>& bolAt) const;

 private:
  struct Tala {
    int beats = 0;  // 0: no such tala
    std::array<int, kMaxBeats> bols = {};
    uint32_t khali = 0;
  };
  bool Parse(const std::string& text, int32_t set);

  int32_t set_ = 0;
  std::array<Bol, kMaxBolId + 1> bols_ = {};
  std::array<Tala, kMaxTalas + 1> talas_ = {};
};

}  // namespace soundlib
