#include "platform/forms/Declaration.h"

namespace forms {

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::Label: return "label";
    case Kind::CommandButton: return "command button";
    case Kind::TextBox: return "text box";
    case Kind::ListBox: return "list box";
    case Kind::ComboBox: return "combo box";
    case Kind::DriveListBox: return "drive list box";
    case Kind::OptionButton: return "option button";
    case Kind::CheckBox: return "check box";
    case Kind::Frame: return "frame";
    case Kind::Line: return "line";
    case Kind::Shape: return "shape";
    case Kind::Picture: return "picture";
    case Kind::Slider: return "slider";
    case Kind::Grid: return "grid";
    case Kind::Timer: return "timer";
    case Kind::MenuItem: return "menu item";
    case Kind::MultimediaControl: return "multimedia control";
  }
  return "control";
}

// ---- Member ------------------------------------------------------------------

MemberSpec& Member::Spec() { return form_->Members[at_]; }

Member& Member::Caption(std::string text) { Spec().P.Caption = std::move(text); return *this; }
Member& Member::Text(std::string text) { Spec().P.Text = std::move(text); return *this; }
Member& Member::ToolTip(std::string text) { Spec().P.ToolTipText = std::move(text); return *this; }
Member& Member::Font(std::string name, double size, bool bold, bool italic) {
  Spec().P.Font = FontSpec{std::move(name), size, bold, italic, false};
  return *this;
}
Member& Member::BackColor(Colour c) { Spec().P.BackColor = c; return *this; }
Member& Member::ForeColor(Colour c) { Spec().P.ForeColor = c; return *this; }
Member& Member::BorderColor(Colour c) { Spec().P.BorderColor = c; return *this; }
Member& Member::BorderWidth(int16_t pixels) { Spec().P.BorderWidth = pixels; return *this; }
Member& Member::BorderStyle(int16_t style) { Spec().P.BorderStyle = style; return *this; }
Member& Member::BackStyle(int16_t style) { Spec().P.BackStyle = style; return *this; }
Member& Member::Alignment(int16_t alignment) { Spec().P.Alignment = alignment; return *this; }
Member& Member::NoWordWrap() { Spec().P.WordWrap = false; return *this; }
Member& Member::Hidden() { Spec().P.Visible = false; return *this; }
Member& Member::Disabled() { Spec().P.Enabled = false; return *this; }
Member& Member::LiveWhileBusy() { Spec().P.LiveWhileBusy = true; return *this; }
Member& Member::BusyWhileRunning() { Spec().P.BusyWhileRunning = true; return *this; }
Member& Member::Locked() { Spec().P.Locked = true; return *this; }
Member& Member::MultiLine() { Spec().P.MultiLine = true; return *this; }
Member& Member::Index(int16_t index) { Spec().Index = index; return *this; }
Member& Member::Range(int32_t min, int32_t max) {
  Spec().P.Min = min;
  Spec().P.Max = max;
  return *this;
}
Member& Member::Steps(int32_t smallChange, int32_t largeChange) {
  Spec().P.SmallChange = smallChange;
  Spec().P.LargeChange = largeChange;
  return *this;
}
Member& Member::Value(int32_t value) { Spec().P.Value = value; return *this; }
Member& Member::Interval(int32_t ms) { Spec().P.Interval = ms; return *this; }
Member& Member::OneShot() { Spec().P.OneShot = true; return *this; }
Member& Member::Checked() { Spec().P.Checked = true; return *this; }
Member& Member::Style(int16_t style) { Spec().P.Style = style; return *this; }
Member& Member::Items(std::vector<std::string> items) { Spec().P.Items = std::move(items); return *this; }
Member& Member::Cells(int32_t rows, int32_t cols, int32_t fixedRows, int32_t fixedCols) {
  Props& p = Spec().P;
  p.Rows = rows;
  p.Cols = cols;
  p.FixedRows = fixedRows;
  p.FixedCols = fixedCols;
  return *this;
}
Member& Member::Picture(std::string file) { Spec().P.PictureFile = std::move(file); return *this; }
Member& Member::Stretch() { Spec().P.Stretch = true; return *this; }
Member& Member::On(Event event, Handler handler) {
  Spec().Handlers[event] = std::move(handler);
  return *this;
}

// ---- Container ---------------------------------------------------------------

Member Container::Add(Kind kind, std::string name, Rect r, std::string caption) {
  MemberSpec m;
  m.kind = kind;
  m.Name = std::move(name);
  m.Container = frame_;
  m.P.Geometry = r;
  m.P.Caption = std::move(caption);
  return Member(*form_, form_->Append(std::move(m)));
}

Member Container::Label(std::string name, std::string caption, Rect r) {
  return Add(Kind::Label, std::move(name), r, std::move(caption));
}
Member Container::Button(std::string name, std::string caption, Rect r) {
  return Add(Kind::CommandButton, std::move(name), r, std::move(caption));
}
Member Container::TextBox(std::string name, Rect r) { return Add(Kind::TextBox, std::move(name), r); }
Member Container::List(std::string name, Rect r) { return Add(Kind::ListBox, std::move(name), r); }
Member Container::Combo(std::string name, Rect r) { return Add(Kind::ComboBox, std::move(name), r); }
Member Container::DriveList(std::string name, Rect r) { return Add(Kind::DriveListBox, std::move(name), r); }
Member Container::Option(std::string name, std::string caption, Rect r) {
  return Add(Kind::OptionButton, std::move(name), r, std::move(caption));
}
Member Container::CheckBox(std::string name, std::string caption, Rect r) {
  return Add(Kind::CheckBox, std::move(name), r, std::move(caption));
}
Member Container::Line(std::string name, Rect ends) { return Add(Kind::Line, std::move(name), ends); }
Member Container::Shape(std::string name, Rect r) { return Add(Kind::Shape, std::move(name), r); }
Member Container::PictureBox(std::string name, Rect r) { return Add(Kind::Picture, std::move(name), r); }
Member Container::Slider(std::string name, Rect r) { return Add(Kind::Slider, std::move(name), r); }
Member Container::Grid(std::string name, Rect r) { return Add(Kind::Grid, std::move(name), r); }

FrameMember Container::Frame(std::string name, std::string caption, Rect r) {
  Add(Kind::Frame, name, r, std::move(caption));
  return FrameMember(*form_, form_->Members.size() - 1, std::move(name));
}

// ---- Menu --------------------------------------------------------------------

MenuMember MenuMember::Item(std::string name, std::string caption) {
  MemberSpec m;
  m.kind = Kind::MenuItem;
  m.Name = name;
  m.ParentMenu = name_;
  m.P.Caption = std::move(caption);
  return MenuMember(*form_, form_->Append(std::move(m)), std::move(name));
}

MenuMember MenuMember::Separator(std::string name) { return Item(std::move(name), "-"); }

// ---- FormSpec ----------------------------------------------------------------

FormSpec::FormSpec(std::string name, std::string caption, int16_t id, Rect design)
    : Container(*this, ""), Caption(std::move(caption)), Design(design), name_(std::move(name)), id_(id) {}

FormSpec::FormSpec(const FormSpec& other)
    : Container(*this, ""),
      Caption(other.Caption),
      Design(other.Design),
      FormBackColor(other.FormBackColor),
      FormFont(other.FormFont),
      PictureFile(other.PictureFile),
      Handlers(other.Handlers),
      Members(other.Members),
      name_(other.name_),
      id_(other.id_) {}

FormSpec& FormSpec::operator=(const FormSpec& other) {
  if (this != &other) {
    Caption = other.Caption;
    Design = other.Design;
    FormBackColor = other.FormBackColor;
    FormFont = other.FormFont;
    PictureFile = other.PictureFile;
    Handlers = other.Handlers;
    Members = other.Members;
    name_ = other.name_;
    id_ = other.id_;
  }
  return *this;
}

size_t FormSpec::Append(MemberSpec m) {
  Members.push_back(std::move(m));
  return Members.size() - 1;
}

MenuMember FormSpec::Menu(std::string name, std::string caption) {
  MemberSpec m;
  m.kind = Kind::MenuItem;
  m.Name = name;
  m.P.Caption = std::move(caption);
  return MenuMember(*this, Append(std::move(m)), std::move(name));
}

Member FormSpec::Timer(std::string name) {
  MemberSpec m;
  m.kind = Kind::Timer;
  m.Name = std::move(name);
  m.P.Enabled = true;
  return Member(*this, Append(std::move(m)));
}

Member FormSpec::MultimediaControl(std::string name) {
  MemberSpec m;
  m.kind = Kind::MultimediaControl;
  m.Name = std::move(name);
  return Member(*this, Append(std::move(m)));
}

FormSpec& FormSpec::BackColor(Colour c) { FormBackColor = c; return *this; }
FormSpec& FormSpec::Font(std::string name, double size, bool bold) {
  FormFont = FontSpec{std::move(name), size, bold, false, false};
  return *this;
}
FormSpec& FormSpec::Picture(std::string file) { PictureFile = std::move(file); return *this; }
FormSpec& FormSpec::On(Event event, Handler handler) {
  Handlers[event] = std::move(handler);
  return *this;
}

}  // namespace forms
