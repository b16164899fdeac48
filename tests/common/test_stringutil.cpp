#include <gtest/gtest.h>

#include "common/CommonState.h"
#include "common/StringUtil.h"
#include "support/Scratch.h"

namespace {

class StringUtilTest : public testsupport::ScratchTest {};

struct SplitCase {
  const char* text;
  const char* sep;
  std::vector<std::string> words;
};

TEST_F(StringUtilTest, SplittingSkipsEmptyWords) {
  const SplitCase cases[] = {
      {"", " ", {}},
      {"S R  G ", " ", {"S", "R", "G"}},
      {",a,,b", ",", {"a", "b"}},
      {"abc", ",", {"abc"}},
      {"   ", " ", {}},
      {"g'M P", "'", {"g", "M P"}},
      {"S R G:m P", ":", {"S R G", "m P"}},
      {"12/34/", "/", {"12", "34"}},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(common::fParseString(c.text, c.sep), static_cast<int32_t>(c.words.size())) << c.text;
    EXPECT_EQ(common::ParsedWordCount, static_cast<int32_t>(c.words.size()));
    for (size_t i = 0; i < c.words.size(); ++i) {
      EXPECT_EQ(common::fGetWord(c.text, static_cast<int32_t>(i + 1)), c.words[i]) << c.text;
    }
  }
}

TEST_F(StringUtilTest, PositionsAreOneBasedIntoTheText) {
  common::fParseString("S R  G ", " ");
  EXPECT_EQ(common::ParsedWordStart[0], 1);
  EXPECT_EQ(common::ParsedWordStart[2], 6);
  EXPECT_EQ(common::ParsedWordLength[2], 1);
}

TEST_F(StringUtilTest, NoPhraseIsTooLongToSplit) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += (i % 2 ? "R " : "S ");
  EXPECT_EQ(common::fParseString(text, " "), 2000);
  EXPECT_EQ(common::fGetWord(text, 2000), "R");
}

TEST_F(StringUtilTest, AWordPastTheEndIsEmptyNotLeftOver) {
  common::fParseString("S R G m P", " ");
  common::fParseString("D N", " ");
  EXPECT_EQ(common::fGetWord("D N", 3), "");
  EXPECT_EQ(common::fGetWord("D N", 600), "");
  try {
    common::fGetWord("D N", 0);
    FAIL() << "word 0 must be a subscript error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.err().Number, vb::kSubscript);
  }
}

TEST_F(StringUtilTest, TheSecondSplitLeavesTheSharedOneAlone) {
  common::fParseString("a b c", " ");
  std::vector<int32_t> starts, lengths;
  EXPECT_EQ(common::fParseString1("x,yy", ",", starts, lengths), 2);
  EXPECT_EQ(common::fGetWord1("x,yy", 2, starts, lengths), "yy");
  EXPECT_EQ(common::fGetWord1("x,yy", 3, starts, lengths), "");
  EXPECT_EQ(common::ParsedWordCount, 3);
  EXPECT_EQ(common::fGetWord("a b c", 3), "c");
}

TEST_F(StringUtilTest, AnEmptySeparatorIsAnError) {
  EXPECT_THROW(common::fParseString("a b", ""), vb::VbError);
}

TEST_F(StringUtilTest, RemovingCharacters) {
  EXPECT_EQ(common::fRmvAllChar("a-b-c", "-"), "abc");
  EXPECT_EQ(common::fRmvAllChar("a-b-c", "-b"), "a-b-c");  // longer than one character: nothing removed
  EXPECT_EQ(common::fRmvAllChar("", "-"), "");
  EXPECT_EQ(common::fRmvLeadBlk("   x y "), "x y ");
  EXPECT_EQ(common::fRmvTrailBlk("   x y "), "   x y");
  EXPECT_EQ(common::fRmvLeadBlk("    "), "");
  EXPECT_EQ(common::fRmvTrailBlk("    "), "");
  EXPECT_EQ(common::fRmvLeadBlk(""), "");
  EXPECT_EQ(common::fRmvLeadBlk("\tx"), "\tx");  // only the blank counts
}

}  // namespace
