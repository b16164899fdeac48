// The sound library's note and duration texts: made from notation and duration lists by
// the program's converters, and read by the library before it renders.
#include "FuzzTarget.h"

#include <string>
#include <vector>

#include "common/LibraryText.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "platform/vb/Error.h"
#include "soundlib/NoteText.h"

namespace {

using common::notation::Words;

}  // namespace

// Input: a choice byte (the tonic key), then the notes line, then the durations line.
VELMORA_FUZZ_TARGET(librarytext) {
  fuzz::InitNotation();
  const int16_t tonic = static_cast<int16_t>(fuzz::Choice(input) % 12 + 1);
  const std::string notes(fuzz::Line(input));
  const std::string durations(input);

  // The library's own reader takes any text.
  soundlib::Phrase phrase;
  for (int32_t count : {0, 1, 3, 64}) (void)soundlib::ParsePhrase(count, notes, durations, phrase);
  const int32_t tokens = static_cast<int32_t>(Words(notes, " ").size());
  if (tokens > 0) (void)soundlib::ParsePhrase(tokens, notes, durations, phrase);

  // The converters take any stored text; a duration that is too large for its type is
  // the error the program reports.
  std::string converted;
  try {
    converted = common::fConvertNotePhraseToMusicGenerationFormat(notes, tonic);
    (void)common::fConvertDurPhraseToMusicGenerationFormat(durations);
    (void)common::fGetDurationValue(durations);
    std::string timing = notes;
    (void)common::fGetTimingScript(timing);
    std::string noteOut, durationOut;
    common::RagaPhraseTexts row{notes, notes, durations, durations, notes, durations};
    common::sCreateRagaPhraseData(common::kRagaScaleData, row, noteOut, durationOut, tonic);
    common::sCreateRagaPhraseData(common::kRagaPakadData, row, noteOut, durationOut, tonic);
  } catch (const vb::VbError&) {
    return;
  }

  // What the program writes for a legal phrase, the library reads: one note per note
  // word that sounds, each lasting as given.
  if (!common::fIsLegalNotationPhrase(notes, common::kScriptEnglish)) return;
  std::vector<common::PhraseNote> playable;
  for (const std::string& word : Words(notes, " ")) {
    const common::PhraseNote note = common::fGetPhraseNote(word);
    if (note.IsNote() && common::fIsNoteInLibraryRange(note, tonic)) playable.push_back(note);
  }
  if (playable.empty()) return;
  const std::vector<int32_t> lengths(playable.size(), 300);
  const std::string noteText = common::fGetLibraryNoteText(playable, lengths, tonic);
  const std::string durationText = common::fGetLibraryDurationText(lengths);
  if (!soundlib::ParsePhrase(static_cast<int32_t>(playable.size()), noteText, durationText, phrase))
    fuzz::Fail("the library refused the program's own text '" + noteText + "' for '" + notes + "'");
  else if (phrase.notes.size() != playable.size())
    fuzz::Fail("the library read another count of notes from '" + noteText + "'");
}
