// The content's phrase and duration lists (alap, layakari and taan rows, the pakad, the
// aroha and avroha) on their way from a database row to the phrase records the play loop
// plays and the texts the sound library renders.
#include "FuzzTarget.h"

#include <string>

#include "common/CommonState.h"
#include "common/LibraryText.h"
#include "common/Notation.h"
#include "common/RagaReaders.h"
#include "common/RagaTables.h"
#include "platform/vb/Error.h"
#include "shell/ShellState.h"
#include "sound/PhraseRecords.h"
#include "sound/PhraseSetUps.h"
#include "sound/SoundState.h"
#include "soundlib/NoteText.h"

namespace {


// Every phrase of TMNInfo built into a phrase record, and its notes and durations as the
// renderer's texts, read back by the library.
void BuildEveryPhrase() {
  sound::TPlayInfo = sound::TMNInfo;
  for (int16_t p = 1; p <= sound::TPlayInfo.PhraseCount; ++p) {
    sound::TPlayInfo.CurrPhrase = p;
    const int16_t n = sound::fCreateNotesList1(0);
    const auto& rec = sound::NotesList[0];
    if (n < 0 || rec.Notes.size() < static_cast<size_t>(n) || rec.Durations.size() < static_cast<size_t>(n))
      fuzz::Fail("a phrase record shorter than its note count");
    const std::string notes = common::fGetLibraryNoteText(
        std::span(rec.Notes.data(), static_cast<size_t>(n)), std::span(rec.Durations.data(), static_cast<size_t>(n)));
    soundlib::Phrase phrase;
    (void)soundlib::ParsePhrase(n, notes, common::fGetLibraryDurationText(std::span(rec.Durations.data(), static_cast<size_t>(n))), phrase);
  }
}

}  // namespace

// Input: a choice byte (the kind of list, the grace-note setting, the script), the notes
// list line, then the duration list.
VELMORA_FUZZ_TARGET(phraselists) {
  fuzz::InitNotation();
  const unsigned char choice = fuzz::Choice(input);
  const std::string notes(fuzz::Line(input));
  const std::string durations(input);
  shell::GraceNotes = choice & 1 ? common::kGraceNotesUse : common::kGraceNotesNone;
  shell::NotationScript = choice & 2 ? common::kScriptDevnagari : common::kScriptEnglish;
  sound::CurrOperationMode = 1;  // demo: no speed slider is read
  sound::CurrMusicItemType = 0;
  sound::CurrTonicNoteId = static_cast<int16_t>(choice / 4 % 12 + 1);
  const int16_t kind = static_cast<int16_t>(choice / 48 % 4);  // 0 scale, 1 pakad, 2 alap or layakari, 3 taan
  try {
    common::TBaseInfo = common::BaseInfoRec{};
    common::TALTInfo1 = {};
    if (kind == 0) {
      auto& scale = common::TBaseInfo.ScalePart;
      scale.PhraseCount = 1;
      scale.SegmentCount = 2;
      scale.PhraseFirstSegment = {1};
      scale.PhraseSegmentCount = {2};
      scale.SegmentNotes = {notes, notes};
      scale.SegmentDurations = {durations, durations};
      sound::CurrItemKind = sound::kScaleKind;
    } else if (kind == 1) {
      common::TBaseInfo.PakadPart = common::fSplitPakad(notes, durations);
      sound::CurrItemKind = sound::kPakadKind;
    } else {
      const int16_t type = kind == 3 ? 3 : 1;
      common::sLoadRagaALTInfoIntoT(common::TALTInfo1[static_cast<size_t>(type - 1)], type, 1, notes,
                                    type == 3 ? std::string() : durations);
      common::CurrDBSelector = 1;
      common::CurrPhraseType = type;
      sound::CurrItemKind = static_cast<int16_t>(sound::kFirstALTKind + type - 1);
      sound::CurrMusicItemType = type == 3 ? sound::kTaanItem : 0;
    }
  } catch (const vb::VbError&) {
    return;  // a duration list shorter than its notes, or a list too long for its counts
  }
  for (int16_t form : {1, 2}) {
    try {
      sound::sLoadMNFromT(form);
      BuildEveryPhrase();
    } catch (const vb::VbError&) {
      // A number that does not fit its type: the error the program reports.
    }
  }
}
