#include "platform/forms/Control.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QStyle>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

#include "platform/forms/Form.h"
#include "platform/vb/Error.h"

namespace forms {

// ---- units -------------------------------------------------------------------

namespace {

double LogicalDpi() {
  if (auto* screen = QGuiApplication::primaryScreen()) return screen->logicalDotsPerInchX();
  return 96.0;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A label shows "&x" as x with the mnemonic and "&&" as "&".
QString WithoutMnemonic(const std::string& s) {
  QString out;
  const QString in = Q(s);
  for (int i = 0; i < in.size(); ++i) {
    if (in[i] == '&' && i + 1 < in.size()) {
      ++i;
    } else if (in[i] == '&') {
      continue;
    }
    out += in[i];
  }
  return out;
}

// Text boxes take the program's line breaks (CR LF, LF CR, CR or LF).
QString DisplayLines(const std::string& s) {
  QString t = Q(s);
  t.replace("\r\n", "\n");
  t.replace("\n\r", "\n");
  t.replace('\r', '\n');
  return t;
}

int16_t MouseButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

int16_t ShiftOf(Qt::KeyboardModifiers m) {
  int16_t s = 0;
  if (m & Qt::ShiftModifier) s |= 1;
  if (m & Qt::ControlModifier) s |= 2;
  if (m & Qt::AltModifier) s |= 4;
  return s;
}

MultimediaFactory& FactorySlot() {
  static MultimediaFactory f;
  return f;
}

// Paints a line between two points of its container.
class LineWidget : public QWidget {
 public:
  explicit LineWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
  }
  QPoint a, b;  // in the container's pixels
  QColor colour = Qt::black;
  int width = 1;
  bool solid = true;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!solid) return;
    QPainter p(this);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a - pos(), b - pos());
  }
};

// A filled rectangle with a border.
class ShapeWidget : public QWidget {
 public:
  explicit ShapeWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }
  QColor fill = Qt::white, border = Qt::black;
  bool opaque = true, framed = true;
  int borderWidth = 1;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (opaque) p.fillRect(rect(), fill);
    if (framed && borderWidth > 0) {
      p.setPen(QPen(border, borderWidth));
      const int h = borderWidth / 2;
      p.drawRect(rect().adjusted(h, h, -(borderWidth - h), -(borderWidth - h)));
    }
  }
};

EventArgs MouseArgs(const QMouseEvent* me) {
  EventArgs args;
  args.Button = MouseButtonOf(me->button());
  args.Shift = ShiftOf(me->modifiers());
  args.X = PixelsToTwips(me->position().toPoint().x());
  args.Y = PixelsToTwips(me->position().toPoint().y());
  return args;
}

// An option button whose check mark only the program (through Select) changes. Its
// MouseUp follows its Click, so a MouseUp handler may clear the option again.
class OptionWidget : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;
  std::function<void(const QMouseEvent*)> released;

 protected:
  void nextCheckState() override {}
  void mouseReleaseEvent(QMouseEvent* e) override {
    QRadioButton::mouseReleaseEvent(e);
    if (released) released(e);
  }
};

void RequireRange(bool ok, const std::string& what) {
  if (!ok) vb::Raise(vb::kInvalidPropertyValue, "Invalid property value (" + what + ")");
}

void RequireIndex(bool ok, const std::string& what) {
  if (!ok) vb::Raise(vb::kInvalidArrayIndex, "Invalid property array index (" + what + ")");
}

}  // namespace

int TwipsToPixels(double twips) { return static_cast<int>(std::lround(twips * LogicalDpi() / 1440.0)); }
double PixelsToTwips(int pixels) { return pixels * 1440.0 / LogicalDpi(); }

void SetMultimediaFactory(MultimediaFactory factory) { FactorySlot() = std::move(factory); }
const MultimediaFactory& GetMultimediaFactory() { return FactorySlot(); }

// ---- mouse events --------------------------------------------------------------

class Control::MouseWatcher : public QObject {
 public:
  MouseWatcher(Control* owner, QWidget* target, bool click, bool consume)
      : QObject(target), owner_(owner), target_(target), click_(click), consume_(consume) {}

 protected:
  bool eventFilter(QObject*, QEvent* ev) override {
    switch (ev->type()) {
      case QEvent::MouseButtonPress:
        return consume_;
      case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(ev);
        const EventArgs args = MouseArgs(me);
        const bool inside = target_->rect().contains(me->position().toPoint());
        Control* owner = owner_;
        owner->RaiseFromUser(Event::MouseUp, args);
        if (click_ && inside && me->button() == Qt::LeftButton) owner->RaiseFromUser(Event::Click);
        return consume_;
      }
      case QEvent::MouseButtonDblClick:
        owner_->RaiseFromUser(Event::DblClick);
        return consume_;
      default:
        return false;
    }
  }

 private:
  Control* owner_;
  QWidget* target_;
  bool click_, consume_;
};

// ---- Control -------------------------------------------------------------------

Control::Control(Form& form, const MemberSpec& spec)
    : form_(&form),
      kind_(spec.kind),
      name_(spec.Name),
      index_(spec.Index),
      container_(spec.Container),
      p_(spec.P),
      handlers_(spec.Handlers) {
  if (!p_.Font && form.Spec().FormFont) p_.Font = form.Spec().FormFont;
}

Control::~Control() {
  if (widget_) delete widget_.data();
}

void Control::NotSupported(const char* property) const {
  vb::Raise(vb::kNotSupported,
            std::string("Object doesn't support this property or method (") + property + " of " + name_ + ")");
}

void Control::ApplyGeometry() {
  if (!widget_) return;
  const Rect& g = p_.Geometry;
  widget_->setGeometry(TwipsToPixels(g.Left), TwipsToPixels(g.Top), std::max(0, TwipsToPixels(g.Width)),
                       std::max(0, TwipsToPixels(g.Height)));
}

void Control::ApplyColours() {
  if (!widget_) return;
  QPalette pal = widget_->palette();
  if (p_.BackColor) {
    widget_->setAutoFillBackground(true);
    pal.setColor(widget_->backgroundRole(), ToQColor(*p_.BackColor));
    pal.setColor(QPalette::Button, ToQColor(*p_.BackColor));
  }
  if (p_.ForeColor) {
    const QColor c = ToQColor(*p_.ForeColor);
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    pal.setColor(QPalette::ButtonText, c);
  }
  widget_->setPalette(pal);
}

void Control::ApplyFont() {
  if (!widget_ || !p_.Font) return;
  QFont f = widget_->font();
  if (!p_.Font->Name.empty()) f.setFamily(Q(p_.Font->Name));
  if (p_.Font->Size > 0) f.setPointSizeF(p_.Font->Size);
  f.setBold(p_.Font->Bold);
  f.setItalic(p_.Font->Italic);
  f.setUnderline(p_.Font->Underline);
  widget_->setFont(f);
}

void Control::ApplyCommon() {
  if (!widget_) return;
  ApplyGeometry();
  ApplyColours();
  ApplyFont();
  widget_->setToolTip(Q(p_.ToolTipText));
  ApplyEnabled();
  widget_->setVisible(p_.Visible);
}

void Control::WatchMouse(QWidget* target, bool click, bool consume) {
  auto* w = new MouseWatcher(this, target, click, consume);
  target->installEventFilter(w);
}

void Control::SetLeft(double v) { p_.Geometry.Left = v; ApplyGeometry(); }
void Control::SetTop(double v) { p_.Geometry.Top = v; ApplyGeometry(); }
void Control::SetWidth(double v) { p_.Geometry.Width = v; ApplyGeometry(); }
void Control::SetHeight(double v) { p_.Geometry.Height = v; ApplyGeometry(); }
void Control::Move(double left, double top, double width, double height) {
  p_.Geometry = Rect{left, top, width, height};
  ApplyGeometry();
}

void Control::SetVisible(bool v) {
  p_.Visible = v;
  if (widget_) widget_->setVisible(v);
}

void Control::SetEnabled(bool v) {
  p_.Enabled = v;
  ApplyEnabled();
}

void Control::ApplyEnabled() {
  if (widget_) widget_->setEnabled(p_.Enabled && !(form_->Busy() && ActsOnInput() && !LiveWhileBusy()));
}

bool Control::ActsOnInput() const {
  switch (kind_) {
    case Kind::CommandButton:
    case Kind::OptionButton:
    case Kind::CheckBox:
    case Kind::ListBox:
    case Kind::ComboBox:
    case Kind::DriveListBox:
    case Kind::Slider:
    case Kind::Grid:
    case Kind::MenuItem:
      return true;
    case Kind::TextBox:
      if (!p_.Locked) return true;
      break;
    case Kind::Frame:
      if (holdsInput_) return true;
      break;
    default:
      break;
  }
  for (Event e : {Event::Click, Event::DblClick, Event::Change, Event::MouseUp})
    if (handlers_.count(e) != 0) return true;
  return false;
}

bool Control::TakesInput() const {
  if (detached_ || !p_.Enabled) return false;
  if (form_->Busy() && !LiveWhileBusy()) return false;
  return holder_ == nullptr || holder_->TakesInput();
}

namespace {
// The events through which the learner acts on a member; the others (timers, the
// player's notices, the form's own events) come whatever the member's state.
bool IsInput(Event event) {
  return event == Event::Click || event == Event::DblClick || event == Event::Change || event == Event::MouseUp;
}
}  // namespace

std::string Control::Caption() const { NotSupported("Caption"); }
void Control::SetCaption(const std::string&) { NotSupported("Caption"); }
std::string Control::Text() const { NotSupported("Text"); }
void Control::SetText(const std::string&) { NotSupported("Text"); }
int32_t Control::Value() const { NotSupported("Value"); }
void Control::SetValue(int32_t) { NotSupported("Value"); }
int16_t Control::ListIndex() const { NotSupported("ListIndex"); }
void Control::SetListIndex(int16_t) { NotSupported("ListIndex"); }

namespace {
bool TextLike(Kind k) {
  return k == Kind::TextBox || k == Kind::ListBox || k == Kind::ComboBox || k == Kind::DriveListBox || k == Kind::Grid;
}
}  // namespace

Colour Control::BackColor() const { return p_.BackColor.value_or(TextLike(kind_) ? kSysWindow : kSysButtonFace); }
void Control::SetBackColor(Colour c) {
  p_.BackColor = c;
  ApplyColours();
  if (widget_) widget_->update();
}
Colour Control::ForeColor() const { return p_.ForeColor.value_or(TextLike(kind_) ? kSysWindowText : kSysButtonText); }
void Control::SetForeColor(Colour c) {
  p_.ForeColor = c;
  ApplyColours();
  if (widget_) widget_->update();
}

double Control::LineHeight() const { return widget_ ? PixelsToTwips(QFontMetrics(widget_->font()).height()) : 0.0; }

std::string Control::FontName() const {
  if (p_.Font && !p_.Font->Name.empty()) return p_.Font->Name;
  return widget_ ? widget_->font().family().toStdString() : std::string();
}
double Control::FontSize() const {
  if (p_.Font && p_.Font->Size > 0) return p_.Font->Size;
  return widget_ ? widget_->font().pointSizeF() : 0.0;
}
bool Control::FontBold() const { return p_.Font && p_.Font->Bold; }
void Control::SetFontName(const std::string& name) {
  if (!p_.Font) p_.Font = FontSpec{};
  p_.Font->Name = name;
  ApplyFont();
}
void Control::SetFontSize(double points) {
  if (!p_.Font) p_.Font = FontSpec{};
  p_.Font->Size = points;
  ApplyFont();
}
void Control::SetFontBold(bool bold) {
  if (!p_.Font) p_.Font = FontSpec{};
  p_.Font->Bold = bold;
  ApplyFont();
}
void Control::SetFont(const FontSpec& font) {
  p_.Font = font;
  ApplyFont();
}

void Control::SetToolTipText(const std::string& text) {
  p_.ToolTipText = text;
  if (widget_) widget_->setToolTip(Q(text));
}

void Control::ZOrder(int16_t position) {
  if (!widget_) return;
  if (position == 0) {
    widget_->raise();
  } else {
    widget_->lower();
  }
}

void Control::Refresh() {
  if (widget_) widget_->repaint();
}

void Control::SetFocus() {
  if (widget_ && widget_->isVisible() && widget_->isEnabled()) widget_->setFocus(Qt::OtherFocusReason);
}

void Control::SetHandler(Event event, Handler handler) {
  if (handler) {
    handlers_[event] = std::move(handler);
  } else {
    handlers_.erase(event);
  }
  ApplyKeyboardClick();
}

void Control::RaiseFromUser(Event event, EventArgs args) {
  if (detached_ || (IsInput(event) && !TakesInput())) return;
  auto it = handlers_.find(event);
  if (it == handlers_.end()) return;
  args.Index = index_;
  const Handler h = it->second;  // the member may be unloaded by its own handler
  RunHandler(h, args, false);
}

void Control::RaiseFromCode(Event event, EventArgs args) {
  if (detached_) return;
  auto it = handlers_.find(event);
  if (it == handlers_.end()) return;
  args.Index = index_;
  args.FromCode = true;
  const Handler h = it->second;
  RunHandler(h, args, true);
}

// ---- labels and pictures that take a click ---------------------------------------

namespace {
// The widget of a label or picture. One that takes a click (a Click handler) takes the
// keyboard too, so that what is clicked on a screen (the Composer's slots, palette and
// time values, the keys of a keyboard) can be reached without a mouse: Tab stops at it,
// Space or Enter clicks it, an arrow key moves to the nearest such member beside it in
// that direction, and it is framed while it has the focus.
class LabelWidget : public QLabel {
 public:
  LabelWidget(QWidget* parent, Control* owner) : QLabel(parent), owner_(owner) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (focusPolicy() == Qt::NoFocus || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
      QLabel::keyPressEvent(e);
      return;
    }
    switch (e->key()) {
      case Qt::Key_Space:
      case Qt::Key_Return:
      case Qt::Key_Enter:
        e->accept();
        if (!e->isAutoRepeat()) owner_->RaiseFromUser(Event::Click);  // as a click: nothing after it
        return;
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Up:
      case Qt::Key_Down:
        e->accept();
        if (QWidget* next = Beside(e->key())) next->setFocus(Qt::TabFocusReason);
        return;
      default: QLabel::keyPressEvent(e);
    }
  }
  void paintEvent(QPaintEvent* e) override {
    QLabel::paintEvent(e);
    if (!hasFocus()) return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
  }
  void focusInEvent(QFocusEvent* e) override {
    QLabel::focusInEvent(e);
    update();
  }
  void focusOutEvent(QFocusEvent* e) override {
    QLabel::focusOutEvent(e);
    update();
  }

 private:
  // The nearest member beside this one in the arrow's direction (within 45 degrees of it)
  // that takes a click now (shown and enabled), among those of the same container; a
  // member straight in line comes before one that lies off to the side.
  QWidget* Beside(int key) const {
    if (parentWidget() == nullptr) return nullptr;
    const QPoint from = geometry().center();
    QWidget* best = nullptr;
    long bestScore = 0;
    for (QObject* o : parentWidget()->children()) {
      auto* w = dynamic_cast<LabelWidget*>(o);
      if (w == nullptr || w == this || w->focusPolicy() == Qt::NoFocus || !w->isVisible() || !w->isEnabled()) continue;
      const QPoint to = w->geometry().center();
      const int dx = to.x() - from.x(), dy = to.y() - from.y();
      const int ahead = key == Qt::Key_Right ? dx : key == Qt::Key_Left ? -dx : key == Qt::Key_Down ? dy : -dy;
      const int aside = key == Qt::Key_Right || key == Qt::Key_Left ? std::abs(dy) : std::abs(dx);
      if (ahead <= 0 || aside > ahead) continue;  // within 45 degrees of the arrow
      const long score = static_cast<long>(ahead) + 4L * aside;
      if (best == nullptr || score < bestScore) {
        best = w;
        bestScore = score;
      }
    }
    return best;
  }

  Control* owner_;
};
}  // namespace

void Control::ApplyKeyboardClick() {
  if (widget_ && (kind_ == Kind::Label || kind_ == Kind::Picture))
    widget_->setFocusPolicy(Handles(Event::Click) ? Qt::TabFocus : Qt::NoFocus);
}

// ---- Label ---------------------------------------------------------------------

Label::Label(Form& form, const MemberSpec& spec, QWidget* parent) : Control(form, spec) {
  if (p_.BorderStyle < 0) p_.BorderStyle = 0;
  auto* l = new LabelWidget(parent, this);
  l->setTextFormat(Qt::PlainText);
  l->setWordWrap(p_.WordWrap);
  widget_ = l;
  SetCaption(p_.Caption);
  SetAlignment(p_.Alignment);
  SetBorderStyle(p_.BorderStyle);
  WatchMouse(l, true, true);
  ApplyKeyboardClick();
  ApplyCommon();
}

void Label::SetCaption(const std::string& text) {
  p_.Caption = text;
  static_cast<QLabel*>(widget_.data())->setText(WithoutMnemonic(text));
}

void Label::SetAlignment(int16_t alignment) {
  p_.Alignment = alignment;
  Qt::Alignment a = Qt::AlignTop | (alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
  static_cast<QLabel*>(widget_.data())->setAlignment(a);
}

void Label::SetBorderStyle(int16_t style) {
  p_.BorderStyle = style;
  auto* l = static_cast<QLabel*>(widget_.data());
  l->setFrameShape(style == 1 ? QFrame::Box : QFrame::NoFrame);
  l->setLineWidth(1);
}

void Label::ApplyColours() {
  Control::ApplyColours();
  if (widget_ && p_.BackStyle == 0) widget_->setAutoFillBackground(false);
}

// ---- CommandButton --------------------------------------------------------------

CommandButton::CommandButton(Form& form, const MemberSpec& spec, QWidget* parent) : Control(form, spec) {
  auto* b = new QPushButton(parent);
  b->setAutoDefault(false);
  widget_ = b;
  SetCaption(p_.Caption);
  QObject::connect(b, &QPushButton::clicked, b, [this] { RaiseFromUser(Event::Click); });
  WatchMouse(b, false, false);
  ApplyCommon();
}

void CommandButton::SetCaption(const std::string& text) {
  p_.Caption = text;
  static_cast<QPushButton*>(widget_.data())->setText(Q(text));
}

void CommandButton::SetValue(int32_t v) {
  if (v != 0) RaiseFromCode(Event::Click);
}

// ---- TextBox -------------------------------------------------------------------

namespace {
// A locked text box with a Click handler is clicked, not typed in (the Composer's aroha,
// avroha and pakad, the illustration screen's notation): Space or Enter on it clicks
// it, as the mouse would.
class KeyClickFilter : public QObject {
 public:
  KeyClickFilter(QObject* parent, TextBox* owner) : QObject(parent), owner_(owner) {}

 protected:
  bool eventFilter(QObject*, QEvent* ev) override {
    if (ev->type() != QEvent::KeyPress || !owner_->Locked() || !owner_->Handles(Event::Click)) return false;
    auto* key = static_cast<QKeyEvent*>(ev);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    if (key->key() != Qt::Key_Space && key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (!key->isAutoRepeat()) owner_->RaiseFromUser(Event::Click);
    return true;
  }

 private:
  TextBox* owner_;
};
}  // namespace

TextBox::TextBox(Form& form, const MemberSpec& spec, QWidget* parent) : Control(form, spec) {
  if (p_.MultiLine) {
    auto* e = new QPlainTextEdit(parent);
    e->setPlainText(DisplayLines(p_.Text));
    QObject::connect(e, &QPlainTextEdit::textChanged, e, [this, e] {
      if (setting_) return;
      if (!TakesInput()) {
        ShowText();
        return;
      }
      p_.Text = e->toPlainText().toStdString();
      RaiseFromUser(Event::Change);
    });
    widget_ = e;
    WatchMouse(e->viewport(), true, false);
  } else {
    auto* e = new QLineEdit(parent);
    e->setText(Q(p_.Text));
    QObject::connect(e, &QLineEdit::textEdited, e, [this](const QString& t) {
      if (!TakesInput()) {
        ShowText();
        return;
      }
      p_.Text = t.toStdString();
      RaiseFromUser(Event::Change);
    });
    widget_ = e;
    WatchMouse(e, true, false);
  }
  widget_->installEventFilter(new KeyClickFilter(widget_, this));
  SetLocked(p_.Locked);
  ApplyCommon();
}

std::string TextBox::Text() const { return p_.Text; }

void TextBox::SetText(const std::string& text) {
  if (text == p_.Text) return;
  p_.Text = text;
  ShowText();
  RaiseFromCode(Event::Change);
}

void TextBox::ShowText() {
  setting_ = true;
  if (auto* e = qobject_cast<QPlainTextEdit*>(widget_.data())) {
    e->setPlainText(DisplayLines(p_.Text));
  } else {
    // A one-line box shows the start of its text (all of it where it fits), not its end;
    // in the box the learner is typing in, the cursor stays at the end of what was typed.
    auto* line = static_cast<QLineEdit*>(widget_.data());
    line->setText(Q(p_.Text));
    if (!line->hasFocus()) line->setCursorPosition(0);
  }
  setting_ = false;
}

void TextBox::SetLocked(bool locked) {
  p_.Locked = locked;
  ApplyEnabled();
  if (auto* e = qobject_cast<QPlainTextEdit*>(widget_.data())) {
    e->setReadOnly(locked);
  } else {
    static_cast<QLineEdit*>(widget_.data())->setReadOnly(locked);
  }
}

int32_t TextBox::SelStart() const {
  if (auto* e = qobject_cast<QPlainTextEdit*>(widget_.data())) return e->textCursor().position();
  return static_cast<QLineEdit*>(widget_.data())->cursorPosition();
}

void TextBox::SetSelStart(int32_t pos) {
  if (auto* e = qobject_cast<QPlainTextEdit*>(widget_.data())) {
    QTextCursor c = e->textCursor();
    c.setPosition(std::clamp(pos, 0, static_cast<int>(e->toPlainText().size())));
    e->setTextCursor(c);
  } else {
    static_cast<QLineEdit*>(widget_.data())->setCursorPosition(pos);
  }
}

// ---- ListControl ---------------------------------------------------------------

void ListControl::AddItem(const std::string& item, int16_t index) {
  RequireIndex(index >= -1 && index <= LineCount(), name_ + ".AddItem");
  if (index < 0) {
    InsertLine(LineCount(), item);
  } else {
    InsertLine(index, item);
    if (current_ >= index) ++current_;
  }
  ShowCurrent();
}

void ListControl::RemoveItem(int16_t index) {
  RequireIndex(index >= 0 && index < LineCount(), name_ + ".RemoveItem");
  RemoveLine(index);
  if (current_ == index) {
    current_ = -1;
  } else if (current_ > index) {
    --current_;
  }
  ShowCurrent();
}

void ListControl::Clear() {
  ClearLines();
  current_ = -1;
}

std::string ListControl::List(int16_t index) const {
  RequireIndex(index >= -1 && index < LineCount(), name_ + ".List");
  return index < 0 ? std::string() : LineText(index);
}

std::string ListControl::Text() const { return List(current_); }

void ListControl::SetListIndex(int16_t i) {
  RequireRange(i >= -1 && i < LineCount(), name_ + ".ListIndex");
  if (i == current_) return;
  current_ = i;
  ShowCurrent();
  RaiseFromCode(Event::Click);
}

void ListControl::UserChose(int index) {
  if (!TakesInput()) {
    ShowCurrent();
    return;
  }
  current_ = static_cast<int16_t>(index);
  RaiseFromUser(Event::Click);
}

// ---- ListBox -------------------------------------------------------------------

namespace {
// A list that takes the focus without a click (Tab, or a focused button hidden or
// disabled by the program) chooses no line: the view would make its first line current
// and so report a choice the user never made. The keys that move through the list
// (arrows, pages, Home, End, a typed letter) only move its highlight; Enter or Space
// chooses the highlighted line, as a click on it does.
class ListWidget : public QListWidget {
 public:
  using QListWidget::QListWidget;
  std::function<void(int row)> chosen;
  std::function<int()> listIndex;  // the line chosen last
  bool moving = false;             // while a key moves the highlight

 protected:
  void focusInEvent(QFocusEvent* e) override {
    if (currentRow() >= 0 || e->reason() == Qt::MouseFocusReason) {
      QListWidget::focusInEvent(e);
      return;
    }
    QSignalBlocker block(this);
    QListWidget::focusInEvent(e);
    setCurrentRow(-1);
    clearSelection();
  }
  void keyPressEvent(QKeyEvent* e) override {
    const int key = e->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
        (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      e->accept();
      if (currentRow() >= 0 && chosen) chosen(currentRow());
      return;
    }
    moving = true;
    QListWidget::keyPressEvent(e);
    moving = false;
  }
  // A click on the line the keys highlighted (the view's current line already) chooses it.
  void mouseReleaseEvent(QMouseEvent* e) override {
    QListWidget::mouseReleaseEvent(e);
    const int row = indexAt(e->position().toPoint()).row();
    if (e->button() == Qt::LeftButton && row >= 0 && row == currentRow() && listIndex && listIndex() != row && chosen)
      chosen(row);
  }
};
}  // namespace

ListBox::ListBox(Form& form, const MemberSpec& spec, QWidget* parent) : ListControl(form, spec) {
  auto* l = new ListWidget(parent);
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const auto& item : p_.Items) l->addItem(Q(item));
  // A click chooses the line it lands on; a key only moves the highlight there.
  QObject::connect(l, &QListWidget::currentRowChanged, l, [this, l](int row) {
    if (!l->moving) UserChose(row);
  });
  l->chosen = [this](int row) { UserChose(row); };
  l->listIndex = [this] { return static_cast<int>(current_); };
  QObject::connect(l, &QListWidget::itemDoubleClicked, l, [this] { RaiseFromUser(Event::DblClick); });
  widget_ = l;
  ApplyCommon();
}

namespace {
QListWidget* ListOf(QWidget* w) { return static_cast<QListWidget*>(w); }
QComboBox* ComboOf(QWidget* w) { return static_cast<QComboBox*>(w); }
}  // namespace

int ListBox::LineCount() const { return ListOf(widget_)->count(); }
std::string ListBox::LineText(int index) const { return ListOf(widget_)->item(index)->text().toStdString(); }
void ListBox::InsertLine(int index, const std::string& text) {
  QSignalBlocker block(widget_.data());
  ListOf(widget_)->insertItem(index, Q(text));
}
void ListBox::RemoveLine(int index) {
  QSignalBlocker block(widget_.data());
  delete ListOf(widget_)->takeItem(index);
}
void ListBox::ClearLines() {
  QSignalBlocker block(widget_.data());
  ListOf(widget_)->clear();
}
void ListBox::ShowCurrent() {
  QSignalBlocker block(widget_.data());
  ListOf(widget_)->setCurrentRow(current_);
  if (current_ >= 0) return;
  ListOf(widget_)->clearSelection();
  // A handler that clears the choice from inside the click runs before the list has
  // finished its own handling of the press, which selects the row again: clear once
  // more when the press is over, unless a line has been chosen since.
  QPointer<QWidget> list = widget_;
  QTimer::singleShot(0, list, [list] {
    if (list && ListOf(list)->currentRow() < 0) {
      QSignalBlocker again(list.data());
      ListOf(list)->clearSelection();
    }
  });
}

// ---- ComboBox ------------------------------------------------------------------

ComboBox::ComboBox(Form& form, const MemberSpec& spec, QWidget* parent) : ListControl(form, spec) {
  auto* c = new QComboBox(parent);
  c->setEditable(p_.Style == 0 && kind_ == Kind::ComboBox);
  if (kind_ == Kind::DriveListBox && p_.Items.empty()) {
    for (const QFileInfo& d : QDir::drives()) p_.Items.push_back(d.absoluteFilePath().toStdString());
  }
  for (const auto& item : p_.Items) c->addItem(Q(item));
  c->setCurrentIndex(-1);
  if (c->isEditable()) c->setEditText(Q(p_.Text));
  QObject::connect(c, &QComboBox::activated, c, [this](int i) { UserChose(i); });
  if (c->isEditable()) {
    QObject::connect(c->lineEdit(), &QLineEdit::textEdited, c, [this] { RaiseFromUser(Event::Change); });
  }
  widget_ = c;
  ApplyCommon();
}

void ComboBox::ApplyGeometry() {
  if (!widget_) return;
  const Rect& g = p_.Geometry;
  widget_->setGeometry(TwipsToPixels(g.Left), TwipsToPixels(g.Top), std::max(0, TwipsToPixels(g.Width)),
                       widget_->sizeHint().height());
}

double ComboBox::Height() const { return widget_ ? PixelsToTwips(widget_->sizeHint().height()) : 0.0; }
void ComboBox::SetHeight(double) {}

int ComboBox::LineCount() const { return ComboOf(widget_)->count(); }
std::string ComboBox::LineText(int index) const { return ComboOf(widget_)->itemText(index).toStdString(); }
void ComboBox::InsertLine(int index, const std::string& text) {
  QComboBox* c = ComboOf(widget_);
  QSignalBlocker block(c);
  const QString keep = c->currentText();
  c->insertItem(index, Q(text));
  if (c->isEditable()) c->setEditText(keep);
}
void ComboBox::RemoveLine(int index) {
  QSignalBlocker block(widget_.data());
  ComboOf(widget_)->removeItem(index);
}
void ComboBox::ClearLines() {
  QComboBox* c = ComboOf(widget_);
  QSignalBlocker block(c);
  c->clear();
  if (c->isEditable()) c->setEditText(QString());
}
void ComboBox::ShowCurrent() {
  QComboBox* c = ComboOf(widget_);
  QSignalBlocker block(c);
  const QString keep = c->currentText();
  c->setCurrentIndex(current_);
  if (c->isEditable() && current_ < 0) c->setEditText(keep);
}

std::string ComboBox::Text() const {
  QComboBox* c = ComboOf(widget_);
  if (c->isEditable()) return c->currentText().toStdString();
  return ListControl::Text();
}

void ComboBox::SetText(const std::string& text) {
  QComboBox* c = ComboOf(widget_);
  if (!c->isEditable()) NotSupported("Text");
  QSignalBlocker block(c);
  c->setEditText(Q(text));
}

// ---- OptionButton --------------------------------------------------------------

OptionButton::OptionButton(Form& form, const MemberSpec& spec, QWidget* parent) : Control(form, spec) {
  auto* b = new OptionWidget(parent);
  b->setAutoExclusive(false);
  b->setChecked(p_.Value != 0);
  widget_ = b;
  SetCaption(p_.Caption);
  QObject::connect(b, &QRadioButton::clicked, b, [this] { Select(); });
  b->released = [this](const QMouseEvent* e) { RaiseFromUser(Event::MouseUp, MouseArgs(e)); };
  ApplyCommon();
}

void OptionButton::SetCaption(const std::string& text) {
  p_.Caption = text;
  static_cast<QRadioButton*>(widget_.data())->setText(Q(text));
}

void OptionButton::ClearSiblings() {
  for (Control* c : form_->Controls()) {
    if (c == this || c->KindOf() != Kind::OptionButton || c->ContainerName() != container_) continue;
    auto* o = static_cast<OptionButton*>(c);
    o->p_.Value = 0;
    static_cast<QRadioButton*>(o->widget_.data())->setChecked(false);
  }
}

void OptionButton::Select() {
  if (p_.Value != 0 || !TakesInput()) return;
  p_.Value = 1;
  static_cast<QRadioButton*>(widget_.data())->setChecked(true);
  ClearSiblings();
  RaiseFromUser(Event::Click);
}

void OptionButton::SetValue(int32_t v) {
  auto* b = static_cast<QRadioButton*>(widget_.data());
  if (v == 0) {
    p_.Value = 0;
    b->setChecked(false);
    return;
  }
  if (p_.Value != 0) return;
  p_.Value = 1;
  b->setChecked(true);
  ClearSiblings();
  RaiseFromCode(Event::Click);
}

// ---- CheckBox ------------------------------------------------------------------

CheckBox::CheckBox(Form& form, const MemberSpec& spec, QWidget* parent) : Control(form, spec) {
  auto* b = new QCheckBox(parent);
  b->setTristate(false);
  b->setCheckState(p_.Value == 1 ? Qt::Checked : p_.Value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
  widget_ = b;
  SetCaption(p_.Caption);
  QObject::connect(b, &QCheckBox::clicked, b, [this, b] {
    if (!TakesInput()) {
      b->setCheckState(p_.Value == 1 ? Qt::Checked : p_.Value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
      return;
    }
    p_.Value = b->isChecked() ? 1 : 0;
    RaiseFromUser(Event::Click);
  });
  ApplyCommon();
}

void CheckBox::SetCaption(const std::string& text) {
  p_.Caption = text;
  static_cast<QCheckBox*>(widget_.data())->setText(Q(text));
}

void CheckBox::SetValue(int32_t v) {
  RequireRange(v >= 0 && v <= 2, name_ + ".Value");
  if (v == p_.Value) return;
  p_.Value = v;
  static_cast<QCheckBox*>(widget_.data())
      ->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
  RaiseFromCode(Event::Click);
}

// ---- Frame ---------------------------------------------------------------------

Frame::Frame(Form& form, const MemberSpec& spec, QWidget* parent) : Control(form, spec) {
  auto* g = new QGroupBox(parent);
  widget_ = g;
  SetCaption(p_.Caption);
  WatchMouse(g, true, true);
  ApplyCommon();
}

void Frame::SetCaption(const std::string& text) {
  p_.Caption = text;
  static_cast<QGroupBox*>(widget_.data())->setTitle(Q(text));
}

// ---- Line ----------------------------------------------------------------------

Line::Line(Form& form, const MemberSpec& spec, QWidget* parent) : Control(form, spec) {
  if (p_.BorderStyle < 0) p_.BorderStyle = 1;
  widget_ = new LineWidget(parent);
  ApplyCommon();
  widget_->lower();
}

QPoint Line::PaintedStart() const { return static_cast<LineWidget*>(widget_.data())->a; }
QPoint Line::PaintedEnd() const { return static_cast<LineWidget*>(widget_.data())->b; }

void Line::ApplyGeometry() {
  auto* l = static_cast<LineWidget*>(widget_.data());
  if (!l) return;
  l->a = QPoint(TwipsToPixels(X1()), TwipsToPixels(Y1()));
  l->b = QPoint(TwipsToPixels(X2()), TwipsToPixels(Y2()));
  l->width = std::max<int>(1, p_.BorderWidth);
  l->colour = ToQColor(BorderColor());
  l->solid = p_.BorderStyle != 0;
  const int m = l->width + 1;
  l->setGeometry(QRect(l->a, l->b).normalized().adjusted(-m, -m, m, m));
  l->update();
}

Colour Line::BorderColor() const { return p_.BorderColor.value_or(kSysWindowText); }
void Line::SetBorderColor(Colour c) { p_.BorderColor = c; ApplyGeometry(); }
void Line::SetBorderWidth(int16_t pixels) { p_.BorderWidth = pixels; ApplyGeometry(); }

// ---- Shape ---------------------------------------------------------------------

Shape::Shape(Form& form, const MemberSpec& spec, QWidget* parent) : Control(form, spec) {
  if (p_.BorderStyle < 0) p_.BorderStyle = 1;
  auto* s = new ShapeWidget(parent);
  widget_ = s;
  s->opaque = p_.BackStyle != 0;
  s->framed = p_.BorderStyle != 0;
  s->borderWidth = p_.BorderWidth;
  s->fill = ToQColor(BackColor());
  s->border = ToQColor(BorderColor());
  ApplyCommon();
}

Colour Shape::BorderColor() const { return p_.BorderColor.value_or(kSysWindowText); }
void Shape::SetBorderColor(Colour c) {
  p_.BorderColor = c;
  static_cast<ShapeWidget*>(widget_.data())->border = ToQColor(c);
  widget_->update();
}
void Shape::SetBorderWidth(int16_t pixels) {
  p_.BorderWidth = pixels;
  static_cast<ShapeWidget*>(widget_.data())->borderWidth = pixels;
  widget_->update();
}
void Shape::SetBackColor(Colour c) {
  p_.BackColor = c;
  static_cast<ShapeWidget*>(widget_.data())->fill = ToQColor(c);
  widget_->update();
}

// ---- Picture -------------------------------------------------------------------

namespace {
QPixmap ReadPicture(const std::string& file) {
  if (!std::filesystem::exists(std::filesystem::path(file))) vb::Raise(vb::kFileNotFound, "File not found: " + file);
  QImageReader reader(Q(file));
  const QImage image = reader.read();
  if (image.isNull()) vb::Raise(vb::kInvalidPicture);
  return QPixmap::fromImage(image);
}
}  // namespace

Picture::Picture(Form& form, const MemberSpec& spec, QWidget* parent) : Control(form, spec) {
  if (p_.BorderStyle < 0) p_.BorderStyle = 0;
  auto* l = new LabelWidget(parent, this);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  widget_ = l;
  WatchMouse(l, true, true);
  ApplyKeyboardClick();
  ApplyCommon();
  if (!p_.PictureFile.empty()) LoadPicture(p_.PictureFile);
}

void Picture::LoadPicture(const std::string& file) {
  auto* l = static_cast<QLabel*>(widget_.data());
  if (file.empty()) {
    p_.PictureFile.clear();
    l->clear();
    return;
  }
  const QPixmap pix = ReadPicture(file);
  p_.PictureFile = file;
  l->setScaledContents(p_.Stretch);
  l->setPixmap(pix);
}

void Picture::ApplyGeometry() {
  Control::ApplyGeometry();
  if (p_.BorderStyle == 1 && widget_) static_cast<QLabel*>(widget_.data())->setFrameShape(QFrame::Box);
}

// ---- Slider --------------------------------------------------------------------

Slider::Slider(Form& form, const MemberSpec& spec, QWidget* parent) : Control(form, spec) {
  auto* s = new QSlider(Qt::Horizontal, parent);
  s->setRange(p_.Min, p_.Max);
  s->setSingleStep(p_.SmallChange);
  s->setPageStep(p_.LargeChange);
  s->setTickPosition(QSlider::TicksBelow);
  s->setTickInterval(1);
  s->setTracking(false);  // Change when the thumb is let go, as the value settles
  p_.Value = std::clamp(p_.Value, p_.Min, p_.Max);
  s->setValue(p_.Value);
  QObject::connect(s, &QSlider::valueChanged, s, [this, s](int v) {
    if (setting_ || v == p_.Value) return;
    if (!TakesInput()) {
      setting_ = true;
      s->setValue(p_.Value);
      setting_ = false;
      return;
    }
    p_.Value = v;
    RaiseFromUser(Event::Change);
  });
  widget_ = s;
  ApplyCommon();
}

void Slider::SetValue(int32_t v) {
  v = std::clamp(v, p_.Min, p_.Max);
  if (v == p_.Value) return;
  p_.Value = v;
  setting_ = true;
  static_cast<QSlider*>(widget_.data())->setValue(v);
  setting_ = false;
  RaiseFromCode(Event::Change);
}

void Slider::SetRange(int32_t min, int32_t max) {
  RequireRange(min <= max, name_ + ".Min/Max");
  p_.Min = min;
  p_.Max = max;
  setting_ = true;
  static_cast<QSlider*>(widget_.data())->setRange(min, max);
  setting_ = false;
  SetValue(p_.Value);
}

// ---- Grid ----------------------------------------------------------------------

namespace {
Qt::Alignment CellAlignment(int16_t a) {
  // Horizontal from a / 3 (left, centre, right); vertical from a % 3 (top, centre, bottom).
  const int h = a / 3, v = a % 3;
  Qt::Alignment al = h == 0 ? Qt::AlignLeft : h == 1 ? Qt::AlignHCenter : Qt::AlignRight;
  al |= v == 0 ? Qt::AlignTop : v == 1 ? Qt::AlignVCenter : Qt::AlignBottom;
  return al;
}
}  // namespace

namespace {
// The grid's table: Enter on a cell acts as a click on it.
class GridWidget : public QTableWidget {
 public:
  GridWidget(Grid* grid, QWidget* parent) : QTableWidget(parent), grid_(grid) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && currentRow() >= 0) {
      e->accept();
      grid_->EnterPressed();
      return;
    }
    QTableWidget::keyPressEvent(e);
  }

 private:
  Grid* grid_;
};
}  // namespace

Grid::Grid(Form& form, const MemberSpec& spec, QWidget* parent) : Control(form, spec) {
  auto* t = new GridWidget(this, parent);
  t->setTabKeyNavigation(false);  // Tab leaves the grid for the next control
  t->horizontalHeader()->hide();
  t->verticalHeader()->hide();
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionMode(QAbstractItemView::SingleSelection);
  t->setWordWrap(false);
  widget_ = t;
  SetRows(p_.Rows);
  SetCols(p_.Cols);
  QObject::connect(t, &QTableWidget::cellClicked, t, [this](int r, int c) {
    if (!TakesInput()) {
      ShowCurrentCell();
      return;
    }
    row_ = rowSel_ = r;
    col_ = colSel_ = c;
    RaiseFromUser(Event::Click);
  });
  QObject::connect(t, &QTableWidget::cellDoubleClicked, t, [this] { RaiseFromUser(Event::DblClick); });
  // The arrow keys move the current cell without a click.
  QObject::connect(t, &QTableWidget::currentCellChanged, t, [this](int r, int c) {
    if (settingCurrent_ || r < 0 || c < 0) return;
    row_ = rowSel_ = r;
    col_ = colSel_ = c;
  });
  ApplyCommon();
}

void Grid::EnterPressed() {
  if (!TakesInput()) return;
  auto* t = static_cast<QTableWidget*>(widget_.data());
  row_ = rowSel_ = t->currentRow();
  col_ = colSel_ = std::max(0, t->currentColumn());
  RaiseFromUser(Event::Click);
}

// The view's current cell follows the program's, for the rows that scroll (a cell of a
// fixed row is never highlighted).
void Grid::ShowCurrentCell() {
  auto* t = static_cast<QTableWidget*>(widget_.data());
  if (row_ < p_.FixedRows || col_ < p_.FixedCols || row_ >= Rows() || col_ >= Cols()) return;
  settingCurrent_ = true;
  t->setCurrentCell(row_, col_);
  settingCurrent_ = false;
}

void Grid::FitToolTip(int32_t row, int32_t col) {
  auto* t = static_cast<QTableWidget*>(widget_.data());
  QTableWidgetItem* item = t->item(row, col);
  if (item == nullptr) return;
  const QFontMetrics metrics(item->font());
  const int room = t->columnWidth(col) - 2 * t->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, t) - 4;
  const bool cut = !item->text().isEmpty() && metrics.horizontalAdvance(item->text()) > room;
  item->setToolTip(cut ? item->text() : QString());
}

int32_t Grid::Rows() const { return static_cast<QTableWidget*>(widget_.data())->rowCount(); }
int32_t Grid::Cols() const { return static_cast<QTableWidget*>(widget_.data())->columnCount(); }

void Grid::StyleCell(int32_t row, int32_t col) {
  auto* t = static_cast<QTableWidget*>(widget_.data());
  QTableWidgetItem* item = t->item(row, col);
  if (!item) {
    item = new QTableWidgetItem();
    item->setTextAlignment(CellAlignment(p_.Alignment));
    t->setItem(row, col, item);
  }
  if (row < p_.FixedRows || col < p_.FixedCols) item->setBackground(ToQColor(kSysButtonFace));
}

void Grid::SetRows(int32_t n) {
  RequireRange(n >= 0, name_ + ".Rows");
  auto* t = static_cast<QTableWidget*>(widget_.data());
  const int old = t->rowCount();
  t->setRowCount(n);
  // A grid of fixed rows alone (a heading) has nothing to select.
  t->setSelectionMode(n > p_.FixedRows ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
  for (int r = old; r < n; ++r)
    for (int c = 0; c < t->columnCount(); ++c) StyleCell(r, c);
  row_ = std::min(row_, std::max(0, n - 1));
  rowSel_ = row_;
}

void Grid::SetCols(int32_t n) {
  RequireRange(n >= 0, name_ + ".Cols");
  auto* t = static_cast<QTableWidget*>(widget_.data());
  const int old = t->columnCount();
  t->setColumnCount(n);
  for (int r = 0; r < t->rowCount(); ++r)
    for (int c = old; c < n; ++c) StyleCell(r, c);
  col_ = std::min(col_, std::max(0, n - 1));
  colSel_ = col_;
}

void Grid::CheckCell(int32_t row, int32_t col) const {
  RequireIndex(row >= 0 && row < Rows() && col >= 0 && col < Cols(),
               name_ + ".TextMatrix(" + std::to_string(row) + ", " + std::to_string(col) + ")");
}

std::string Grid::TextMatrix(int32_t row, int32_t col) const {
  CheckCell(row, col);
  auto* item = static_cast<QTableWidget*>(widget_.data())->item(row, col);
  return item ? item->text().toStdString() : std::string();
}

void Grid::SetTextMatrix(int32_t row, int32_t col, const std::string& text) {
  CheckCell(row, col);
  StyleCell(row, col);
  static_cast<QTableWidget*>(widget_.data())->item(row, col)->setText(Q(text));
  FitToolTip(row, col);
}

std::string Grid::Text() const { return Rows() && Cols() ? TextMatrix(row_, col_) : std::string(); }
void Grid::SetText(const std::string& text) { SetTextMatrix(row_, col_, text); }

double Grid::ColWidth(int32_t col) const {
  RequireIndex(col >= 0 && col < Cols(), name_ + ".ColWidth");
  return PixelsToTwips(static_cast<QTableWidget*>(widget_.data())->columnWidth(col));
}

void Grid::SetColWidth(int32_t col, double twips) {
  RequireIndex(col >= 0 && col < Cols(), name_ + ".ColWidth");
  static_cast<QTableWidget*>(widget_.data())->setColumnWidth(col, std::max(0, TwipsToPixels(twips)));
  for (int32_t r = 0; r < Rows(); ++r) FitToolTip(r, col);
}

double Grid::RowHeight(int32_t row) const {
  RequireIndex(row >= 0 && row < Rows(), name_ + ".RowHeight");
  return PixelsToTwips(static_cast<QTableWidget*>(widget_.data())->rowHeight(row));
}

void Grid::SetRowHeight(int32_t row, double twips) {
  RequireIndex(row >= 0 && row < Rows(), name_ + ".RowHeight");
  static_cast<QTableWidget*>(widget_.data())->setRowHeight(row, std::max(0, TwipsToPixels(twips)));
}

void Grid::SetRow(int32_t row) {
  RequireIndex(row >= 0 && row < Rows(), name_ + ".Row");
  row_ = rowSel_ = row;
  ShowCurrentCell();
}

void Grid::SetCol(int32_t col) {
  RequireIndex(col >= 0 && col < Cols(), name_ + ".Col");
  col_ = colSel_ = col;
  ShowCurrentCell();
}

bool Grid::CellFontBold() const {
  auto* item = Rows() && Cols() ? static_cast<QTableWidget*>(widget_.data())->item(row_, col_) : nullptr;
  return item != nullptr && item->font().bold();
}

void Grid::SetCellFontBold(bool bold) {
  if (!Rows() || !Cols()) return;
  StyleCell(row_, col_);
  QTableWidgetItem* item = static_cast<QTableWidget*>(widget_.data())->item(row_, col_);
  QFont f = item->font();
  f.setBold(bold);
  item->setFont(f);
  FitToolTip(row_, col_);
}

Colour Grid::CellBackColor() const {
  auto* item = Rows() && Cols() ? static_cast<QTableWidget*>(widget_.data())->item(row_, col_) : nullptr;
  if (item == nullptr || item->background().style() == Qt::NoBrush) return kSysWindow;
  const QColor c = item->background().color();
  return RGB(c.red(), c.green(), c.blue());
}

void Grid::SetCellBackColor(Colour c) {
  if (!Rows() || !Cols()) return;
  StyleCell(row_, col_);
  static_cast<QTableWidget*>(widget_.data())->item(row_, col_)->setBackground(ToQColor(c));
}

void Grid::FitHeading() {
  auto* t = static_cast<QTableWidget*>(widget_.data());
  t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const int rows = t->rowCount();
  if (rows == 0) return;
  const int frame = t->frameWidth();
  const int needed = QFontMetrics(t->font()).height() + 8;
  const int each = std::max(needed, (TwipsToPixels(Height()) - 2 * frame) / rows);
  for (int r = 0; r < rows; ++r) t->setRowHeight(r, each);
  SetHeight(PixelsToTwips(each * rows + 2 * frame));
}

void Grid::SetScrollBars(int16_t bars) {
  auto* t = static_cast<QTableWidget*>(widget_.data());
  t->setHorizontalScrollBarPolicy((bars & 1) != 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  t->setVerticalScrollBarPolicy((bars & 2) != 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

int32_t Grid::TopRow() const {
  auto* t = static_cast<QTableWidget*>(widget_.data());
  const int r = t->rowAt(0);
  return r < 0 ? 0 : r;
}

void Grid::SetTopRow(int32_t row) {
  RequireIndex(row >= 0 && row < std::max(1, Rows()), name_ + ".TopRow");
  auto* t = static_cast<QTableWidget*>(widget_.data());
  if (Rows() == 0) return;
  t->scrollTo(t->model()->index(row, 0), QAbstractItemView::PositionAtTop);
}

void Grid::SetCellAlignment(int16_t alignment) {
  if (!Rows() || !Cols()) return;
  StyleCell(row_, col_);
  static_cast<QTableWidget*>(widget_.data())->item(row_, col_)->setTextAlignment(CellAlignment(alignment));
}

void Grid::SetColAlignment(int32_t col, int16_t alignment) {
  RequireIndex(col >= 0 && col < Cols(), name_ + ".ColAlignment");
  for (int r = 0; r < Rows(); ++r) {
    StyleCell(r, col);
    static_cast<QTableWidget*>(widget_.data())->item(r, col)->setTextAlignment(CellAlignment(alignment));
  }
}

void Grid::Clear() {
  auto* t = static_cast<QTableWidget*>(widget_.data());
  for (int r = 0; r < t->rowCount(); ++r)
    for (int c = 0; c < t->columnCount(); ++c)
      if (auto* item = t->item(r, c)) item->setText(QString());
}

// ---- Timer ---------------------------------------------------------------------

namespace {
bool g_timersHeld = false;
}  // namespace

Timer::Timer(Form& form, const MemberSpec& spec) : Control(form, spec), timer_(new QTimer()) {
  QObject::connect(timer_, &QTimer::timeout, timer_, [this] {
    if (!g_timersHeld) Tick();
  });
  Restart();
}

Timer::~Timer() { delete timer_; }

void Timer::HoldTimers(bool held) { g_timersHeld = held; }

bool Timer::TimersHeld() { return g_timersHeld; }

void Timer::Tick() {
  if (!p_.Enabled || p_.Interval <= 0) return;
  if (p_.OneShot) {
    p_.Enabled = false;
    timer_->stop();
    if (p_.BusyWhileRunning) form_->BusyMayHaveChanged();
  }
  RaiseFromUser(Event::Timer);
}

void Timer::Restart() {
  timer_->stop();
  if (p_.Enabled && p_.Interval > 0 && !g_timersHeld) timer_->start(p_.Interval);
  if (p_.BusyWhileRunning) form_->BusyMayHaveChanged();
}

void Timer::SetEnabled(bool v) {
  p_.Enabled = v;
  Restart();
}

void Timer::SetInterval(int32_t ms) {
  RequireRange(ms >= 0, name_ + ".Interval");
  p_.Interval = ms;
  Restart();
}

bool Timer::Waiting() const { return p_.BusyWhileRunning && p_.Enabled && p_.Interval > 0; }

// ---- MenuItem ------------------------------------------------------------------

MenuItem::MenuItem(Form& form, const MemberSpec& spec, QWidget* menuBar, MenuItem* parentMenu)
    : Control(form, spec), menuBar_(menuBar), parentMenu_(parentMenu) {
  QWidget* owner = parentMenu ? static_cast<QWidget*>(parentMenu->AsMenu()) : menuBar;
  action_ = new QAction(owner);
  ShowCaption();
  ShowCheck();
  QObject::connect(action_, &QAction::triggered, action_, [this] {
    ShowCheck();  // the program alone sets the mark
    RaiseFromUser(Event::Click);
  });
  owner->addAction(action_);
  action_->setVisible(p_.Visible);
  ApplyEnabled();
}

MenuItem::~MenuItem() {
  delete menu_.data();
  delete action_.data();
}

QMenu* MenuItem::AsMenu() {
  if (!menu_) {
    menu_ = new QMenu(menuBar_);
    action_->setMenu(menu_.data());
    ShowCheck();
    QObject::connect(menu_.data(), &QMenu::aboutToShow, menu_.data(), [this] { RaiseFromUser(Event::Click); });
  }
  return menu_;
}

void MenuItem::SetAccessLetter(char letter) {
  accessLetter_ = letter;
  ShowCaption();
}

void MenuItem::SetCaption(const std::string& text) {
  p_.Caption = text;
  ShowCaption();
  ShowCheck();
}

// A separator's "-" caption is not drawn: styles would show it beside the line.
void MenuItem::ShowCaption() {
  action_->setSeparator(IsSeparator());
  std::string shown = p_.Caption;
  if (accessLetter_ != 0) {
    shown.erase(std::remove(shown.begin(), shown.end(), '&'), shown.end());
    const auto at = std::find_if(shown.begin(), shown.end(), [this](char c) {
      return std::tolower(static_cast<unsigned char>(c)) == std::tolower(static_cast<unsigned char>(accessLetter_));
    });
    if (at != shown.end()) shown.insert(at, '&');
  }
  action_->setText(IsSeparator() ? QString() : Q(shown));
}

// Only a checked item of a menu carries a mark; the others show no empty box.
void MenuItem::ShowCheck() {
  const bool mark = p_.Checked && parentMenu_ != nullptr && !menu_ && !IsSeparator();
  action_->setCheckable(mark);
  action_->setChecked(mark);
}

void MenuItem::SetVisible(bool v) {
  p_.Visible = v;
  action_->setVisible(v);
}

void MenuItem::SetEnabled(bool v) {
  p_.Enabled = v;
  ApplyEnabled();
}

void MenuItem::ApplyEnabled() {
  if (action_) action_->setEnabled(p_.Enabled && (LiveWhileBusy() || !form_->Busy()));
}

void MenuItem::SetChecked(bool checked) {
  p_.Checked = checked;
  ShowCheck();
}

// ---- MultimediaMember ----------------------------------------------------------

MultimediaMember::MultimediaMember(Form& form, const MemberSpec& spec) : Control(form, spec) {}

MultimediaMember::~MultimediaMember() { delete object_.data(); }

void MultimediaMember::Attach(QObject* object) {
  if (object_ && object_ != object) delete object_.data();
  object_ = object;
}

}  // namespace forms
