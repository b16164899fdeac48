// The multimedia control: plays one WAV file at a time, as a member of a form.
//
// Properties work as the screens use them: a command is sent
// by setting Command; Notify, Wait, From and To apply to the next command only.
// Positions and lengths are in milliseconds from the start of the file.
//
// Sound goes to the default audio output, fed from an audio thread; without an
// output device (or after the device failed) a silent clock stands in and the
// control behaves the same. Done and StatusUpdate are delivered on the control's
// thread through the event boundary (common::RunEvent), always from the event
// loop, never inside the call that caused them.
//
// Not thread-safe: use a control from the thread that created it (the UI thread).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <QObject>

#include "platform/mci/Clock.h"
#include "platform/mci/WaveData.h"

namespace forms {
class Form;
}

namespace mci {

class Output;

// Mode values.
enum ModeValue : int32_t {
  mciModeNotOpen = 524,
  mciModeStop = 525,
  mciModePlay = 526,
  mciModeRecord = 527,
  mciModeSeek = 528,
  mciModePause = 529,
  mciModeReady = 530,
};

// Notify codes that Done carries.
enum NotifyCode : int16_t {
  mciSuccessful = 1,  // the command completed (a play played to its end)
  mciSuperseded = 2,  // a new play replaced the play that asked for notification
  mciAborted = 4,     // Stop, Close or Open interrupted it
  mciFailure = 8,     // the file could not be played, or the device failed
};

// Where plays go.
enum class AudioOutput {
  Automatic,  // the default output device when there is one, else the silent clock
  Silent,     // always the silent clock
};

class MMControl : public QObject {
  Q_OBJECT

 public:
  using DoneHandler = std::function<void(int16_t notifyCode)>;
  using StatusUpdateHandler = std::function<void()>;

  explicit MMControl(QObject* parent = nullptr);
  ~MMControl() override;

  // "WaveAudio" (any letter case) or empty; Open fails for any other device.
  const std::string& DeviceType() const { return deviceType_; }
  void setDeviceType(const std::string& type) { deviceType_ = type; }
  const std::string& FileName() const { return fileName_; }
  void setFileName(const std::string& name) { fileName_ = name; }

  // "Open", "Play", "Stop", "Close" or "Seek to start" (any letter case). Another
  // text raises error 5. Reading gives the last command sent. Stop, Close, Open and
  // Seek to start end a running play (a play that asked for notification then
  // raises Done aborted); Seek to start leaves the position at 0, stopped.
  const std::string& Command() const { return command_; }
  void setCommand(const std::string& command);

  // Start and end of the next Play, in ms; a value not set means the current
  // position, respectively the end of the file. Used by one command, then unset.
  int32_t From() const { return from_; }
  void setFrom(int32_t ms);
  int32_t To() const { return to_; }
  void setTo(int32_t ms);

  // Length of the open file in ms (0 when none is open).
  int32_t Length() const;
  // What has been heard of the open file, in ms from its start; keeps moving while
  // the UI thread is busy. 0 when no file is open.
  int32_t Position() const;
  // mciModePlay while a play sounds (it leaves that mode at the sound's end, before
  // Done is delivered), mciModeStop when a file is open, mciModeNotOpen otherwise.
  int32_t Mode() const;

  // Whether the next command raises Done when it completes. A Play that asked for
  // it raises Done at its end, or aborted / superseded / failure.
  bool Notify() const { return notify_; }
  void setNotify(bool on) { notify_ = on; }
  // Whether the next command returns only when it has completed (a Play waits,
  // keeping the event loop running).
  bool Wait() const { return wait_; }
  void setWait(bool on) { wait_ = on; }
  bool Shareable() const { return shareable_; }
  void setShareable(bool on) { shareable_ = on; }
  // 0: milliseconds, the only time format the control uses.
  int32_t TimeFormat() const { return timeFormat_; }
  void setTimeFormat(int32_t format) { timeFormat_ = format; }
  // StatusUpdate period while playing, in ms; 0: none. Default 100.
  int32_t UpdateInterval() const { return updateInterval_; }
  void setUpdateInterval(int32_t ms) { updateInterval_ = ms; }

  // Names the file that is to play next, whole and at once, when the play now
  // running ends: the file a screen opens and plays from its Done handler. The
  // control reads it now, and the sound runs from this play into it without a
  // break: it begins where this file's music ends (its join, WaveData.h), with
  // the rest of this file sounding on under its start, and this play ends there
  // (its Done, Position then its Length). The Open of that file and the Play of
  // all of it that follow that Done take over the sound already running; any
  // other command but Close and Seek to start, or a Done handler that plays
  // nothing, silences it. Does nothing unless a play that asked for notification
  // is running, or when the file cannot be read or would not follow to the sample.
  void QueueNext(const std::string& fileName);

  // Why the last Open or Play failed (empty when it did not).
  const std::string& ErrorMessage() const { return errorMessage_; }

  // Handlers of the screen that holds the control; they run inside
  // common::RunEvent. The signals below are emitted there too, after the handler.
  void setOnDone(DoneHandler handler) { onDone_ = std::move(handler); }
  void setOnStatusUpdate(StatusUpdateHandler handler) { onStatusUpdate_ = std::move(handler); }
  // The form of the screen that holds the control: busy while a wait runs on it.
  void setOwnerForm(forms::Form* form) { ownerForm_ = form; }

  // The time base and the output of later plays (by default DefaultClock() and
  // the default audio output policy).
  void setClock(std::shared_ptr<Clock> clock);
  void setAudioOutput(AudioOutput output);

  friend void WaitWhilePlaying(MMControl& control);

 signals:
  void Done(int notifyCode);
  void StatusUpdate();

 private:
  void OpenFile();
  void Play();
  void Stop();
  void Close();
  void SeekToStart();
  void ConsumeCommandFlags();
  // Ends the running play (if any), keeping the position it reached; returns
  // whether it had asked for notification.
  bool EndPlay();
  // Ends any play (one that asked for notification with Done aborted) and lets
  // the file go.
  void ReleaseFile();
  void StartOutput(int64_t from);
  Output& OutputForPlay();
  void OnOutputEnded(uint64_t playId, int end);
  void ScheduleStatusUpdate();
  // Queues Done; with runOnId, a run-on that the Done handler did not take over is silenced after it.
  void DeliverDone(int16_t code, uint64_t runOnId = 0);
  int64_t CurrentFrame() const;
  // The play queued to follow the running one (QueueNext) given up: silenced if it sounds.
  void AbandonRunOn();
  // Play takes over the run-on sounding for the open file: true when it did.
  bool TakeOverRunOn(bool notify, int64_t first, int64_t last);

  std::string deviceType_;
  std::string fileName_;
  std::string command_;
  int32_t from_ = -1;  // -1: not set
  int32_t to_ = -1;
  bool notify_ = false;
  bool wait_ = false;
  bool shareable_ = false;
  int32_t timeFormat_ = 0;
  int32_t updateInterval_ = 100;
  std::string errorMessage_;
  DoneHandler onDone_;
  StatusUpdateHandler onStatusUpdate_;
  forms::Form* ownerForm_ = nullptr;

  std::shared_ptr<Clock> clock_;
  AudioOutput outputPolicy_ = AudioOutput::Automatic;
  std::unique_ptr<Output> output_;
  bool outputIsDevice_ = false;

  std::shared_ptr<const WaveData> wave_;  // the open file
  int64_t frame_ = 0;                     // position when not playing
  bool playing_ = false;
  bool playNotify_ = false;  // the running play asked for Done
  uint64_t playId_ = 0;
  uint64_t lastId_ = 0;  // play ids are handed out from here
  // The file queued to follow the running play, and once that has ended, sounding
  // until a Play takes it over.
  struct RunOn {
    uint64_t id = 0;  // 0: none
    std::shared_ptr<const WaveData> wave;
    bool sounding = false;  // the play before it has ended; it sounds unclaimed
    bool ended = false;     // it has even played out
  } runOn_;
  int64_t playFrom_ = 0;
  int64_t playTo_ = 0;
  Micros playStart_{0};  // clock time of the play's start (StatusUpdate schedule)
  int64_t ticks_ = 0;
};

// Waits, keeping the event loop running, until the play now running on control
// has ended: its Mode is no longer mciModePlay, or another play has taken its
// place (a Done handler run during the wait may start the next file), or the
// control is destroyed, or the program halts.
void WaitWhilePlaying(MMControl& control);

}  // namespace mci
