// Geometry in twips, frames holding their members, lines by their end points, and
// colour references.
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include "FormsTest.h"

namespace {

using formstest::FormsTest;

TEST_F(FormsTest, AMemberOfAFrameIsPlacedRelativeToTheFrame) {
  auto& frame = form->Ctl("Frame1");
  auto& learn = form->Ctl("cLearn");
  EXPECT_EQ(learn.ContainerName(), "Frame1");
  EXPECT_EQ(learn.Widget()->parentWidget(), frame.Widget());
  const QPoint before = learn.Widget()->mapTo(form->Surface(), QPoint(0, 0));
  EXPECT_EQ(before, frame.Widget()->pos() + QPoint(forms::TwipsToPixels(120), forms::TwipsToPixels(300)));
  frame.SetLeft(frame.Left() + 1440);  // the frame moves, its members with it
  const QPoint after = learn.Widget()->mapTo(form->Surface(), QPoint(0, 0));
  EXPECT_EQ(after.x() - before.x(), forms::TwipsToPixels(1440));
  EXPECT_EQ(learn.Left(), 120);  // still relative to the frame
  frame.SetEnabled(false);
  EXPECT_FALSE(learn.Widget()->isEnabled());
}

TEST_F(FormsTest, ALineIsPaintedBetweenItsEndPoints) {
  auto& line = form->Get<forms::Line>("Line4");
  line.SetX1(1440);
  line.SetY1(2880);
  line.SetX2(4320);
  line.SetY2(720);
  EXPECT_EQ(line.X1(), 1440);
  EXPECT_EQ(line.Y2(), 720);
  const int px = forms::TwipsToPixels(1440);
  EXPECT_EQ(line.PaintedStart(), QPoint(px, 2 * px));
  EXPECT_EQ(line.PaintedEnd(), QPoint(3 * px, px / 2));
  EXPECT_TRUE(line.Widget()->geometry().contains(line.PaintedStart()));
  EXPECT_TRUE(line.Widget()->geometry().contains(line.PaintedEnd()));
}

TEST_F(FormsTest, PropertiesReadBackWhatWasSet) {
  auto& b = form->Ctl("cPlay");
  b.Move(1000.5, 2000.25, 1234, 567);
  EXPECT_EQ(b.Left(), 1000.5);
  EXPECT_EQ(b.Top(), 2000.25);
  EXPECT_EQ(b.Width(), 1234);
  EXPECT_EQ(b.Height(), 567);
  EXPECT_EQ(b.Widget()->geometry(), QRect(forms::TwipsToPixels(1000.5), forms::TwipsToPixels(2000.25),
                                          forms::TwipsToPixels(1234), forms::TwipsToPixels(567)));
  b.SetCaption("Stop &Looping");
  EXPECT_EQ(b.Caption(), "Stop &Looping");
  b.SetVisible(false);
  EXPECT_FALSE(b.Visible());
  b.SetFontName("Times New Roman");
  b.SetFontSize(12);
  b.SetFontBold(true);
  EXPECT_EQ(b.FontName(), "Times New Roman");
  EXPECT_EQ(b.FontSize(), 12);
  EXPECT_TRUE(b.FontBold());
  EXPECT_TRUE(b.Widget()->font().bold());
}

TEST_F(FormsTest, AMultiLineTextBoxShowsTheProgramsLineBreaks) {
  auto& prompts = form->Ctl("cPrompts");
  const std::string text = std::string("Description") + char(10) + char(13) + "------------";
  prompts.SetText(text);
  EXPECT_EQ(prompts.Text(), text);  // read back as set
  EXPECT_EQ(static_cast<QPlainTextEdit*>(prompts.Widget())->toPlainText(), "Description\n------------");
  EXPECT_TRUE(static_cast<QPlainTextEdit*>(prompts.Widget())->isReadOnly());
}

TEST_F(FormsTest, LabelsShowMnemonicsWithoutTheMarkAndKeepNoteNamesAsText) {
  auto& label = form->Ctl("Label1");
  label.SetCaption("S< R< &Next && more");
  EXPECT_EQ(label.Caption(), "S< R< &Next && more");
  EXPECT_EQ(static_cast<QLabel*>(label.Widget())->text(), "S< R< Next & more");
  EXPECT_EQ(static_cast<QLabel*>(label.Widget())->textFormat(), Qt::PlainText);
}

TEST_F(FormsTest, AComboBoxKeepsItsOwnHeight) {
  auto& combo = form->Ctl("cScaleList");
  const double h = combo.Height();
  combo.SetHeight(h * 5);
  EXPECT_EQ(combo.Height(), h);
  EXPECT_EQ(combo.Widget()->height(), combo.Widget()->sizeHint().height());
}

TEST_F(FormsTest, TwipsAreOneInchPer1440) {
  EXPECT_EQ(forms::TwipsToPixels(1440), forms::TwipsToPixels(720) * 2);
  EXPECT_DOUBLE_EQ(forms::PixelsToTwips(forms::TwipsToPixels(2880)), 2880);
}

TEST(Colour, ReferencesHoldRedInTheLowByte) {
  struct Case {
    forms::Colour ref;
    int r, g, b;
  } cases[] = {{0xC0E0FF, 0xFF, 0xE0, 0xC0}, {0x808080, 0x80, 0x80, 0x80}, {255, 255, 0, 0}, {0xFFFFFF, 255, 255, 255},
               {0x8080FF, 0xFF, 0x80, 0x80}};
  for (const auto& c : cases) {
    const QColor q = forms::ToQColor(c.ref);
    EXPECT_EQ(q, QColor(c.r, c.g, c.b)) << std::hex << c.ref;
    EXPECT_EQ(forms::FromQColor(q), c.ref);
  }
  EXPECT_EQ(forms::RGB(0xFF, 0xE0, 0xC0), 0xC0E0FFu);
}

TEST_F(FormsTest, SystemColoursFollowThePalette) {
  EXPECT_TRUE(forms::IsSystemColour(forms::kSysWindowText));
  EXPECT_EQ(forms::ToQColor(forms::kSysWindowText), QGuiApplication::palette().color(QPalette::Text));
  EXPECT_EQ(forms::ToQColor(forms::kSysButtonFace), QGuiApplication::palette().color(QPalette::Button));
  auto& label = form->Ctl("cL", 0);
  EXPECT_EQ(label.ForeColor(), forms::kSysButtonText);  // not set yet: the default
  label.SetForeColor(forms::kSysWindowText);
  label.SetBackColor(255);
  EXPECT_EQ(label.BackColor(), 255u);
  EXPECT_EQ(label.Widget()->palette().color(label.Widget()->backgroundRole()), QColor(255, 0, 0));
}

TEST_F(FormsTest, AGridHoldsCellsAndColumnWidths) {
  auto& g = form->Get<forms::Grid>("cRagaListT");
  const char* headers[] = {"Raga", "Thata", "Vadi", "Samvadi", "Jati", "Time"};
  for (int c = 0; c < 6; ++c) g.SetTextMatrix(0, c, headers[c]);
  g.SetColWidth(0, 2880);
  EXPECT_EQ(g.TextMatrix(0, 4), "Jati");
  EXPECT_NEAR(g.ColWidth(0), 2880, 15);
  g.SetRows(70);
  g.SetTextMatrix(69, 0, "Yaman");
  g.SetRow(69);
  EXPECT_EQ(g.Text(), "Yaman");
  g.Clear();
  EXPECT_EQ(g.TextMatrix(69, 0), "");
  EXPECT_EQ(g.Rows(), 70);
}

}  // namespace
