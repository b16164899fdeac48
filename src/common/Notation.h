// Note names and notation text.
//
// A notation phrase is note words separated by blanks (runs of blanks count as one).
// A note word is a name of the note-name table of its script; "a'b" is a glide from the
// grace note a into b. A word ":" marks a segment boundary, and a colon may also stand
// against the start or the end of a note word (":G", "G:"); a word "," marks a phrase
// boundary in a list of phrases. Phrases are stored in English. The Devanagari texts are
// plain ASCII strings that the font "Shusha" draws as Devanagari sargam syllables.
//
// sInitScales fills the tables (CommonState.h) once at start, before any other call.
// Settings are read where a call is made: each function that depends on the notation
// script or the grace-note setting takes it as a defaulted argument.
// Flags are returned as -1 (True) and 0 (False).
#pragma once

#include <cstdint>
#include <string>

#include "shell/ShellState.h"

namespace common {

inline constexpr int16_t kScriptDevnagari = 1;  // NotationScript values
inline constexpr int16_t kScriptEnglish = 2;
inline constexpr int16_t kGraceNotesNone = 1;  // GraceNotes values
inline constexpr int16_t kGraceNotesUse = 2;

// Fills EnglishNotes, DevnagariNotes and NoteFnames.
void sInitScales();

// The Devanagari name of an English note name; "" when it names no note.
std::string fGetDevnagariStringForNote(const std::string& englishName);
// Entry index (0 to 36) of the table of script: Devanagari for 1, English for 2;
// "" for any other script or an index outside 0 to 36.
std::string fGetStringForNote(int16_t index, int16_t script = shell::NotationScript);

// -1 when word is one of the 36 names of that table.
int16_t fIsEnglishNote(const std::string& word);
int16_t fIsDevnagriNote(const std::string& word);
// -1 when word is exactly ":".
int16_t fIsColon(const std::string& word);

// A legal note word: at most one "'", every "'"-piece a name of the script's table (any
// other script lets every piece pass), one colon allowed against its start or its end.
int16_t fIsLegalNote(const std::string& word, int16_t script = shell::NotationScript);
// A note word as stored: one note of the English table, or a grace note and a note
// joined by one "'".
bool fIsNoteWord(const std::string& word);
// Every blank-separated word is ":" or a legal note word; a "," word is not legal here.
int16_t fIsLegalNotationPhrase(const std::string& phrase, int16_t script = shell::NotationScript);

// One word between the scripts, piece by piece at "'"; pieces that are no name of the
// source table are dropped, a colon against the word is kept.
std::string fGetDevForEng(const std::string& word);
std::string fGetEngForDev(const std::string& word);

// An English phrase as Devanagari text, words joined by one blank: "," becomes three
// blanks, ":" becomes " : ", note words are converted as by fGetDevForEng.
std::string fPrepareNotationDevnagariString(const std::string& phrase);
// The words of phrase joined by three blanks.
std::string fPrepareNotationDisplayString(const std::string& phrase);
// The segment marks removed: the pieces between colons, trimmed, joined by one blank.
std::string fRemoveColons(const std::string& phrase);
// Every glide reduced to the note it lands on, words joined by one blank; plain notes,
// ":" and "," stay; a colon against a glide stays with its landing note.
std::string fRemoveGlides(const std::string& phrase);
// A colon written against a note becomes a word of its own (":G" -> ": G", "G:" -> "G :");
// everything else, blanks included, stays as it is. Applied to a phrase when it is
// accepted, so that every segment mark is a word and every note word holds a note.
std::string fSeparateColons(const std::string& phrase);

// The text sLoadNotation shows: glides reduced when graceNotes is 1, converted to
// Devanagari when script is 1, words three blanks apart.
std::string fGetNotationText(const std::string& phrase, int16_t script = shell::NotationScript,
                             int16_t graceNotes = shell::GraceNotes);

// The font of a notation control.
struct NotationFont {
  bool Bold;
  const char* Name;
  int16_t Size;  // points
};
inline constexpr NotationFont kDevnagariFont{true, "Shusha", 16};
inline constexpr NotationFont kEnglishFont{true, "Times New Roman", 12};

// What a text control offers to the notation display; the forms layer adapts its text
// boxes and labels to it. Notation texts are plain text, never markup ("N< S>").
class NotationControl {
 public:
  virtual void SetText(const std::string& text) = 0;
  virtual void SetFont(const NotationFont& font) = 0;

 protected:
  ~NotationControl() = default;
};

// Shows phrase in control as fGetNotationText gives it.
void sLoadNotation(NotationControl& control, const std::string& phrase);
void sSetDevnagariFont(NotationControl& control);
void sSetEnglishFont(NotationControl& control);

}  // namespace common
