#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/CommonState.h"
#include "common/Notation.h"
#include "common/StringUtil.h"
#include "shell/ShellState.h"
#include "support/Scratch.h"

namespace {

using namespace common;

class NotationTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    shell::NotationScript = kScriptEnglish;
    shell::GraceNotes = kGraceNotesUse;
    sInitScales();
  }
};

TEST_F(NotationTest, TablesHoldThirtySixNotesOverThreeOctaves) {
  struct Entry {
    int index;
    const char* english;
    const char* devnagari;
    const char* code;
  };
  const Entry entries[] = {
      {0, "S<", "saa,", "00"},  {1, "r<", "ro\\,", "01"},  {7, "P<", "p,", "07"},
      {10, "n<", "ina\\,", "10"}, {11, "N<", "ina,", "11"},  {12, "S", "saa", "12"},
      {18, "M", "ma\\", "18"},    {20, "d", "Qa\\", "20"},   {23, "N", "ina", "23"},
      {24, "S>", "saaM", "24"},   {30, "M>", "ma\\M", "30"}, {35, "N>", "inaM", "35"},
  };
  for (const auto& e : entries) {
    EXPECT_EQ(EnglishNotes[e.index], e.english) << e.index;
    EXPECT_EQ(DevnagariNotes[e.index], e.devnagari) << e.index;
    EXPECT_EQ(NoteFnames[e.index], e.code) << e.index;
  }
  EXPECT_EQ(EnglishNotes[36], "");
  EXPECT_EQ(DevnagariNotes[36], "");
  EXPECT_EQ(NoteFnames[36], "");
  EXPECT_EQ(std::set<std::string>(EnglishNotes.begin(), EnglishNotes.begin() + 36).size(), 36u);
  EXPECT_EQ(std::set<std::string>(DevnagariNotes.begin(), DevnagariNotes.begin() + 36).size(), 36u);
}

TEST_F(NotationTest, EveryNoteNameConvertsToTheOtherScriptAndBack) {
  for (int k = 0; k < 36; ++k) {
    EXPECT_EQ(fGetDevnagariStringForNote(EnglishNotes[k]), DevnagariNotes[k]);
    EXPECT_EQ(fGetDevForEng(EnglishNotes[k]), DevnagariNotes[k]);
    EXPECT_EQ(fGetEngForDev(DevnagariNotes[k]), EnglishNotes[k]);
  }
  EXPECT_EQ(fGetDevnagariStringForNote("s"), "");
  EXPECT_EQ(fGetDevnagariStringForNote(""), "");
}

TEST_F(NotationTest, NoteByIndexFollowsTheScriptAndStaysInsideTheTable) {
  EXPECT_EQ(fGetStringForNote(12, kScriptDevnagari), "saa");
  EXPECT_EQ(fGetStringForNote(12, kScriptEnglish), "S");
  EXPECT_EQ(fGetStringForNote(12, 3), "");
  EXPECT_EQ(fGetStringForNote(36, kScriptEnglish), "");
  EXPECT_EQ(fGetStringForNote(-1, kScriptEnglish), "");
  EXPECT_EQ(fGetStringForNote(42, kScriptDevnagari), "");
  shell::NotationScript = kScriptDevnagari;
  EXPECT_EQ(fGetStringForNote(35), "inaM");
}

TEST_F(NotationTest, NoteTestsAreExactAndCaseSensitive) {
  EXPECT_EQ(fIsEnglishNote("S"), -1);
  EXPECT_EQ(fIsEnglishNote("s"), 0);
  EXPECT_EQ(fIsEnglishNote("saa"), 0);
  EXPECT_EQ(fIsDevnagriNote("saa"), -1);
  EXPECT_EQ(fIsDevnagriNote("S"), 0);
  EXPECT_EQ(fIsEnglishNote(""), 0);  // entry 36 is empty but no note
  EXPECT_EQ(fIsColon(":"), -1);
  EXPECT_EQ(fIsColon(" :"), 0);
  EXPECT_EQ(fIsColon("S:"), 0);
}

struct LegalCase {
  const char* word;
  int16_t script;
  bool legal;
};

TEST_F(NotationTest, LegalNoteWords) {
  const LegalCase cases[] = {
      {"S", kScriptEnglish, true},        {":S", kScriptEnglish, true},       {"S:", kScriptEnglish, true},
      {":S:", kScriptEnglish, false},     {"::S", kScriptEnglish, false},     {"S'R", kScriptEnglish, true},
      {"S<'P<", kScriptEnglish, true},    {":S'R", kScriptEnglish, true},     {"S'R'G", kScriptEnglish, false},
      {"S''R", kScriptEnglish, false},    {"s", kScriptEnglish, false},       {"X'R", kScriptEnglish, false},
      {"saa", kScriptEnglish, false},     {"S", kScriptDevnagari, false},     {"saa", kScriptDevnagari, true},
      {"ga\\'ma", kScriptDevnagari, true}, {"ina,:", kScriptDevnagari, true}, {"xyz", 3, true},
      {"a'b'c", 3, false},                {":", kScriptEnglish, true},        {"'", kScriptEnglish, true},
      {"S'", kScriptEnglish, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fIsLegalNote(c.word, c.script), c.legal ? -1 : 0) << c.word << " script " << c.script;
  }
  shell::NotationScript = kScriptDevnagari;
  EXPECT_EQ(fIsLegalNote("S"), 0) << "the current script decides by default";
}

TEST_F(NotationTest, LegalPhrases) {
  const LegalCase cases[] = {
      {"S R : G m", kScriptEnglish, true},   {"S R:  G", kScriptEnglish, true},
      {"S R , G", kScriptEnglish, false},    {"S X", kScriptEnglish, false},
      {"", kScriptEnglish, true},            {"saa ro : ga", kScriptDevnagari, true},
      {"saa R", kScriptDevnagari, false},    {"S'R'G P", kScriptEnglish, false},
      {"anything , at all", 3, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fIsLegalNotationPhrase(c.word, c.script), c.legal ? -1 : 0) << c.word;
  }
}

// Phrases shown in both scripts, with and without grace notes, as a text control shows them.
struct DisplayCase {
  const char* phrase;
  const char* englishGrace;
  const char* englishNoGrace;
  const char* devnagariGrace;
  const char* devnagariNoGrace;
};

TEST_F(NotationTest, PhrasesAreShownInBothScriptsWithAndWithoutGraceNotes) {
  const DisplayCase cases[] = {
      {"S R , G : m", "S   R   ,   G   :   m", "S   R   ,   G   :   m", "saa   ro   ga   :   ma",
       "saa   ro   ga   :   ma"},
      {"S'R G<'P< D", "S'R   G<'P<   D", "R   P<   D", "saa'ro   ga,'p,   Qa", "ro   p,   Qa"},
      {"N<'S  r> M: P", "N<'S   r>   M:   P", "S   r>   M:   P", "ina,'saa   ro\\M   ma\\:   p",
       "saa   ro\\M   ma\\:   p"},
      {"S<'D< :n'S d>", "S<'D<   :n'S   d>", "D<   :S   d>", "saa,'Qa,   :ina\\'saa   Qa\\M",
       "Qa,   :saa   Qa\\M"},
      {"", "", "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fGetNotationText(c.phrase, kScriptEnglish, kGraceNotesUse), c.englishGrace) << c.phrase;
    EXPECT_EQ(fGetNotationText(c.phrase, kScriptEnglish, kGraceNotesNone), c.englishNoGrace) << c.phrase;
    EXPECT_EQ(fGetNotationText(c.phrase, kScriptDevnagari, kGraceNotesUse), c.devnagariGrace) << c.phrase;
    EXPECT_EQ(fGetNotationText(c.phrase, kScriptDevnagari, kGraceNotesNone), c.devnagariNoGrace) << c.phrase;
  }
}

// One text in, one text out: the word and phrase conversions.
struct TextCase {
  std::string (*convert)(const std::string&);
  const char* name;
  const char* in;
  const char* out;
};

TEST_F(NotationTest, TextConversions) {
  const TextCase cases[] = {
      // Six parts joined by single blanks: S, R, three blanks, G, " : ", m.
      {fPrepareNotationDevnagariString, "Devanagari", "S R , G : m", "saa ro     ga  :  ma"},
      {fPrepareNotationDevnagariString, "Devanagari", "  S   R ", "saa ro"},
      {fPrepareNotationDevnagariString, "Devanagari", "", ""},
      {fGetDevForEng, "word", "S'R", "saa'ro"},
      {fGetDevForEng, "word", "X'R", "'ro"},  // an unknown first piece still leaves the glide mark
      {fGetDevForEng, "word", "'R", "ro"},    // empty pieces are skipped
      {fGetDevForEng, "word", "S<'P<'D", "saa,'p,'Qa"},
      {fGetEngForDev, "word", "saa,'p,'Qa", "S<'P<'D"},
      {fGetDevForEng, "word", ":", ":"},
      {fGetDevForEng, "word", ",", ""},
      {fRemoveColons, "colons", "S R : G M", "S R G M"},
      {fRemoveColons, "colons", "S R :G M: P", "S R G M P"},
      {fRemoveColons, "colons", "S'R G", "S'R G"},
      {fRemoveColons, "colons", "", ""},
      {fRemoveGlides, "glides", "S'R G<'P< D", "R P< D"},
      {fRemoveGlides, "glides", "S  , : N>'S>", "S , : S>"},
      {fRemoveGlides, "glides", "S'", "S"},  // a glide mark with nothing after it keeps the note
      {fRemoveGlides, "glides", "", ""},
      // A colon written against a note: removing glides keeps the note and the
      // Devanagari text keeps the word.
      {fRemoveGlides, "glides", "S'G: P", "G: P"},
      {fRemoveGlides, "glides", ":S'G P", ":G P"},
      {fPrepareNotationDevnagariString, "Devanagari", "S G: P", "saa ga: p"},
      {fPrepareNotationDevnagariString, "Devanagari", ":G P", ":ga p"},
      {fGetEngForDev, "word", "ga:", "G:"},
      // Accepted texts get every colon as a word of its own; other blanks stay as typed.
      {fSeparateColons, "accept", "S :R G: P", "S : R G : P"},
      {fSeparateColons, "accept", " S  G:  ", " S  G :  "},
      {fSeparateColons, "accept", "S'G: : P", "S'G : : P"},
      {fSeparateColons, "accept", "saa ga:", "saa ga :"},
      {fSeparateColons, "accept", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.convert(c.in), c.out) << c.name << ": \"" << c.in << '"';
}

TEST_F(NotationTest, AColonAgainstANoteKeepsTheWordCount) {
  for (const char* phrase : {"S G: P", "S'G: :P", "N<'S :R G"}) {
    const int32_t words = fParseString(phrase, " ");
    EXPECT_EQ(fParseString(fPrepareNotationDevnagariString(phrase), " "), words) << phrase;
    EXPECT_EQ(fParseString(fRemoveGlides(phrase), " "), words) << phrase;
  }
  const std::string accepted = fSeparateColons("S'G: P");
  EXPECT_EQ(fRemoveGlides(accepted), "G : P");
  EXPECT_EQ(fPrepareNotationDevnagariString(accepted), "saa'ga  :  p");
  EXPECT_EQ(fIsLegalNotationPhrase(accepted, kScriptEnglish), -1);
}

TEST_F(NotationTest, ConversionsLeaveTheCallersSplitAlone) {
  const std::string outer = "P D N";
  ASSERT_EQ(fParseString(outer, " "), 3);
  fPrepareNotationDevnagariString("S'R G : m , P");
  fRemoveGlides("S'R G");
  fIsLegalNotationPhrase("S R", kScriptEnglish);
  fSeparateColons("S: R");
  EXPECT_EQ(ParsedWordCount, 3);
  EXPECT_EQ(fGetWord(outer, 2), "D");
}

class RecordingControl : public NotationControl {
 public:
  void SetText(const std::string& text) override { texts.push_back(text); }
  void SetFont(const NotationFont& font) override { fonts.push_back(font); }
  std::vector<std::string> texts;
  std::vector<NotationFont> fonts;
};

TEST_F(NotationTest, ATextControlShowsThePhraseInTheCurrentSettings) {
  RecordingControl control;
  shell::NotationScript = kScriptDevnagari;
  shell::GraceNotes = kGraceNotesNone;
  sLoadNotation(control, "S'R , G");
  shell::NotationScript = kScriptEnglish;
  shell::GraceNotes = kGraceNotesUse;
  sLoadNotation(control, "S'R , G");
  ASSERT_EQ(control.texts.size(), 2u);
  EXPECT_EQ(control.texts[0], "ro   ga");
  EXPECT_EQ(control.texts[1], "S'R   ,   G");

  sSetDevnagariFont(control);
  sSetEnglishFont(control);
  ASSERT_EQ(control.fonts.size(), 2u);
  EXPECT_STREQ(control.fonts[0].Name, "Shusha");
  EXPECT_TRUE(control.fonts[0].Bold);
  EXPECT_EQ(control.fonts[0].Size, 16);
  EXPECT_STREQ(control.fonts[1].Name, "Times New Roman");
  EXPECT_TRUE(control.fonts[1].Bold);
  EXPECT_EQ(control.fonts[1].Size, 12);
}

TEST_F(NotationTest, ProceduresTraceTheirNames) {
  TraceOnNow();
  fIsLegalNotationPhrase("S R", kScriptEnglish);
  const auto lines = Lines("errtrace.txt");
  bool entered = false;
  for (const auto& line : lines) entered = entered || line.find("Entering fIsLegalNotationPhrase") != std::string::npos;
  EXPECT_TRUE(entered);
}

}  // namespace
