// Declaring a screen: its members in design order, with kind, name, array index,
// caption, font, colours, design geometry in twips, menus and event handlers.
// A declaration is plain data (no widgets): a Form builds its widgets from it, and
// the layout-row tool derives the screen's KZForms and KZFormControls rows from it.
//
// A screen reads like the screen it draws. In the screen's folder:
//
//   forms::FormSpec DeclareVelmora() {
//     using forms::Event;
//     forms::FormSpec f("Velmora", "Velmora", 1, {0, 0, 12000, 9000});  // name, caption, form id, design
//     f.OnResize([] { shell::FormState = ...; shell::ResizePending = 1; });
//     f.OnClick([] { shell::sResizeForm(); });
//     f.OnQueryUnload([](forms::EventArgs& e) { if (e.UnloadMode != forms::vbFormCode) { ... } });
//     f.Label("Label4", "", {600, 300, 10800, 600}).Font("Times New Roman", 24, true).Alignment(2);
//     f.TextBox("cPrompts", {600, 7800, 10800, 500}).Locked();
//     f.Button("cExit", "&Exit", {10200, 7000, 1200, 450}).OnClick([] { int16_t a = 20; shell::sKZControl(a); });
//     f.Timer("cTimer").OneShot().OnTimer([] { ... });
//     f.MultimediaControl("cMM").On(Event::Done, [](forms::EventArgs& e) { ... e.NotifyCode ... });
//     f.Line("Line4", {300, 1200, 11700, 1200});             // end points X1, Y1, X2, Y2
//     auto mode = f.Frame("Frame2", "Mode", {600, 1500, 3000, 1000});
//     mode.Option("cLearn", "Learning", {120, 240, 2000, 300}).OnClick([] { ... });  // relative to Frame2
//     f.Shape("cR", {0, 0, 300, 1500}).Index(0).BackColor(0xC0E0FF);             // element 0 of an array
//     auto ops = f.Menu("cMnuMaiOpe", "Main Operations");
//     ops.Item("cMnuExpRag", "Explore Ragas").OnClick([] { int16_t a = 0; exploration::sSelectRaga(a); });
//     ops.Separator("cMnuLin1");                                // a named separator
//     return f;
//   }
//   VELMORA_DECLARE_FORM(DeclareVelmora)   // Registry.h: the layout-row tool sees the form
//
// and at run time (Form.h):
//
//   forms::Form velmora(DeclareVelmora());
//   velmora.Show();
//   velmora.Ctl("CEXIT").SetEnabled(false);                  // any letter case
//   velmora.Get<forms::MenuItem>("cMnuShoTip").SetChecked(true);
//   velmora.LoadElement("cR", 5).SetVisible(true);           // a run-time array element
//
// Members enter the form's collection in the order they are declared (a frame
// before its members, a menu before its items); that order is the order of the
// layout rows. Handlers take no arguments or an EventArgs&.
//
// Lengths are twips (1440 per inch of the logical DPI); positions of a frame's
// members are relative to the frame; colours are colour references (Colour.h).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/forms/Colour.h"

namespace forms {

// The kinds of member a form holds. The layout tests menu items, timers, lines,
// combo boxes, drive list boxes and the multimedia control; all others are "other".
enum class Kind {
  Label,
  CommandButton,
  TextBox,
  ListBox,
  ComboBox,
  DriveListBox,
  OptionButton,
  CheckBox,
  Frame,
  Line,
  Shape,  // a filled rectangle (keyboard reeds)
  Picture,
  Slider,
  Grid,
  Timer,
  MenuItem,
  MultimediaControl,  // placeholder member; the player object is attached at load
};

const char* KindName(Kind kind);

// Events a member or a form raises.
enum class Event {
  Load,
  Resize,
  Click,
  DblClick,
  Change,
  MouseUp,
  QueryUnload,
  Unload,
  Timer,
  Done,          // multimedia control: end of a play (NotifyCode)
  StatusUpdate,  // multimedia control: progress
};

// Unload modes of QueryUnload.
enum UnloadMode : int16_t { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2, vbAppTaskManager = 3 };

// What an event carries. Handlers may set Cancel (QueryUnload, Unload).
struct EventArgs {
  int16_t Index = -1;       // element index of a control array, -1 otherwise
  int16_t Button = 0;       // mouse button: 1 left, 2 right, 4 middle
  int16_t Shift = 0;        // 1 Shift, 2 Ctrl, 4 Alt
  double X = 0, Y = 0;      // mouse position in twips, within the member
  int16_t UnloadMode = 0;   // QueryUnload
  int16_t Cancel = 0;       // QueryUnload, Unload: non-zero keeps the form
  int32_t NotifyCode = 0;   // Done
  bool FromCode = false;    // raised by the program's own property set, not by the user
};

using Handler = std::function<void(EventArgs&)>;

// Accepts a handler with or without the event's arguments.
template <class F>
Handler MakeHandler(F&& f) {
  if constexpr (std::is_same_v<std::decay_t<F>, Handler>) {
    return Handler(std::forward<F>(f));
  } else if constexpr (std::is_invocable_v<F&, EventArgs&>) {
    return Handler(std::forward<F>(f));
  } else {
    return [g = std::forward<F>(f)](EventArgs&) mutable { g(); };
  }
}

// Design geometry in twips: left, top, width, height; for a line its end points
// X1, Y1, X2, Y2 in the same four places.
struct Rect {
  double Left = 0, Top = 0, Width = 0, Height = 0;
};

struct FontSpec {
  std::string Name;   // empty: the platform's default face
  double Size = 0;    // points; 0: the platform's default size
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
};

// Every property a member can carry; each kind uses its own subset.
struct Props {
  std::string Caption;
  std::string Text;
  std::string ToolTipText;
  int32_t WhatsThisHelpID = 0;  // the help topic of the member's What's This help; 0 none
  Rect Geometry;
  bool Visible = true;
  bool Enabled = true;
  std::optional<Colour> BackColor;
  std::optional<Colour> ForeColor;
  std::optional<FontSpec> Font;
  // Text boxes.
  bool Locked = false;
  bool MultiLine = false;
  // Labels: 0 left, 1 right, 2 centre. Grids: the cell alignment of new cells (4 centre-centre).
  int16_t Alignment = 0;
  int16_t BorderStyle = -1;  // -1 the kind's default; labels, pictures: 0 none (default), 1 single;
                             // shapes and lines: 1 solid (default), 0 transparent
  int16_t BackStyle = 1;    // labels, shapes: 0 transparent, 1 opaque
  bool WordWrap = true;
  int16_t BorderWidth = 1;  // lines and shapes, in pixels
  std::optional<Colour> BorderColor;
  // Option buttons (0/1), check boxes (0/1/2), sliders.
  int32_t Value = 0;
  int32_t Min = 0, Max = 10;
  int32_t SmallChange = 1, LargeChange = 5;
  // Timers.
  int32_t Interval = 0;
  bool OneShot = false;
  // Menu items.
  bool Checked = false;
  // Takes the learner's input while its form is busy (Stop, Stop Looping, the trace items).
  bool LiveWhileBusy = false;
  // Timers: while this one runs, its form waits and is busy.
  bool BusyWhileRunning = false;
  // Combo boxes: 0 drop-down combo (editable), 2 drop-down list.
  int16_t Style = 0;
  // Lists and combos: the design-time items.
  std::vector<std::string> Items;
  // Grids.
  int32_t Rows = 2, Cols = 2, FixedRows = 1, FixedCols = 1;
  // Pictures.
  std::string PictureFile;
  bool Stretch = false;
};

struct MemberSpec {
  Kind kind = Kind::Label;
  std::string Name;
  int16_t Index = -1;       // element index of a control array, -1 for a plain member
  std::string Container;    // name of the frame that holds it; "" = the form
  std::string ParentMenu;   // menu items: the menu that holds it; "" = the menu bar
  Props P;
  std::map<Event, Handler> Handlers;
};

class FormSpec;

// A handle on one declared member; setters chain.
class Member {
 public:
  Member(FormSpec& form, size_t at) : form_(&form), at_(at) {}

  Member& Caption(std::string text);
  Member& Text(std::string text);
  Member& ToolTip(std::string text);
  Member& Font(std::string name, double size, bool bold = false, bool italic = false);
  Member& BackColor(Colour c);
  Member& ForeColor(Colour c);
  Member& BorderColor(Colour c);
  Member& BorderWidth(int16_t pixels);
  Member& BorderStyle(int16_t style);
  Member& BackStyle(int16_t style);
  Member& Alignment(int16_t alignment);
  Member& NoWordWrap();
  Member& Hidden();
  Member& Disabled();
  Member& Locked();  // a read-only text box
  Member& MultiLine();
  Member& Index(int16_t index);  // makes the member element `index` of a control array
  Member& Range(int32_t min, int32_t max);
  Member& Steps(int32_t smallChange, int32_t largeChange);
  Member& Value(int32_t value);
  Member& Interval(int32_t ms);
  Member& OneShot();
  Member& Checked();
  Member& Style(int16_t style);
  Member& Items(std::vector<std::string> items);
  Member& Cells(int32_t rows, int32_t cols, int32_t fixedRows = 0, int32_t fixedCols = 0);
  Member& Picture(std::string file);
  Member& Stretch();
  // Takes the learner's input while the form is busy; a frame or menu holding such a
  // member stays usable around it.
  Member& LiveWhileBusy();
  // A timer that ends a wait: while it runs, the form is busy.
  Member& BusyWhileRunning();

  Member& On(Event event, Handler handler);
  template <class F>
  Member& On(Event event, F&& f) { return On(event, MakeHandler(std::forward<F>(f))); }
  template <class F>
  Member& OnClick(F&& f) { return On(Event::Click, MakeHandler(std::forward<F>(f))); }
  template <class F>
  Member& OnDblClick(F&& f) { return On(Event::DblClick, MakeHandler(std::forward<F>(f))); }
  template <class F>
  Member& OnChange(F&& f) { return On(Event::Change, MakeHandler(std::forward<F>(f))); }
  template <class F>
  Member& OnMouseUp(F&& f) { return On(Event::MouseUp, MakeHandler(std::forward<F>(f))); }
  template <class F>
  Member& OnTimer(F&& f) { return On(Event::Timer, MakeHandler(std::forward<F>(f))); }

  MemberSpec& Spec();

 protected:
  FormSpec* form_;
  size_t at_;
};

// Adds members to the form or to a frame of it.
class Container {
 public:
  Container(FormSpec& form, std::string frame) : form_(&form), frame_(std::move(frame)) {}

  Member Label(std::string name, std::string caption, Rect r);
  Member Button(std::string name, std::string caption, Rect r);
  Member TextBox(std::string name, Rect r);
  Member List(std::string name, Rect r);
  Member Combo(std::string name, Rect r);
  Member DriveList(std::string name, Rect r);
  Member Option(std::string name, std::string caption, Rect r);
  Member CheckBox(std::string name, std::string caption, Rect r);
  Member Line(std::string name, Rect ends);
  Member Shape(std::string name, Rect r);
  Member PictureBox(std::string name, Rect r);
  Member Slider(std::string name, Rect r);
  Member Grid(std::string name, Rect r);
  class FrameMember Frame(std::string name, std::string caption, Rect r);

 protected:
  Member Add(Kind kind, std::string name, Rect r, std::string caption = {});
  FormSpec* form_;
  std::string frame_;
};

// A frame: a member whose own members are placed relative to it.
class FrameMember : public Member, public Container {
 public:
  FrameMember(FormSpec& form, size_t at, std::string name) : Member(form, at), Container(form, std::move(name)) {}
};

// A menu or menu item; items and separators nest under it.
class MenuMember : public Member {
 public:
  MenuMember(FormSpec& form, size_t at, std::string name) : Member(form, at), name_(std::move(name)) {}
  MenuMember Item(std::string name, std::string caption);
  // A separator line: a menu item with the caption "-".
  MenuMember Separator(std::string name);

 private:
  std::string name_;
};

class FormSpec : public Container {
 public:
  // name: the form's name (KZForms "Form Name"); id: its form id; design: the
  // window's design left, top, width and height in twips (outer size).
  FormSpec(std::string name, std::string caption, int16_t id, Rect design);
  FormSpec(const FormSpec& other);
  FormSpec& operator=(const FormSpec& other);

  const std::string& Name() const { return name_; }
  int16_t Id() const { return id_; }

  // Non-member things a screen needs: the menu bar, timers, the multimedia control.
  MenuMember Menu(std::string name, std::string caption);
  Member Timer(std::string name);
  Member MultimediaControl(std::string name);

  FormSpec& BackColor(Colour c);
  FormSpec& Font(std::string name, double size, bool bold = false);
  FormSpec& Picture(std::string file);
  FormSpec& On(Event event, Handler handler);
  template <class F>
  FormSpec& On(Event event, F&& f) { return On(event, MakeHandler(std::forward<F>(f))); }
  template <class F>
  FormSpec& OnLoad(F&& f) { return On(Event::Load, MakeHandler(std::forward<F>(f))); }
  template <class F>
  FormSpec& OnResize(F&& f) { return On(Event::Resize, MakeHandler(std::forward<F>(f))); }
  template <class F>
  FormSpec& OnClick(F&& f) { return On(Event::Click, MakeHandler(std::forward<F>(f))); }
  template <class F>
  FormSpec& OnQueryUnload(F&& f) { return On(Event::QueryUnload, MakeHandler(std::forward<F>(f))); }
  template <class F>
  FormSpec& OnUnload(F&& f) { return On(Event::Unload, MakeHandler(std::forward<F>(f))); }

  // The declaration as data.
  std::string Caption;
  Rect Design;
  std::optional<Colour> FormBackColor;
  std::optional<FontSpec> FormFont;  // the default font of the form's members
  std::string PictureFile;
  std::map<Event, Handler> Handlers;
  std::vector<MemberSpec> Members;  // design order: the form's collection of controls

 private:
  friend class Container;
  friend class Member;
  friend class MenuMember;
  size_t Append(MemberSpec m);
  std::string name_;
  int16_t id_;
};

}  // namespace forms
