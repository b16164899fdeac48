// The SPC arithmetic of tuning and refinement, on the worked examples.
#include <gtest/gtest.h>

#include <cmath>

#include "scaleshift/ScaleShiftState.h"
#include "scaleshift/SpcArithmetic.h"

namespace scaleshifttest {
namespace {

using scaleshift::fGetNewValue;
using scaleshift::fRoundOffSPCVal;

// Each tenth of the slider moves a tenth of the way to the neighbour on that side; the
// two sides differ in size.
TEST(SpcArithmeticTest, TheSliderMovesTheNoteTowardsItsNeighbours) {
  scaleshift::CurrentSPC = 100.0;
  scaleshift::UpperNoteSPC = 94.4;
  scaleshift::LowerNoteSPC = 105.9;
  const struct {
    int16_t slider;
    double spc;
  } cases[] = {{-10, 105.9}, {-4, 102.4}, {-1, 100.6}, {0, 100.0}, {1, 99.4}, {3, 98.3}, {10, 94.4}};
  for (const auto& c : cases) EXPECT_NEAR(fGetNewValue(c.slider), c.spc, 1e-9) << c.slider;

  // Off the grain: the ends and the middle are rounded to 0.1.
  scaleshift::CurrentSPC = 168.5615;
  scaleshift::UpperNoteSPC = 159.1009;
  scaleshift::LowerNoteSPC = 178.5847;
  EXPECT_NEAR(fGetNewValue(0), 168.6, 1e-9);
  EXPECT_NEAR(fGetNewValue(10), 159.1, 1e-9);
  EXPECT_NEAR(fGetNewValue(-10), 178.6, 1e-9);
}

TEST(SpcArithmeticTest, ARefinedAdjustmentIsRoundedAndNeverWhole) {
  const struct {
    float value;
    const char* direction;
    float result;
  } cases[] = {
      {1.25f, "Up", 1.2f},   {2.0f, "Up", 2.1f},    {2.0f, "Down", 1.9f}, {-0.04f, "Down", -0.1f},
      {0.0f, "Up", 0.1f},    {3.0f, "Down", 2.9f},  {2.95f, "Up", 3.1f},  {2.95f, "Down", 2.9f},
      {2.0f, "", 2.0f},      {0.5f - 1.0f, "Down", -0.5f},
      // The steps of the refinement: Coarse Higher on 0.5, Fine Lower on -0.1, Medium Higher on 1.3.
      {-0.1f + 0.1f, "Up", 0.1f}, {1.3f - 0.3f, "Down", 0.9f},
  };
  for (const auto& c : cases) {
    EXPECT_FLOAT_EQ(fRoundOffSPCVal(c.value, c.direction), c.result) << c.value << " " << c.direction;
  }
}

// The whole-number rule makes steps across a whole number uneven, but the error stays
// bounded: a long walk of steps up and down comes back near its start.
TEST(SpcArithmeticTest, StepsUpAndDownStayNearTheirStartAndAreNeverWhole) {
  float v = 1.3f;
  for (int i = 0; i < 200; ++i) {
    const float step = i % 2 == 0 ? 0.3f : 1.0f;
    v = fRoundOffSPCVal(v - step, "Down");
    EXPECT_NE(std::trunc(v), v) << i;
    v = fRoundOffSPCVal(v + step, "Up");
    EXPECT_NE(std::trunc(v), v) << i;
  }
  EXPECT_NEAR(v, 1.3f, 0.1f + 1e-6f);
}

}  // namespace
}  // namespace scaleshifttest
