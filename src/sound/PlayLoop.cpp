#include "sound/PlayLoop.h"

#include "common/CommonState.h"
#include "common/Trace.h"
#include "composer/Composer.h"
#include "exploration/MainOperations.h"
#include "exploration/PlayCompositions.h"
#include "platform/forms/Form.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"
#include "sound/PhraseRecords.h"
#include "sound/PlayButtons.h"
#include "sound/Playback.h"
#include "sound/ReedLighting.h"
#include "sound/Render.h"
#include "sound/SoundState.h"
#include "soundlib/FWav.h"
#include "workshop/Workshop.h"

namespace sound {

namespace {

constexpr int16_t kCompositionPlayer = 3;  // CallbackCode values
constexpr int16_t kWorkbench = 8;
constexpr int16_t kComposer = 11;
constexpr int16_t kIllustration = 12;
constexpr int16_t kEndOfPlaying = 19;      // the screens' action

forms::Form& FormInFront() {
  if (shell::CurrForm == nullptr) vb::Raise(vb::kObjectNotSet, "No form is in front to play on");
  return *shell::CurrForm;
}

NotesListRec& Slot(int16_t slot) {
  if (slot < 0 || slot >= static_cast<int16_t>(NotesList.size())) vb::Raise(vb::kSubscript);
  return NotesList[static_cast<size_t>(slot)];
}

// What the screen of CallbackCode shows when a phrase starts.
void MarkPhraseStart(NotesListRec& rec) {
  switch (CallbackCode) {
    case kComposer:
      composer::sMarkComposerPhraseStart(TPlayInfo.CurrPhrase);
      break;
    case kIllustration:
      sSetAllReedLabelColorToDefault(FormInFront());
      if (shell::GraceNotes == 2) {
        sPlayReeds1Alt(rec);
      } else {
        sPlayReedsAlt(rec);
      }
      break;
    case kCompositionPlayer:
      exploration::sSetCompNotationSlotsToDefaultColor();
      sPlayCurrBol1Alt(rec, CompCycleCount * CompBeatCount);
      break;
    default:
      break;
  }
}

// The slot phrase p plays from: (p + 1) mod 2 while AlternateFlag is set, else CurrSlot.
int16_t SlotOfPhrase(int16_t p) {
  return shell::AlternateFlag != 0 ? static_cast<int16_t>((p + 1) % 2) : CurrSlot;
}

// The list has played: back to the restart phrase, and the screen hears action 19.
void EndOfList() {
  TPlayInfo.CurrPhrase = TPlayInfo.RestartPhrase;
  int16_t action = kEndOfPlaying;
  switch (CallbackCode) {
    case kComposer:
      composer::sSetComposerFormNoteSlotsToDefaultFrontColor();
      composer::sComposer(action);
      break;
    case kIllustration:
      exploration::sMainOperations(action);
      break;
    case kWorkbench:
      workshop::sWorkshop(action);
      break;
    case kCompositionPlayer:
      exploration::sPlayCompositions(action);
      break;
    default:
      break;
  }
}

}  // namespace

bool fPlayMusicPhrases() {
  common::ProcTrace t("fPlayMusicPhrases");
  ListEndsAtDone = 0;
  PhraseSetRec& set = TPlayInfo;
  if (set.CurrPhrase > set.LastPhrase) {
    EndOfList();
    return true;
  }
  CurrSlot = SlotOfPhrase(set.CurrPhrase);
  NotesListRec& rec = Slot(CurrSlot);
  MusicFileToPlay = shell::WavFiles[static_cast<size_t>(CurrSlot)];
  sDisplayMPPrompt(rec);
  PlayState = 0;
  rec.CurrNote = 1;
  MarkPhraseStart(rec);
  sPlayMusicFile(MusicFileToPlay);
  ++set.CurrPhrase;
  if (LookAhead == 1 && set.CurrPhrase <= set.LastPhrase) {
    const auto next = static_cast<int16_t>((set.CurrPhrase + 1) % 2);
    Slot(next).NoteCount = fCreateNotesList1(next);
    // It plays as the phrase now starting ends, and another follows it unless it is the last.
    soundlib::SetNextFileJoins(true, set.CurrPhrase < set.LastPhrase);
    if (fPrepareToPlaySelection1(next) == 0) {
      // The other slot holds no phrase worth playing: the list ends with this one.
      ListEndsAtDone = -1;
      return false;
    }
    sQueueMusicFile(shell::WavFiles[static_cast<size_t>(next)]);
  } else if (LookAhead != 1) {
    // Every file of the list is rendered already: the next phrase's plays next, and
    // after the last the restart phrase's while the screen loops.
    int16_t following = 0;
    if (set.CurrPhrase <= set.LastPhrase) {
      following = set.CurrPhrase;
    } else if (LoopFlag != 0) {
      following = set.RestartPhrase;
    }
    if (following > 0) sQueueMusicFile(shell::WavFiles[static_cast<size_t>(SlotOfPhrase(following))]);
  }
  return true;
}

void sDoCallback() {
  common::ProcTrace t("sDoCallback");
  switch (CallbackCode) {
    case kCompositionPlayer: {
      int16_t action = kEndOfPlaying;
      exploration::sPlayCompositions(action);
      break;
    }
    case kWorkbench:
    case kComposer:
    case kIllustration:
      if (ListEndsAtDone != 0) {
        ListEndsAtDone = 0;
        EndOfList();
      } else if (!fPlayMusicPhrases()) {
        vb::Message("Error playing music phrases");
      }
      break;
    default:
      break;
  }
}

}  // namespace sound
