// ThekaText: reads the theka string of a music file into tabla strokes.
//
// The string holds one text per note, separated by blanks: "0" when no beat
// begins while the note sounds, else "n/bol1/.../boln/o": the n beats that
// begin within the note, the bol id struck on each, and the offset o in beats
// (a decimal number, 0 <= o <= 1) from the note's start to the first of them.
// Beat i of the note then falls at the note's start + (o + i) * tempo, and each
// stroke of its bol at its own place within that beat.
//
// Strokes on the first beat of the cycle (sam) are a little stronger, and so are
// those on the khali beats of the tala whose theka the string plays (ThekaData);
// the strokes inside a beat are a little softer. Every stroke's strength varies by
// a few percent and its time by up to 3 ms (1 ms on sam), as a player's hands do,
// seeded by the phrase (SeedOf): always the same way for the same item, otherwise
// for another.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "soundlib/NoteText.h"
#include "soundlib/ThekaData.h"

namespace soundlib {

struct StrokeEvent {
  int64_t sample = 0;  // where the stroke is played, its few milliseconds off the beat included
  Stroke stroke = Stroke::Na;
  float gain = 1.0f;
};

struct ThekaTiming {
  double tempoMs = 0.0;   // milliseconds per beat
  int32_t startBeat = 1;  // beat of the cycle on which the phrase starts (1-based)
  int32_t beatCount = 0;  // beats of the tala's cycle
};

// Fills events (in time order) for the notes of phrase; false when the string is
// malformed, does not hold one text per note, names a bol the data lacks, or the
// tempo is not positive while a beat is to be struck.
bool ReadTheka(const std::string& text, const Phrase& phrase, const ThekaTiming& timing, const ThekaData& data,
               std::vector<StrokeEvent>& events);

}  // namespace soundlib
