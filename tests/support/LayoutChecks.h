// Test support: what a user sees of a laid-out form. Every visible member lies inside
// the window's client surface (or its frame); no two visible controls overlap; the
// elements of a control array keep their row and column order; no caption is clipped by
// its control or cut by a line. And the sizes a learner gives a window, each checked the
// same way.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineF>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/forms/Control.h"
#include "platform/forms/Form.h"

namespace testsupport {

// Lines and shapes are drawn over and under others; the keyboard's reeds and their
// captions overlap by design (black reeds over white ones).
inline bool IsSolid(const forms::Control& c) {
  if (c.Widget() == nullptr || c.IsKind(forms::Kind::Line) || c.IsKind(forms::Kind::Shape)) return false;
  return c.Name() != "cL" && c.Name() != "cR";
}

inline std::string Where(const forms::Control& c) {
  const QRect r = c.Widget()->geometry();
  const std::string name = c.Index() >= 0 ? c.Name() + "(" + std::to_string(c.Index()) + ")" : c.Name();
  return name + " at (" + std::to_string(r.x()) + ", " + std::to_string(r.y()) + ", " + std::to_string(r.width()) +
         " x " + std::to_string(r.height()) + ")";
}

inline bool Shown(forms::Form& form, const forms::Control& c) {
  QWidget* w = c.Widget();
  return w != nullptr && c.Visible() && w->isVisibleTo(form.Surface());
}

// The room a caption needs in its control and the room it has, in pixels; false for a
// control without a caption.
inline bool CaptionRoom(const forms::Control& c, QSize& needed, QSize& room) {
  QWidget* w = c.Widget();
  const QFontMetrics m(w->font());
  QString text;
  if (auto* l = qobject_cast<QLabel*>(w); l != nullptr && !c.IsKind(forms::Kind::Picture)) {
    text = l->text();
    if (text.isEmpty()) return false;
    room = l->contentsRect().size();
    if (l->wordWrap()) {
      // Wrapped, each word still has to fit across and the lines down.
      int widest = 0;
      for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) widest = std::max(widest, m.horizontalAdvance(word));
      const QRect lines = m.boundingRect(QRect(0, 0, std::max(1, room.width()), 100000), Qt::TextWordWrap, text);
      needed = QSize(widest, lines.height());
    } else {
      needed = QSize(m.horizontalAdvance(text), m.height());
    }
    return true;
  }
  if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    text = b->text().remove('&');
    if (text.isEmpty()) return false;
    int extra = 4;
    if (qobject_cast<QRadioButton*>(w) != nullptr) {
      extra = w->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
              w->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
    } else if (qobject_cast<QCheckBox*>(w) != nullptr) {
      extra = w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
              w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
    }
    needed = QSize(m.horizontalAdvance(text) + extra, m.height());
    room = w->size();
    return true;
  }
  if (auto* g = qobject_cast<QGroupBox*>(w)) {
    text = g->title();
    if (text.isEmpty()) return false;
    needed = QSize(m.horizontalAdvance(text) + 8, m.height());
    room = w->size();
    return true;
  }
  return false;
}

// A control array whose elements lie on two levels (the keyboard's reeds and captions,
// black over white) has no row order.
inline bool KeepsRowOrder(const std::string& array) { return array != "cR" && array != "cL"; }

// The faults a user would meet on the form as it stands: members outside the window or
// their frame; controls on top of each other (more than `touch` pixels each way:
// neighbours may share a border); an array's elements out of their order (left to right
// along a row, rows top to bottom); a caption wider or taller than its control, or
// crossed by a line. Empty when there are none.
inline std::vector<std::string> LayoutFaults(forms::Form& form, int touch = 2) {
  std::vector<std::string> faults;
  const QRect surface = form.Surface()->rect();
  std::map<QWidget*, std::vector<const forms::Control*>> byParent;  // solid controls, by what holds them
  std::map<std::string, std::vector<const forms::Control*>> arrays;
  std::vector<const forms::Line*> lines;
  for (const forms::Control* c : form.Controls()) {
    if (!Shown(form, *c)) continue;
    QWidget* w = c->Widget();
    const QRect inside = w->parentWidget() == form.Surface() ? surface : w->parentWidget()->rect();
    if (!inside.adjusted(-1, -1, 1, 1).contains(w->geometry()))
      faults.push_back(Where(*c) + " lies outside " +
                       (w->parentWidget() == form.Surface() ? std::string("the window") : std::string("its frame")));
    if (const auto* line = dynamic_cast<const forms::Line*>(c)) lines.push_back(line);
    if (!IsSolid(*c)) continue;
    byParent[w->parentWidget()].push_back(c);
    if (c->Index() >= 0) arrays[c->Name()].push_back(c);
    QSize needed, room;
    if (CaptionRoom(*c, needed, room) && (needed.width() > room.width() + 1 || needed.height() > room.height() + 1))
      faults.push_back(Where(*c) + ": its caption needs " + std::to_string(needed.width()) + " x " +
                       std::to_string(needed.height()));
  }
  for (const auto& [parent, shown] : byParent) {
    for (size_t i = 0; i < shown.size(); ++i)
      for (size_t j = i + 1; j < shown.size(); ++j) {
        const QRect both = shown[i]->Widget()->geometry().intersected(shown[j]->Widget()->geometry());
        if (both.width() > touch && both.height() > touch)
          faults.push_back(Where(*shown[i]) + " overlaps " + Where(*shown[j]));
      }
    for (const forms::Line* line : lines) {
      if (line->Widget()->parentWidget() != parent) continue;
      const QLineF drawn(line->PaintedStart(), line->PaintedEnd());
      for (const forms::Control* c : shown) {
        const QRect r = c->Widget()->geometry().adjusted(touch, touch, -touch, -touch);
        if (r.isEmpty()) continue;
        const QLineF edges[] = {{QPointF(r.topLeft()), QPointF(r.topRight())},
                                {QPointF(r.topRight()), QPointF(r.bottomRight())},
                                {QPointF(r.bottomRight()), QPointF(r.bottomLeft())},
                                {QPointF(r.bottomLeft()), QPointF(r.topLeft())}};
        const bool crosses = r.contains(drawn.p1().toPoint()) || r.contains(drawn.p2().toPoint()) ||
                             std::any_of(std::begin(edges), std::end(edges), [&drawn](const QLineF& e) {
                               return drawn.intersects(e, nullptr) == QLineF::BoundedIntersection;
                             });
        if (crosses) faults.push_back(Where(*c) + " is cut by the line " + line->Name());
      }
    }
  }
  for (auto& [name, elements] : arrays) {
    if (!KeepsRowOrder(name)) continue;
    std::sort(elements.begin(), elements.end(), [](auto* a, auto* b) { return a->Index() < b->Index(); });
    for (size_t i = 1; i < elements.size(); ++i) {
      const QRect a = elements[i - 1]->Widget()->geometry(), b = elements[i]->Widget()->geometry();
      const bool sameRow = std::abs(a.top() - b.top()) <= touch;
      if (sameRow ? b.left() <= a.left() : b.top() < a.top())
        faults.push_back(Where(*elements[i]) + " is out of order after " + Where(*elements[i - 1]));
    }
  }
  return faults;
}

// The sizes a learner gives a window: the smallest it takes, two usual ones, and
// maximised (the screen's size).
struct WindowSize {
  const char* name;
  QSize size;  // of the window's client surface, menu bar included
  bool maximised = false;
};
inline const std::vector<WindowSize>& LearnerSizes() {
  static const std::vector<WindowSize> sizes{
      {"800x600", {800, 600}}, {"1024x768", {1024, 768}}, {"1600x1000", {1600, 1000}}, {"maximised", {}, true}};
  return sizes;
}

inline void SettleLayout() {
  for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
}

// The window given `size` as the learner gives it (a drag of its edge, or its maximise
// box), and what follows the change run.
inline void ResizeAsLearner(forms::Form& form, const WindowSize& size) {
  QMainWindow* w = form.Window();
  if (size.maximised) {
    w->setWindowState(Qt::WindowMaximized);
  } else {
    if (w->windowState() != Qt::WindowNoState) {
      w->setWindowState(Qt::WindowNoState);
      SettleLayout();
    }
    w->resize(size.size);
  }
  SettleLayout();
}

// The members a learner could click now that the keyboard cannot reach: shown, taking
// input, acting on a click or a change, and passed over by Tab. A menu item is reached
// through its menu's Alt letter.
inline std::vector<std::string> KeyboardFaults(forms::Form& form) {
  std::vector<std::string> faults;
  for (const forms::Control* c : form.Controls()) {
    if (!Shown(form, *c) || c->IsKind(forms::Kind::MenuItem) || !c->TakesInput()) continue;
    if (!c->Handles(forms::Event::Click) && !c->Handles(forms::Event::DblClick) && !c->Handles(forms::Event::Change))
      continue;
    if ((c->Widget()->focusPolicy() & Qt::TabFocus) == 0) faults.push_back(Where(*c) + " takes a click but no key");
  }
  return faults;
}

// The members the keyboard cannot reach, and LayoutFaults of the form at every size a
// learner gives it, each led by the size; the window is back at 800x600 afterwards.
inline std::vector<std::string> FaultsAtEverySize(forms::Form& form) {
  std::vector<std::string> faults = KeyboardFaults(form);
  for (const WindowSize& size : LearnerSizes()) {
    ResizeAsLearner(form, size);
    for (const std::string& f : LayoutFaults(form)) faults.push_back(std::string(size.name) + ": " + f);
  }
  ResizeAsLearner(form, LearnerSizes().front());
  return faults;
}

// A state of a screen, how the learner reaches it from the stage before, and its form.
struct ScreenStage {
  const char* name;
  std::function<void()> reach;
  std::function<forms::Form&()> form;
};

// Reaches each stage in turn and checks it at every size: the faults, each led by the
// stage's name. A stage that cannot be reached (a failed assertion) ends the walk.
inline std::vector<std::string> FaultsAtEveryStage(const std::vector<ScreenStage>& stages) {
  std::vector<std::string> faults;
  for (const ScreenStage& stage : stages) {
    stage.reach();
    if (::testing::Test::HasFatalFailure()) {
      faults.push_back(std::string(stage.name) + ": not reached");
      break;
    }
    for (const std::string& f : FaultsAtEverySize(stage.form())) faults.push_back(std::string(stage.name) + ", " + f);
  }
  return faults;
}

}  // namespace testsupport
