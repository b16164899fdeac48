// Members are found by name in any letter case; a missing name or element is the
// Windows-era error, never a crash.
#include <functional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "FormsTest.h"

namespace {

using formstest::FormsTest;
using forms::Kind;

using testsupport::ErrorNumber;

TEST_F(FormsTest, MembersAreFoundInAnyLetterCase) {
  for (const char* name : {"cPlay", "CPLAY", "cplay", "cPlAy"}) {
    EXPECT_EQ(&form->Ctl(name), &form->Ctl("cPlay")) << name;
  }
  EXPECT_EQ(&form->Ctl("CR", 0), &form->Ctl("cR", 0));
  EXPECT_EQ(form->Ctl("cmnutha").KindOf(), Kind::MenuItem);
}

TEST_F(FormsTest, AMissingNameOrElementRaisesTheWindowsError) {
  struct Case {
    const char* what;
    std::function<void()> lookup;
    int number;
  } cases[] = {
      {"unknown name", [&] { form->Ctl("cNoSuch"); }, 730},
      {"unknown menu item", [&] { form->Get<forms::MenuItem>("cMnuNoSuch"); }, 730},
      {"missing element", [&] { form->Ctl("cR", 7); }, 340},
      {"index on a plain member", [&] { form->Ctl("cPlay", 0); }, 343},
      {"array without an index", [&] { form->Ctl("cR"); }, 343},
      {"wrong kind", [&] { form->Get<forms::ListBox>("cPlay"); }, 13},
      {"property the kind lacks", [&] { form->Ctl("cPlay").Text(); }, 438},
      {"list line out of range", [&] { form->Get<forms::ListBox>("cRagaList").List(3); }, 381},
      {"list index out of range", [&] { form->Ctl("cRagaList").SetListIndex(3); }, 380},
      {"grid cell out of range", [&] { form->Get<forms::Grid>("cRagaListT").TextMatrix(1, 0); }, 381},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorNumber(c.lookup), c.number) << c.what;
}

TEST_F(FormsTest, EveryMemberHasItsKind) {
  const std::pair<const char*, Kind> kinds[] = {
      {"cMnuRag", Kind::MenuItem},     {"cMnuLin1", Kind::MenuItem},      {"cTimer", Kind::Timer},
      {"Line4", Kind::Line},           {"cScaleList", Kind::ComboBox},    {"Drive1", Kind::DriveListBox},
      {"cMM", Kind::MultimediaControl}, {"cRagaList", Kind::ListBox},     {"Frame1", Kind::Frame},
      {"cSlider", Kind::Slider},       {"cRagaListT", Kind::Grid},        {"Picture1", Kind::Picture},
  };
  for (const auto& [name, kind] : kinds) EXPECT_EQ(form->Ctl(name).KindOf(), kind) << name;
  EXPECT_STREQ(forms::KindName(form->Ctl("cMM").KindOf()), "multimedia control");
}

TEST_F(FormsTest, TheCollectionFollowsTheDeclaration) {
  const auto& members = form->Controls();
  const auto& declared = form->Spec().Members;
  ASSERT_EQ(members.size(), declared.size());
  for (size_t i = 0; i < members.size(); ++i) {
    EXPECT_EQ(members[i]->Name(), declared[i].Name) << i;
    EXPECT_EQ(members[i]->Index(), declared[i].Index) << i;
  }
}

TEST_F(FormsTest, ReachingAMemberLoadsTheFormOnce) {
  EXPECT_FALSE(form->Loaded());
  form->Ctl("cPlay");
  form->Ctl("Label1");
  EXPECT_TRUE(form->Loaded());
  EXPECT_EQ(formstest::Seen, std::vector<std::string>{"form:Load"});
}

TEST_F(FormsTest, MenuSeparatorsAreNamedMembers) {
  auto& sep = form->Get<forms::MenuItem>("cMnuLin1");
  EXPECT_TRUE(sep.IsSeparator());
  sep.SetVisible(false);
  EXPECT_FALSE(sep.Visible());
  EXPECT_FALSE(sep.Action()->isVisible());
}

}  // namespace

namespace {

TEST(Declaration, HandlersMayTakeTheEventOrNothing) {
  int plain = 0, withArgs = 0;
  forms::FormSpec f("F", "", 1, {0, 0, 100, 100});
  f.Button("b", "", {}).On(forms::Event::Click, [&] { ++plain; });
  f.Button("c", "", {}).On(forms::Event::MouseUp, [&](forms::EventArgs& e) { withArgs += e.Button; });
  forms::EventArgs e;
  e.Button = 2;
  f.Members[0].Handlers[forms::Event::Click](e);
  f.Members[1].Handlers[forms::Event::MouseUp](e);
  EXPECT_EQ(plain, 1);
  EXPECT_EQ(withArgs, 2);
}

}  // namespace

// A Load handler that unloads its own form leaves nothing to reach: every access
// raises 91 and the form stays unloaded.
TEST_F(FormsTest, AFormItsLoadHandlerUnloadsRaisesObjectNotSetOnEveryAccess) {
  form->On(forms::Event::Load, [this] { form->Unload(); });
  const std::vector<std::pair<const char*, std::function<void()>>> accesses = {
      {"Ctl", [this] { form->Ctl("cPlay"); }},
      {"Ctl element", [this] { form->Ctl("cR", 0); }},
      {"Has", [this] { form->Has("cPlay"); }},
      {"HasElement", [this] { form->HasElement("cR", 0); }},
      {"LoadElement", [this] { form->LoadElement("cR", 1); }},
      {"UnloadElement", [this] { form->UnloadElement("cR", 1); }},
      {"Elements", [this] { form->Elements("cR"); }},
      {"SetPicture", [this] { form->SetPicture(""); }},
      {"SetCaption", [this] { form->SetCaption("x"); }},
      {"Move", [this] { form->Move(0, 0, 3000, 3000); }},
      {"SetWindowState", [this] { form->SetWindowState(forms::vbMaximized); }},
      {"SetMousePointer", [this] { form->SetMousePointer(forms::vbHourglass); }},
      {"Window", [this] { form->Window(); }},
  };
  for (const auto& [what, access] : accesses) {
    EXPECT_EQ(testsupport::ErrorNumber(access), vb::kObjectNotSet) << what;
    EXPECT_FALSE(form->Loaded()) << what;
  }
  EXPECT_TRUE(form->Controls().empty());
  form->Show();
  EXPECT_FALSE(form->Visible());
}
