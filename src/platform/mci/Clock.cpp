#include "platform/mci/Clock.h"

#include <algorithm>
#include <mutex>

#include <QObject>
#include <QTimer>

namespace mci {

Micros SteadyClock::Now() const {
  return std::chrono::duration_cast<Micros>(std::chrono::steady_clock::now().time_since_epoch());
}

void SteadyClock::CallAfter(QObject* context, Micros delay, std::function<void()> fn) {
  // Qt timers count whole milliseconds: round up so a wake-up is never early.
  const auto ms = std::max<int64_t>(0, (delay.count() + 999) / 1000);
  QTimer::singleShot(std::chrono::milliseconds(ms), Qt::PreciseTimer, context, std::move(fn));
}

void FakeClock::CallAfter(QObject* context, Micros delay, std::function<void()> fn) {
  wakeUps_.push_back({now_ + std::max(delay, Micros(0)), nextOrder_++, context, std::move(fn)});
}

void FakeClock::Advance(Micros step) {
  const Micros target = now_ + step;
  for (;;) {
    auto next = std::min_element(wakeUps_.begin(), wakeUps_.end(), [](const WakeUp& a, const WakeUp& b) {
      return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    if (next == wakeUps_.end() || next->due > target) break;
    WakeUp due = std::move(*next);
    wakeUps_.erase(next);
    now_ = std::max(now_, due.due);
    if (due.context) due.fn();
  }
  now_ = target;
}

namespace {
std::mutex g_clockMutex;
std::shared_ptr<Clock> g_defaultClock;
}  // namespace

std::shared_ptr<Clock> DefaultClock() {
  std::lock_guard lock(g_clockMutex);
  if (!g_defaultClock) g_defaultClock = std::make_shared<SteadyClock>();
  return g_defaultClock;
}

void SetDefaultClock(std::shared_ptr<Clock> clock) {
  std::lock_guard lock(g_clockMutex);
  g_defaultClock = std::move(clock);
}

}  // namespace mci
