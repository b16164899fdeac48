#include "sound/Render.h"

#include <vector>

#include "common/CommonState.h"
#include "common/LibraryText.h"
#include "common/NotationWords.h"
#include "common/Trace.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "platform/vb/Files.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"
#include "soundlib/Constants.h"
#include "soundlib/FWav.h"
#include "sound/Playback.h"
#include "sound/PhraseRecords.h"
#include "sound/PhraseSetUps.h"
#include "sound/SoundState.h"

namespace sound {

namespace {

constexpr int16_t kDemoMode = 1;
constexpr int16_t kThekaOn = 1;
// The constant arguments the library is called with.
constexpr double kLevel = 0.2;
constexpr double kSelectedPhraseLevel = 1.0;
constexpr int32_t kArgA = 1000, kArgB = 60, kArgC = 80, kArgD = 50;

bool InLibrary(int16_t code) {
  const int16_t number = common::fGetLibraryNoteNumber(code);
  return number >= 0 && number < soundlib::kNoteCount;
}

// The library's note and duration texts of the first count notes. A note the library
// cannot sound refuses the whole phrase (false, after the message); a grace note it
// cannot sound is left out, the note keeps its main note.
bool LibraryTexts(std::span<const common::PhraseNote> notes, std::span<const int32_t> durations, int16_t count,
                  std::string& noteText, std::string& durationText) {
  if (count < 0) count = 0;
  const auto n = static_cast<size_t>(count);
  if (n > notes.size() || n > durations.size()) vb::Raise(vb::kSubscript);
  std::vector<common::PhraseNote> sounded(notes.begin(), notes.begin() + static_cast<std::ptrdiff_t>(n));
  for (auto& note : sounded) {
    if (!common::fIsNoteInLibraryRange(note) || !InLibrary(note.Main)) {
      vb::Message("Error in creating current musical illustration. Note value outside range.");
      return false;
    }
    if (note.HasGrace() && !InLibrary(note.Grace)) note.Grace = -1;
  }
  noteText = common::fGetLibraryNoteText(sounded, durations.first(n));
  durationText = common::fGetLibraryDurationText(durations.first(n));
  return true;
}

// True when the library reported success and left a file with content at path; a
// missing file counts as an empty one.
bool Rendered(int16_t result, const std::string& path) { return result != 0 && vb::FileLen(path) > 0; }

}  // namespace

int16_t fPrepareToPlaySelection1(int16_t slot) {
  common::ProcTrace t("fPrepareToPlaySelection1");
  if (slot < 0 || slot >= static_cast<int16_t>(NotesList.size())) vb::Raise(vb::kSubscript);
  MusicFileToGenerate = shell::WavFiles[static_cast<size_t>(slot)];
  const NotesListRec& rec = NotesList[static_cast<size_t>(slot)];
  int16_t result = 0;
  if (CurrItemKind == kCompositionKind && CurrMusicItemType == kCompositionItem && Theka == kThekaOn) {
    const int32_t tempo = fGetThekaTempo();
    CompStartMatra = rec.StartMatra;
    result = fCreateMusicFileWithTaal1(rec.NoteCount, rec.Notes, rec.Durations, rec.TalaString, tempo, slot);
  } else {
    result = fCreateMusicFile(rec.Notes, rec.Durations, rec.NoteCount);
  }
  if (result == 0) {
    vb::Message("Error Preparing Music File");
    return 0;
  }
  return 1;
}

int16_t fCreateMusicFile(std::span<const common::PhraseNote> notes, std::span<const int32_t> durations,
                         int16_t count) {
  common::ProcTrace t("fCreateMusicFile");
  std::string noteText, durationText;
  if (!LibraryTexts(notes, durations, count, noteText, durationText)) return 0;
  vb::KillIfExists(MusicFileToGenerate);
  const int16_t result = soundlib::FWavGenerateMusicFile(count, noteText, durationText, MusicFileToGenerate, PlayMode,
                                                         kLevel, GenOption, kArgA, kArgB, kArgC, kArgD);
  if (!Rendered(result, MusicFileToGenerate)) {
    vb::Message("Error creating music file");
    return 0;
  }
  return 1;
}

int16_t fCreateMusicFileWithTaal1(int16_t count, std::span<const common::PhraseNote> notes,
                                  std::span<const int32_t> durations, const std::string& talaString, int32_t tempo,
                                  int16_t /*slot*/) {
  common::ProcTrace t("fCreateMusicFileWithTaal1");
  std::string noteText, durationText;
  if (!LibraryTexts(notes, durations, count, noteText, durationText)) return 0;
  vb::KillIfExists(MusicFileToGenerate);
  const int16_t result = soundlib::FWavGenerateMusicFile1(
      count, noteText, durationText, CompStartMatra, CompBeatCount, talaString, ThekaSet, tempo, MusicFileToGenerate,
      PlayMode, kLevel, GenOption, kArgA, kArgB, kArgC, kArgD);
  if (!Rendered(result, MusicFileToGenerate)) {
    vb::Message("Music File Generation Failed");
    return 0;
  }
  return 1;
}

int32_t fGetThekaTempo() {
  common::ProcTrace t("fGetThekaTempo");
  const double factor = CurrOperationMode == kDemoMode ? 1.0 : fGetSpeedFactor();
  return vb::CLng(BaseBeat * factor * 10);
}

int16_t fCreateCompositionMusicFilesFromT() {
  common::ProcTrace t("fCreateCompositionMusicFilesFromT");
  PlayMode = 1;
  sPreprocCompDataFromT();
  TMNInfo.CurrPhrase = 1;
  TMNInfo.RestartPhrase = 1;
  TMNInfo.LastPhrase = TMNInfo.PhraseCount;
  TPlayInfo = TMNInfo;
  // A composition of the learner's may be stored with one part still empty: only the
  // parts with notes are rendered (an empty part's slot keeps no notes).
  const bool composition = CurrMusicItemType == kCompositionItem;
  const bool first = !composition || fCompPartHasNotes(1);
  const bool second = CurrMusicItemType != kFilmSongItem && (!composition || fCompPartHasNotes(2));
  if (!first && !second) return 0;
  if (!first) NotesList[0].NoteCount = 0;
  if (composition && !second) NotesList[1].NoteCount = 0;
  if (first) {
    NotesList[0].NoteCount = fCreateNotesList1(0);
    MusicFileToGenerate = shell::WavFileA;
    // The two parts play one after the other: B starts at A's join, its drone running on from A's.
    soundlib::SetNextFileJoins(false, second);
    if (fPrepareToPlaySelection1(0) == 0) return 0;
  }
  if (second) {
    TMNInfo.CurrPhrase = 2;
    TPlayInfo = TMNInfo;
    NotesList[1].NoteCount = fCreateNotesList1(1);
    MusicFileToGenerate = shell::WavFileB;
    soundlib::SetNextFileJoins(first, false);
    if (fPrepareToPlaySelection1(1) == 0) return 0;
    TMNInfo.CurrPhrase = 1;
  }
  return 1;
}

bool fCompPartHasNotes(int16_t part) {
  if (part < 1 || part > 2) return false;
  return !common::notation::Words(common::TCompData[static_cast<size_t>(part - 1)].Notation, " ").empty();
}

int16_t fPlaySelectedNote(int16_t noteCode, int32_t durationMs, int32_t playMode) {
  common::ProcTrace t("fPlaySelectedNote");
  const std::string noteText = (noteCode >= 0 && noteCode < 10 ? "0" : "") + std::to_string(noteCode);
  MusicFileToGenerate = shell::WavFileA;
  vb::KillIfExists(MusicFileToGenerate);
  const int16_t result = soundlib::FWavGenerateMusicFile(1, noteText, std::to_string(durationMs), MusicFileToGenerate,
                                                         playMode, kLevel, GenOption, kArgA, kArgB, kArgC, kArgD);
  if (!Rendered(result, MusicFileToGenerate)) {
    vb::Message("Error creating music file");
    return 0;
  }
  MusicFileToPlay = MusicFileToGenerate;
  PlayState = 0;
  sPlayMusicFile(MusicFileToPlay);
  return 1;
}

void sPlaySelectedPhrase(int32_t count, const std::string& notes, const std::string& durations, int32_t playMode) {
  common::ProcTrace t("sPlaySelectedPhrase");
  MusicFileToGenerate = shell::WavFileA;
  vb::KillIfExists(MusicFileToGenerate);
  soundlib::FWavGenerateMusicFile(count, notes, durations, MusicFileToGenerate, playMode, kSelectedPhraseLevel,
                                  GenOption, kArgA, kArgB, kArgC, kArgD);
  MusicFileToPlay = MusicFileToGenerate;
  PlayState = 0;
  sPlayMusicFile(MusicFileToPlay);
}

}  // namespace sound
