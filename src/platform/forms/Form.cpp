#include "platform/forms/Form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QImageReader>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>

#include "common/Trace.h"
#include "platform/forms/Layout.h"
#include "platform/forms/NestedLoop.h"

namespace forms {

void RunHandler(const Handler& handler, EventArgs& args, bool fromCode) {
  if (!handler || common::ProgramHalted()) return;  // after a halt no event reaches the program
  common::RunEvent([&] { handler(args); });
  if (fromCode && common::ProgramHalted()) throw common::ProgramHalt{};
}

double ScreenWidth() {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? PixelsToTwips(s->geometry().width()) : 0.0;
}

double ScreenHeight() {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? PixelsToTwips(s->geometry().height()) : 0.0;
}

namespace {

// Every screen is whole at this size; the window takes no smaller one.
constexpr int kMinimumWidthPx = 800;
constexpr int kMinimumHeightPx = 600;

std::string Key(std::string_view name) {
  std::string k(name);
  std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return k;
}

// The client surface: background colour and picture, and clicks on the form itself.
class SurfaceWidget : public QWidget {
 public:
  SurfaceWidget(Form* form, QWidget* parent) : QWidget(parent), form_(form) {}
  QPixmap picture;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (picture.isNull()) return;
    QPainter p(this);
    p.drawPixmap(rect(), picture);
  }
  void mousePressEvent(QMouseEvent* e) override { e->accept(); }
  void mouseReleaseEvent(QMouseEvent* e) override {
    e->accept();
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) form_->RaiseFromUser(Event::Click);
  }

 private:
  Form* form_;
};

WindowChangeFollower& Follower() {
  static WindowChangeFollower follower;
  return follower;
}

class FormWindow : public QMainWindow {
 public:
  explicit FormWindow(Form* form) : form_(form) {}
  bool quiet = true;  // no Resize while the form is being built
  QEventLoop* modalLoop = nullptr;

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();  // the form decides, through QueryUnload and Unload
    form_->CloseFromUser();
  }
  void resizeEvent(QResizeEvent* e) override {
    QMainWindow::resizeEvent(e);
    if (!quiet && isVisible()) {
      form_->RaiseFromUser(Event::Resize);
      Follow();
    }
  }
  void changeEvent(QEvent* e) override {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && !quiet) {
      form_->RaiseFromUser(Event::Resize);
      Follow();
    }
  }

 private:
  // One follow-up after a burst of changes (a drag of the window's edge gives many).
  void Follow() {
    if (followQueued_ || !Follower()) return;
    followQueued_ = true;
    QTimer::singleShot(0, this, [this] {
      followQueued_ = false;
      if (!quiet && isVisible()) form_->FollowWindowChange();
    });
  }
  bool followQueued_ = false;

 public:
  void hideEvent(QHideEvent* e) override {
    QMainWindow::hideEvent(e);
    if (modalLoop) modalLoop->quit();
  }

 private:
  Form* form_;
};

// Unloaded windows and members are deleted once the event that unloaded them has
// finished, since that event may come from one of their own widgets.
std::vector<std::function<void()>>& Graveyard() {
  static auto* g = new std::vector<std::function<void()>>;  // never destroyed, as AllForms
  return *g;
}

// Nested event loops running (NestedLoop): a nested loop also runs the deferred
// deletion, while the event that started it may still use what was unloaded.
int g_nestedLoops = 0;

void DeleteBuried() {
  auto pending = std::move(Graveyard());
  Graveyard().clear();
  for (auto& f : pending) f();
}

// The deferred deletion: inside a nested loop it keeps everything, and the end of
// the outermost nested loop schedules it again.
void FlushGraveyard() {
  if (g_nestedLoops > 0) return;
  DeleteBuried();
}

void ScheduleFlush() {
  if (QCoreApplication::instance()) QTimer::singleShot(0, QCoreApplication::instance(), &FlushGraveyard);
}

void Bury(std::function<void()> f) {
  const bool first = Graveyard().empty();
  Graveyard().push_back(std::move(f));
  if (first) ScheduleFlush();
}

// Loaded forms: the run ends when the last one is unloaded.
int g_loadedForms = 0;

// Every Form object, so that their windows go before the application object does
// (forms are often held in variables that outlive main).
std::set<Form*>& AllForms() {
  static auto* forms = new std::set<Form*>;  // never destroyed: forms may outlive it otherwise
  return *forms;
}

void ReleaseAllForms() {
  DeleteBuried();
  for (Form* f : AllForms()) f->Release();
}

}  // namespace

NestedLoop::NestedLoop() { ++g_nestedLoops; }

NestedLoop::~NestedLoop() {
  if (--g_nestedLoops == 0 && !Graveyard().empty()) ScheduleFlush();
}

int NestedLoop::Depth() { return g_nestedLoops; }

struct Form::Instance {
  QPointer<FormWindow> window;
  QPointer<SurfaceWidget> surface;
  std::vector<std::unique_ptr<Control>> owned;
  std::vector<Control*> order;  // the collection
  struct Slot {
    bool array = false;
    std::map<int16_t, Control*> elements;  // plain members under -1
    std::vector<int16_t> design;            // elements declared with the form
  };
  std::map<std::string, Slot> byName;
  std::string pictureFile;
  int16_t pointer = vbDefault;
  bool laidOutFromRows = false;
  std::vector<LayoutRow> rows;  // of the last layout, at rowsW x rowsH
  double rowsW = 0, rowsH = 0;
  std::vector<std::pair<std::string, std::function<void()>>> arrangements;  // in running order
  bool arranging = false;

  ~Instance() {
    owned.clear();
    delete window.data();
  }
};

Form::Form(FormSpec spec) : spec_(std::move(spec)) { AllForms().insert(this); }

Form::~Form() {
  AllForms().erase(this);
  Release();
}

void Form::Release() {
  if (!inst_) return;
  locked_ = false;
  waits_ = 0;
  busy_ = false;
  for (auto& c : inst_->owned) c->Detach();
  if (QCoreApplication::instance()) {
    inst_.reset();
  } else {
    (void)inst_.release();  // the application is gone, and its widgets with it
  }
  --g_loadedForms;
}

QWidget* Form::ContainerWidget(const std::string& frame) {
  if (frame.empty()) return inst_->surface;
  auto it = inst_->byName.find(Key(frame));
  if (it == inst_->byName.end() || it->second.elements.empty())
    vb::Raise(vb::kControlNotFound, "Control not found (container " + frame + " of " + Name() + ")");
  return it->second.elements.begin()->second->Widget();
}

std::unique_ptr<Control> Form::Build(const MemberSpec& m) {
  if (m.kind == Kind::Timer) return std::make_unique<Timer>(*this, m);
  if (m.kind == Kind::MultimediaControl) {
    auto mm = std::make_unique<MultimediaMember>(*this, m);
    if (const auto& factory = GetMultimediaFactory()) mm->Attach(factory(*mm));
    return mm;
  }
  if (m.kind == Kind::MenuItem) {
    MenuItem* parent = nullptr;
    if (!m.ParentMenu.empty()) {
      auto it = inst_->byName.find(Key(m.ParentMenu));
      if (it == inst_->byName.end() || it->second.elements.empty())
        vb::Raise(vb::kControlNotFound, "Control not found (menu " + m.ParentMenu + " of " + Name() + ")");
      parent = dynamic_cast<MenuItem*>(it->second.elements.begin()->second);
    }
    return std::make_unique<MenuItem>(*this, m, inst_->window->menuBar(), parent);
  }
  QWidget* parent = ContainerWidget(m.Container);
  switch (m.kind) {
    case Kind::Label: return std::make_unique<Label>(*this, m, parent);
    case Kind::CommandButton: return std::make_unique<CommandButton>(*this, m, parent);
    case Kind::TextBox: return std::make_unique<TextBox>(*this, m, parent);
    case Kind::ListBox: return std::make_unique<ListBox>(*this, m, parent);
    case Kind::ComboBox:
    case Kind::DriveListBox: return std::make_unique<ComboBox>(*this, m, parent);
    case Kind::OptionButton: return std::make_unique<OptionButton>(*this, m, parent);
    case Kind::CheckBox: return std::make_unique<CheckBox>(*this, m, parent);
    case Kind::Frame: return std::make_unique<Frame>(*this, m, parent);
    case Kind::Line: return std::make_unique<Line>(*this, m, parent);
    case Kind::Shape: return std::make_unique<Shape>(*this, m, parent);
    case Kind::Picture: return std::make_unique<forms::Picture>(*this, m, parent);
    case Kind::Slider: return std::make_unique<Slider>(*this, m, parent);
    case Kind::Grid: return std::make_unique<Grid>(*this, m, parent);
    default: break;
  }
  vb::Raise(vb::kInternalError, "Unknown member kind");
}

void Form::Register(Control* c) {
  Instance::Slot& slot = inst_->byName[Key(c->Name())];
  if (c->Index() >= 0) slot.array = true;
  slot.elements[c->Index()] = c;
  inst_->order.push_back(c);
  // The frame or menu holding it; a live member keeps its holders usable around it.
  if (auto* item = dynamic_cast<MenuItem*>(c)) {
    c->holder_ = item->ParentMenu();
  } else if (!c->ContainerName().empty()) {
    auto frame = inst_->byName.find(Key(c->ContainerName()));
    if (frame != inst_->byName.end() && !frame->second.elements.empty())
      c->holder_ = frame->second.elements.begin()->second;
  }
  if (c->ActsOnInput()) {
    for (Control* h = c->holder_; h != nullptr && !h->holdsInput_; h = h->holder_) h->holdsInput_ = true;
  }
  if (c->Properties().LiveWhileBusy) {
    for (Control* h = c->holder_; h != nullptr && !h->holdsLive_; h = h->holder_) {
      h->holdsLive_ = true;
      h->ApplyEnabled();
    }
  }
}

void Form::SetBusy(bool busy) {
  locked_ = busy;
  BusyMayHaveChanged();
}

void Form::BeginWait() {
  ++waits_;
  BusyMayHaveChanged();
}

void Form::EndWait() {
  if (waits_ > 0) --waits_;
  BusyMayHaveChanged();
}

void Form::BusyMayHaveChanged() {
  bool busy = inst_ != nullptr && !loading_ && (locked_ || waits_ > 0);
  if (inst_ != nullptr && !busy) {
    for (Control* c : inst_->order) {
      if (auto* t = dynamic_cast<Timer*>(c); t != nullptr && t->Waiting()) busy = true;
    }
  }
  if (busy == busy_) return;
  busy_ = busy;
  for (Control* c : inst_->order) c->ApplyEnabled();
}

BusyWait::BusyWait(Form* form) : form_(form), load_(form != nullptr ? form->loads_ : 0) {
  if (form_ != nullptr) form_->BeginWait();
}

// A form unloaded and loaded again meanwhile began no wait of this one's.
BusyWait::~BusyWait() {
  if (form_ != nullptr && form_->loads_ == load_) form_->EndWait();
}

void Form::Load() {
  if (inst_ || loading_) return;
  static bool releaseAtExit = false;
  if (!releaseAtExit && QCoreApplication::instance()) {
    qAddPostRoutine(&ReleaseAllForms);
    releaseAtExit = true;
  }
  loading_ = true;
  locked_ = false;
  waits_ = 0;
  busy_ = false;
  ++loads_;
  auto inst = std::make_unique<Instance>();
  inst_ = std::move(inst);
  try {
    auto* w = new FormWindow(this);
    inst_->window = w;
    w->setWindowTitle(QString::fromStdString(spec_.Caption));
    auto* surface = new SurfaceWidget(this, w);
    inst_->surface = surface;
    w->setCentralWidget(surface);
    if (spec_.FormBackColor) {
      surface->setAutoFillBackground(true);
      QPalette pal = surface->palette();
      pal.setColor(QPalette::Window, ToQColor(*spec_.FormBackColor));
      surface->setPalette(pal);
    }
    if (spec_.FormFont) {
      QFont f = surface->font();
      if (!spec_.FormFont->Name.empty()) f.setFamily(QString::fromStdString(spec_.FormFont->Name));
      if (spec_.FormFont->Size > 0) f.setPointSizeF(spec_.FormFont->Size);
      f.setBold(spec_.FormFont->Bold);
      surface->setFont(f);
    }
    const Rect& d = spec_.Design;
    w->move(TwipsToPixels(d.Left), TwipsToPixels(d.Top));
    w->resize(std::max(1, TwipsToPixels(d.Width)), std::max(1, TwipsToPixels(d.Height)));
    w->setMinimumSize(TwipsToPixels(MinimumWidth()), TwipsToPixels(MinimumHeight()));
    for (const MemberSpec& m : spec_.Members) {
      auto c = Build(m);
      Register(c.get());
      if (m.Index >= 0) inst_->byName[Key(m.Name)].design.push_back(m.Index);
      inst_->owned.push_back(std::move(c));
    }
    if (!spec_.PictureFile.empty()) SetPicture(spec_.PictureFile);
    AssignAccessLetters();
    w->quiet = false;
    ++g_loadedForms;
  } catch (...) {
    loading_ = false;
    for (auto& c : inst_->owned) c->Detach();
    inst_.reset();
    throw;
  }
  loading_ = false;
  BusyMayHaveChanged();
  EventArgs args;
  RaiseForm(Event::Load, args, true);
}

Form::Instance& Form::Inst() {
  Load();
  if (!inst_)
    vb::Raise(vb::kObjectNotSet,
              "Object variable not set: the form " + Name() + " was unloaded while it was loading.");
  return *inst_;
}

void Form::RaiseForm(Event event, EventArgs& args, bool fromCode) {
  auto it = spec_.Handlers.find(event);
  if (it == spec_.Handlers.end()) return;
  const Handler h = it->second;
  RunHandler(h, args, fromCode);
}

void Form::RaiseFromUser(Event event, EventArgs args) {
  if (!inst_) return;
  RaiseForm(event, args, false);
}

void Form::RaiseFromCode(Event event, EventArgs args) {
  if (!inst_) return;
  args.FromCode = true;
  RaiseForm(event, args, true);
}

void Form::FollowWindowChange() {
  if (!inst_ || !Follower()) return;
  const WindowChangeFollower follower = Follower();
  EventArgs args;
  RunHandler([this, follower](EventArgs&) { follower(*this); }, args, false);
}

void SetWindowChangeFollower(WindowChangeFollower follower) { Follower() = std::move(follower); }

// Every menu of the menu bar opens with Alt and a letter of its own: a caption that
// names no letter ("&"), or one that an earlier menu of the form names already, gets
// the first letter of one of its words that no other menu uses, else any free letter
// of it.
void Form::AssignAccessLetters() {
  std::vector<MenuItem*> menus;
  std::set<char> used;
  for (Control* c : inst_->order) {
    auto* item = dynamic_cast<MenuItem*>(c);
    if (item == nullptr || !item->OnMenuBar() || item->IsSeparator()) continue;
    const std::string& caption = item->Caption();
    const size_t amp = caption.find('&');
    if (amp != std::string::npos && amp + 1 < caption.size() && caption[amp + 1] != '&' &&
        used.insert(static_cast<char>(std::tolower(static_cast<unsigned char>(caption[amp + 1])))).second)
      continue;
    menus.push_back(item);
  }
  for (MenuItem* item : menus) {
    std::string caption = item->Caption();
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    std::vector<char> candidates;
    for (size_t i = 0; i < caption.size(); ++i)
      if (std::isalpha(static_cast<unsigned char>(caption[i])) &&
          (i == 0 || !std::isalnum(static_cast<unsigned char>(caption[i - 1]))))
        candidates.push_back(caption[i]);
    for (char c : caption)
      if (std::isalnum(static_cast<unsigned char>(c))) candidates.push_back(c);
    for (char c : candidates) {
      const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (used.insert(letter).second) {
        item->SetAccessLetter(letter);
        break;
      }
    }
  }
}

bool Form::RunUnload(int16_t mode, bool fromCode) {
  EventArgs q;
  q.UnloadMode = mode;
  RaiseForm(Event::QueryUnload, q, fromCode);
  if (q.Cancel != 0 || !inst_) return q.Cancel == 0;
  EventArgs u;
  RaiseForm(Event::Unload, u, fromCode);
  if (u.Cancel != 0) return false;
  if (inst_) Destroy();
  return true;
}

void Form::Destroy() {
  locked_ = false;
  waits_ = 0;
  busy_ = false;
  for (auto& c : inst_->owned) c->Detach();
  if (inst_->window) {
    inst_->window->quiet = true;
    if (inst_->window->modalLoop) inst_->window->modalLoop->quit();
    inst_->window->hide();
  }
  std::shared_ptr<Instance> dead(inst_.release());
  Bury([dead]() mutable { dead.reset(); });
  if (--g_loadedForms == 0 && QCoreApplication::instance())
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

bool Form::Unload() {
  if (!inst_) return true;
  return RunUnload(vbFormCode, true);
}

void Form::CloseFromUser() {
  if (!inst_) return;
  RunUnload(vbFormControlMenu, false);
}

void Form::Show(bool modal) {
  Load();
  if (!inst_) return;
  FormWindow* w = inst_->window;
  if (!modal) {
    w->show();
    w->raise();
    return;
  }
  const bool haltedBefore = common::ProgramHalted();
  w->setWindowModality(Qt::ApplicationModal);
  w->show();
  QEventLoop loop;
  w->modalLoop = &loop;
  QPointer<FormWindow> guard(w);
  {
    NestedLoop nested;
    loop.exec();
  }
  if (guard) {
    guard->modalLoop = nullptr;
    guard->setWindowModality(Qt::NonModal);
  }
  if (!haltedBefore && common::ProgramHalted()) throw common::ProgramHalt{};
}

void Form::Hide() {
  if (inst_ && inst_->window) inst_->window->hide();
}

bool Form::Visible() const { return inst_ && inst_->window && inst_->window->isVisible(); }

void Form::SetVisible(bool v) {
  if (v) {
    Show();
  } else {
    Hide();
  }
}

QMainWindow* Form::Window() { return Inst().window.data(); }

QWidget* Form::Surface() { return Inst().surface.data(); }

std::string Form::Caption() const { return inst_ ? inst_->window->windowTitle().toStdString() : spec_.Caption; }
void Form::SetCaption(const std::string& text) { Window()->setWindowTitle(QString::fromStdString(text)); }

double Form::Left() const { return inst_ ? PixelsToTwips(inst_->window->frameGeometry().x()) : spec_.Design.Left; }
double Form::Top() const { return inst_ ? PixelsToTwips(inst_->window->frameGeometry().y()) : spec_.Design.Top; }
double Form::Width() const {
  return inst_ ? PixelsToTwips(inst_->window->frameGeometry().width()) : spec_.Design.Width;
}
double Form::Height() const {
  return inst_ ? PixelsToTwips(inst_->window->frameGeometry().height()) : spec_.Design.Height;
}

void Form::SetLeft(double v) { Move(v, Top(), Width(), Height()); }
void Form::SetTop(double v) { Move(Left(), v, Width(), Height()); }
void Form::SetWidth(double v) { Move(Left(), Top(), v, Height()); }
void Form::SetHeight(double v) { Move(Left(), Top(), Width(), v); }

void Form::Move(double left, double top, double width, double height) {
  QMainWindow* w = Window();
  const QRect frame = w->frameGeometry();
  const int extraW = frame.width() - w->width();
  const int extraH = frame.height() - w->height();
  w->move(TwipsToPixels(left), TwipsToPixels(top));
  w->resize(std::max(1, TwipsToPixels(width) - extraW), std::max(1, TwipsToPixels(height) - extraH));
}

double Form::ScaleWidth() const {
  if (!inst_) return 0;
  if (auto* l = inst_->window->layout()) l->activate();
  return PixelsToTwips(inst_->surface->width());
}

double Form::ScaleHeight() const {
  if (!inst_) return 0;
  if (auto* l = inst_->window->layout()) l->activate();
  return PixelsToTwips(inst_->surface->height());
}

bool Form::LaidOutFromRows() const { return inst_ && inst_->laidOutFromRows; }

void Form::KeepLayoutRows(const std::vector<LayoutRow>& rows, double W, double H) {
  if (!inst_) return;
  inst_->laidOutFromRows = true;
  inst_->rows = rows;
  inst_->rowsW = W;
  inst_->rowsH = H;
}

void Form::Arrange(const std::string& key, std::function<void()> step) {
  Instance& inst = Inst();
  if (!inst.arranging) {
    auto& kept = inst.arrangements;
    kept.erase(std::remove_if(kept.begin(), kept.end(), [&key](const auto& a) { return a.first == key; }), kept.end());
    kept.emplace_back(key, step);
  }
  step();
}

void Form::Unarrange(const std::string& key) {
  if (!inst_ || !Arranges(key)) return;
  auto& kept = inst_->arrangements;
  kept.erase(std::remove_if(kept.begin(), kept.end(), [&key](const auto& a) { return a.first == key; }), kept.end());
  if (inst_->laidOutFromRows && !inst_->arranging) {
    const std::vector<LayoutRow> rows = inst_->rows;
    ApplyLayout(*this, rows, inst_->rowsW, inst_->rowsH);
  }
}

bool Form::Arranges(const std::string& key) const {
  return inst_ && std::any_of(inst_->arrangements.begin(), inst_->arrangements.end(),
                              [&key](const auto& a) { return a.first == key; });
}

void Form::RunArrangements() {
  if (!inst_ || inst_->arranging) return;
  const auto steps = inst_->arrangements;
  inst_->arranging = true;
  struct Done {
    Instance* inst;
    ~Done() { inst->arranging = false; }
  } done{inst_.get()};
  for (const auto& [key, step] : steps) step();
}

double Form::MenuBarHeight() const {
  if (!inst_) return 0;
  const QWidget* bar = inst_->window->menuWidget();
  if (bar == nullptr || bar->isHidden()) return 0;
  return PixelsToTwips(bar->sizeHint().height());
}

int16_t Form::WindowState() const {
  if (!inst_) return vbNormal;
  const Qt::WindowStates s = inst_->window->windowState();
  if (s & Qt::WindowMinimized) return vbMinimized;
  if (s & (Qt::WindowMaximized | Qt::WindowFullScreen)) return vbMaximized;
  return vbNormal;
}

double Form::MinimumWidth() const {
  return std::min(PixelsToTwips(kMinimumWidthPx), std::max(0.0, spec_.Design.Width));
}

double Form::MinimumHeight() const {
  return std::min(PixelsToTwips(kMinimumHeightPx), std::max(0.0, spec_.Design.Height));
}

void Form::SetWindowState(int16_t state) {
  QMainWindow* w = Window();
  w->setWindowState(state == vbMinimized   ? Qt::WindowMinimized
                    : state == vbMaximized ? Qt::WindowMaximized
                                           : Qt::WindowNoState);
}

void Form::SetPicture(const std::string& file) {
  Instance& inst = Inst();
  SurfaceWidget* s = inst.surface;
  if (file.empty()) {
    s->picture = QPixmap();
    inst.pictureFile.clear();
    s->update();
    return;
  }
  if (!std::filesystem::exists(std::filesystem::path(file))) vb::Raise(vb::kFileNotFound, "File not found: " + file);
  QImageReader reader(QString::fromStdString(file));
  const QImage image = reader.read();
  if (image.isNull()) vb::Raise(vb::kInvalidPicture);
  s->picture = QPixmap::fromImage(image);
  inst.pictureFile = file;
  s->update();
}

const std::string& Form::Picture() const {
  static const std::string none;
  return inst_ ? inst_->pictureFile : none;
}

Colour Form::BackColor() const { return spec_.FormBackColor.value_or(kSysButtonFace); }

void Form::SetBackColor(Colour c) {
  spec_.FormBackColor = c;
  if (!inst_) return;
  SurfaceWidget* s = inst_->surface;
  s->setAutoFillBackground(true);
  QPalette pal = s->palette();
  pal.setColor(QPalette::Window, ToQColor(c));
  s->setPalette(pal);
}

int16_t Form::MousePointer() const { return inst_ ? inst_->pointer : static_cast<int16_t>(vbDefault); }

void Form::SetMousePointer(int16_t pointer) {
  Instance& inst = Inst();
  QMainWindow* w = inst.window;
  inst.pointer = pointer;
  if (pointer == vbHourglass) {
    w->setCursor(Qt::WaitCursor);
  } else {
    w->unsetCursor();
  }
}

void Form::Refresh() {
  if (inst_ && inst_->window) inst_->window->repaint();
}

Control& Form::Ctl(std::string_view name) {
  Instance& inst = Inst();
  auto it = inst.byName.find(Key(name));
  if (it == inst.byName.end()) vb::Raise(vb::kControlNotFound);
  if (it->second.array)
    vb::Raise(vb::kNotAnArray, std::string(name) + " is a control array: name an element");
  return *it->second.elements.begin()->second;
}

Control& Form::Ctl(std::string_view name, int16_t index) {
  Instance& inst = Inst();
  auto it = inst.byName.find(Key(name));
  if (it == inst.byName.end()) vb::Raise(vb::kControlNotFound);
  if (!it->second.array) vb::Raise(vb::kNotAnArray);
  auto el = it->second.elements.find(index);
  if (el == it->second.elements.end())
    vb::Raise(vb::kControlArrayElement, "Control array element '" + std::to_string(index) + "' doesn't exist");
  return *el->second;
}

bool Form::Has(std::string_view name) { return Inst().byName.count(Key(name)) != 0;
}

bool Form::HasElement(std::string_view name, int16_t index) {
  Instance& inst = Inst();
  auto it = inst.byName.find(Key(name));
  return it != inst.byName.end() && it->second.array && it->second.elements.count(index) != 0;
}

const std::vector<Control*>& Form::Controls() {
  Load();
  static const std::vector<Control*> none;
  return inst_ ? inst_->order : none;
}

Control& Form::LoadElement(std::string_view name, int16_t index) {
  Instance& inst = Inst();
  auto it = inst.byName.find(Key(name));
  if (it == inst.byName.end()) vb::Raise(vb::kControlNotFound);
  Instance::Slot& slot = it->second;
  if (!slot.array) vb::Raise(vb::kNotAnArray);
  if (index < 0) vb::Raise(vb::kControlArrayElement);
  if (slot.elements.count(index)) vb::Raise(vb::kAlreadyLoaded);
  const Control& source = *slot.elements.begin()->second;
  MemberSpec m;
  m.kind = source.KindOf();
  m.Name = source.Name();
  m.Index = index;
  m.Container = source.ContainerName();
  m.P = source.Properties();
  m.P.Visible = false;
  if (m.kind == Kind::MenuItem) {
    for (const MemberSpec& d : spec_.Members)
      if (Key(d.Name) == Key(name)) m.ParentMenu = d.ParentMenu;
  }
  m.Handlers = source.Handlers();
  auto c = Build(m);
  Control* raw = c.get();
  Register(raw);
  inst.owned.push_back(std::move(c));
  if (raw->Widget()) raw->Widget()->raise();
  return *raw;
}

void Form::UnloadElement(std::string_view name, int16_t index) {
  Instance& inst = Inst();
  auto it = inst.byName.find(Key(name));
  if (it == inst.byName.end()) vb::Raise(vb::kControlNotFound);
  Instance::Slot& slot = it->second;
  auto el = slot.elements.find(index);
  if (!slot.array || el == slot.elements.end()) return;
  if (std::find(slot.design.begin(), slot.design.end(), index) != slot.design.end()) return;
  Control* c = el->second;
  slot.elements.erase(el);
  inst.order.erase(std::remove(inst.order.begin(), inst.order.end(), c), inst.order.end());
  auto owned = std::find_if(inst.owned.begin(), inst.owned.end(), [c](const auto& p) { return p.get() == c; });
  std::shared_ptr<Control> dead(owned->release());
  inst.owned.erase(owned);
  dead->Detach();
  if (dead->Widget()) dead->Widget()->hide();
  Bury([dead]() mutable { dead.reset(); });
}

std::vector<int16_t> Form::Elements(std::string_view name) {
  Instance& inst = Inst();
  std::vector<int16_t> out;
  auto it = inst.byName.find(Key(name));
  if (it == inst.byName.end()) vb::Raise(vb::kControlNotFound);
  if (!it->second.array) vb::Raise(vb::kNotAnArray);
  for (const auto& [i, c] : it->second.elements) out.push_back(i);
  return out;
}

void Form::SetHandler(Event event, Handler handler) { spec_.Handlers[event] = std::move(handler); }

void Form::SetHandler(std::string_view member, Event event, Handler handler) {
  bool found = false;
  for (MemberSpec& m : spec_.Members) {
    if (Key(m.Name) != Key(member)) continue;
    m.Handlers[event] = handler;
    found = true;
  }
  if (!found) vb::Raise(vb::kControlNotFound);
  if (!inst_) return;
  for (Control* c : inst_->order)
    if (Key(c->Name()) == Key(member)) c->SetHandler(event, handler);
}

}  // namespace forms
