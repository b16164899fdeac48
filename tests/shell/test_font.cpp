#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/vb/Folders.h"
#include "shell/Font.h"
#include "shell/ShellState.h"
#include "support/Scratch.h"

namespace {

const char* const kFontMessage =
    "There was a problem installing Font Shusha. This installation will always show notation using English script.";

// The Devanagari note names of the three octaves, lower, middle and upper.
const std::vector<std::string> kNoteNames = {
    "saa,", "ro\\,", "ro,", "ga\\,", "ga,", "ma,", "ma\\,", "p,", "Qa\\,", "Qa,", "ina\\,", "ina,",
    "saa",  "ro\\",  "ro",  "ga\\",  "ga",  "ma",  "ma\\",  "p",  "Qa\\",  "Qa",  "ina\\",  "ina",
    "saaM", "ro\\M", "roM", "ga\\M", "gaM", "maM", "ma\\M", "pM", "Qa\\M", "QaM", "ina\\M", "inaM"};

// The folder the build writes the generated fonts to: the share folder the program
// finds beside its own bin folder.
std::string BuiltShareFolder() { return vb::ShareFolderPath(); }

std::string BuiltFont(const std::string& name) { return BuiltShareFolder() + "/" + name; }

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The built regular font with its names spelled "shusha" (the name table holds them as UTF-16BE).
std::string LowerCaseCopy() {
  std::string bytes = ReadBytes(BuiltFont("Shusha.ttf"));
  const std::string upper("\0S\0h\0u\0s\0h\0a", 12);
  for (auto at = bytes.find(upper); at != std::string::npos; at = bytes.find(upper, at)) bytes[at + 1] = 's';
  return bytes;
}

class FontTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    shell::DevnagariAvailable = 0;
    ASSERT_EQ(shell::fSushaExists(), 0) << "a font \"Shusha\" is installed on this machine";
  }
  void TearDown() override {
    QFontDatabase::removeAllApplicationFonts();
    ScratchTest::TearDown();
  }
};

TEST_F(FontTest, InstallingFromTheShareFolderMakesShushaKnownByName) {
  shell::ShareFolder = BuiltShareFolder();
  shell::sCheckFont();
  EXPECT_EQ(shell::DevnagariAvailable, -1);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(shell::fSushaExists(), -1);
  const QStringList styles = QFontDatabase::styles("Shusha");
  EXPECT_TRUE(styles.contains("Regular")) << styles.join(", ").toStdString();
  EXPECT_TRUE(styles.contains("Bold")) << styles.join(", ").toStdString();
  QFont bold("Shusha", 16);
  bold.setBold(true);
  EXPECT_EQ(QFontInfo(bold).family(), "Shusha");
  EXPECT_EQ(QFontInfo(bold).styleName(), "Bold");
}

TEST_F(FontTest, AnInstalledFontIsNotAddedAgain) {
  shell::ShareFolder = BuiltShareFolder();
  ASSERT_EQ(shell::fInstallSusha(), 1);
  shell::ShareFolder = folder_.string();  // holds no font: a second install would fail
  shell::sCheckFont();
  EXPECT_EQ(shell::DevnagariAvailable, -1);
  EXPECT_TRUE(messages.empty());
}

TEST_F(FontTest, AFamilyDifferingOnlyInLetterCaseIsNotShusha) {
  WriteBytes(Path("lower.ttf"), LowerCaseCopy());
  const int id = QFontDatabase::addApplicationFont(QString::fromStdString(Path("lower.ttf")));
  ASSERT_GE(id, 0);
  ASSERT_EQ(QFontDatabase::applicationFontFamilies(id), QStringList{"shusha"});
  EXPECT_EQ(shell::fSushaExists(), 0);

  TraceOnNow();
  shell::ShareFolder = BuiltShareFolder();
  shell::sCheckFont();
  EXPECT_EQ(shell::DevnagariAvailable, -1);
  EXPECT_TRUE(messages.empty());
  bool installed = false;
  for (const auto& line : Lines("errtrace.txt")) installed = installed || line.find("fInstallSusha") != std::string::npos;
  EXPECT_TRUE(installed) << "the font file was not added";
}

struct BrokenFontCase {
  const char* name;
  std::string bytes;  // the content of "Shusha.ttf" in the share folder; no file when empty
};

class BrokenFontTest : public FontTest, public ::testing::WithParamInterface<BrokenFontCase> {};

TEST_P(BrokenFontTest, NotationFallsBackToEnglishWithOneMessage) {
  if (!GetParam().bytes.empty()) WriteBytes(Path("Shusha.ttf"), GetParam().bytes);
  WriteBytes(Path("Shusha-Bold.ttf"), ReadBytes(BuiltFont("Shusha-Bold.ttf")));  // a bold alone is not enough
  shell::DevnagariAvailable = -1;
  shell::sCheckFont();
  EXPECT_EQ(shell::DevnagariAvailable, 0);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].prompt, std::string(kFontMessage) + "\n\nThe font file \"" + Path("Shusha.ttf") +
                                    "\" is missing or damaged. Please install Velmora again to restore it.");
  EXPECT_EQ(messages[0].buttons, vb::vbInformation);
  EXPECT_EQ(messages[0].title, "Message");
  EXPECT_EQ(shell::fSushaExists(), 0);
  EXPECT_EQ(shell::fInstallSusha(), 0);
}

INSTANTIATE_TEST_SUITE_P(Font, BrokenFontTest,
                         ::testing::Values(BrokenFontCase{"Missing", ""},
                                           BrokenFontCase{"Damaged", "this is not a font file"},
                                           BrokenFontCase{"LowerCaseFamily", LowerCaseCopy()}),
                         [](const auto& info) { return std::string(info.param.name); });

// The generated files themselves, Regular and Bold.
class GeneratedFontTest : public ::testing::TestWithParam<const char*> {
 protected:
  QRawFont Raw() const { return QRawFont(QString::fromStdString(BuiltFont(GetParam())), 100); }
};

TEST_P(GeneratedFontTest, EveryCharacterOfTheNoteNamesHasAGlyphAndTheMarksAreZeroWidth) {
  const QRawFont raw = Raw();
  ASSERT_TRUE(raw.isValid()) << BuiltFont(GetParam());
  EXPECT_EQ(raw.familyName(), "Shusha");
  std::string characters = "':  ";
  for (const auto& name : kNoteNames) characters += name;
  for (char ch : characters) {
    ASSERT_TRUE(raw.supportsCharacter(QChar(ch))) << "'" << ch << "'";
    const auto glyphs = raw.glyphIndexesForString(QString(QChar(ch)));
    ASSERT_EQ(glyphs.size(), 1);
    const bool mark = std::string("o\\,M").find(ch) != std::string::npos;
    const double advance = raw.advancesForGlyphIndexes(glyphs).at(0).x();
    if (mark) {
      EXPECT_EQ(advance, 0.0) << "'" << ch << "'";
    } else {
      EXPECT_GT(advance, 0.0) << "'" << ch << "'";
    }
    EXPECT_EQ(raw.pathForGlyph(glyphs[0]).isEmpty(), ch == ' ') << "'" << ch << "'";
  }
}

TEST_P(GeneratedFontTest, RegularAndBoldAreTheTwoStylesOfOneFamily) {
  const QRawFont raw = Raw();
  const bool bold = std::string(GetParam()).find("Bold") != std::string::npos;
  EXPECT_EQ(raw.styleName(), bold ? "Bold" : "Regular");
  EXPECT_EQ(raw.weight(), bold ? QFont::Bold : QFont::Normal);
}

INSTANTIATE_TEST_SUITE_P(Font, GeneratedFontTest, ::testing::Values("Shusha.ttf", "Shusha-Bold.ttf"),
                         [](const auto& info) {
                           return std::string(info.param).find("Bold") != std::string::npos ? "Bold" : "Regular";
                         });

// How Qt lays out one note name: the ink of each glyph (one per character) relative
// to the pen's start on the baseline, y growing downwards.
struct Drawn {
  std::vector<QRectF> ink;
  double ascent = 0;
  double descent = 0;
};

Drawn Draw(const std::string& text, bool bold) {
  QFont font("Shusha");
  font.setPixelSize(100);
  font.setBold(bold);
  font.setStyleStrategy(QFont::NoFontMerging);
  QTextLayout layout(QString::fromStdString(text), font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  Drawn drawn;
  const QPointF origin(0, layout.lineAt(0).ascent());
  for (const QGlyphRun& run : layout.glyphRuns()) {
    const QRawFont raw = run.rawFont();
    drawn.ascent = raw.ascent();
    drawn.descent = raw.descent();
    const auto glyphs = run.glyphIndexes();
    const auto positions = run.positions();
    for (int i = 0; i < glyphs.size(); ++i) drawn.ink.push_back(raw.boundingRect(glyphs[i]).translated(positions[i] - origin));
  }
  return drawn;
}

class NoteNameDrawingTest : public FontTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    FontTest::SetUp();
    shell::ShareFolder = BuiltShareFolder();
    ASSERT_EQ(shell::fInstallSusha(), 1);
  }
};

// Octave dots, komal lines and the tivra stroke sit clear of their syllable and of
// each other, inside the line's height, over or under the syllable they belong to.
TEST_P(NoteNameDrawingTest, MarksStandClearOfTheSyllableAndInsideTheLine) {
  for (const auto& name : kNoteNames) {
    const Drawn drawn = Draw(name, GetParam());
    ASSERT_EQ(drawn.ink.size(), name.size()) << name;
    const size_t marks = name.size() - name.find_last_not_of("\\,M") - 1;
    const size_t first_mark = name.size() - marks;
    QRectF syllable;
    for (size_t i = 0; i < first_mark; ++i) syllable |= drawn.ink[i];
    for (size_t m = first_mark; m < name.size(); ++m) {
      const QRectF mark = drawn.ink[m];
      SCOPED_TRACE(name + " mark " + name[m]);
      EXPECT_FALSE(mark.isEmpty());
      for (size_t i = 0; i < name.size(); ++i) {
        if (i != m) {
          EXPECT_FALSE(mark.intersects(drawn.ink[i])) << "touches glyph " << i;
        }
      }
      EXPECT_GE(mark.top(), -drawn.ascent);
      EXPECT_LE(mark.bottom(), drawn.descent);
      EXPECT_GE(mark.left(), syllable.left());
      EXPECT_LE(mark.right(), syllable.right());
      const bool tivra = name.rfind("ma\\", 0) == 0 && name[m] == '\\';
      if (!tivra) {
        EXPECT_NEAR(mark.center().x(), syllable.center().x(), 0.08 * syllable.width());
      }
      if (name[m] == 'M' || tivra) {
        EXPECT_LT(mark.bottom(), syllable.top());
      } else {
        EXPECT_GT(mark.top(), syllable.bottom());
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Font, NoteNameDrawingTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Bold" : "Regular"; });

}  // namespace
