// WorkPool: a few threads of the library's own that run the numbered tasks of a
// job, in any order, while the caller goes on. Wait has the caller take on what
// no thread has begun, so a job always finishes, threads or none (none could be
// started). One job at a time; not for use from several threads.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace soundlib {

class WorkPool {
 public:
  // Up to `threads` threads, started at the first job.
  explicit WorkPool(int threads) : wanted_(threads) {}
  WorkPool(const WorkPool&) = delete;
  WorkPool& operator=(const WorkPool&) = delete;
  ~WorkPool();

  // Runs task(0) .. task(count - 1); a job still running is waited for first.
  void Start(int count, std::function<void(int)> task);
  // Returns once every task begun has run; the tasks not yet begun are run here
  // first, or with giveUp never.
  void Wait(bool giveUp = false);

 private:
  void Work();
  // Runs the next task not yet begun, the lock held on entry and exit; false when there is none.
  bool RunNext(std::unique_lock<std::mutex>& lock);

  int wanted_;
  std::vector<std::thread> threads_;
  std::mutex mutex_;
  std::condition_variable work_;  // a task to begin, or the end
  std::condition_variable done_;  // a task ran
  std::function<void(int)> task_;
  int count_ = 0;     // tasks of the job
  int begun_ = 0;     // tasks handed out
  int running_ = 0;   // handed out and not yet run
  bool stop_ = false;
};

}  // namespace soundlib
