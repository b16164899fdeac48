// Where a play goes: the audio device or the silent clock. The control starts one
// stretch of frames at a time and learns of its end through the end handler.
//
// Every method is called on the control's (UI) thread; the end handler runs there
// too, from the event loop, never inside a call of the control.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include <QAudioDevice>
#include <QObject>
#include <QThread>

#include "platform/mci/Clock.h"
#include "platform/mci/WaveData.h"

namespace mci {

class Output {
 public:
  enum class End { Played, Failed };
  using EndHandler = std::function<void(uint64_t playId, End end)>;

  virtual ~Output() = default;
  // Plays frames [from, to) of wave (from < to) as play playId, replacing any play.
  virtual void Start(uint64_t playId, std::shared_ptr<const WaveData> wave, int64_t from, int64_t to) = 0;
  // Silences the play at once; no end is reported for it.
  virtual void Stop() = 0;
  // Frames of the current play heard so far, in [0, to - from]. Follows the sound
  // while the UI thread is busy.
  virtual int64_t HeardFrames() const = 0;
  // True once the current play has ended (played out or failed), even before the
  // end handler has run.
  virtual bool Ended() const = 0;

  void SetEndHandler(EndHandler handler) { endHandler_ = std::move(handler); }

 protected:
  EndHandler endHandler_;
};

// Advances in real time (or by a FakeClock) without producing sound.
class SilentOutput final : public Output {
 public:
  explicit SilentOutput(std::shared_ptr<Clock> clock);
  void Start(uint64_t playId, std::shared_ptr<const WaveData> wave, int64_t from, int64_t to) override;
  void Stop() override;
  int64_t HeardFrames() const override;
  bool Ended() const override;

 private:
  void ArmEnd();

  std::shared_ptr<Clock> clock_;
  QObject anchor_;  // context of the clock's wake-ups; they die with this output
  uint64_t playId_ = 0;
  bool active_ = false;
  Micros start_{0};
  int64_t frames_ = 0;
  int sampleRate_ = 1;
};

class SinkWorker;

// Plays on an audio device through a QAudioSink in push mode, fed from a thread
// of its own so that a busy UI thread never starves the sound.
class DeviceOutput final : public Output {
 public:
  explicit DeviceOutput(QAudioDevice device);
  ~DeviceOutput() override;
  void Start(uint64_t playId, std::shared_ptr<const WaveData> wave, int64_t from, int64_t to) override;
  void Stop() override;
  int64_t HeardFrames() const override;
  bool Ended() const override;

  // What the audio thread publishes about the current play.
  struct Progress {
    std::mutex mutex;
    uint64_t playId = 0;      // 0: nothing playing
    int64_t frames = 0;       // length of the play
    int sampleRate = 1;
    int64_t heardUs = 0;      // processed by the device
    Micros stamp{0};          // steady time of heardUs
    bool sounding = false;    // the device has begun to play it
    bool ended = false;
    bool failed = false;      // ended by a device failure, at heardUs
  };

 private:
  QObject anchor_;  // receives the audio thread's end reports on the UI thread
  QThread thread_;
  SinkWorker* worker_ = nullptr;  // lives on thread_
  std::shared_ptr<Progress> progress_;
};

// The device the control plays on: the default audio output, or none when there
// is no output device or a device failed during this run, or when the
// environment variable VELMORA_AUDIO_OUTPUT is "silent".
QAudioDevice ChooseAudioDevice();
// Called after a device failure: later plays use the silent clock.
void MarkAudioDeviceFailed();
bool AudioDeviceFailed();

}  // namespace mci
