#include "soundlib/WorkPool.h"

#include <algorithm>
#include <system_error>

namespace soundlib {

WorkPool::~WorkPool() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
    count_ = begun_;  // nothing more begins
  }
  work_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void WorkPool::Start(int count, std::function<void(int)> task) {
  Wait();
  {
    std::lock_guard lock(mutex_);
    task_ = std::move(task);
    count_ = count;
    begun_ = 0;
  }
  const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  try {
    while (static_cast<int>(threads_.size()) < std::min({wanted_, count, cores}))
      threads_.emplace_back([this] { Work(); });
  } catch (const std::system_error&) {
    // Fewer threads (or none): Wait runs what they do not.
  }
  work_.notify_all();
}

bool WorkPool::RunNext(std::unique_lock<std::mutex>& lock) {
  if (begun_ >= count_) return false;
  const int index = begun_++;
  ++running_;
  lock.unlock();
  task_(index);
  lock.lock();
  --running_;
  done_.notify_all();
  return true;
}

void WorkPool::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    work_.wait(lock, [this] { return stop_ || begun_ < count_; });
    if (stop_) return;
    RunNext(lock);
  }
}

void WorkPool::Wait(bool giveUp) {
  std::unique_lock lock(mutex_);
  if (giveUp) count_ = begun_;
  while (RunNext(lock)) {
  }
  done_.wait(lock, [this] { return running_ == 0; });
}

}  // namespace soundlib
