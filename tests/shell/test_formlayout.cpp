// The proportional layout of sShowForm: a form of our own with a button, a line, a
// combo box and a frame holding a button, laid out from rows of the form tables.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/dao/Database.h"
#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/vb/Folders.h"
#include "shell/FormLayout.h"
#include "shell/ShellState.h"
#include "support/Scratch.h"
#include "support/SqlFixture.h"

namespace {

forms::FormSpec DeclareProbe() {
  forms::FormSpec f("LayoutProbe", "Layout probe", 99, {0, 0, 6000, 4000});
  f.Button("cButton", "Button", {100, 100, 500, 300});
  f.Line("cLine", {0, 0, 100, 100});
  f.Combo("cCombo", {100, 900, 900, 300});
  auto frame = f.Frame("cFrame", "Frame", {2000, 2000, 3000, 1500});
  frame.Button("cInner", "Inner", {100, 200, 800, 300});
  f.Timer("cTimer");
  return f;
}

// (LocRatX, LocRatY, SizRatWidth, SizRatHeight) of the probe's members, in order.
constexpr const char* kRows = R"(
INSERT INTO "KZForms" VALUES ('LayoutProbe', 99, 6), ('EmptyProbe', 98, 0), ('LongProbe', 97, 7);
INSERT INTO "KZFormControls" VALUES
  (99, 0, 0.5, 0.25, 0.1, 0.2), (99, 1, 0.5, 0.25, 0.1, 0.2), (99, 2, 0.5, 0.25, 0.1, 0.2),
  (99, 3, 0.1, 0.1, 0.5, 0.5), (99, 4, 0.05, 0.1, 0.2, 0.1), (99, 5, 0.9, 0.9, 0.9, 0.9),
  (97, 0, 0, 0, 0, 0), (97, 1, 0, 0, 0, 0), (97, 2, 0, 0, 0, 0), (97, 3, 0, 0, 0, 0), (97, 4, 0, 0, 0, 0),
  (97, 5, 0, 0, 0, 0), (97, 6, 0, 0, 0, 0);
)";

class FormLayoutTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    testsupport::MakeContentFixture(Path("mrA.kzy"), kRows);
    std::filesystem::copy_file(std::filesystem::path(vb::ShareFolderPath()) / "kz3.jpg", Path("kz3.jpg"));
    shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), false, true, shell::kDatabaseConnect);
    shell::FormState = 0;
    shell::FormL = 300, shell::FormT = 300, shell::FormW = 10000, shell::FormH = 8000;
    shell::PictureNumber = 3;
    shell::PrevForm = nullptr;
  }
  void TearDown() override {
    probe.Release();
    shell::CurrForm = nullptr;
    shell::DatabaseA.Close();
    ScratchTest::TearDown();
  }

  void Show(forms::Form& form) {
    shell::CurrForm = &form;
    int16_t keepParent = 0;
    shell::sShowForm(keepParent);
  }

  forms::Form probe{DeclareProbe()};
};

TEST_F(FormLayoutTest, EachKindOfMemberFollowsItsRow) {
  Show(probe);
  const forms::Control& button = probe.Ctl("cButton");
  EXPECT_DOUBLE_EQ(button.Left(), 5000);
  EXPECT_DOUBLE_EQ(button.Top(), 2000);
  EXPECT_DOUBLE_EQ(button.Width(), 1000);
  EXPECT_DOUBLE_EQ(button.Height(), 1600);

  auto& line = probe.Get<forms::Line>("cLine");  // the last two numbers are the second end point
  EXPECT_DOUBLE_EQ(line.X1(), 5000);
  EXPECT_DOUBLE_EQ(line.Y1(), 2000);
  EXPECT_DOUBLE_EQ(line.X2(), 1000);
  EXPECT_DOUBLE_EQ(line.Y2(), 1600);

  const forms::Control& combo = probe.Ctl("cCombo");  // keeps the height the window system gives it
  EXPECT_DOUBLE_EQ(combo.Left(), 5000);
  EXPECT_DOUBLE_EQ(combo.Top(), 2000);
  EXPECT_DOUBLE_EQ(combo.Width(), 1000);
  EXPECT_NE(combo.Height(), 1600);

  const forms::Control& inner = probe.Ctl("cInner");  // relative to its frame, fractions of the window
  EXPECT_DOUBLE_EQ(inner.Left(), 500);
  EXPECT_DOUBLE_EQ(inner.Top(), 800);
  EXPECT_DOUBLE_EQ(inner.Width(), 2000);
  EXPECT_DOUBLE_EQ(inner.Height(), 800);
  EXPECT_TRUE(probe.Visible());
}

TEST_F(FormLayoutTest, AMaximisedStateLaysOutOnTheMaximisedGeometry) {
  shell::FormState = 2;
  shell::MaxFormW = 6000, shell::MaxFormH = 4000;
  Show(probe);
  EXPECT_DOUBLE_EQ(probe.Ctl("cButton").Left(), 3000);
  EXPECT_DOUBLE_EQ(probe.Ctl("cButton").Height(), 800);
  EXPECT_EQ(probe.WindowState(), forms::vbMaximized);
}

TEST_F(FormLayoutTest, NoRowsLaysOutNothingButStillDecoratesAndShows) {
  forms::FormSpec spec("EmptyProbe", "", 98, {0, 0, 6000, 4000});
  spec.Button("cButton", "Button", {100, 100, 500, 300});
  forms::Form empty(spec);
  Show(empty);
  EXPECT_DOUBLE_EQ(empty.Ctl("cButton").Left(), 100);
  EXPECT_EQ(empty.Picture(), Path("kz3.jpg"));
  EXPECT_EQ(shell::PictureFile, Path("kz3.jpg"));
  EXPECT_TRUE(empty.Visible());
  empty.Release();
}

TEST_F(FormLayoutTest, MoreRowsThanMembersIsAProgramError) {
  forms::FormSpec spec("LongProbe", "", 97, {0, 0, 6000, 4000});
  spec.Button("cButton", "Button", {100, 100, 500, 300});
  forms::Form shortForm(spec);
  shell::CurrForm = &shortForm;
  int16_t keepParent = 0;
  EXPECT_THROW(shell::sShowForm(keepParent), vb::VbError);
  shortForm.Release();
}

}  // namespace
