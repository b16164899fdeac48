// One note of a phrase as the renderer and the keyboard use it.
//
// A phrase word is a plain note ("G") or a glide ("S<'P<": the grace note, then the
// note it glides into). PhraseNote keeps both note codes apart: a code is 0 to 35,
// the index of the note-name tables (0 = lower S, 12 = middle S, 35 = upper N).
//
// Packed() is the note value written as one number, 100 x grace + main for a glide and
// main alone otherwise. A grace note of code 0 (lower S) does not show in that number,
// so carry PhraseNote wherever the grace note matters (library text, reed lighting) and
// derive the packed value only where one number is asked for.
#pragma once

#include <cstdint>

namespace common {

struct PhraseNote {
  int16_t Grace = -1;  // code of the grace note, 0 to 35; -1: a plain note
  int16_t Main = -1;   // code of the note that sounds, 0 to 35; -1: the word holds no note

  bool HasGrace() const { return Grace >= 0 && Main >= 0; }
  bool IsNote() const { return Main >= 0; }

  // 100 x Grace + Main for a glide, Main for a plain note, -1 for no note.
  int16_t Packed() const {
    if (Main < 0) return -1;
    return static_cast<int16_t>(HasGrace() ? Grace * 100 + Main : Main);
  }

  // Reads a packed value back: its last two digits are the main note, any digits in
  // front the grace note. A packed value of a glide from code 0 reads as a plain note.
  static PhraseNote FromPacked(int32_t value) {
    if (value < 0) return {};
    if (value < 100) return {-1, static_cast<int16_t>(value)};
    return {static_cast<int16_t>(value / 100 % 100), static_cast<int16_t>(value % 100)};
  }

  bool operator==(const PhraseNote&) const = default;
};

}  // namespace common
