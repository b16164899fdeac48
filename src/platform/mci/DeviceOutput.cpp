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
// Frames mixed and written at a time.
constexpr int64_t kChunkFrames = 4096;

}  // namespace

QAudioDevice ChooseAudioDevice() {
  if (g_deviceFailed.load()) return {};
  const char* wanted = std::getenv("VELMORA_AUDIO_OUTPUT");
  if (wanted != nullptr && std::string(wanted) == "silent") return {};
  return QMediaDevices::defaultAudioOutput();
}

void MarkAudioDeviceFailed() { g_deviceFailed.store(true); }
bool AudioDeviceFailed() { return g_deviceFailed.load(); }

// Lives on the audio thread: owns the sink and writes the plays into it every few
// milliseconds, one stream of frames, publishing how much the device has processed.
// A play queued to follow another is written on from the stream frame where the
// other ends, the rest of the other's file added to its start.
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
    rate_ = wave->sampleRate;
    channels_ = wave->channels;
    segments_.clear();
    segments_.push_back({std::move(wave), from, to, 0});
    plays_.clear();
    plays_.push_back({playId, 0, to - from, false});
    written_ = 0;
    io_ = sink_->start();
    baseUs_ = sink_->processedUSecs();
    lastHeard_ = -1;
    lastProgress_ = SteadyNow();
    if (io_ == nullptr) {
      Fail();
      return;
    }
    pump_.start();
    Pump();
  }

  // The stream frame where frame `at` of the current play's file falls, if the
  // next play can begin there: the current play is the last and has not ended,
  // the formats agree and nothing from there on is written yet.
  void Queue(uint64_t currentId, uint64_t nextId, std::shared_ptr<const WaveData> next, int64_t at) {
    if (plays_.empty() || segments_.empty() || next == nullptr || next->frames() <= 0) return;
    PlayState& current = plays_.back();
    const Segment& segment = segments_.back();
    if (current.id != currentId || current.ended) return;
    if (next->sampleRate != rate_ || next->channels != channels_) return;
    const int64_t frames = at - segment.from;
    const int64_t streamAt = segment.at + frames;
    if (frames <= 0 || segment.from + frames > segment.to || streamAt < written_) return;
    {
      std::lock_guard lock(progress_->mutex);
      DeviceOutput::Progress::Play* published = progress_->Find(currentId);
      if (published == nullptr) return;  // the control has started something else meanwhile
      published->frames = frames;
      progress_->plays.push_back({nextId, streamAt, next->frames(), false});
    }
    current.frames = frames;
    plays_.push_back({nextId, streamAt, next->frames(), false});
    segments_.push_back({next, 0, next->frames(), streamAt});
  }

  void Halt() {
    pump_.stop();
    segments_.clear();
    plays_.clear();
    if (sink_ != nullptr) sink_->stop();
    io_ = nullptr;
  }

 private:
  // Frames [from, to) of wave, written from stream frame at on.
  struct Segment {
    std::shared_ptr<const WaveData> wave;
    int64_t from = 0;
    int64_t to = 0;
    int64_t at = 0;
    int64_t end() const { return at + (to - from); }
  };
  // A play's stretch of the stream, and whether its end was reported.
  struct PlayState {
    uint64_t id = 0;
    int64_t at = 0;
    int64_t frames = 0;
    bool ended = false;
  };

  int64_t StreamEnd() const {
    int64_t end = 0;
    for (const Segment& segment : segments_) end = std::max(end, segment.end());
    return end;
  }

  // The stream's frames [first, first + count) into mix_, the segments there added.
  void Mix(int64_t first, int64_t count) {
    const size_t values = static_cast<size_t>(count * channels_);
    sum_.assign(values, 0);
    for (const Segment& segment : segments_) {
      const int64_t begin = std::max(first, segment.at);
      const int64_t end = std::min(first + count, segment.end());
      if (begin >= end) continue;
      const int16_t* source = segment.wave->samples.data() + (segment.from + begin - segment.at) * channels_;
      int32_t* into = sum_.data() + (begin - first) * channels_;
      const int64_t n = (end - begin) * channels_;
      for (int64_t i = 0; i < n; ++i) into[i] += source[i];
    }
    mix_.resize(values);
    for (size_t i = 0; i < values; ++i) mix_[i] = static_cast<int16_t>(std::clamp<int32_t>(sum_[i], -32768, 32767));
  }

  void Pump() {
    if (plays_.empty() || sink_ == nullptr) return;
    const auto error = sink_->error();
    if (error == QAudio::OpenError || error == QAudio::FatalError ||
        (sink_->state() == QAudio::StoppedState && error != QAudio::NoError)) {
      Fail();
      return;
    }
    const int frameBytes = channels_ * static_cast<int>(sizeof(int16_t));
    const int64_t streamEnd = StreamEnd();
    while (written_ < streamEnd) {
      const qsizetype room = sink_->bytesFree() / frameBytes;
      if (room <= 0) break;
      const int64_t count = std::min<int64_t>({room, streamEnd - written_, kChunkFrames});
      Mix(written_, count);
      const qint64 wrote = io_->write(reinterpret_cast<const char*>(mix_.data()), count * frameBytes);
      if (wrote <= 0) break;
      written_ += wrote / frameBytes;
    }
    const Micros now = SteadyNow();
    const int64_t heardUs = std::max<int64_t>(sink_->processedUSecs() - baseUs_, 0);
    const int64_t heard = std::min(heardUs * rate_ / 1'000'000, written_);
    if (heard != lastHeard_) {
      lastHeard_ = heard;
      lastProgress_ = now;
    }
    std::vector<uint64_t> ended;
    for (PlayState& play : plays_) {
      if (!play.ended && written_ >= play.at + play.frames && heard >= play.at + play.frames) {
        play.ended = true;
        ended.push_back(play.id);
      }
    }
    // What is heard in full is let go, but for the last play that ended.
    while (plays_.size() > 2 && plays_[0].ended && plays_[1].ended) plays_.erase(plays_.begin());
    segments_.erase(std::remove_if(segments_.begin(), segments_.end(),
                                   [heard](const Segment& segment) { return segment.end() <= heard; }),
                    segments_.end());
    {
      std::lock_guard lock(progress_->mutex);
      progress_->sampleRate = rate_;
      progress_->heardUs = heardUs;
      progress_->stamp = now;
      progress_->sounding = heardUs > 0;
      for (uint64_t id : ended) {
        if (DeviceOutput::Progress::Play* published = progress_->Find(id)) published->ended = true;
      }
      auto& published = progress_->plays;
      while (published.size() > 2 && published[0].ended && published[1].ended) published.erase(published.begin());
    }
    const bool done = std::all_of(plays_.begin(), plays_.end(), [](const PlayState& p) { return p.ended; });
    if (done) {
      // The sink keeps running after the last play ended by itself, so that the
      // device's last buffer plays out and a next play of the same format starts
      // at once; an unused sink is closed a little later.
      pump_.stop();
      segments_.clear();
      idle_.start();
    } else if (now - lastProgress_ > kStallLimit) {
      Fail();
      return;
    }
    for (uint64_t id : ended) report_(id, Output::End::Played);
  }

  void Fail() {
    std::vector<uint64_t> failed;
    for (const PlayState& play : plays_)
      if (!play.ended) failed.push_back(play.id);
    {
      std::lock_guard lock(progress_->mutex);
      progress_->failed = true;
    }
    pump_.stop();
    segments_.clear();
    plays_.clear();
    CloseSink();
    for (uint64_t id : failed) report_(id, Output::End::Failed);
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
  int rate_ = 1;
  int channels_ = 1;
  std::vector<Segment> segments_;
  std::vector<PlayState> plays_;
  int64_t written_ = 0;  // stream frames written
  std::vector<int32_t> sum_;
  std::vector<int16_t> mix_;
  qint64 baseUs_ = 0;
  int64_t lastHeard_ = -1;
  Micros lastProgress_{0};
};

DeviceOutput::Progress::Play* DeviceOutput::Progress::Find(uint64_t id) {
  if (id == 0) return nullptr;
  for (Play& play : plays)
    if (play.id == id) return &play;
  return nullptr;
}

// The device's processed time plus the time since the audio thread last looked,
// so the position moves smoothly between its reports.
int64_t DeviceOutput::Progress::HeardStreamFrames() const {
  int64_t us = heardUs;
  if (!failed && sounding) us += std::min(SteadyNow() - stamp, kMaxExtrapolation).count();
  return us * sampleRate / 1'000'000;
}

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
    progress_->plays.assign(1, {playId, 0, to - from, false});
    progress_->sampleRate = wave->sampleRate;
    progress_->heardUs = 0;
    progress_->stamp = SteadyNow();
    progress_->sounding = false;
    progress_->failed = false;
  }
  SinkWorker* worker = worker_;
  QMetaObject::invokeMethod(
      worker, [worker, playId, wave = std::move(wave), from, to] { worker->Begin(playId, wave, from, to); },
      Qt::QueuedConnection);
}

void DeviceOutput::Queue(uint64_t currentId, uint64_t nextId, std::shared_ptr<const WaveData> next, int64_t at) {
  SinkWorker* worker = worker_;
  QMetaObject::invokeMethod(
      worker, [worker, currentId, nextId, next = std::move(next), at] { worker->Queue(currentId, nextId, next, at); },
      Qt::QueuedConnection);
}

void DeviceOutput::Stop() {
  {
    std::lock_guard lock(progress_->mutex);
    progress_->plays.clear();
  }
  SinkWorker* worker = worker_;
  QMetaObject::invokeMethod(worker, [worker] { worker->Halt(); }, Qt::QueuedConnection);
}

int64_t DeviceOutput::HeardFrames(uint64_t playId) const {
  std::lock_guard lock(progress_->mutex);
  const Progress::Play* play = progress_->Find(playId);
  if (play == nullptr) return 0;
  if (play->ended && !progress_->failed) return play->frames;
  return std::clamp<int64_t>(progress_->HeardStreamFrames() - play->at, 0, play->frames);
}

bool DeviceOutput::Ended(uint64_t playId) const {
  std::lock_guard lock(progress_->mutex);
  const Progress::Play* play = progress_->Find(playId);
  return play == nullptr || play->ended || progress_->failed;
}

bool DeviceOutput::Known(uint64_t playId) const {
  std::lock_guard lock(progress_->mutex);
  return progress_->Find(playId) != nullptr && !progress_->failed;
}

}  // namespace mci
