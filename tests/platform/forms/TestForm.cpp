#include <QApplication>

#include <gtest/gtest.h>

#include "FormsTest.h"
#include "platform/forms/Registry.h"

namespace formstest {

namespace {

// One QApplication for the whole test program.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "test_forms";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override {
    Settle();
    app_.reset();
  }

 private:
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kQt = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

forms::Handler Note(std::string what) {
  return [what](forms::EventArgs& e) {
    Seen.push_back(what + (e.Index >= 0 ? "[" + std::to_string(e.Index) + "]" : ""));
  };
}

}  // namespace

forms::FormSpec DeclareTestForm() {
  using forms::Event;
  forms::FormSpec f("TestForm", "Test Form", 99, {0, 0, 12000, 9000});
  f.On(Event::Load, Note("form:Load"));
  f.On(Event::Click, Note("form:Click"));
  f.On(Event::QueryUnload, [](forms::EventArgs& e) { Seen.push_back("form:QueryUnload" + std::to_string(e.UnloadMode)); });
  f.On(Event::Unload, Note("form:Unload"));

  f.Label("Label1", "Prompt", {240, 240, 4000, 300}).On(Event::Click, Note("Label1:Click"));
  f.Button("cPlay", "&Play", {240, 600, 1200, 400}).On(Event::Click, Note("cPlay:Click"));
  f.TextBox("cPrompts", {240, 1100, 6000, 600}).Locked().MultiLine();
  f.TextBox("cCurrentItem", {240, 1800, 6000, 300}).On(Event::Change, Note("cCurrentItem:Change"));
  auto frame = f.Frame("Frame1", "Mode", {6600, 240, 3000, 1200});
  frame.Option("cLearn", "Learning", {120, 300, 2000, 300}).On(Event::Click, Note("cLearn:Click"));
  frame.Option("cPractice", "Practice", {120, 700, 2000, 300}).On(Event::Click, Note("cPractice:Click"));
  f.Option("Option4", "Next", {6600, 1600, 1200, 300}).On(Event::Click, Note("Option4:Click"));
  f.CheckBox("cOScale", "Scale", {6600, 2000, 1200, 300});
  f.List("cRagaList", {240, 2400, 3000, 2000})
      .Items({"Bhairav", "Yaman", "Kafi"})
      .On(Event::Click, Note("cRagaList:Click"));
  f.Combo("cScaleList", {3600, 2400, 3000, 300}).Style(2).Items({"One", "Two"}).On(Event::Click, Note("cScaleList:Click"));
  f.DriveList("Drive1", {3600, 3000, 3000, 300});
  f.Line("Line4", {100, 8000, 11800, 8000});
  f.Shape("cR", {600, 5000, 300, 1500}).Index(0).BackColor(0xC0E0FF).On(Event::Click, Note("cR:Click"));
  f.Label("cL", "", {600, 6000, 300, 300}).Index(0).On(Event::Click, Note("cL:Click"));
  f.PictureBox("Picture1", {9000, 5000, 2000, 2000});
  f.Slider("cSlider", {6600, 2400, 3000, 500}).Range(1, 17).Value(9).On(Event::Change, Note("cSlider:Change"));
  f.Grid("cRagaListT", {240, 4600, 6000, 300}).Cells(1, 6, 1, 0);
  f.Timer("cTimer").Interval(0).On(Event::Timer, Note("cTimer:Timer"));
  f.MultimediaControl("cMM");
  auto sort = f.Menu("cMnuSorBy", "&Sort By");
  sort.Item("cMnuRag", "Raga").On(Event::Click, Note("cMnuRag:Click"));
  sort.Separator("cMnuLin1");
  sort.Item("cMnuTha", "Thata").Checked();
  auto help = f.Menu("cMnuHel", "&Help");
  help.Item("cMnuTraOn", "Trace On");
  f.Menu("cMnuRagInf", "Raga Info").On(Event::Click, Note("cMnuRagInf:Click"));
  return f;
}

VELMORA_DECLARE_FORM(DeclareTestForm)

}  // namespace formstest
