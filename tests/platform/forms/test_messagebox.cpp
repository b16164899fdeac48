// Message boxes take their icon and buttons from the flags; the hourglass pointer.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include "platform/forms/MessageBox.h"
#include "platform/vb/Interaction.h"

namespace {

TEST(MessageBox, FlagsChooseIconButtonsAndDefault) {
  using MB = QMessageBox;
  struct Case {
    int flags;
    MB::Icon icon;
    MB::StandardButtons buttons;
    MB::StandardButton def;
  } cases[] = {
      {vb::vbInformation, MB::Information, MB::Ok, MB::Ok},
      {vb::vbExclamation, MB::Warning, MB::Ok, MB::Ok},
      {vb::vbCritical, MB::Critical, MB::Ok, MB::Ok},
      {vb::vbYesNo, MB::NoIcon, MB::Yes | MB::No, MB::Yes},
      {vb::vbYesNo | vb::vbQuestion | 256, MB::Question, MB::Yes | MB::No, MB::No},
      {vb::vbYesNoCancel | 512, MB::NoIcon, MB::Yes | MB::No | MB::Cancel, MB::Cancel},
      {vb::vbOKCancel | vb::vbInformation, MB::Information, MB::Ok | MB::Cancel, MB::Ok},
  };
  for (const auto& c : cases) {
    const auto s = forms::MessageBoxStyle(c.flags);
    EXPECT_EQ(s.Icon, c.icon) << c.flags;
    EXPECT_EQ(s.Buttons, c.buttons) << c.flags;
    EXPECT_EQ(s.Default, c.def) << c.flags;
  }
}

TEST(MessageBox, PressedButtonsGiveTheRuntimeResults) {
  EXPECT_EQ(forms::MessageBoxResult(QMessageBox::Ok), vb::vbOK);
  EXPECT_EQ(forms::MessageBoxResult(QMessageBox::Yes), vb::vbYes);
  EXPECT_EQ(forms::MessageBoxResult(QMessageBox::No), vb::vbNo);
  EXPECT_EQ(forms::MessageBoxResult(QMessageBox::Cancel), vb::vbCancel);
}

TEST(Hourglass, ShownOnceAndRestored) {
  forms::SetHourglass(true);
  forms::SetHourglass(true);
  EXPECT_TRUE(forms::HourglassShown());
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  forms::SetHourglass(false);
  EXPECT_FALSE(forms::HourglassShown());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
