// The composition player in practice mode: the From and To points checked against the
// part, the stretch between them cut out of the part's file into "C.wav" by the sound
// library, its ends framed, its cells lit in time, looped, cut again only when
// something changed, and a cut the library refuses.
#include <QCoreApplication>
#include <QMainWindow>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "PlayerTest.h"
#include "exploration/ExplorationState.h"
#include "platform/mci/MMControl.h"
#include "shell/ShellState.h"
#include "soundlib/SoundTest.h"
#include "sound/SoundState.h"

namespace explorationtest {
namespace {

using namespace std::chrono_literals;

constexpr const char* kSpecify = "Specify Starting and Ending Rows and Beats";
constexpr const char* kStartOutside = "Starting Point is outside the Composition. Please Reset.";
constexpr const char* kEndOutside = "Ending Point is outside the Composition. Please Reset.";
constexpr const char* kBeyond = "Starting Point Beyond Ending Point. Please Reset.";
constexpr int kRate = 44100;

struct Point {
  const char* row;
  const char* beat;
};

class SegmentTest : public PlayerTest {
 protected:
  // The player in practice mode on a part of a composition.
  void OpenPart(const char* title, const char* part) {
    Open(title, "Option3");
    ASSERT_EQ(shell::CurrFormId, 14);
    Select(part);
  }
  void SetPoints(Point from, Point to) {
    Ctl("cFRow").SetText(from.row);
    Ctl("cFBeat").SetText(from.beat);
    Ctl("cTRow").SetText(to.row);
    Ctl("cTBeat").SetText(to.beat);
  }
  size_t Cuts() const { return soundLib.Count("FWavCreateSegmentFile"); }
  testsupport::SoundLibCall LastCut() const { return soundLib.Of("FWavCreateSegmentFile").back(); }
  static std::vector<int16_t> File(const std::string& name) { return soundtest::ReadWav(shell::TempFolder + name); }
  std::vector<int> Framed() {
    std::vector<int> framed;
    for (int16_t k : Screen().Elements("cMatra"))
      if (Screen().Get<forms::Label>("cMatra", k).BorderStyle() == 1) framed.push_back(k);
    return framed;
  }
};

// Each point is checked against the part (the antara of "Eri Aali": 4 beats from beat 3
// of a 16-beat row, 700 ms a beat): a bad one is refused with its message, with nothing
// cut, locked or framed; a good pair is cut out of "B.wav" from its first beat's start
// for its beats.
TEST_F(SegmentTest, ThePointsAreCheckedAndTheStretchBetweenThemIsCut) {
  struct Case {
    Point from, to;
    int32_t slider;
    const char* message;  // nullptr: played
    int32_t startMs, lengthMs;
  };
  const Case cases[] = {
      {{"", ""}, {"", ""}, 9, kSpecify, 0, 0},
      {{"1", "3"}, {"", "6"}, 9, kSpecify, 0, 0},
      {{"1", "  "}, {"1", "6"}, 9, kSpecify, 0, 0},
      {{"1", "2"}, {"1", "5"}, 9, kStartOutside, 0, 0},
      {{"0", "3"}, {"1", "5"}, 9, kStartOutside, 0, 0},
      {{"2", "1"}, {"2", "1"}, 9, kStartOutside, 0, 0},
      {{"1", "17"}, {"1", "6"}, 9, kStartOutside, 0, 0},
      {{"abc", "3"}, {"1", "6"}, 9, kStartOutside, 0, 0},
      {{"1", "3"}, {"1", "7"}, 9, kEndOutside, 0, 0},
      {{"1", "3"}, {"1", "17"}, 9, kEndOutside, 0, 0},
      {{"1", "3"}, {"1e9", "1"}, 9, kEndOutside, 0, 0},
      {{"1", "3"}, {"40000", "4"}, 12, kEndOutside, 0, 0},
      {{"1", "5"}, {"1", "4"}, 9, kBeyond, 0, 0},
      {{"1", "3"}, {"1", "6"}, 9, nullptr, 0, 2800},
      {{"1", "4"}, {"1", "5"}, 9, nullptr, 700, 1400},
      {{"1", "6"}, {"1", "6"}, 9, nullptr, 2100, 700},
      {{"1", "3x"}, {"1", "4"}, 9, nullptr, 0, 1400},
      {{"1", "4"}, {"1", "5"}, 12, nullptr, 399, 798},
  };
  OpenPart("Eri Aali", "cAntara");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.from.row) + "/" + c.from.beat + " " + c.to.row + "/" + c.to.beat + " at " +
                 std::to_string(c.slider));
    messages.clear();
    played.clear();
    Ctl("cSlider").SetValue(c.slider);
    SetPoints(c.from, c.to);
    const size_t cuts = Cuts();
    if (c.message != nullptr) {
      Press("cStartLoop");
      EXPECT_EQ(MessageTexts(), Names{c.message});
      EXPECT_EQ(Cuts(), cuts);
      EXPECT_EQ(sound::LoopFlag, 0) << "the refused loop is not kept";
      EXPECT_TRUE(Idle());
      EXPECT_TRUE(AllCellsDefault());
      PlayFor(1s);
      EXPECT_TRUE(played.empty());
      continue;
    }
    Press("cPlay");
    ASSERT_EQ(Cuts(), cuts + 1);
    EXPECT_EQ(LastCut().path, shell::WavFileB);
    EXPECT_EQ(LastCut().key, shell::WavFileC);
    EXPECT_EQ(LastCut().note, c.startMs);
    EXPECT_EQ(LastCut().samPerCyc, c.lengthMs);
    // The cut holds the part's samples from its start (past the few ms of its fade-in)
    // to its end.
    const std::vector<int16_t> part = File("B.wav");
    const std::vector<int16_t> cut = File("C.wav");
    const auto start = static_cast<size_t>(std::llround(c.startMs * (kRate / 1000.0)));
    ASSERT_EQ(cut.size(), static_cast<size_t>(std::llround(c.lengthMs * (kRate / 1000.0))));
    ASSERT_LE(start + cut.size(), part.size());
    const size_t inside = 10 * kRate / 1000;
    for (size_t i : {inside, cut.size() / 2, cut.size() - inside})
      EXPECT_EQ(cut[i], part[start + i]) << "sample " << i;
    PlayUntilTheEnd();
    EXPECT_EQ(played, Names{"C.wav"});
    EXPECT_TRUE(Idle());
    EXPECT_TRUE(messages.empty());
  }
  EXPECT_EQ(halts, 0);
}

// The segment's ends are framed while it plays and the red cell starts on its first
// cell and steps in time; the point boxes are locked until it ends.
TEST_F(SegmentTest, TheSegmentIsFramedAndItsCellsLitFromItsFirst) {
  shell::DelayPC = 0;
  OpenPart("Eri Aali", "cAntara");
  SetPoints({"1", "4"}, {"1", "5"});
  std::vector<int> cells;
  std::vector<int32_t> litAt;
  const auto marking = QObject::connect(&Player(), &mci::MMControl::StatusUpdate, &Player(), [&] {
    const std::vector<int> lit = Lit();
    if (lit.size() != 1 || (!cells.empty() && cells.back() == lit[0])) return;
    cells.push_back(lit[0]);
    if (cells.size() > 1) litAt.push_back(Player().Position());
  });
  Press("cPlay");
  EXPECT_TRUE(Playing("cStop"));
  EXPECT_TRUE(PointBoxesLocked());
  EXPECT_EQ(Framed(), (std::vector<int>{3, 4}));
  EXPECT_EQ(Lit(), std::vector<int>{3});
  PlayUntilTheEnd();
  QObject::disconnect(marking);
  EXPECT_EQ(cells, (std::vector<int>{3, 4}));
  EXPECT_EQ(litAt, std::vector<int32_t>{700});
  EXPECT_TRUE(AllCellsDefault()) << "frames and red cell gone at the end";
  EXPECT_TRUE(Idle());
  EXPECT_EQ(shell::AlternateFlag, 0);
  EXPECT_EQ(sound::CurrSlot, 2);
  EXPECT_TRUE(messages.empty());
}

// From row 1 beat 9 to row 2 beat 4 of a part that starts on beat 9: twelve beats of
// 500 ms from the part's start, the ends on cells 8 and 19. Fractional points that
// round to beats the wrong way round are refused.
TEST_F(SegmentTest, ASegmentOverTwoRowsOfAPartThatStartsLate) {
  OpenPart("Late Start", "cAsthai");
  SetPoints({"1", "9"}, {"2", "4"});
  Press("cPlay");
  EXPECT_EQ(LastCut().path, shell::WavFileA);
  EXPECT_EQ(LastCut().note, 0);
  EXPECT_EQ(LastCut().samPerCyc, 6000);
  EXPECT_EQ(Framed(), (std::vector<int>{8, 19}));
  EXPECT_EQ(Lit(), std::vector<int>{8});
  PlayUntilTheEnd();

  struct Case {
    Point from, to;
    const char* message;
  };
  const Case cases[] = {
      {{"1", "8"}, {"2", "4"}, kStartOutside},
      {{"1", "9"}, {"2", "9"}, kEndOutside},
      {{"1.5", "16"}, {"2", "1"}, kBeyond},
      // A number is one word: "1 6" is not 16 (row 1 beat 16 would lie inside the part).
      {{"1", "1 6"}, {"2", "4"}, kStartOutside},
      {{"1", "9"}, {"2", " 4 2"}, kEndOutside},
  };
  for (const Case& c : cases) {
    messages.clear();
    SetPoints(c.from, c.to);
    Press("cPlay");
    EXPECT_EQ(MessageTexts(), Names{c.message}) << c.from.row << "/" << c.from.beat;
    EXPECT_TRUE(Idle());
  }
  EXPECT_EQ(Cuts(), 1u);
}

TEST_F(SegmentTest, StartLoopingRepeatsTheSegmentCutOnce) {
  OpenPart("Eri Aali", "cAntara");
  SetPoints({"1", "4"}, {"1", "5"});
  Press("cStartLoop");
  EXPECT_TRUE(Playing("cStopLoop"));
  PlayUntilPlayed(3);
  EXPECT_EQ(played, Names(3, "C.wav"));
  EXPECT_EQ(Lit(), std::vector<int>{3}) << "each round starts on the segment's first cell";
  Press("cStopLoop");
  PlayUntilTheEnd();
  EXPECT_EQ(Cuts(), 1u);
  EXPECT_TRUE(Idle());
  EXPECT_TRUE(messages.empty());
}

// The same segment at the same speed is cut once; another part, speed or segment, or a
// rendering of the part files since, cuts it again.
TEST_F(SegmentTest, TheSegmentIsCutAgainOnlyWhenSomethingChanged) {
  struct Case {
    const char* what;
    std::function<void()> change;
    size_t cuts;
  };
  const Case cases[] = {
      {"nothing", [] {}, 0},
      {"the speed", [this] { Ctl("cSlider").SetValue(10); }, 1},
      {"the part", [this] { Select("cAsthai"); }, 1},
      {"a point", [this] { Ctl("cTBeat").SetText("3"); }, 1},
      {"the theka", [this] { MenuClick("cMnuNoThe"); }, 1},
      {"the tonic", [this] { MenuClick("cMnuB2"); }, 1},
      {"a learning play in between",
       [this] {
         Select("cLearn");
         Press("cPlay");
         PlayUntilTheEnd();
         Select("cPractice");
         SetPoints({"1", "3"}, {"1", "3"});
       },
       0},
      // Points with a fraction are compared as the cut records them (the beats they
      // give), not as typed: the same segment is not cut again at every Play.
      {"fractions that give the same segment", [this] { SetPoints({"1", "3.4"}, {"1.0", "3.4"}); }, 0},
      {"the same fractions again", [] {}, 0},
      {"fractions that give another segment", [this] { SetPoints({"1", "1.6"}, {"1", "3.4"}); }, 1},
      {"and that segment again", [] {}, 0},
  };
  OpenPart("Eri Aali", "cAntara");
  SetPoints({"1", "3"}, {"1", "4"});
  Press("cPlay");
  PlayUntilTheEnd();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.change();
    const size_t cuts = Cuts();
    played.clear();
    Press("cPlay");
    EXPECT_EQ(Cuts() - cuts, c.cuts);
    PlayUntilTheEnd();
    EXPECT_EQ(played, Names{"C.wav"});
  }
  EXPECT_TRUE(messages.empty());
}

// The From and To captions and the Row and Beat captions under them never overlap, at
// any size the window takes.
TEST_F(SegmentTest, TheFromAndToCaptionsClearRowAndBeatAtEverySize) {
  OpenPart("Eri Aali", "cAntara");
  const auto apart = [this](const char* above, const char* below) {
    const QRect a = Ctl(above).Widget()->geometry();
    const QRect b = Ctl(below).Widget()->geometry();
    EXPECT_FALSE(a.intersects(b)) << above << " " << a.top() << "-" << a.bottom() << ", " << below << " " << b.top()
                                  << "-" << b.bottom();
    EXPECT_LT(a.bottom(), b.top()) << above << " above " << below;
  };
  for (const QSize size : {QSize(800, 600), QSize(1000, 700), QSize(1280, 800), QSize(1600, 1000), QSize(1920, 1200)}) {
    SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
    Screen().Window()->resize(size);
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    for (const char* label : {"Label12", "Label13"}) apart("Label1", label);
    for (const char* label : {"Label15", "Label16"}) apart("Label14", label);
  }
  Screen().SetWindowState(forms::vbMaximized);
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  SCOPED_TRACE("maximised");
  for (const char* label : {"Label12", "Label13"}) apart("Label1", label);
  for (const char* label : {"Label15", "Label16"}) apart("Label14", label);
}

// A cut the sound library refuses plays nothing: the screen is usable again at once,
// says so, and the next Play cuts again.
TEST_F(SegmentTest, ARefusedCutLeavesTheScreenUsableAndTheNextPlayCutsAgain) {
  OpenPart("Eri Aali", "cAntara");
  SetPoints({"1", "4"}, {"1", "5"});
  soundLib.failWhen = [](const testsupport::SoundLibCall& call) { return call.entry == "FWavCreateSegmentFile"; };
  Press("cStartLoop");
  soundLib.failWhen = {};
  EXPECT_EQ(MessageTexts(), Names{"Error creating music file"});
  EXPECT_TRUE(Idle());
  EXPECT_EQ(sound::LoopFlag, 0);
  EXPECT_TRUE(AllCellsDefault());
  EXPECT_EQ(exploration::CompSegments[2].Part, 0);
  PlayFor(1s);
  EXPECT_TRUE(played.empty());

  messages.clear();
  Press("cPlay");
  EXPECT_EQ(Cuts(), 2u);
  PlayUntilTheEnd();
  EXPECT_EQ(played, Names{"C.wav"});
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace explorationtest
