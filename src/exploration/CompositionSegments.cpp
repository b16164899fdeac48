// Practice segments of a composition: a stretch of the part in hand between two grid
// points (row and beat), checked against the part's first and last cells, cut out of
// the part's music file into "C.wav" and played from phrase slot 2, whose beat times
// are the part's, so that the red cell starts on the segment's first cell.
//
// A grid point (row, beat) is beat (row - 1) x beats per row + beat of the grid,
// counted from 1; the part's first cell is its Starting Beat in row 1.
#include <cmath>
#include <string>

#include "common/CommonState.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "exploration/ExplorationState.h"
#include "exploration/PlayCompositions.h"
#include "exploration/Screens.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Files.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"
#include "sound/PhraseRecords.h"
#include "sound/PlayLoop.h"
#include "sound/SoundLibrary.h"
#include "sound/SoundState.h"

namespace exploration {

namespace {

constexpr int16_t kSegmentSlot = 2;
constexpr int32_t kPracticePlayMode = 2;
constexpr double kSegmentLevel = 0.2;
constexpr const char* kPointBoxes[] = {"cFRow", "cFBeat", "cTRow", "cTBeat"};

// The four boxes read as numbers by their leading numeric part ("3x" is 3, "abc" 0). A
// number is one word: a box of more words ("1 6") holds none and reads 0 too.
struct Points {
  double fromRow = 0, fromBeat = 0, toRow = 0, toBeat = 0;
};

double PointValue(const std::string& text) {
  const std::string word = common::fRmvTrailBlk(common::fRmvLeadBlk(text));
  if (word.find_first_of(" \t") != std::string::npos) return 0;
  return vb::Val(word);
}

Points ReadPoints(forms::Form& form) {
  auto value = [&form](const char* box) { return PointValue(form.Ctl(box).Text()); };
  return {value("cFRow"), value("cFBeat"), value("cTRow"), value("cTBeat")};
}

bool AnyPointMissing(forms::Form& form) {
  for (const char* box : kPointBoxes)
    if (common::fRmvLeadBlk(form.Ctl(box).Text()).empty()) return true;
  return false;
}

// The part's last cell, from its matra count and Starting Beat.
void SetLastCell() {
  const int32_t matras = sound::CurrCompPart == 2 ? common::AntaraStartBeat : common::AsthaiStartBeat;
  const int32_t last = matras + CompFirstBeat - 1;
  const int32_t beats = sound::CompBeatCount;
  CompLastRow = static_cast<int16_t>(std::floor(static_cast<double>(last - 1) / beats) + 1);
  CompLastBeat = static_cast<int16_t>(last - 1 - (CompLastRow - 1) * beats + 1);
}

// The message of a point the part does not allow; "" for a pair of points it does.
std::string PointsRefused(const Points& p) {
  const double beats = sound::CompBeatCount;
  if (p.fromRow < 1 || p.fromRow > CompLastRow || p.fromBeat < 1 || p.fromBeat > beats ||
      (p.fromRow == 1 && p.fromBeat < CompFirstBeat))
    return "Starting Point is outside the Composition. Please Reset.";
  if (p.toRow < 1 || p.toRow > CompLastRow || p.toBeat < 1 || p.toBeat > beats ||
      (p.toRow == CompLastRow && p.toBeat > CompLastBeat))
    return "Ending Point is outside the Composition. Please Reset.";
  if (p.toRow < p.fromRow || (p.toRow == p.fromRow && p.fromBeat > p.toBeat))
    return "Starting Point Beyond Ending Point. Please Reset.";
  return "";
}

// The grid beats of the two points, rounded. Fractional points that pass the checks
// row by row may still round to beats outside the part or the wrong way round: those
// are refused here rather than cut.
std::string SetSegmentBeats(const Points& p) {
  const double beats = sound::CompBeatCount;
  const int16_t first = vb::CInt((p.fromRow - 1) * beats + p.fromBeat);
  const int16_t last = vb::CInt((p.toRow - 1) * beats + p.toBeat);
  const int32_t partEnd = (CompLastRow - 1) * sound::CompBeatCount + CompLastBeat;
  if (first < CompFirstBeat || first > partEnd) return "Starting Point is outside the Composition. Please Reset.";
  if (last < CompFirstBeat || last > partEnd) return "Ending Point is outside the Composition. Please Reset.";
  if (first > last) return "Starting Point Beyond Ending Point. Please Reset.";
  SegmentBeats = {first, last};
  return "";
}

void FrameEnds(forms::Form& form) {
  for (int16_t beat : SegmentBeats) {
    const auto cell = static_cast<int16_t>(beat - 1);
    if (form.HasElement("cMatra", cell)) form.Get<forms::Label>("cMatra", cell).SetBorderStyle(1);
  }
}

// Nothing is played: a loop asked for is not kept, and the screen stays usable.
void Refuse(const std::string& message) {
  sound::LoopFlag = 0;
  vb::Message(message);
}

}  // namespace

void sPlayF14Segment() {
  common::ProcTrace t("sPlayF14Segment");
  forms::Form& form = FrontForm();
  SetLastCell();
  if (AnyPointMissing(form)) {
    Refuse("Specify Starting and Ending Rows and Beats");
    return;
  }
  const Points points = ReadPoints(form);
  std::string refused = PointsRefused(points);
  if (refused.empty()) refused = SetSegmentBeats(points);
  if (!refused.empty()) {
    Refuse(refused);
    return;
  }
  sSetDefaultDisplayColors();
  FrameEnds(form);
  sGetReadyToPlaySegment();
  if (fNewCompSegment() != 0 || CompFilesRegenerated != 0) {
    if (fCreateCompSegmentMusicFile() == 0) {
      // Nothing will play and no end of playing will come: the screen is made usable
      // again, and the next Play cuts anew.
      CompSegments[2] = {};
      sSetDefaultDisplayColors();
      sEnableF14Selections();
      Refuse("Error creating music file");
      return;
    }
    sUpdateCS(3);
  }
  sound::PhraseSetRec& set = sound::TPlayInfo;
  set.RestartPhrase = set.LastPhrase = 1;
  set.CurrPhrase = set.RestartPhrase;
  sound::LookAhead = 2;
  sound::MusicFileToGenerate = shell::WavFileC;
  shell::AlternateFlag = 0;
  sound::CurrSlot = kSegmentSlot;
  if (!sound::fPlayMusicPhrases()) vb::Message("Error playing music phrases");
}

int16_t fNewCompSegment() {
  common::ProcTrace t("fNewCompSegment");
  const CompSegmentRec& cut = CompSegments[2];
  if (cut.Part != sound::CurrCompPart) return -1;
  if (cut.SpeedFactor != fCompSpeedFactor()) return -1;
  const GridPoint from = fGridPointOf(SegmentBeats[0]);
  const GridPoint to = fGridPointOf(SegmentBeats[1]);
  if (cut.FromRow != from.Row || cut.FromBeat != from.Beat || cut.ToRow != to.Row || cut.ToBeat != to.Beat) return -1;
  return 0;
}

GridPoint fGridPointOf(int16_t beatNumber) {
  const int32_t beats = sound::CompBeatCount > 0 ? sound::CompBeatCount : 1;
  return {static_cast<int16_t>((beatNumber - 1) / beats + 1), static_cast<int16_t>((beatNumber - 1) % beats + 1)};
}

int16_t fCreateCompSegmentMusicFile() {
  common::ProcTrace t("fCreateCompSegmentMusicFile");
  vb::KillIfExists(shell::WavFileC);
  const size_t part = sound::CurrCompPart == 2 ? 1 : 0;
  const sound::NotesListRec& source = sound::NotesList[part];
  const int32_t skipped = SegmentBeats[0] - source.StartMatra;  // beats of the part before the segment
  const int32_t count = SegmentBeats[1] - SegmentBeats[0] + 1;
  if (skipped < 0 || count < 1 || static_cast<size_t>(skipped + count) > source.Positions.size()) return 0;

  const double factor = sound::fGetSpeedFactor();
  const int32_t beatUnits = sound::BaseBeat * 10;
  const int32_t start = vb::CLng(skipped * beatUnits * factor);
  const int32_t length = vb::CLng(count * beatUnits * factor);
  sound::PlayMode = kPracticePlayMode;
  sound::MusicFileToGenerate = shell::WavFileC;
  if (sound::SoundLib.FWavCreateSegmentFile(shell::WavFiles[part], start, length, shell::WavFileC,
                                            kPracticePlayMode, kSegmentLevel) == 0)
    return 0;

  shell::AlternateFlag = 0;
  sound::CurrSlot = kSegmentSlot;
  sound::NotesListRec& segment = sound::NotesList[kSegmentSlot];
  segment.StartMatra = source.StartMatra;
  segment.NoteCount = static_cast<int16_t>(count);
  segment.Positions.assign(static_cast<size_t>(count) + 2, 0);
  for (int32_t k = skipped; k < skipped + count; ++k)
    segment.Positions[static_cast<size_t>(k - skipped)] = source.Positions[static_cast<size_t>(k)] - start;
  segment.CurrNote = 1;
  segment.GridOffset = static_cast<int16_t>(skipped);
  return 1;
}

void sGetReadyToPlaySegment() {
  common::ProcTrace t("sGetReadyToPlaySegment");
  sDisableF14Selections();
}

}  // namespace exploration
