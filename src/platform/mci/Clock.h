// The time base of the player: the silent clock's time and the wake-ups of the
// control (end of a silent play, StatusUpdate ticks). SteadyClock is real time;
// FakeClock is moved by hand, for tests that must control time.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include <QPointer>

class QObject;

namespace mci {

using Micros = std::chrono::microseconds;

class Clock {
 public:
  virtual ~Clock() = default;
  // Time since an arbitrary start; never goes back. Any thread.
  virtual Micros Now() const = 0;
  // Calls fn on context's thread once delay has passed (0 or less: soon). The
  // call is dropped when context is destroyed first. Call on context's thread.
  virtual void CallAfter(QObject* context, Micros delay, std::function<void()> fn) = 0;
};

// Real time (std::chrono::steady_clock); wake-ups are precise Qt timers.
class SteadyClock final : public Clock {
 public:
  Micros Now() const override;
  void CallAfter(QObject* context, Micros delay, std::function<void()> fn) override;
};

// Time that moves only through Advance. For use on one thread.
class FakeClock final : public Clock {
 public:
  Micros Now() const override { return now_; }
  void CallAfter(QObject* context, Micros delay, std::function<void()> fn) override;
  // Moves time forward by step and runs, in time order, every wake-up that falls
  // due, each with the clock standing at its due time.
  void Advance(Micros step);
  size_t PendingWakeUps() const { return wakeUps_.size(); }

 private:
  struct WakeUp {
    Micros due;
    uint64_t order;
    QPointer<QObject> context;
    std::function<void()> fn;
  };
  Micros now_{0};
  uint64_t nextOrder_ = 0;
  std::vector<WakeUp> wakeUps_;
};

// The clock of controls that are given none: a SteadyClock unless replaced.
std::shared_ptr<Clock> DefaultClock();
// Replaces the default clock (null restores real time); controls created later use it.
void SetDefaultClock(std::shared_ptr<Clock> clock);

}  // namespace mci
