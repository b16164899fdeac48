// Test support: the learner's every input to a screen while it is busy. Each member shown
// that the learner acts on and that is not live gets the input of its kind, as the window
// system delivers it (a click on the widget, a line chosen, a key typed, the slider
// moved) and through the member's own events (what a queued event would raise), so that
// a screen's test can check that nothing changed and that each such member looks
// disabled. Snapshot() gives what the learner sees of a form, to compare before and after.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QSlider>
#include <QTableWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "support/Scratch.h"

namespace testsupport {

// The member and the frames or menus holding it are all shown.
inline bool ShownOnForm(const forms::Control& c) {
  for (const forms::Control* h = &c; h != nullptr; h = h->Holder())
    if (!h->Visible()) return false;
  return true;
}

inline bool LooksEnabled(const forms::Control& c) {
  if (const auto* item = dynamic_cast<const forms::MenuItem*>(&c)) return item->Action()->isEnabled();
  return c.Widget() != nullptr && c.Widget()->isEnabled();
}

// What the learner sees of every member: shown, usable, caption, text, value, choice
// and colours.
inline std::string Snapshot(forms::Form& form) {
  std::ostringstream out;
  for (forms::Control* c : form.Controls()) {
    if (c->IsKind(forms::Kind::Timer) || c->IsKind(forms::Kind::MultimediaControl)) continue;
    out << c->Name() << "(" << c->Index() << ") " << c->Visible() << c->Enabled() << LooksEnabled(*c);
    try {
      out << " '" << c->Caption() << "'";
    } catch (...) {
    }
    try {
      out << " '" << c->Text() << "'";
    } catch (...) {
    }
    try {
      out << " v" << c->Value();
    } catch (...) {
    }
    try {
      out << " i" << c->ListIndex();
    } catch (...) {
    }
    if (c->Widget() != nullptr) out << " " << c->BackColor() << "/" << c->ForeColor();
    if (const auto* item = dynamic_cast<const forms::MenuItem*>(c)) out << " c" << item->Checked();
    out << "\n";
  }
  return out.str();
}

struct GivenInput {
  std::string member;  // "name" or "name(index)"
  bool looksDisabled;
};

// Gives every member shown that the learner acts on, and that is not live while the form
// is busy, the input of its kind. Returns the members given, each with whether it looked
// disabled. A member a handler removed meanwhile is passed over.
inline std::vector<GivenInput> GiveEveryInput(forms::Form& form) {
  std::vector<std::pair<std::string, int16_t>> names;
  for (forms::Control* c : form.Controls()) {
    if (!ShownOnForm(*c) || c->LiveWhileBusy() || !c->ActsOnInput()) continue;
    names.emplace_back(c->Name(), c->Index());
  }
  std::vector<GivenInput> given;
  for (const auto& [name, index] : names) {
    if (!form.Loaded()) break;
    if (index >= 0 ? !form.HasElement(name, index) : !form.Has(name)) continue;
    forms::Control& c = index >= 0 ? form.Ctl(name, index) : form.Ctl(name);
    given.push_back({index >= 0 ? name + "(" + std::to_string(index) + ")" : name, !LooksEnabled(c)});
    QWidget* w = c.Widget();
    switch (c.KindOf()) {
      case forms::Kind::CommandButton:
      case forms::Kind::CheckBox:
        static_cast<QAbstractButton*>(w)->click();
        break;
      case forms::Kind::OptionButton:
        static_cast<QAbstractButton*>(w)->click();
        form.Get<forms::OptionButton>(name).Select();
        break;
      case forms::Kind::ListBox: {
        auto* list = static_cast<QListWidget*>(w);
        if (list->count() > 0) list->setCurrentRow(list->currentRow() == 0 && list->count() > 1 ? 1 : 0);
        break;
      }
      case forms::Kind::ComboBox:
      case forms::Kind::DriveListBox: {
        auto* combo = static_cast<QComboBox*>(w);
        if (combo->count() > 0) emit combo->activated(0);
        break;
      }
      case forms::Kind::Slider: {
        auto* slider = static_cast<QSlider*>(w);
        slider->setValue(slider->value() == slider->minimum() ? slider->maximum() : slider->minimum());
        break;
      }
      case forms::Kind::Grid: {
        auto* grid = static_cast<QTableWidget*>(w);
        if (grid->rowCount() > 1 && grid->columnCount() > 0) emit grid->cellClicked(1, 0);
        break;
      }
      case forms::Kind::TextBox: {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
        QApplication::sendEvent(w, &press);
        break;
      }
      case forms::Kind::MenuItem:
        static_cast<forms::MenuItem&>(c).Action()->trigger();
        break;
      default:
        break;
    }
    // What a queued event of the member would raise.
    for (forms::Event e : {forms::Event::Click, forms::Event::DblClick, forms::Event::MouseUp, forms::Event::Change}) {
      if (!form.Loaded() || (index >= 0 ? !form.HasElement(name, index) : !form.Has(name))) break;
      (index >= 0 ? form.Ctl(name, index) : form.Ctl(name)).RaiseFromUser(e);
    }
  }
  return given;
}

// The members given that did not look disabled, one per line ("" when all did).
inline std::string LookingUsable(const std::vector<GivenInput>& given) {
  std::string out;
  for (const GivenInput& g : given)
    if (!g.looksDisabled) out += g.member + "\n";
  return out;
}

// Gives a busy screen every input (GiveEveryInput) and expects each refused: every member
// given looked disabled, the screen's dispatcher (traced) was not entered, and neither
// the screen's words nor what the form shows changed. `atLeast`: how many members the
// screen offers at the least, so that a screen laid out otherwise fails too.
inline void ExpectEveryInputRefused(forms::Form& form, const std::function<std::string()>& words,
                                    const std::string& dispatcher, size_t atLeast) {
  ASSERT_TRUE(form.Busy());
  const std::string wordsBefore = words();
  const std::string shown = Snapshot(form);
  const int dispatches = TraceEntries(dispatcher);
  const std::vector<GivenInput> given = GiveEveryInput(form);
  EXPECT_GE(given.size(), atLeast);
  EXPECT_EQ(LookingUsable(given), "") << "what cannot act looks disabled";
  EXPECT_EQ(TraceEntries(dispatcher), dispatches) << "no input reached " << dispatcher;
  EXPECT_EQ(words(), wordsBefore);
  EXPECT_EQ(Snapshot(form), shown);
  EXPECT_TRUE(form.Busy());
}

}  // namespace testsupport
