// The keyboard as painted: the test form is grabbed into a picture (kept in the test's
// scratch folder for a look) and its pixels are read where the keys and marks lie.
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "KeyboardTest.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Folders.h"
#include "shell/Font.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "sound/ReedLighting.h"
#include "sound/SoundState.h"

namespace keyboardtest {
namespace {

class KeyboardPictureTest : public KeyboardTest {
 protected:
  void SetUp() override {
    KeyboardTest::SetUp();
    shell::ShareFolder = vb::ShareFolderPath();
    if (shell::fSushaExists() == 0) {
      ASSERT_EQ(shell::fInstallSusha(), 1);
    }
  }

  QImage Picture(const std::string& name) {
    form->Refresh();
    const QImage image = form->Surface()->grab().toImage();
    image.save(QString::fromStdString(Path(name + ".png")));
    return image;
  }
  // The painted colour at a point given in twips of the form's surface.
  static forms::Colour At(const QImage& image, double x, double y) {
    return forms::FromQColor(image.pixelColor(forms::TwipsToPixels(x), forms::TwipsToPixels(y)));
  }
};

struct PictureCase {
  int16_t tonic;
  int16_t script;
  const char* name;
};
void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }

class KeyboardPictureCases : public KeyboardPictureTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(KeyboardPictureCases, KeysAndMarksShowWhereTheyWereDrawn) {
  const PictureCase c = GetParam();
  Draw(c.tonic, c.script);
  PhraseRecord rec = MakeRecord("S R'G");  // the glide: G red, R light red
  rec.CurrNote = 2;
  sound::sPlayReeds1Alt(rec);
  const QImage image = Picture(c.name);

  for (int16_t r = sound::FirstReed; r <= sound::LastReed; ++r) {
    const auto& reed = Reed(r);
    const double middle = reed.Left() + reed.Width() / 2;
    if (sound::ReedColorType[r] == sound::kWhiteReed) {
      // Below the black keys and above the caption.
      const double y = reed.Top() + reed.Height() * 0.80 - Label(r).Height();
      EXPECT_EQ(At(image, middle, y), sound::kWhiteReedColour) << c.name << " white reed " << r;
    } else {
      EXPECT_EQ(At(image, middle, reed.Top() + reed.Height() * 0.3), sound::kBlackReedColour)
          << c.name << " black reed " << r;
    }
  }
  const int16_t g = sound::fReedOfNote(16), grace = sound::fReedOfNote(14);
  EXPECT_EQ(At(image, Label(g).Left() + 30, Label(g).Top() + Label(g).Height() - 30), sound::kCurrentNoteColour);
  EXPECT_EQ(At(image, Label(grace).Left() + 30, Label(grace).Top() + Label(grace).Height() - 30),
            sound::kGraceNoteColour);
}

INSTANTIATE_TEST_SUITE_P(Tonics, KeyboardPictureCases,
                         ::testing::Values(PictureCase{1, 2, "tonic1-english"}, PictureCase{1, 1, "tonic1-devanagari"},
                                           PictureCase{3, 2, "tonic3-english"}, PictureCase{3, 1, "tonic3-devanagari"}),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           n.erase(std::remove(n.begin(), n.end(), '-'), n.end());
                           return n;
                         });

}  // namespace
}  // namespace keyboardtest
