// Control arrays: elements created at run time as hidden copies of element 0 and
// removed again, removal passing over elements that do not exist.
#include <gtest/gtest.h>

#include "FormsTest.h"

namespace {

using formstest::FormsTest;

TEST_F(FormsTest, ANewElementCopiesElementZeroHidden) {
  auto& zero = form->Ctl("cL", 0);
  zero.SetCaption("S");
  zero.SetBackColor(0x808080);
  auto& five = form->LoadElement("cL", 5);
  EXPECT_EQ(five.Index(), 5);
  EXPECT_EQ(five.Caption(), "S");
  EXPECT_EQ(five.BackColor(), 0x808080u);
  EXPECT_EQ(five.Left(), zero.Left());
  EXPECT_FALSE(five.Visible());
  EXPECT_EQ(&form->Ctl("CL", 5), &five);
  EXPECT_EQ(form->Elements("cL"), (std::vector<int16_t>{0, 5}));
  EXPECT_EQ(form->Controls().back(), &five);
}

TEST_F(FormsTest, AnElementRaisesItsEventsWithItsIndex) {
  form->LoadElement("cL", 3);
  form->Ctl("cL", 3).RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(formstest::Seen.back(), "cL:Click[3]");
}

TEST_F(FormsTest, LoadingAnExistingElementRaises360) {
  form->LoadElement("cR", 1);
  try {
    form->LoadElement("cR", 1);
    FAIL() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.err().Number, 360);
  }
}

TEST_F(FormsTest, RemovingElementsPassesOverMissingOnesAndKeepsElementZero) {
  for (int16_t i = 1; i <= 40; ++i) form->LoadElement("cR", i);
  const size_t count = form->ControlCount();
  form->UnloadElement("cR", 41);  // never created
  form->UnloadElement("cR", 0);   // declared with the form
  EXPECT_EQ(form->ControlCount(), count);
  for (int16_t i = 1; i <= 40; ++i) form->UnloadElement("cR", i);
  form->UnloadElement("cR", 7);  // already removed
  formstest::Settle();
  EXPECT_EQ(form->Elements("cR"), std::vector<int16_t>{0});
  EXPECT_EQ(form->ControlCount(), count - 40);
  EXPECT_FALSE(form->HasElement("cR", 7));
  // A removed element can be created again.
  form->LoadElement("cR", 7);
  EXPECT_TRUE(form->HasElement("cR", 7));
}

TEST_F(FormsTest, AnElementCanRemoveItselfInItsOwnEvent) {
  auto& el = form->LoadElement("cL", 2);
  el.On(forms::Event::Click, [this](forms::EventArgs& e) { form->UnloadElement("cL", e.Index); });
  el.RaiseFromUser(forms::Event::Click);
  formstest::Settle();
  EXPECT_FALSE(form->HasElement("cL", 2));
  EXPECT_EQ(halts, 0);
}

TEST_F(FormsTest, ReloadingTheFormDropsRunTimeElements) {
  form->LoadElement("cL", 1);
  form->Unload();
  formstest::Settle();
  EXPECT_EQ(form->Elements("cL"), std::vector<int16_t>{0});
}

}  // namespace
