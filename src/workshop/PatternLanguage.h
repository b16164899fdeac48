// The pattern language of the workbench: a figure of scale steps written as tokens of a
// start letter, a direction, a move and a count, and its interpreter.
//
// A token: "B"/"b" from the figure's first note, "L"/"l" from the note the previous token
// ended on (upper case plays the start note, lower case does not); "U" up or "D" down;
// "C" every step to the target or "J" the target alone; the count, decimal digits (at
// most 4). "BUC3" is 0 1 2 3; "BUJ2lDJ1" is 0 2 1.
//
// Tokens are written together and cut by fixed widths: while 8 or more characters
// remain, the next token is 5 characters when the 5th is a digit, else 4; the rest is
// the last token. So a count of one or two digits works anywhere, a longer one only in
// the last token.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace workshop {

// The most offsets a figure may have: longer ones are refused, not played for hours.
inline constexpr int kMaxPatternOffsets = 500;

// The tokens of a pattern as the fixed widths cut it ("" gives one empty token).
std::vector<std::string> fPatternTokens(const std::string& pattern);

// Interprets pattern into PatternOffsets and PatternOffsetCount (WorkshopState.h).
// False when a token is malformed (a bad letter, a missing part, a count that is not 1
// to 4 decimal digits), when the figure has no offset at all, more than
// kMaxPatternOffsets, or an offset outside the 16-bit range; the offsets are then not
// to be used. Never throws.
bool fInterpretPattern(const std::string& pattern);

// The built-in patterns 0 ("S to S>") and 1 ("P< to P>") of BasePatterns for a scale of
// k notes to the octave: "BUC" k "LDC" k and "BUC" 2k "LDC" 2k.
void sSetOctavePatterns(int16_t notesPerOctave);

}  // namespace workshop
