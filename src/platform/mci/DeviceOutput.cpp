#include <algorithm>
#include <atomic>
#include <cstdlib>

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

#include "platform/mci/Output.h"

namespace mci {

namespace {

std::atomic<bool> g_deviceFailed{false};

Micros SteadyNow() {
  return std::chrono::duration_cast<Micros>(std::chrono::steady_clock::now().time_since_epoch());
}

constexpr auto kPumpInterval = std::chrono::milliseconds(5);
// Extrapolation of the heard position between two reports of the audio thread.
constexpr Micros kMaxExtrapolation{12'000};
// A device that plays nothing for this long while it should is taken as failed.
constexpr Micros kStallLimit{3'000'000};
// A sink that stays unused this long after a play is closed.
constexpr auto kIdleClose = std::chrono::milliseconds(500);

}  // namespace

QAudioDevice ChooseAudioDevice() {
  if (g_deviceFailed.load()) return {};
  const char* wanted = std::getenv("VELMORA_AUDIO_OUTPUT");
  if (wanted != nullptr && std::string(wanted) == "silent") return {};
  return QMediaDevices::defaultAudioOutput();
}

void MarkAudioDeviceFailed() { g_deviceFailed.store(true); }
bool AudioDeviceFailed() { return g_deviceFailed.load(); }

// Lives on the audio thread: owns the sink and writes the play into it every few
// milliseconds, publishing how much the device has processed.
class SinkWorker : public QObject {
 public:
  using Report = std::function<void(uint64_t playId, Output::End end)>;

  SinkWorker(QAudioDevice device, std::shared_ptr<DeviceOutput::Progress> progress, Report report)
      : device_(std::move(device)), progress_(std::move(progress)), report_(std::move(report)) {
    pump_.setTimerType(Qt::PreciseTimer);
    pump_.setInterval(kPumpInterval);
    QObject::connect(&pump_, &QTimer::timeout, this, [this] { Pump(); });
    idle_.setSingleShot(true);
    idle_.setInterval(kIdleClose);
    QObject::connect(&idle_, &QTimer::timeout, this, [this] { CloseSink(); });
  }

  ~SinkWorker() override { CloseSink(); }

  void Begin(uint64_t playId, std::shared_ptr<const WaveData> wave, int64_t from, int64_t to) {
    idle_.stop();
    QAudioFormat format;
    format.setSampleRate(wave->sampleRate);
    format.setChannelCount(wave->channels);
    format.setSampleFormat(QAudioFormat::Int16);
    if (sink_ == nullptr || sink_->format() != format) {
      CloseSink();
      sink_ = new QAudioSink(device_, format, this);
    } else {
      sink_->stop();
    }
    playId_ = playId;
    wave_ = std::move(wave);
    next_ = from;
    to_ = to;
    durationUs_ = (to - from) * 1'000'000 / wave_->sampleRate;
    io_ = sink_->start();
    baseUs_ = sink_->processedUSecs();
    lastHeardUs_ = -1;
    lastProgress_ = SteadyNow();
    if (io_ == nullptr) {
      Fail();
      return;
    }
    pump_.start();
    Pump();
  }

  void Halt() {
    pump_.stop();
    playId_ = 0;
    wave_.reset();
    if (sink_ != nullptr) sink_->stop();
    io_ = nullptr;
  }

 private:
  void Pump() {
    if (playId_ == 0 || sink_ == nullptr) return;
    const auto error = sink_->error();
    if (error == QAudio::OpenError || error == QAudio::FatalError ||
        (sink_->state() == QAudio::StoppedState && error != QAudio::NoError)) {
      Fail();
      return;
    }
    const int frameBytes = wave_->channels * static_cast<int>(sizeof(int16_t));
    while (next_ < to_) {
      const qsizetype room = sink_->bytesFree() / frameBytes;
      if (room <= 0) break;
      const int64_t count = std::min<int64_t>(room, to_ - next_);
      const auto* data = reinterpret_cast<const char*>(wave_->samples.data() + next_ * wave_->channels);
      const qint64 wrote = io_->write(data, count * frameBytes);
      if (wrote <= 0) break;
      next_ += wrote / frameBytes;
    }
    const Micros now = SteadyNow();
    const int64_t heardUs = std::clamp<int64_t>(sink_->processedUSecs() - baseUs_, 0, durationUs_);
    if (heardUs != lastHeardUs_) {
      lastHeardUs_ = heardUs;
      lastProgress_ = now;
    }
    const bool ended = next_ >= to_ && heardUs >= durationUs_;
    {
      std::lock_guard lock(progress_->mutex);
      if (progress_->playId == playId_) {
        progress_->heardUs = heardUs;
        progress_->stamp = now;
        progress_->sounding = heardUs > 0;
        progress_->ended = ended;
      }
    }
    if (ended) {
      Finish(Output::End::Played);
    } else if (now - lastProgress_ > kStallLimit) {
      Fail();
    }
  }

  // The sink keeps running after a play that ended by itself, so that the
  // device's last buffer plays out and the next play of the same format starts at
  // once; an unused sink is closed a little later.
  void Finish(Output::End end) {
    const uint64_t id = playId_;
    pump_.stop();
    playId_ = 0;
    wave_.reset();
    if (end == Output::End::Failed) {
      CloseSink();
    } else {
      idle_.start();
    }
    report_(id, end);
  }

  void Fail() {
    {
      std::lock_guard lock(progress_->mutex);
      if (progress_->playId == playId_) {
        progress_->ended = true;
        progress_->failed = true;
      }
    }
    Finish(Output::End::Failed);
  }

  void CloseSink() {
    io_ = nullptr;
    if (sink_ != nullptr) {
      sink_->stop();
      delete sink_;
      sink_ = nullptr;
    }
  }

  QAudioDevice device_;
  std::shared_ptr<DeviceOutput::Progress> progress_;
  Report report_;
  QTimer pump_{this};
  QTimer idle_{this};
  QAudioSink* sink_ = nullptr;
  QIODevice* io_ = nullptr;
  uint64_t playId_ = 0;
  std::shared_ptr<const WaveData> wave_;
  int64_t next_ = 0;  // next frame to write
  int64_t to_ = 0;
  int64_t durationUs_ = 0;
  qint64 baseUs_ = 0;
  int64_t lastHeardUs_ = -1;
  Micros lastProgress_{0};
};

DeviceOutput::DeviceOutput(QAudioDevice device) : progress_(std::make_shared<Progress>()) {
  thread_.setObjectName("audio");
  auto report = [this](uint64_t playId, End end) {
    QMetaObject::invokeMethod(
        &anchor_,
        [this, playId, end] {
          if (endHandler_) endHandler_(playId, end);
        },
        Qt::QueuedConnection);
  };
  worker_ = new SinkWorker(std::move(device), progress_, std::move(report));
  worker_->moveToThread(&thread_);
  thread_.start(QThread::TimeCriticalPriority);
}

DeviceOutput::~DeviceOutput() {
  // The worker and its sink are destroyed on the audio thread, which then stops;
  // afterwards nothing can report to anchor_.
  SinkWorker* worker = worker_;
  QMetaObject::invokeMethod(worker, [worker] { delete worker; }, Qt::BlockingQueuedConnection);
  thread_.quit();
  thread_.wait();
}

void DeviceOutput::Start(uint64_t playId, std::shared_ptr<const WaveData> wave, int64_t from, int64_t to) {
  {
    std::lock_guard lock(progress_->mutex);
    progress_->playId = playId;
    progress_->frames = to - from;
    progress_->sampleRate = wave->sampleRate;
    progress_->heardUs = 0;
    progress_->stamp = SteadyNow();
    progress_->sounding = false;
    progress_->ended = false;
    progress_->failed = false;
  }
  SinkWorker* worker = worker_;
  QMetaObject::invokeMethod(
      worker, [worker, playId, wave = std::move(wave), from, to] { worker->Begin(playId, wave, from, to); },
      Qt::QueuedConnection);
}

void DeviceOutput::Stop() {
  {
    std::lock_guard lock(progress_->mutex);
    progress_->playId = 0;
    progress_->ended = true;
  }
  SinkWorker* worker = worker_;
  QMetaObject::invokeMethod(worker, [worker] { worker->Halt(); }, Qt::QueuedConnection);
}

// The device's processed time plus the time since the audio thread last looked,
// so the position moves smoothly between its reports.
int64_t DeviceOutput::HeardFrames() const {
  std::lock_guard lock(progress_->mutex);
  if (progress_->playId == 0 && !progress_->ended) return 0;
  int64_t us = progress_->heardUs;
  if (progress_->failed) {
    // stays where the sound broke off
  } else if (progress_->ended) {
    us = progress_->frames * 1'000'000 / progress_->sampleRate;
  } else if (progress_->sounding) {
    us += std::min(SteadyNow() - progress_->stamp, kMaxExtrapolation).count();
  }
  return std::clamp<int64_t>(us * progress_->sampleRate / 1'000'000, 0, progress_->frames);
}

bool DeviceOutput::Ended() const {
  std::lock_guard lock(progress_->mutex);
  return progress_->ended;
}

}  // namespace mci
