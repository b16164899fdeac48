// A form: one screen, built from its declaration (Declaration.h) into a Qt window
// with a menu bar and a client surface that holds the members.
//
// A Form object lives for the whole run; its window and members exist while it is
// loaded. Showing it or reaching one of its members loads it (raising Load);
// Unload raises QueryUnload and Unload and then destroys the window and every
// run-time array element; the next use loads it afresh from the declaration.
//
// As with the forms of the original platform, the run ends when the last loaded form
// is unloaded: the application's event loop is then asked to quit.
//
// Members are found by name without regard to letter case. A name the form does not
// carry raises 730; an array element that does not exist raises 340.
#pragma once

#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/vb/Error.h"

class QMainWindow;

namespace forms {

struct LayoutRow;

// Window states: 0 normal, 1 minimised, 2 maximised.
enum WindowState : int16_t { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
// Mouse pointers: 0 default, 11 hourglass.
enum MousePointer : int16_t { vbDefault = 0, vbHourglass = 11 };

class Form {
 public:
  explicit Form(FormSpec spec);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormSpec& Spec() const { return spec_; }
  const std::string& Name() const { return spec_.Name(); }
  int16_t Id() const { return spec_.Id(); }

  bool Loaded() const { return inst_ != nullptr; }
  // Builds the window and members from the declaration and raises Load (nothing
  // when already loaded).
  void Load();
  // Raises QueryUnload (mode vbFormCode) and Unload; unless a handler cancels,
  // destroys the window and members. Returns false when cancelled.
  bool Unload();

  // Shows the form (loading it first); modal waits until it is hidden or unloaded.
  void Show(bool modal = false);
  void Hide();
  bool Visible() const;
  void SetVisible(bool v);

  std::string Caption() const;
  void SetCaption(const std::string& text);
  // The window's outer geometry in twips.
  double Left() const;
  double Top() const;
  double Width() const;
  double Height() const;
  void SetLeft(double v);
  void SetTop(double v);
  void SetWidth(double v);
  void SetHeight(double v);
  void Move(double left, double top, double width, double height);
  // The client surface (below the menu bar) in twips.
  double ScaleWidth() const;
  double ScaleHeight() const;
  // The height the menu bar takes above the client surface, in twips (0 without one).
  double MenuBarHeight() const;
  // True once the members of this loaded form were placed from layout rows (ApplyLayout);
  // a form shown as declared has no layout to redo.
  bool LaidOutFromRows() const;
  // Records the rows and size of the layout just applied (ApplyLayout), which Unarrange
  // applies again.
  void KeepLayoutRows(const std::vector<LayoutRow>& rows, double W, double H);

  // The screen's own layout: what it places itself beyond the proportional layout of
  // its declared members (run-time array elements, from element 0 of their array, and
  // members a stage of the screen moves). Arrange runs `step` now and keeps it under
  // `key`; a step kept under that key already is replaced, and the new one runs after
  // the others. Every layout of the form from its rows (ApplyLayout) runs the kept
  // steps again, in that order, so a resize or a maximise keeps them whole. A step
  // places only: it reads the sizes afresh and sets no caption, visibility or state
  // (the grid's scrolling, which shows the rows in view, aside). Unloading the form
  // forgets them. Unarrange forgets one (before the elements it places are unloaded)
  // and lays the form out again without it, so what it moved goes back to its place.
  // While the kept steps run, a nested Arrange runs its step and keeps nothing.
  void Arrange(const std::string& key, std::function<void()> step);
  void Unarrange(const std::string& key);
  bool Arranges(const std::string& key) const;
  // Runs the kept steps (ApplyLayout does, after the rows).
  void RunArrangements();
  int16_t WindowState() const;
  void SetWindowState(int16_t state);
  // The smallest size the window takes, in twips of its client surface (menu bar
  // included): 800 x 600 pixels, or the design size of a smaller form.
  double MinimumWidth() const;
  double MinimumHeight() const;

  // The background picture: drawn over the client surface. A missing file raises
  // 53, a file that is not a picture 481; "" removes the picture.
  void SetPicture(const std::string& file);
  const std::string& Picture() const;
  Colour BackColor() const;
  void SetBackColor(Colour c);
  int16_t MousePointer() const;
  void SetMousePointer(int16_t pointer);
  // Repaints the window at once.
  void Refresh();

  // Busy: while the screen plays with its form locked (SetBusy), waits inside an event
  // for a play to end (BeginWait to EndWait, nested) or waits for a timer declared
  // BusyWhileRunning, the learner's input reaches only the members declared
  // LiveWhileBusy and the close box: every other member refuses it before it changes
  // anything (Control::TakesInput) and looks disabled. What the program set as a
  // member's Enabled is kept, and shows again once the form is no longer busy.
  void SetBusy(bool busy);
  void BeginWait();
  void EndWait();
  bool Busy() const { return busy_; }
  // Works out again whether the form is busy and shows it; called when a timer that
  // ends a wait starts or stops.
  void BusyMayHaveChanged();

  // Members by name (any letter case) and, for control arrays, index.
  Control& Ctl(std::string_view name);
  Control& Ctl(std::string_view name, int16_t index);
  template <class T>
  T& Get(std::string_view name) {
    return As<T>(Ctl(name));
  }
  template <class T>
  T& Get(std::string_view name, int16_t index) {
    return As<T>(Ctl(name, index));
  }
  bool Has(std::string_view name);
  bool HasElement(std::string_view name, int16_t index);

  // The collection of members: design order, then run-time array elements in the
  // order they were created.
  const std::vector<Control*>& Controls();
  size_t ControlCount() { return Controls().size(); }

  // Creates element `index` of a control array as a hidden copy of the array's
  // lowest element (error 360 when it exists already).
  Control& LoadElement(std::string_view name, int16_t index);
  // Removes a run-time element; elements that do not exist and design-time
  // elements are left alone.
  void UnloadElement(std::string_view name, int16_t index);
  // The indexes of an array's elements, ascending.
  std::vector<int16_t> Elements(std::string_view name);

  // Replaces the handler of a form event, or of an event of every member of that
  // name (array elements included); it stays with the form across reloads.
  template <class F>
  void On(Event event, F&& handler) {
    SetHandler(event, MakeHandler(std::forward<F>(handler)));
  }
  template <class F>
  void On(std::string_view member, Event event, F&& handler) {
    SetHandler(member, event, MakeHandler(std::forward<F>(handler)));
  }
  void SetHandler(Event event, Handler handler);
  void SetHandler(std::string_view member, Event event, Handler handler);

  // The Qt window (loading the form), for the layers that embed widgets. Like every
  // member access, raises 91 when the form's Load handler unloads it.
  QMainWindow* Window();
  // The widget members are placed on (the client surface).
  QWidget* Surface();

  // Destroys the window and members at once, raising no event (the end of the run).
  void Release();

  // Used by the window: a close request from the user (close box).
  void CloseFromUser();
  void RaiseFromUser(Event event, EventArgs args = {});
  // Raises a form event from the program's own code: a halt in its handler unwinds
  // the caller too.
  void RaiseFromCode(Event event, EventArgs args = {});
  // Used by the window: the user changed its size or state (run once after a burst
  // of changes, through the event boundary).
  void FollowWindowChange();

 private:
  struct Instance;
  template <class T>
  static T& As(Control& c) {
    if (auto* t = dynamic_cast<T*>(&c)) return *t;
    vb::Raise(vb::kTypeMismatch, "Type mismatch: '" + c.Name() + "' is a " + KindName(c.KindOf()));
  }
  // The loaded instance, loading the form first; raises 91 when the form's Load
  // handler unloaded it again.
  Instance& Inst();
  bool RunUnload(int16_t mode, bool fromCode);
  void Destroy();
  std::unique_ptr<Control> Build(const MemberSpec& spec);
  void Register(Control* c);
  void AssignAccessLetters();
  QWidget* ContainerWidget(const std::string& frame);
  void RaiseForm(Event event, EventArgs& args, bool fromCode);

  FormSpec spec_;
  std::unique_ptr<Instance> inst_;
  bool loading_ = false;
  bool locked_ = false;  // SetBusy
  int waits_ = 0;        // BeginWait less EndWait
  bool busy_ = false;    // as last worked out and shown
  uint64_t loads_ = 0;   // how many times the form was loaded
  friend class BusyWait;
};

// Marks a form as waiting for the time of one wait inside an event (a play to end).
class BusyWait {
 public:
  explicit BusyWait(Form* form);
  ~BusyWait();
  BusyWait(const BusyWait&) = delete;
  BusyWait& operator=(const BusyWait&) = delete;

 private:
  Form* form_;
  uint64_t load_;
};

// What follows a change of a form's window by the user (its size, or its state), once
// the events of the change are over: installed by the program, which lays the form
// out again; empty, nothing follows.
using WindowChangeFollower = std::function<void(Form&)>;
void SetWindowChangeFollower(WindowChangeFollower follower);

// The screen's width and height in twips.
double ScreenWidth();
double ScreenHeight();

// Runs one handler through the event boundary: `fromCode` for events caused by the
// program's own code, where a halt inside the handler must unwind the caller too.
void RunHandler(const Handler& handler, EventArgs& args, bool fromCode);

}  // namespace forms
