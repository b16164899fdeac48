#include "exploration/KZSampler.h"

#include <array>
#include <optional>
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/Queries.h"
#include "common/RagaCounts.h"
#include "common/RagaReaders.h"
#include "common/Trace.h"
#include "exploration/ExplorationState.h"
#include "exploration/RandomSamples.h"
#include "exploration/Screens.h"
#include "platform/dao/Recordset.h"
#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/forms/Registry.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Random.h"
#include "platform/vb/Variant.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/Players.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "sound/PhraseRecords.h"
#include "sound/PhraseSetUps.h"
#include "sound/PlayButtons.h"
#include "sound/PlayLoop.h"
#include "sound/Playback.h"
#include "sound/SoundState.h"

namespace exploration {

namespace {

constexpr int16_t kSamplerForm = 22;
constexpr int16_t kContent = 1;          // the content database's code
constexpr int32_t kKindCount = 7;
constexpr int16_t kComposition = 4;       // SamplerKind values that are titled items
constexpr int16_t kFilmSong = 5;
constexpr int32_t kPauseMs = 300;         // between the end of a sample and the next
constexpr int16_t kTaanDurationKind = 6;  // fCreateDurationPhrase: one equal duration per note

// The kinds of sample, by SamplerKind - 1: the item words the play path reads, and for
// the numbered phrases (alap, layakari, taan) their ALT type and description.
struct SamplerKindRow {
  int16_t itemKind;
  int16_t musicItemType;
  int16_t altType;       // 0 for the kinds that are not ALT phrases
  const char* numbered;  // the description before the phrase number
};
constexpr std::array<SamplerKindRow, kKindCount> kKinds{{
    {1, 1, 0, ""},
    {2, 3, 0, ""},
    {3, 4, 1, "Playing Alap No. "},
    {6, 8, 0, ""},
    {6, 9, 0, ""},
    {4, 5, 2, "Playing Layakari pattern No. "},
    {5, 6, 3, "Playing Taan pattern No. "},
}};

void Dispatch(int16_t code) {
  int16_t action = code;
  sKZSampler(action);
}

forms::Timer& TimerOf(forms::Form& form, const char* name) { return form.Get<forms::Timer>(name); }

// The play buttons for a sample playing (or looping through its pause) or for none; the
// form is busy while one plays.
void ShowPlaying(bool playing) {
  if (playing) {
    sound::sEnablePlayStopButtons();
  } else {
    sound::sEnablePlayStartButtons();
  }
  FrontForm().SetBusy(playing);
}

mci::MMControl& PlayerOf(forms::Form& form) {
  mci::MMControl* player = shell::MMControlOf(form, "cMM");
  if (player == nullptr) vb::Raise(vb::kObjectNotSet, "The sampler has no player");
  return *player;
}

// One notation row of a titled item: its notes, durations in matras and playing speed.
struct NotatedPart {
  int32_t notationIndex = 0;
  std::string notation;
  std::string durations;
  int16_t speed = 0;
};

// The notation row of a part of the current raga's item of that type and title; none
// when the item or the row is missing or the row holds no notes.
std::optional<NotatedPart> ReadNotatedPart(int16_t addInfoType, const std::string& title, int16_t part) {
  auto info = shell::DatabaseA.OpenRecordset("Raga - Additional Information", dao::dbOpenTable);
  common::sSetTablePKRecord3(info, common::CurrRagaIndex, title, addInfoType);
  if (info.NoMatch()) return std::nullopt;
  NotatedPart found;
  found.notationIndex = static_cast<int32_t>(vb::NzDouble(info.Fields("Notation Index")));
  info.Close();
  auto rows = shell::DatabaseA.OpenRecordset("Raga - Composition Notations", dao::dbOpenTable);
  common::sSetTablePKRecord2(rows, found.notationIndex, part);
  if (rows.NoMatch()) return std::nullopt;
  found.notation = vb::NzString(rows.Fields("Notation"));
  found.durations = vb::NzString(rows.Fields("NotesDuration"));
  found.speed = vb::CInt(vb::NzDouble(rows.Fields("Playing Speed")));
  if (common::notation::Words(found.notation, " ").empty()) return std::nullopt;
  return found;
}

// The first title (in the query's order) of the current raga's items of that type that
// have notation; "" when there is none.
std::string FirstNotatedTitle(int16_t addInfoType, int16_t& count) {
  common::sPatchSQLStr7(common::CurrRagaIndex, addInfoType);
  auto rs = shell::DatabaseA.OpenRecordset(common::SQLStr7, dao::dbOpenSnapshot);
  count = static_cast<int16_t>(rs.RecordCount());
  return rs.Eof() ? std::string() : rs.Fields("Add Info").ToString();
}

// The compositions or film songs the sampler can play: those with notation, counted
// only when the first of them, the one a sample plays, has the notation rows a sample
// may need (both parts of a composition, the first of a film song).
int16_t PlayableItemCount(int16_t addInfoType) {
  int16_t count = 0;
  const std::string title = FirstNotatedTitle(addInfoType, count);
  if (count == 0) return 0;
  const int16_t parts = addInfoType == 2 ? 2 : 1;
  for (int16_t part = 1; part <= parts; ++part)
    if (!ReadNotatedPart(addInfoType, title, part)) return 0;
  return count;
}

void CountItems() {
  const int16_t raga = common::CurrRagaIndex;
  SamplerItemCounts = {1,
                       1,
                       common::fAlapCount(raga, kContent),
                       PlayableItemCount(2),
                       PlayableItemCount(3),
                       common::fLayakariCount(raga, kContent),
                       common::fTaanCount(raga, kContent),
                       0};
}

// A raga and a kind of item it has, every kind it has equally likely. A raga whose data
// cannot be read gives way to another not tried yet; false when none can be read.
bool DrawRagaAndKind() {
  UntriedRagas untried = fAllDrawableRagas();
  while (fDrawUntriedRaga(untried)) {
    if (!fSetupDrawnRaga()) continue;
    CountItems();
    SamplerKind = 0;
    while (SamplerKind == 0) {
      vb::Randomize();
      SamplerKind = static_cast<int16_t>(vb::DrawOneTo(kKindCount));
      if (SamplerItemCounts[static_cast<size_t>(SamplerKind - 1)] == 0) SamplerKind = 0;
    }
    return true;
  }
  return false;
}

// A composition part or a film song: the first notated title, the part (a composition's
// drawn), its notes and durations in milliseconds at its playing speed; its description.
void LoadTitledItem(forms::Form& form, int16_t addInfoType) {
  int16_t count = 0;
  common::CurrAddInfo = FirstNotatedTitle(addInfoType, count);
  sound::CurrCompPart = addInfoType == 2 ? static_cast<int16_t>(vb::DrawOneTo(2)) : int16_t{1};
  const std::optional<NotatedPart> part = ReadNotatedPart(addInfoType, common::CurrAddInfo, sound::CurrCompPart);
  const NotatedPart row = part.value_or(NotatedPart{});
  common::CurrNotationIndex = row.notationIndex;
  sound::PhraseNotes = shell::GraceNotes == common::kGraceNotesNone ? common::fRemoveGlides(row.notation) : row.notation;
  sound::BaseBeat = row.speed;
  sound::PhraseTiming = sound::fConvertMatraToDuration(row.durations, sound::BaseBeat);
  if (addInfoType == 2) {
    form.Ctl("cDesc").SetText(std::string("Playing ") + (sound::CurrCompPart == 1 ? "Astai " : "Antara ") +
                              "of composition '" + common::CurrAddInfo + "'" + " (without theka)");
  } else {
    form.Ctl("cDesc").SetText("Playing Film Song '" + common::CurrAddInfo + "'");
  }
}

// The phrase of the sample drawn, and what the screen says of it.
void LoadSample(forms::Form& form) {
  using common::kReadDurations;
  using common::kReadNotes;
  const SamplerKindRow& row = kKinds[static_cast<size_t>(SamplerKind - 1)];
  switch (SamplerKind) {
    case 1:
      form.Ctl("cDesc").SetText("Playing Aroha and Avroha");
      sound::PhraseNotes = common::fGetFromT_ScalePhraseUnSeg(kReadNotes);
      sound::PhraseTiming = common::fGetFromT_ScalePhraseUnSeg(kReadDurations);
      break;
    case 2:
      form.Ctl("cDesc").SetText("Playing Pakad");
      sound::PhraseNotes = common::fGetFromT_PakadPhraseUnSeg(kReadNotes);
      sound::PhraseTiming = common::fGetFromT_PakadPhraseUnSeg(kReadDurations);
      break;
    case kComposition:
      LoadTitledItem(form, 2);
      break;
    case kFilmSong:
      LoadTitledItem(form, 3);
      break;
    default: {
      vb::Randomize();
      SamplerItemNo = static_cast<int16_t>(vb::DrawOneTo(SamplerItemCounts[static_cast<size_t>(SamplerKind - 1)]));
      form.Ctl("cDesc").SetText(row.numbered + std::to_string(SamplerItemNo));
      sound::PhraseNotes = common::fGetFromT_AnALTPhraseUnSeg(kContent, row.altType, kReadNotes, SamplerItemNo);
      sound::PhraseTiming = common::fGetFromT_AnALTPhraseUnSeg(kContent, row.altType, kReadDurations, SamplerItemNo);
      // A taan stored without durations gets one equal duration a note.
      if (common::notation::Words(sound::PhraseTiming, " ").empty())
        sound::PhraseTiming = sound::fCreateDurationPhrase(sound::PhraseNotes, kTaanDurationKind);
      break;
    }
  }
  sound::CurrItemKind = row.itemKind;
  sound::CurrMusicItemType = row.musicItemType;
}

// Code 1: a sample drawn and started, and the poll of the player switched on.
void PlaySample() {
  forms::Form& form = FrontForm();
  // The pause of a sample that was stopped must not end this one.
  TimerOf(form, "cTimer").SetEnabled(false);
  ShowPlaying(true);
  if (fSelectSample() == 0) return;
  if (form.WindowState() != forms::vbMinimized) {
    form.Ctl("cDesc").SetFocus();
    form.Refresh();
  }
  TimerOf(form, "cTimer1").SetEnabled(true);
}

// Code 2: the sample stopped; looping, if on, goes on after the pause.
void StopSample() {
  forms::Form& form = FrontForm();
  mci::MMControl& player = PlayerOf(form);
  player.setNotify(false);
  player.setWait(true);
  player.setCommand("Stop");
  ShowPlaying(false);
}

// Code 3: still playing, poll again; else the pause before what follows.
void PollPlayer() {
  forms::Form& form = FrontForm();
  if (PlayerOf(form).Mode() == mci::mciModePlay) {
    TimerOf(form, "cTimer1").SetEnabled(true);
    return;
  }
  forms::Timer& pause = TimerOf(form, "cTimer");
  pause.SetInterval(kPauseMs);
  pause.SetEnabled(true);
}

void StopTimers(forms::Form& form) {
  TimerOf(form, "cTimer1").SetEnabled(false);
  TimerOf(form, "cTimer").SetEnabled(false);
}

void RestoreSettings() {
  sound::KeyboardDisplay = SavedKeyboardDisplay;
  sound::Theka = SamplerSavedTheka;
}

// The window closed by its close box leaves as Go Back does: no tick comes any more,
// the sample stops and the settings the sampler forced are the learner's again.
void Unloading() {
  if (shell::TerminatingForm != 1) {
    forms::Form& form = *KZSamplerForm();
    StopTimers(form);
    sound::LoopFlag = 0;
    sStopAndClosePlayer(form);
    RestoreSettings();
  }
  shell::OnScreenUnload();
}

void PlayerDone(const forms::EventArgs& e) {
  sound::MCINotifyCode = e.NotifyCode;
  sound::sPlayMusicFile(sound::MusicFileToPlay);
}

void LoopPressed(int16_t loop, int16_t action) {
  sound::LoopFlag = loop;
  Dispatch(action);
}

}  // namespace

void sKZSampler(int16_t& action) {
  common::ProcTrace t("sKZSampler");
  switch (action) {
    case 0: sInitKZSampler(); break;
    case 1: PlaySample(); break;
    case 2: StopSample(); break;
    case 3: PollPlayer(); break;
    case 20: sTerminateKZSampler(); break;
    default: break;
  }
}

void sInitKZSampler() {
  common::ProcTrace t("sInitKZSampler");
  sound::CallbackCode = 9;
  sound::CurrOperationMode = 1;
  common::CurrDBSelector = kContent;
  SavedKeyboardDisplay = sound::KeyboardDisplay;
  sound::KeyboardDisplay = 2;
  shell::sEnterForm(kSamplerForm);
  int16_t hideParent = 1;
  shell::sShowForm(hideParent);
  shell::sMnuTraceCheck();
  sDisplayPromptForSampler();
  sound::LoopFlag = 0;
  ShowPlaying(false);
  SamplerTheka = 2;
  SamplerSavedTheka = sound::Theka;
  sound::Theka = SamplerTheka;
}

void sDisplayPromptForSampler() {
  common::ProcTrace t("sDisplayPromptForSampler");
  FrontForm().Ctl("cPrompts").SetText(sound::fGetScaleInfo() + shell::PromptSeparator + common::fGetPrompts("33"));
}

void sTerminateKZSampler() {
  common::ProcTrace t("sTerminateKZSampler");
  StopTimers(FrontForm());
  RestoreSettings();
  int16_t levels = 1;
  shell::sStructuredTermination(levels);
}

int16_t fSelectSample() {
  common::ProcTrace t("fSelectSample");
  forms::Form& form = FrontForm();
  common::CurrDBSelector = kContent;
  if (!DrawRagaAndKind()) {
    sound::LoopFlag = 0;
    vb::Message("No raga has a sample to play.");
    ShowPlaying(false);
    return 0;
  }
  sShowNextPicture(form);
  form.Ctl("cRaga").SetText(common::fGetRagaName(common::CurrRagaIndex));
  LoadSample(form);
  sound::PlayMode = 1;
  sound::LookAhead = 1;
  if (common::notation::Words(sound::PhraseNotes, " ").empty() || sound::sSetUpForPlayingSelectedPhrase() != 1) {
    // The music file does not hold this sample: nothing plays, and the poll ends it. A
    // loop stops here rather than failing again and again.
    sound::LoopFlag = 0;
    return 1;
  }
  if (!sound::fPlayMusicPhrases()) vb::Message("Error playing music phrases");
  return 1;
}

void sCheckLooping() {
  common::ProcTrace t("sCheckLooping");
  forms::Form& form = FrontForm();
  TimerOf(form, "cTimer").SetEnabled(false);
  if (sound::LoopFlag != 0) {
    Dispatch(1);
  } else {
    ShowPlaying(false);
  }
}

forms::FormSpec DeclareKZSampler() {
  forms::FormSpec f("KZSampler", "Velmora Sampler", kSamplerForm, {600, 450, 12000, 9000});
  shell::RouteScreenEvents(f);
  f.OnUnload(Unloading);

  f.Label("Label3",
          "Enjoy the Samples of the various items randomly selected out of the entire collection contained in Velmora",
          {600, 300, 10800, 700})
      .Font("", 12, true)
      .Alignment(2);
  f.Line("Line4", {240, 1150, 11700, 1150});
  f.Label("Label2", "Raga", {600, 1500, 2200, 360});
  f.TextBox("cRaga", {2900, 1450, 5400, 420}).Locked();
  f.Label("Label1", "What is playing", {600, 2100, 2200, 360});
  f.TextBox("cDesc", {2900, 2050, 8500, 420}).Locked();
  f.Label("Label4", "Click  'Play' to play a random sample", {600, 3000, 8000, 330});
  f.Label("Label5", "Click  'Stop' to abort play", {600, 3400, 8000, 330});
  f.Label("Label7", "Click  'Start Looping' to play samples continuously", {600, 3800, 8000, 330});
  f.Label("Label6", "Click  'Stop Looping' to terminate continuous play", {600, 4200, 8000, 330});
  f.Button("cPlay", "Play", {600, 4900, 1800, 450}).OnClick([] { Dispatch(1); });
  f.Button("cStop", "Stop", {2600, 4900, 1800, 450}).LiveWhileBusy().OnClick([] { Dispatch(2); });
  f.Button("cStartLoop", "Start Looping", {4600, 4900, 2200, 450}).OnClick([] { LoopPressed(-1, 1); });
  f.Button("cStopLoop", "Stop Looping", {7000, 4900, 2200, 450}).LiveWhileBusy().OnClick([] { LoopPressed(0, 2); });
  f.Line("Line5", {240, 5650, 11700, 5650});
  f.Line("Line6", {240, 1150, 240, 5650});
  f.Line("Line7", {11700, 1150, 11700, 5650});
  f.TextBox("cPrompts", {240, 7880, 9900, 820}).Locked().MultiLine();
  f.Button("cReturn", "Go &Back", {10260, 7880, 1440, 420}).OnClick([] { Dispatch(20); });
  f.MultimediaControl("cMM").On(forms::Event::Done, [](forms::EventArgs& e) { PlayerDone(e); });
  f.Timer("cTimer1").Interval(100).Disabled().OnTimer([] {
    KZSamplerForm()->Ctl("cTimer1").SetEnabled(false);
    Dispatch(3);
  });
  f.Timer("cTimer").Interval(kPauseMs).OneShot().Disabled().OnTimer([] {
    KZSamplerForm()->Ctl("cTimer").SetEnabled(false);
    sCheckLooping();
  });

  f.Menu("cMnuHel", "Help").Item("cMnuPreH1", "Press F1 at any time to obtain help");
  f.Menu("cMnuTraOn", "Trace On").LiveWhileBusy().OnClick([] { shell::sSetTrace(-1); });
  f.Menu("cMnuTraOff", "TraceOff").LiveWhileBusy().OnClick([] { shell::sSetTrace(0); });
  return f;
}
VELMORA_DECLARE_FORM(DeclareKZSampler)

forms::Form* KZSamplerForm() {
  static forms::Form form(DeclareKZSampler());
  return &form;
}

}  // namespace exploration
