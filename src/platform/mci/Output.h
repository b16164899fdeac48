// Where a play goes: the audio device or the silent clock. The control starts one
// stretch of frames at a time, may queue the next file to follow it without a
// break, and learns of each play's end through the end handler.
//
// Every method is called on the control's (UI) thread; the end handler runs there
// too, from the event loop, never inside a call of the control.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

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
  // Plays frames [from, to) of wave as play playId (from < to), replacing any play
  // and anything queued.
  virtual void Start(uint64_t playId, std::shared_ptr<const WaveData> wave, int64_t from, int64_t to) = 0;
  // Lets play nextId, the whole of next, follow play currentId without a break: it
  // begins as the current play reaches frame `at` of its file (from < at <= to),
  // where that play then ends; the current play's frames from `at` on sound on,
  // added to the start of the next. Nothing happens when currentId is not the
  // current play, nextId would not sound from `at` to the sample (its sound is
  // already past `at`, or the two differ in format), or a play is queued already.
  // Whether the next play took the current one's place shows once that has
  // ended: nextId is then Known.
  virtual void Queue(uint64_t currentId, uint64_t nextId, std::shared_ptr<const WaveData> next, int64_t at) = 0;
  // Silences every play at once; no end is reported for them.
  virtual void Stop() = 0;
  // Frames of play playId heard so far, in [0, its length]; 0 for a play unknown.
  // Follows the sound while the UI thread is busy.
  virtual int64_t HeardFrames(uint64_t playId) const = 0;
  // True once play playId has ended (played out or failed), even before the end
  // handler has run; true for a play unknown.
  virtual bool Ended(uint64_t playId) const = 0;
  // True while play playId is started or queued and taken on, and not silenced.
  virtual bool Known(uint64_t playId) const = 0;

  void SetEndHandler(EndHandler handler) { endHandler_ = std::move(handler); }

 protected:
  EndHandler endHandler_;
};

// Advances in real time (or by a FakeClock) without producing sound.
class SilentOutput final : public Output {
 public:
  explicit SilentOutput(std::shared_ptr<Clock> clock);
  void Start(uint64_t playId, std::shared_ptr<const WaveData> wave, int64_t from, int64_t to) override;
  void Queue(uint64_t currentId, uint64_t nextId, std::shared_ptr<const WaveData> next, int64_t at) override;
  void Stop() override;
  int64_t HeardFrames(uint64_t playId) const override;
  bool Ended(uint64_t playId) const override;
  bool Known(uint64_t playId) const override;

 private:
  // A play in time: frames from frame `from` of its file, sounding from start.
  struct Play {
    uint64_t id = 0;
    Micros start{0};
    int64_t from = 0;
    int64_t frames = 0;
    int sampleRate = 1;
    int channels = 1;
  };
  const Play* Find(uint64_t playId) const;
  int64_t Heard(const Play& play) const;
  void ArmEnd();

  std::shared_ptr<Clock> clock_;
  QObject anchor_;  // context of the clock's wake-ups; they die with this output
  // The play sounding, then the one queued to follow it.
  std::vector<Play> plays_;
  Play ended_;               // the last play that played out, until the next Start or Stop
  uint64_t generation_ = 0;  // of the end wake-up that counts
};

class SinkWorker;

// Plays on an audio device through a QAudioSink in push mode, fed from a thread
// of its own so that a busy UI thread never starves the sound.
class DeviceOutput final : public Output {
 public:
  explicit DeviceOutput(QAudioDevice device);
  ~DeviceOutput() override;
  void Start(uint64_t playId, std::shared_ptr<const WaveData> wave, int64_t from, int64_t to) override;
  void Queue(uint64_t currentId, uint64_t nextId, std::shared_ptr<const WaveData> next, int64_t at) override;
  void Stop() override;
  int64_t HeardFrames(uint64_t playId) const override;
  bool Ended(uint64_t playId) const override;
  bool Known(uint64_t playId) const override;

  // What the audio thread publishes about the plays in its stream.
  struct Progress {
    // A play's place in the stream: its frames from stream frame `at` on.
    struct Play {
      uint64_t id = 0;
      int64_t at = 0;
      int64_t frames = 0;
      bool ended = false;
    };
    std::mutex mutex;
    std::vector<Play> plays;  // the first sounding, then one queued to follow it
    int sampleRate = 1;
    int64_t heardUs = 0;      // of the stream, processed by the device
    Micros stamp{0};          // steady time of heardUs
    bool sounding = false;    // the device has begun to play the stream
    bool failed = false;      // ended by a device failure, at heardUs
    Play* Find(uint64_t id);
    const Play* Find(uint64_t id) const { return const_cast<Progress*>(this)->Find(id); }
    int64_t HeardStreamFrames() const;  // heardUs, moved on to now while sounding
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
