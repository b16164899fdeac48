// The null sink's monitor recorded through parec while a test plays on the
// device (AUDIO.md), and the event loop kept running for a while.
#pragma once

#include <csignal>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>

namespace mcitest {

using Steady = std::chrono::steady_clock;

// Records the null sink's monitor (16-bit stereo) through parec, noting when each
// block of frames arrived.
class MonitorRecorder {
 public:
  MonitorRecorder() {
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    char* const argv[] = {const_cast<char*>("parec"), const_cast<char*>("-d"), const_cast<char*>("nullsink.monitor"),
                          const_cast<char*>("--format=s16le"), const_cast<char*>("--rate=44100"),
                          const_cast<char*>("--channels=2"), const_cast<char*>("--latency-msec=10"),
                          const_cast<char*>("--raw"), nullptr};
    if (posix_spawnp(&pid_, "parec", &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    fd_ = fds[0];
    reader_ = std::thread([this] { Read(); });
  }

  ~MonitorRecorder() { Stop(); }

  void Stop() {
    if (pid_ > 0) {
      kill(pid_, SIGINT);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
    if (reader_.joinable()) reader_.join();
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

  bool Running() const { return pid_ > 0; }

  // Left channel of everything recorded.
  std::vector<int16_t> Left() const {
    std::lock_guard lock(mutex_);
    std::vector<int16_t> left;
    for (size_t i = 0; i + 1 < samples_.size(); i += 2) left.push_back(samples_[i]);
    return left;
  }

  // When the block holding frame arrived.
  Steady::time_point ArrivalOf(size_t frame) const {
    std::lock_guard lock(mutex_);
    for (const auto& [frames, when] : arrivals_) {
      if (frames > frame) return when;
    }
    return Steady::time_point::max();
  }

 private:
  void Read() {
    std::vector<char> block(4096);
    std::vector<char> pending;
    for (;;) {
      const ssize_t got = read(fd_, block.data(), block.size());
      if (got <= 0) break;
      const auto now = Steady::now();
      pending.insert(pending.end(), block.begin(), block.begin() + got);
      const size_t whole = pending.size() / 4 * 4;
      std::lock_guard lock(mutex_);
      const auto* values = reinterpret_cast<const int16_t*>(pending.data());
      samples_.insert(samples_.end(), values, values + whole / 2);
      pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(whole));
      arrivals_.emplace_back(samples_.size() / 2, now);
    }
  }

  pid_t pid_ = -1;
  int fd_ = -1;
  std::thread reader_;
  mutable std::mutex mutex_;
  std::vector<int16_t> samples_;
  std::vector<std::pair<size_t, Steady::time_point>> arrivals_;
};

inline void PumpEventsFor(std::chrono::milliseconds span) {
  const auto until = Steady::now() + span;
  while (Steady::now() < until) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace mcitest
