// Test support: what a user sees of a laid-out form. Every visible member lies inside
// the window's client surface (or its frame), and no two visible controls overlap.
#pragma once

#include <QRect>
#include <QWidget>

#include <string>
#include <vector>

#include "platform/forms/Control.h"
#include "platform/forms/Form.h"

namespace testsupport {

// The controls a user reads or works: not lines and shapes (drawn over and under
// others), nor the elements of control arrays made at run time (the keyboard's reeds and
// their captions overlap by design: black reeds over white ones).
inline bool IsSolid(const forms::Control& c) {
  if (c.Index() >= 0 || c.Widget() == nullptr) return false;
  return !c.IsKind(forms::Kind::Line) && !c.IsKind(forms::Kind::Shape);
}

inline std::string Where(const forms::Control& c) {
  const QRect r = c.Widget()->geometry();
  return c.Name() + " at (" + std::to_string(r.x()) + ", " + std::to_string(r.y()) + ", " + std::to_string(r.width()) +
         " x " + std::to_string(r.height()) + ")";
}

// The faults a user would meet on the form as it stands: members outside the window,
// controls on top of each other (more than `touch` pixels each way: neighbours may share
// a border). Empty when there are none.
inline std::vector<std::string> LayoutFaults(forms::Form& form, int touch = 2) {
  std::vector<std::string> faults;
  const QRect surface = form.Surface()->rect();
  std::vector<const forms::Control*> shown;
  for (const forms::Control* c : form.Controls()) {
    QWidget* w = c->Widget();
    if (w == nullptr || !c->Visible() || !w->isVisibleTo(form.Surface())) continue;
    const QRect inside = w->parentWidget() == form.Surface() ? surface : w->parentWidget()->rect();
    if (!inside.adjusted(-1, -1, 1, 1).contains(w->geometry()))
      faults.push_back(Where(*c) + " lies outside " +
                       (w->parentWidget() == form.Surface() ? std::string("the window") : std::string("its frame")));
    if (IsSolid(*c) && w->parentWidget() == form.Surface()) shown.push_back(c);
  }
  for (size_t i = 0; i < shown.size(); ++i)
    for (size_t j = i + 1; j < shown.size(); ++j) {
      const QRect both = shown[i]->Widget()->geometry().intersected(shown[j]->Widget()->geometry());
      if (both.width() > touch && both.height() > touch)
        faults.push_back(Where(*shown[i]) + " overlaps " + Where(*shown[j]));
    }
  return faults;
}

}  // namespace testsupport
