// The members of a loaded form: controls, lines, shapes, timers, menu items and the
// multimedia control's placeholder. Each keeps its properties (Props) and mirrors
// them on its Qt object, so a property reads back exactly what was set.
//
// Properties every member answers are on Control; a property a kind does not have
// raises error 438. Kind-specific ones are on the subclasses (reach them with
// Form::Get<T>). Lengths are twips, colours colour references.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/forms/Declaration.h"

class QAction;
class QMenu;
class QTimer;

namespace forms {

class Form;

// Twips of the logical DPI (1440 per inch) to device-independent pixels and back.
int TwipsToPixels(double twips);
double PixelsToTwips(int pixels);

class Control {
 public:
  Control(Form& form, const MemberSpec& spec);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // The run-time kind test.
  Kind KindOf() const { return kind_; }
  bool IsKind(Kind k) const { return kind_ == k; }
  const std::string& Name() const { return name_; }
  int16_t Index() const { return index_; }  // -1 for a member outside an array
  Form& Parent() const { return *form_; }
  const std::string& ContainerName() const { return container_; }
  // The Qt widget, or nullptr for timers, menu items and the multimedia control.
  QWidget* Widget() const { return widget_; }

  // Geometry in twips, relative to the container. For a line these are its end
  // points: Left = X1, Top = Y1, Width = X2, Height = Y2 (use Line's own names).
  double Left() const { return p_.Geometry.Left; }
  double Top() const { return p_.Geometry.Top; }
  double Width() const { return p_.Geometry.Width; }
  virtual double Height() const { return p_.Geometry.Height; }
  void SetLeft(double v);
  void SetTop(double v);
  void SetWidth(double v);
  virtual void SetHeight(double v);
  void Move(double left, double top, double width, double height);

  bool Visible() const { return p_.Visible; }
  virtual void SetVisible(bool v);
  bool Enabled() const { return p_.Enabled; }
  virtual void SetEnabled(bool v);

  // Whether the learner's input (a click, a double click, an edit, a mouse release)
  // reaches this member now: it is enabled, so is the frame or menu holding it, and its
  // form is not busy, or the member is live while busy. Input refused here
  // changes nothing: no handler runs, no selection or text is taken.
  bool TakesInput() const;
  // Declared live while the form is busy, or a frame or menu holding such a member.
  bool LiveWhileBusy() const { return p_.LiveWhileBusy || holdsLive_; }
  // The frame or menu that holds this member; nullptr for a member of the form itself.
  Control* Holder() const { return holder_; }
  // Shows Enabled on the widget; while the form is busy a member the learner acts on
  // that is not live looks disabled as well, whatever its own Enabled says (captions and
  // read-only boxes keep their look).
  virtual void ApplyEnabled();
  // A member the learner acts on: a button, option, list, slider, grid, menu item or an
  // editable text box, a frame holding one, or any member with a handler of the
  // learner's input.
  bool ActsOnInput() const;

  virtual std::string Caption() const;
  virtual void SetCaption(const std::string& text);
  virtual std::string Text() const;
  virtual void SetText(const std::string& text);

  Colour BackColor() const;
  virtual void SetBackColor(Colour c);
  Colour ForeColor() const;
  virtual void SetForeColor(Colour c);

  // The height of one line of the member's font, in twips (0 for a member without a widget).
  double LineHeight() const;

  std::string FontName() const;
  double FontSize() const;
  bool FontBold() const;
  void SetFontName(const std::string& name);
  void SetFontSize(double points);
  void SetFontBold(bool bold);
  void SetFont(const FontSpec& font);

  const std::string& ToolTipText() const { return p_.ToolTipText; }
  void SetToolTipText(const std::string& text);
  // The help topic the member's What's This help shows (0 none); the screen shows it.
  int32_t WhatsThisHelpID() const { return p_.WhatsThisHelpID; }
  void SetWhatsThisHelpID(int32_t topic) { p_.WhatsThisHelpID = topic; }

  // Option buttons 0/1, check boxes 0/1/2, sliders in [Min, Max].
  virtual int32_t Value() const;
  virtual void SetValue(int32_t v);
  // Lists and combo boxes: the selected line, -1 for none.
  virtual int16_t ListIndex() const;
  virtual void SetListIndex(int16_t i);

  // 0 brings the member to the front of its container, 1 sends it to the back.
  void ZOrder(int16_t position = 0);
  // Repaints at once.
  void Refresh();
  // Gives the focus; a member that cannot take it (hidden, disabled, on a hidden
  // form) is left alone rather than raising an error.
  void SetFocus();

  // Replaces the handler of an event (a handler with or without EventArgs&; an
  // empty Handler removes it).
  template <class F>
  void On(Event event, F&& handler) {
    SetHandler(event, MakeHandler(std::forward<F>(handler)));
  }
  void SetHandler(Event event, Handler handler);
  bool Handles(Event event) const { return handlers_.count(event) != 0; }
  // Raises an event delivered by the window system (or a player): the handler runs
  // through the event boundary.
  void RaiseFromUser(Event event, EventArgs args = {});
  // Raises an event caused by the program's own code (a property set). A halt
  // inside the handler unwinds the caller too.
  void RaiseFromCode(Event event, EventArgs args = {});

  // The properties as they stand: used to copy element 0 into a new array element.
  const Props& Properties() const { return p_; }
  const std::map<Event, Handler>& Handlers() const { return handlers_; }
  // Cuts the member off from events once its form or element is unloaded.
  void Detach() { detached_ = true; }
  bool Detached() const { return detached_; }

 protected:
  [[noreturn]] void NotSupported(const char* property) const;
  // Pushes the stored properties onto the widget; subclasses extend.
  virtual void ApplyGeometry();
  virtual void ApplyColours();
  void ApplyFont();
  void ApplyCommon();
  // Turns mouse events of `target` into MouseUp, Click (when `click`) and DblClick.
  // `consume` keeps them from the widget (and so from the form's surface) for
  // members that have no click of their own.
  void WatchMouse(QWidget* target, bool click, bool consume);
  // A label or picture takes the keyboard (Tab, Space, Enter, arrows) while it takes a click.
  void ApplyKeyboardClick();

  Form* form_;
  Kind kind_;
  std::string name_;
  int16_t index_;
  std::string container_;
  Props p_;
  std::map<Event, Handler> handlers_;
  QPointer<QWidget> widget_;
  bool detached_ = false;

 private:
  friend class Form;
  class MouseWatcher;
  Control* holder_ = nullptr;
  bool holdsLive_ = false;
  bool holdsInput_ = false;
  std::vector<QObject*> watchers_;
};

class Label : public Control {
 public:
  Label(Form& form, const MemberSpec& spec, QWidget* parent);
  std::string Caption() const override { return p_.Caption; }
  void SetCaption(const std::string& text) override;
  void SetAlignment(int16_t alignment);  // 0 left, 1 right, 2 centre
  void SetBorderStyle(int16_t style);    // 0 none, 1 single
  int16_t BorderStyle() const { return p_.BorderStyle; }

 protected:
  void ApplyColours() override;
};

class CommandButton : public Control {
 public:
  CommandButton(Form& form, const MemberSpec& spec, QWidget* parent);
  std::string Caption() const override { return p_.Caption; }
  void SetCaption(const std::string& text) override;
  // Presses the button from code (Value = True): raises Click.
  void SetValue(int32_t v) override;
  int32_t Value() const override { return 0; }
};

class TextBox : public Control {
 public:
  TextBox(Form& form, const MemberSpec& spec, QWidget* parent);
  std::string Text() const override;
  void SetText(const std::string& text) override;  // raises Change when the text changes
  bool Locked() const { return p_.Locked; }
  void SetLocked(bool locked);  // read-only while locked
  int32_t SelStart() const;
  void SetSelStart(int32_t pos);

 private:
  void ShowText();  // the widget shows the stored text again
  bool setting_ = false;
};

// List boxes, combo boxes and drive list boxes share the list of lines and the
// selected line (ListIndex, -1 for none). Setting ListIndex from code raises Click
// when the selection changes; lines outside the list raise 381, an index outside it 380.
class ListControl : public Control {
 public:
  using Control::Control;
  // Inserts a line at `index` (-1: at the end).
  void AddItem(const std::string& item, int16_t index = -1);
  void RemoveItem(int16_t index);
  // Empties the list; nothing stays selected (no Click).
  void Clear();
  int16_t ListCount() const { return static_cast<int16_t>(LineCount()); }
  std::string List(int16_t index) const;
  // The selected line's text ("" for none).
  std::string Text() const override;
  int16_t ListIndex() const override { return current_; }
  void SetListIndex(int16_t i) override;

 protected:
  // The widget's side: lines and the shown selection, changed without signals.
  virtual int LineCount() const = 0;
  virtual std::string LineText(int index) const = 0;
  virtual void InsertLine(int index, const std::string& text) = 0;
  virtual void RemoveLine(int index) = 0;
  virtual void ClearLines() = 0;
  virtual void ShowCurrent() = 0;
  // A choice by the user.
  void UserChose(int index);
  int16_t current_ = -1;
};

class ListBox : public ListControl {
 public:
  ListBox(Form& form, const MemberSpec& spec, QWidget* parent);

 protected:
  int LineCount() const override;
  std::string LineText(int index) const override;
  void InsertLine(int index, const std::string& text) override;
  void RemoveLine(int index) override;
  void ClearLines() override;
  void ShowCurrent() override;
};

class ComboBox : public ListControl {
 public:
  // Also the drive list box, whose lines are the drives (file system roots).
  ComboBox(Form& form, const MemberSpec& spec, QWidget* parent);
  // An editable combo box's text; a drop-down list's selected line.
  std::string Text() const override;
  void SetText(const std::string& text) override;
  // The window system fixes a combo box's height: setting it has no effect.
  double Height() const override;
  void SetHeight(double v) override;

 protected:
  void ApplyGeometry() override;
  int LineCount() const override;
  std::string LineText(int index) const override;
  void InsertLine(int index, const std::string& text) override;
  void RemoveLine(int index) override;
  void ClearLines() override;
  void ShowCurrent() override;
};

class OptionButton : public Control {
 public:
  OptionButton(Form& form, const MemberSpec& spec, QWidget* parent);
  std::string Caption() const override { return p_.Caption; }
  void SetCaption(const std::string& text) override;
  int32_t Value() const override { return p_.Value; }
  // 1 selects the option, clears the others of its container and raises Click
  // (only when it was not selected); 0 clears it without an event, so a group
  // can be left with none selected.
  void SetValue(int32_t v) override;
  // A click by the user.
  void Select();

 private:
  void ClearSiblings();
};

class CheckBox : public Control {
 public:
  CheckBox(Form& form, const MemberSpec& spec, QWidget* parent);
  std::string Caption() const override { return p_.Caption; }
  void SetCaption(const std::string& text) override;
  int32_t Value() const override { return p_.Value; }
  // 0 unchecked, 1 checked, 2 greyed; raises Click when it changes.
  void SetValue(int32_t v) override;
};

class Frame : public Control {
 public:
  Frame(Form& form, const MemberSpec& spec, QWidget* parent);
  std::string Caption() const override { return p_.Caption; }
  void SetCaption(const std::string& text) override;
};

class Line : public Control {
 public:
  Line(Form& form, const MemberSpec& spec, QWidget* parent);
  double X1() const { return p_.Geometry.Left; }
  double Y1() const { return p_.Geometry.Top; }
  double X2() const { return p_.Geometry.Width; }
  double Y2() const { return p_.Geometry.Height; }
  void SetX1(double v) { SetLeft(v); }
  void SetY1(double v) { SetTop(v); }
  void SetX2(double v) { SetWidth(v); }
  void SetY2(double v) { SetHeight(v); }
  int16_t BorderWidth() const { return p_.BorderWidth; }
  void SetBorderWidth(int16_t pixels);
  Colour BorderColor() const;
  void SetBorderColor(Colour c);
  // The end points in pixels of the container, as painted.
  QPoint PaintedStart() const;
  QPoint PaintedEnd() const;

 protected:
  void ApplyGeometry() override;
};

class Shape : public Control {
 public:
  Shape(Form& form, const MemberSpec& spec, QWidget* parent);
  int16_t BorderWidth() const { return p_.BorderWidth; }
  void SetBorderWidth(int16_t pixels);
  Colour BorderColor() const;
  void SetBorderColor(Colour c);
  void SetBackColor(Colour c) override;
};

class Picture : public Control {
 public:
  Picture(Form& form, const MemberSpec& spec, QWidget* parent);
  // Loads a picture file (JPEG, BMP, PNG, GIF); "" clears it. A missing file raises
  // 53, a file that is not a picture 481.
  void LoadPicture(const std::string& file);
  const std::string& PictureFile() const { return p_.PictureFile; }

 protected:
  void ApplyGeometry() override;
};

class Slider : public Control {
 public:
  Slider(Form& form, const MemberSpec& spec, QWidget* parent);
  int32_t Value() const override { return p_.Value; }
  // Clamped to [Min, Max]; raises Change when the value changes.
  void SetValue(int32_t v) override;
  int32_t Min() const { return p_.Min; }
  int32_t Max() const { return p_.Max; }
  void SetRange(int32_t min, int32_t max);

 private:
  bool setting_ = false;
};

// A grid of text cells with fixed (header) rows and columns.
class Grid : public Control {
 public:
  Grid(Form& form, const MemberSpec& spec, QWidget* parent);
  int32_t Rows() const;
  int32_t Cols() const;
  void SetRows(int32_t n);
  void SetCols(int32_t n);
  int32_t FixedRows() const { return p_.FixedRows; }
  int32_t FixedCols() const { return p_.FixedCols; }
  // Cell texts; a row or column outside the grid raises 381.
  std::string TextMatrix(int32_t row, int32_t col) const;
  void SetTextMatrix(int32_t row, int32_t col, const std::string& text);
  // The current cell's text.
  std::string Text() const override;
  void SetText(const std::string& text) override;
  double ColWidth(int32_t col) const;
  void SetColWidth(int32_t col, double twips);
  double RowHeight(int32_t row) const;
  void SetRowHeight(int32_t row, double twips);
  int32_t Row() const { return row_; }
  int32_t Col() const { return col_; }
  int32_t RowSel() const { return rowSel_; }
  int32_t ColSel() const { return colSel_; }
  // The current cell. Set by the program, or by the user's click or arrow keys; the
  // current cell of a scrolling row is also the one the view highlights.
  void SetRow(int32_t row);
  void SetCol(int32_t col);
  // 4 centres the current cell's text (left-top 0, centre-centre 4, right-centre 7).
  void SetCellAlignment(int16_t alignment);
  void SetColAlignment(int32_t col, int16_t alignment);
  // The current cell's font weight and background (the background of fixed cells is
  // the button face until set).
  bool CellFontBold() const;
  void SetCellFontBold(bool bold);
  Colour CellBackColor() const;
  void SetCellBackColor(Colour c);
  // A heading (a grid of fixed rows alone): each row takes at least the height its
  // text needs, the grid the height of its rows, and it never scrolls.
  void FitHeading();
  // Which scroll bars the grid may show: 0 none, 1 horizontal, 2 vertical, 3 both (each
  // only when needed).
  void SetScrollBars(int16_t bars);
  // The first row shown at the top of the grid; setting it scrolls.
  int32_t TopRow() const;
  void SetTopRow(int32_t row);
  // Empties every cell; the size stays.
  void Clear();

  // Used by the widget: Enter on the current cell acts as a click on it.
  void EnterPressed();

 private:
  void CheckCell(int32_t row, int32_t col) const;
  void StyleCell(int32_t row, int32_t col);
  // A text too long for its column shows whole on hover.
  void FitToolTip(int32_t row, int32_t col);
  void ShowCurrentCell();
  int32_t row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
  bool settingCurrent_ = false;
};

class Timer : public Control {
 public:
  Timer(Form& form, const MemberSpec& spec);
  ~Timer() override;
  // A timer ticks every Interval ms while Enabled and Interval > 0; a one-shot timer
  // switches itself off before its tick is delivered.
  void SetEnabled(bool v) override;
  int32_t Interval() const { return p_.Interval; }
  void SetInterval(int32_t ms);
  void SetOneShot(bool oneShot) { p_.OneShot = oneShot; }
  // A timer that ends a wait, running: its form is busy.
  bool Waiting() const;

  // For tests that move time by hand: while timers are held, no timer ticks by itself,
  // and Tick delivers the tick of a timer that is on, as its interval ending would.
  static void HoldTimers(bool held);
  static bool TimersHeld();
  void Tick();

 private:
  void Restart();
  QTimer* timer_;
};

class MenuItem : public Control {
 public:
  // parentMenu: the menu that holds it, or nullptr for the menu bar.
  MenuItem(Form& form, const MemberSpec& spec, QWidget* menuBar, MenuItem* parentMenu);
  ~MenuItem() override;
  std::string Caption() const override { return p_.Caption; }
  void SetCaption(const std::string& text) override;
  void SetVisible(bool v) override;
  void SetEnabled(bool v) override;
  void ApplyEnabled() override;
  // The check mark; only the program sets it (a click leaves it as it is).
  bool Checked() const { return p_.Checked; }
  void SetChecked(bool checked);
  bool IsSeparator() const { return p_.Caption == "-"; }
  // A menu of the menu bar (not an item inside a menu).
  bool OnMenuBar() const { return parentMenu_ == nullptr; }
  // The letter that Alt opens this menu of the menu bar with, when its caption names
  // none ("&" before a letter) or one another menu has; shown underlined in place of
  // the caption's own, the caption itself unchanged.
  void SetAccessLetter(char letter);
  QAction* Action() const { return action_; }
  MenuItem* ParentMenu() const { return parentMenu_; }
  // Called by a child item: this item becomes a menu.
  QMenu* AsMenu();

 private:
  void ShowCaption();
  void ShowCheck();

  QWidget* menuBar_;
  MenuItem* parentMenu_;
  char accessLetter_ = 0;
  QPointer<QAction> action_;
  QPointer<QMenu> menu_;
};

// Placeholder of the multimedia control: it holds the player object that the
// player layer attaches (see SetMultimediaFactory) and relays its events.
class MultimediaMember : public Control {
 public:
  MultimediaMember(Form& form, const MemberSpec& spec);
  ~MultimediaMember() override;
  QObject* Object() const { return object_; }
  // Takes ownership; the object is deleted with the member.
  void Attach(QObject* object);

 private:
  QPointer<QObject> object_;
};

// The player layer installs a factory that makes the player of each multimedia
// member when its form loads, and wires the player's events to RaiseFromUser(Done /
// StatusUpdate). Without one the member holds no object.
using MultimediaFactory = std::function<QObject*(MultimediaMember& member)>;
void SetMultimediaFactory(MultimediaFactory factory);
const MultimediaFactory& GetMultimediaFactory();

}  // namespace forms
