#include <gtest/gtest.h>

#include <set>

#include "platform/vb/Random.h"
#include "support/ScriptedRnd.h"

namespace {

TEST(Random, RndStaysInTheHalfOpenUnitInterval) {
  vb::Randomize();
  for (int i = 0; i < 20000; ++i) {
    const double r = vb::Rnd();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
  }
}

TEST(Random, DrawsCoverOneToNAndNothingElse) {
  vb::Randomize();
  std::set<int> seen;
  for (int i = 0; i < 4000; ++i) {
    const int k = vb::DrawOneTo(7);
    ASSERT_GE(k, 1);
    ASSERT_LE(k, 7);
    seen.insert(k);
  }
  EXPECT_EQ(seen.size(), 7u);
}

TEST(Random, ReseedsInQuickSuccessionGiveDifferentSequences) {
  // A loop that reseeds before every draw must not see the same value again and again.
  std::set<double> firsts;
  for (int i = 0; i < 100; ++i) {
    vb::Randomize();
    firsts.insert(vb::Rnd());
  }
  EXPECT_EQ(firsts.size(), 100u);
}

TEST(Random, AScriptedSourceGivesItsValuesAndRandomizeLeavesThemAlone) {
  {
    testsupport::ScriptedRnd script({0.0, 0.999, testsupport::Pick(3, 8)});
    vb::Randomize();
    EXPECT_EQ(vb::DrawOneTo(70), 1);
    vb::Randomize();
    EXPECT_EQ(vb::DrawOneTo(70), 70);
    EXPECT_EQ(vb::DrawOneTo(8), 3);
    EXPECT_EQ(script.Drawn(), 3u);
    EXPECT_EQ(script.Left(), 0u);
  }
  // The generator is back once the script is gone.
  const double r = vb::Rnd();
  EXPECT_GE(r, 0.0);
  EXPECT_LT(r, 1.0);
}

TEST(Random, PickLandsOnEveryChoice) {
  testsupport::ScriptedRnd script;
  for (int n : {1, 2, 3, 7, 70}) {
    for (int k = 1; k <= n; ++k) {
      script.Add({testsupport::Pick(k, n)});
      EXPECT_EQ(vb::DrawOneTo(n), k) << k << " of " << n;
    }
  }
}

}  // namespace
