// Notation phrase text as stored, as typed by the learner in either script, and its
// conversions between English and Devanagari.
#include "FuzzTarget.h"

#include <string>
#include <vector>

#include "common/LibraryText.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "sound/PhraseRecords.h"

namespace {

using common::notation::Words;

}  // namespace

VELMORA_FUZZ_TARGET(notation) {
  fuzz::InitNotation();
  const std::string phrase(input);
  for (const int16_t script : {common::kScriptDevnagari, common::kScriptEnglish}) {
    for (const int16_t grace : {common::kGraceNotesNone, common::kGraceNotesUse})
      (void)common::fGetNotationText(phrase, script, grace);
    (void)sound::fConvertFont(phrase, script);
  }
  (void)common::fPrepareNotationDisplayString(phrase);
  (void)common::fRemoveColons(phrase);
  const std::string separated = common::fSeparateColons(phrase);
  (void)common::fRemoveGlides(separated);

  // A legal English phrase keeps its notes when it goes to Devanagari and back, and
  // separating its colons keeps it legal.
  if (common::fIsLegalNotationPhrase(phrase, common::kScriptEnglish)) {
    if (!common::fIsLegalNotationPhrase(separated, common::kScriptEnglish))
      fuzz::Fail("separating the colons of a legal phrase made it illegal: '" + phrase + "'");
    for (const std::string& word : Words(phrase, " ")) {
      const std::string back = common::fGetEngForDev(common::fGetDevForEng(word));
      if (common::fGetPhraseNote(back) != common::fGetPhraseNote(word))
        fuzz::Fail("'" + word + "' became '" + back + "' on its way through Devanagari");
    }
  }
  // A legal Devanagari phrase (the learner's practice text) is legal English once converted.
  if (common::fIsLegalNotationPhrase(phrase, common::kScriptDevnagari)) {
    std::vector<std::string> english;
    for (const std::string& word : Words(phrase, " ")) english.push_back(common::fGetEngForDev(word));
    const std::string converted = common::notation::Join(english, " ");
    if (!common::fIsLegalNotationPhrase(converted, common::kScriptEnglish))
      fuzz::Fail("the Devanagari phrase '" + phrase + "' became the illegal '" + converted + "'");
  }
}
