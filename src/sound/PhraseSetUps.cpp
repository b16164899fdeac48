#include "sound/PhraseSetUps.h"

#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/LibraryText.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/RagaReaders.h"
#include "common/StringUtil.h"
#include "soundlib/FWav.h"
#include "common/Trace.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/PhraseRecords.h"
#include "sound/Render.h"
#include "sound/SoundState.h"
#include "sound/TalaTheka.h"

namespace sound {

namespace {

using common::kReadDurations;
using common::kReadNotes;
using common::notation::Join;
using common::notation::Words;

constexpr int16_t kTaanType = 3;  // CurrPhraseType values
constexpr int16_t kScaleType = 6;
constexpr int16_t kPakadType = 7;
constexpr int16_t kSegmented = 1;  // forms of sLoadMNFromT
constexpr int16_t kUnsegmented = 2;
constexpr int16_t kDemoMode = 1;
constexpr int16_t kTaanDurationKind = 6;  // fCreateDurationPhrase kinds

// The notes as played: glides reduced to their landing notes while grace notes are off.
std::string Played(const std::string& notes) {
  return shell::GraceNotes == common::kGraceNotesNone ? common::fRemoveGlides(notes) : notes;
}

// Refills set with count phrases (the arrays sized 0 to count), phrase `count` current.
void Refill(PhraseSetRec& set, int16_t count) {
  set.PhraseCount = count;
  set.CurrPhrase = count;
  const auto size = static_cast<size_t>(count < 0 ? 0 : count) + 1;
  set.Phrases.assign(size, "");
  set.Timings.assign(size, "");
  set.StoredTimings.assign(size, "");
}

void SetPhrase(PhraseSetRec& set, size_t at, const std::string& notes, const std::string& timing) {
  set.Phrases[at] = notes;
  set.Timings[at] = timing;
  set.StoredTimings[at] = timing;
}

// A composition or film song: asthai (and antara) from TCompData, matras converted
// by the composition's Playing Speed; the speed slider in learning and practice mode.
void LoadComposition() {
  const auto& parts = common::TCompData;
  const bool filmSong = CurrMusicItemType == kFilmSongItem;
  Refill(TMNInfo, filmSong ? 1 : 2);
  BaseBeat = parts[0].PlayingSpeed;
  for (size_t p = 0; p < static_cast<size_t>(TMNInfo.PhraseCount); ++p) {
    std::string timing = fConvertMatraToDuration(parts[p].NotesDuration, BaseBeat);
    if (!filmSong && CurrOperationMode != kDemoMode) timing = fFactorTimingScript(timing);
    SetPhrase(TMNInfo, p, Played(parts[p].Notation), timing);
  }
}

// The practice text of the learner's script as English notation.
std::string EnglishPart(const std::string& part) {
  if (shell::NotationScript != common::kScriptDevnagari) return common::fRmvLeadBlk(common::fRmvTrailBlk(part));
  std::vector<std::string> words = Words(part, " ");
  for (auto& word : words) word = common::fGetEngForDev(word);
  return Join(words, " ");
}

// The stored timing of the item that the learner's text is timed from.
std::string PracticeTiming(const std::string& text) {
  switch (common::CurrPhraseType) {
    case kScaleType:
      return common::fGetFromT_ScalePhraseUnSeg(kReadDurations);
    case kPakadType:
      return common::fGetFromT_PakadPhraseUnSeg(kReadDurations);
    case kTaanType:
      return common::fGetTimingScript(common::fRemoveColons(text));
    default:
      return common::fGetFromT_AnALTPhraseUnSeg(common::CurrDBSelector, common::CurrPhraseType, kReadDurations,
                                                TMNInfo.CurrPhrase);
  }
}

int16_t SlotOfPhrase(int16_t phrase) { return static_cast<int16_t>(((phrase + 1) % 2 + 2) % 2); }

}  // namespace

int16_t fBuildFirstPhrase(int16_t slot) {
  NotesList[static_cast<size_t>(slot)].NoteCount = fCreateNotesList1(slot);
  // The first of a list; the play loop renders the next one while it plays (LookAhead 1).
  soundlib::SetNextFileJoins(false, LookAhead == 1 && TPlayInfo.CurrPhrase < TPlayInfo.LastPhrase);
  if (fPrepareToPlaySelection1(slot) != 0) return 1;
  vb::Message("Error Setting up for Illustration");
  return 0;
}

void sLoadMNFromT(int16_t form) {
  common::ProcTrace t("sLoadMNFromT");
  const bool segmented = form == kSegmented;
  const int16_t kind = CurrItemKind;
  if (kind == kScaleKind || kind == kPakadKind) {
    const bool scale = kind == kScaleKind;
    std::string notes;
    if (scale) {
      notes = segmented ? common::fGetFromT_ScalePhraseSeg(kReadNotes) : common::fGetFromT_ScalePhraseUnSeg(kReadNotes);
    } else {
      notes = segmented ? common::fGetFromT_PakadPhraseSeg(kReadNotes) : common::fGetFromT_PakadPhraseUnSeg(kReadNotes);
    }
    const std::string durations = scale ? common::fGetFromT_ScalePhraseUnSeg(kReadDurations)
                                        : common::fGetFromT_PakadPhraseUnSeg(kReadDurations);
    Refill(TMNInfo, 1);
    SetPhrase(TMNInfo, 0, Played(notes), durations);
    LookAhead = 2;
  } else if (kind >= kFirstALTKind && kind <= kLastALTKind) {
    const int16_t db = common::CurrDBSelector;
    const int16_t type = common::CurrPhraseType;
    Refill(TMNInfo, common::fGetFromT_SegmentCount(db, type));
    for (int16_t i = 1; i <= TMNInfo.PhraseCount; ++i) {
      const std::string notes =
          Played(segmented ? common::fGetFromT_AnALTPhraseSeg(db, type, kReadNotes, i)
                           : common::fGetFromT_AnALTPhraseUnSeg(db, type, kReadNotes, i));
      // A taan is played here at one equal step a note, whatever durations it is stored with.
      const std::string timing = type == kTaanType ? fCreateDurationPhrase(notes, kTaanDurationKind)
                                                   : common::fGetFromT_AnALTPhraseUnSeg(db, type, kReadDurations, i);
      SetPhrase(TMNInfo, static_cast<size_t>(i - 1), notes, timing);
    }
  } else if (kind == kCompositionKind) {
    LoadComposition();
  } else if (kind == kComparisonKind) {
    // Durations in matras when the row has a Playing Speed (both ragas at that speed),
    // else as stored.
    const int16_t speed = common::TCompData[0].PlayingSpeed;
    Refill(TMNInfo, 2);
    for (size_t p = 0; p < 2; ++p) {
      const std::string& stored = common::TCompData[p].NotesDuration;
      SetPhrase(TMNInfo, p, Played(common::TCompData[p].Notation),
                speed > 0 ? fConvertMatraToDuration(stored, speed) : stored);
    }
  }
}

void sPreprocCompDataFromT() {
  common::ProcTrace t("sPreprocCompDataFromT");
  sLoadMNFromT(kUnsegmented);
  const auto& parts = common::TCompData;
  if (CurrMusicItemType == kCompositionItem) {
    common::CurrTalaId = parts[0].TalaId;
    if (common::CurrTalaId != 0) CompBeatCount = common::fGetBeatCountForTala(common::CurrTalaId);
    const std::string tala = common::fGetTalaName(common::CurrTalaId);
    for (int16_t p = 1; p <= 2; ++p) {
      const auto& part = parts[static_cast<size_t>(p - 1)];
      NotesListRec& rec = NotesList[static_cast<size_t>(p - 1)];
      rec.Prompt = "Playing Composition '" + common::CurrAddInfo + "' in Taal '" + tala + "' - " +
                   std::to_string(CompBeatCount) + "Beats" + "(" + part.CompositionText +
                   (p == 1 ? " - Astai part) : " : " - Antara part) : ") + common::fCreateCompStringFromT(p, 1);
      rec.StartMatra = vb::CInt(part.StartingBeat);
      rec.TalaString = fCreateTalaStringForCompFromT(p, ThekaSet);
      rec.BeatCount = common::fGetBeatCountForPhrase(part.NotesDuration);
    }
  } else if (CurrMusicItemType == kComparisonItem) {
    const std::string& a = parts[0].CompositionMukhada;
    const std::string& b = parts[1].CompositionMukhada;
    const std::string line = "Playing comparison of Ragas " + a + " and " + b + ". Currently playing ";
    NotesList[0].Prompt = line + a;
    NotesList[1].Prompt = line + b;
  }
  LookAhead = 2;
}

int16_t sSetUpForDemoModeIllustrations() {
  common::ProcTrace t("sSetUpForDemoModeIllustrations");
  sLoadMNFromT(kUnsegmented);
  TMNInfo.CurrPhrase = 1;
  TMNInfo.RestartPhrase = 1;
  TMNInfo.LastPhrase = CurrItemKind == kScaleKind || CurrItemKind == kPakadKind ? int16_t{1} : TMNInfo.PhraseCount;
  LookAhead = 1;
  PlayMode = 1;
  Theka = CurrMusicItemType == kCompositionItem ? 1 : 2;
  TPlayInfo = TMNInfo;
  return fBuildFirstPhrase(0);
}

int16_t sSetUpForLearningModeIllustration() {
  common::ProcTrace t("sSetUpForLearningModeIllustration");
  LookAhead = 2;
  PlayMode = 1;
  TMNInfo.RestartPhrase = TMNInfo.CurrPhrase;
  TMNInfo.LastPhrase = TMNInfo.CurrPhrase;
  for (int16_t k = TMNInfo.RestartPhrase; k <= TMNInfo.LastPhrase; ++k) {
    if (k < 1 || static_cast<size_t>(k) > TMNInfo.StoredTimings.size()) vb::Raise(vb::kSubscript);
    const auto at = static_cast<size_t>(k - 1);
    TMNInfo.Timings.at(at) = fFactorTimingScript(TMNInfo.StoredTimings[at]);
  }
  TPlayInfo = TMNInfo;
  return fBuildFirstPhrase(SlotOfPhrase(TMNInfo.CurrPhrase));
}

int16_t sSetUpForPracticeModeIllustrations1() {
  common::ProcTrace t("sSetUpForPracticeModeIllustrations1");
  if (shell::CurrForm == nullptr) vb::Raise(vb::kObjectNotSet);
  const std::string text = shell::CurrForm->Ctl("cCurrentItem").Text();
  // One phrase per segment that holds notes: a colon doubled or left at the end marks
  // off nothing to play.
  std::vector<std::string> parts;
  for (const auto& part : Words(text, ":"))
    if (!Words(part, " ").empty()) parts.push_back(EnglishPart(part));
  Refill(TPracticeInfo, static_cast<int16_t>(parts.size()));
  TPracticeInfo.CurrPhrase = 1;
  for (size_t i = 0; i < parts.size(); ++i) TPracticeInfo.Phrases[i] = parts[i];

  // The timing words are dealt out in order, as many to each phrase as it has notes;
  // notes beyond them (the learner added some) last as long as the stored phrase's last note.
  std::vector<std::string> durations;
  for (const auto& word : Words(fFactorTimingScript(PracticeTiming(text)), " "))
    if (word != ",") durations.push_back(word);
  size_t next = 0;
  for (size_t i = 0; i < parts.size(); ++i) {
    std::vector<std::string> timing;
    for (size_t n = Words(TPracticeInfo.Phrases[i], " ").size(); n > 0 && !durations.empty(); --n)
      timing.push_back(next < durations.size() ? durations[next++] : durations.back());
    TPracticeInfo.Timings[i] = Join(timing, " ");
  }
  TPracticeInfo.StoredTimings.assign(TPracticeInfo.StoredTimings.size(), "");

  TPracticeInfo.RestartPhrase = 1;
  TPracticeInfo.LastPhrase = TPracticeInfo.PhraseCount;
  LookAhead = 1;
  PlayMode = 2;
  TPlayInfo = TPracticeInfo;
  return fBuildFirstPhrase(SlotOfPhrase(TPracticeInfo.CurrPhrase));
}

int16_t sSetUpForPlayingSelectedPhrase() {
  common::ProcTrace t("sSetUpForPlayingSelectedPhrase");
  TPlayInfo.PhraseCount = 1;
  TPlayInfo.CurrPhrase = 1;
  TPlayInfo.RestartPhrase = 1;
  TPlayInfo.LastPhrase = 1;
  TPlayInfo.Phrases.assign(2, "");
  TPlayInfo.Timings.assign(2, "");
  TPlayInfo.Phrases[0] = PhraseNotes;
  TPlayInfo.Timings[0] = PhraseTiming;
  return fBuildFirstPhrase(SlotOfPhrase(1));
}

}  // namespace sound
