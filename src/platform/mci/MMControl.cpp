#include "platform/mci/MMControl.h"

#include <algorithm>
#include <cctype>

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include "common/Trace.h"
#include "platform/forms/Form.h"
#include "platform/forms/NestedLoop.h"
#include "platform/mci/Output.h"
#include "platform/vb/Error.h"

namespace mci {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

}  // namespace

MMControl::MMControl(QObject* parent) : QObject(parent), clock_(DefaultClock()) {}

MMControl::~MMControl() = default;

void MMControl::setCommand(const std::string& command) {
  command_ = command;
  const std::string name = Lower(command);
  if (name == "open") {
    OpenFile();
  } else if (name == "play") {
    Play();
  } else if (name == "stop") {
    Stop();
  } else if (name == "close") {
    Close();
  } else if (name == "seek to start") {
    SeekToStart();
  } else {
    ConsumeCommandFlags();
    vb::Raise(vb::kInvalidCall, "Unknown multimedia command \"" + command + "\"");
  }
}

void MMControl::setFrom(int32_t ms) { from_ = std::max<int32_t>(ms, 0); }
void MMControl::setTo(int32_t ms) { to_ = std::max<int32_t>(ms, 0); }

int32_t MMControl::Length() const {
  return wave_ ? static_cast<int32_t>(FramesToMs(wave_->frames(), wave_->sampleRate)) : 0;
}

int32_t MMControl::Position() const {
  return wave_ ? static_cast<int32_t>(FramesToMs(CurrentFrame(), wave_->sampleRate)) : 0;
}

int32_t MMControl::Mode() const {
  if (!wave_) return mciModeNotOpen;
  return playing_ && !output_->Ended(playId_) ? mciModePlay : mciModeStop;
}

void MMControl::setClock(std::shared_ptr<Clock> clock) {
  clock_ = clock ? std::move(clock) : DefaultClock();
  if (!playing_) {
    AbandonRunOn();
    output_.reset();
  }
}

void MMControl::setAudioOutput(AudioOutput output) {
  outputPolicy_ = output;
  if (!playing_) {
    AbandonRunOn();
    output_.reset();
  }
}

// Notify, Wait, From and To serve one command.
void MMControl::ConsumeCommandFlags() {
  notify_ = false;
  wait_ = false;
  from_ = -1;
  to_ = -1;
}

void MMControl::ReleaseFile() {
  if (EndPlay()) DeliverDone(mciAborted);
  wave_.reset();
  frame_ = 0;
}

void MMControl::OpenFile() {
  const bool notify = notify_;
  ConsumeCommandFlags();
  ReleaseFile();
  errorMessage_.clear();
  if (!deviceType_.empty() && Lower(deviceType_) != "waveaudio") {
    errorMessage_ = "Unknown device type \"" + deviceType_ + "\"";
  } else {
    wave_ = ReadWave(fileName_, &errorMessage_);
  }
  // The file queued to follow the last play, sounding already, stays open as it sounds.
  if (wave_ && runOn_.sounding && wave_->SameSound(*runOn_.wave)) {
    wave_ = runOn_.wave;
  } else {
    AbandonRunOn();
  }
  if (notify) DeliverDone(wave_ ? mciSuccessful : mciFailure);
}

void MMControl::Play() {
  const bool notify = notify_;
  const bool wait = wait_;
  const int32_t from = from_;
  const int32_t to = to_;
  ConsumeCommandFlags();
  if (!wave_) {
    // A missing or unreadable file still ends in Done, so a screen waiting for it
    // does not hang.
    if (errorMessage_.empty()) errorMessage_ = "No file is open";
    AbandonRunOn();
    if (notify) DeliverDone(mciFailure);
    return;
  }
  errorMessage_.clear();
  if (EndPlay()) DeliverDone(mciSuperseded);
  const int64_t total = wave_->frames();
  const int rate = wave_->sampleRate;
  const int64_t first = from >= 0 ? std::min(MsToFrames(from, rate), total) : frame_;
  const int64_t last = to < 0 || to >= Length() ? total : std::min(MsToFrames(to, rate), total);
  if (TakeOverRunOn(notify, first, last)) {
    if (wait) WaitWhilePlaying(*this);
    return;
  }
  AbandonRunOn();
  if (first >= last) {
    frame_ = std::min(first, total);
    if (notify) DeliverDone(mciSuccessful);
    return;
  }
  playFrom_ = first;
  playTo_ = last;
  playNotify_ = notify;
  playing_ = true;
  playId_ = ++lastId_;
  Output& output = OutputForPlay();
  playStart_ = clock_->Now();
  ticks_ = 0;
  output.Start(playId_, wave_, playFrom_, playTo_);
  ScheduleStatusUpdate();
  if (wait) WaitWhilePlaying(*this);
}

void MMControl::Stop() {
  const bool notify = notify_;
  ConsumeCommandFlags();
  AbandonRunOn();
  if (EndPlay()) DeliverDone(mciAborted);
  if (notify) DeliverDone(mciSuccessful);
}

void MMControl::Close() {
  const bool notify = notify_;
  ConsumeCommandFlags();
  ReleaseFile();
  if (notify) DeliverDone(mciSuccessful);
}

void MMControl::SeekToStart() {
  const bool notify = notify_;
  ConsumeCommandFlags();
  if (EndPlay()) DeliverDone(mciAborted);
  frame_ = 0;
  if (notify) DeliverDone(mciSuccessful);
}

bool MMControl::EndPlay() {
  if (!playing_) return false;
  frame_ = CurrentFrame();
  output_->Stop();  // and what was queued to follow it
  runOn_ = {};
  playing_ = false;
  const bool notify = playNotify_;
  playNotify_ = false;
  return notify;
}

int64_t MMControl::CurrentFrame() const { return playing_ ? playFrom_ + output_->HeardFrames(playId_) : frame_; }

void MMControl::QueueNext(const std::string& fileName) {
  if (!playing_ || !playNotify_ || runOn_.id != 0 || output_->Ended(playId_)) return;
  std::string error;
  std::shared_ptr<const WaveData> next = ReadWave(fileName, &error);
  if (!next || next->sampleRate != wave_->sampleRate || next->channels != wave_->channels) return;
  // It begins where this file's music ends, or where this play stops short of that.
  const int64_t at = wave_->join > playFrom_ && wave_->join <= playTo_ ? wave_->join : playTo_;
  runOn_ = RunOn{++lastId_, std::move(next)};
  output_->Queue(playId_, runOn_.id, runOn_.wave, at);
}

void MMControl::AbandonRunOn() {
  if (runOn_.id == 0) return;
  // Queued behind a running play it goes with that play's Stop; sounding, it stops here.
  if (runOn_.sounding && output_) output_->Stop();
  runOn_ = {};
}

bool MMControl::TakeOverRunOn(bool notify, int64_t first, int64_t last) {
  if (!runOn_.sounding || first != 0 || last != wave_->frames()) return false;
  if (wave_ != runOn_.wave && !wave_->SameSound(*runOn_.wave)) return false;
  wave_ = runOn_.wave;
  const RunOn runOn = runOn_;
  runOn_ = {};
  playId_ = runOn.id;
  playFrom_ = 0;
  playTo_ = last;
  playNotify_ = notify;
  ticks_ = 0;
  if (runOn.ended) {
    // It played out before this Play came.
    frame_ = last;
    if (notify) DeliverDone(mciSuccessful);
    return true;
  }
  playing_ = true;
  // Its StatusUpdate ticks count from when it began to sound.
  const int64_t heard = output_->HeardFrames(playId_);
  playStart_ = clock_->Now() - Micros(heard * 1'000'000 / wave_->sampleRate);
  ScheduleStatusUpdate();
  return true;
}

Output& MMControl::OutputForPlay() {
  if (output_ && outputIsDevice_ && AudioDeviceFailed()) output_.reset();
  if (!output_) {
    QAudioDevice device;
    if (outputPolicy_ == AudioOutput::Automatic) device = ChooseAudioDevice();
    outputIsDevice_ = !device.isNull();
    if (outputIsDevice_) {
      output_ = std::make_unique<DeviceOutput>(device);
    } else {
      output_ = std::make_unique<SilentOutput>(clock_);
    }
    output_->SetEndHandler([this](uint64_t playId, Output::End end) { OnOutputEnded(playId, static_cast<int>(end)); });
  }
  return *output_;
}

void MMControl::OnOutputEnded(uint64_t playId, int end) {
  const bool failed = end == static_cast<int>(Output::End::Failed);
  if (runOn_.sounding && playId == runOn_.id) {
    // The run-on itself ended before a Play took it over.
    if (failed) {
      runOn_ = {};
    } else {
      runOn_.ended = true;
    }
    return;
  }
  if (!playing_ || playId != playId_) return;  // a play already stopped or replaced
  frame_ = failed ? CurrentFrame() : playTo_;
  playing_ = false;
  const bool notify = playNotify_;
  playNotify_ = false;
  uint64_t runOn = 0;
  if (runOn_.id != 0) {
    if (!failed && output_->Known(runOn_.id)) {
      runOn_.sounding = true;
      runOn = runOn_.id;
    } else {
      runOn_ = {};  // the output did not take it on
    }
  }
  if (failed) {
    errorMessage_ = "The audio device failed";
    if (outputIsDevice_) MarkAudioDeviceFailed();
  }
  if (notify) DeliverDone(failed ? mciFailure : mciSuccessful, runOn);
}

// Ticks at whole multiples of the interval from the play's start, so a late tick
// does not shift the later ones.
void MMControl::ScheduleStatusUpdate() {
  if (updateInterval_ <= 0) return;
  const Micros interval = std::chrono::milliseconds(updateInterval_);
  const Micros due = playStart_ + interval * (ticks_ + 1);
  const uint64_t id = playId_;
  clock_->CallAfter(this, due - clock_->Now(), [this, id] {
    if (!playing_ || id != playId_) return;
    ++ticks_;
    if (Mode() == mciModePlay) {
      QPointer<MMControl> self(this);
      common::RunEvent([this, &self] {
        if (onStatusUpdate_) {
          auto handler = onStatusUpdate_;
          handler();
        }
        if (self) emit StatusUpdate();
      });
      if (!self) return;
    }
    if (playing_ && id == playId_) ScheduleStatusUpdate();
  });
}

void MMControl::DeliverDone(int16_t code, uint64_t runOnId) {
  QMetaObject::invokeMethod(
      this,
      [this, code, runOnId] {
        QPointer<MMControl> self(this);
        common::RunEvent([this, &self, code] {
          if (onDone_) {
            auto handler = onDone_;
            handler(code);
          }
          if (self) emit Done(code);
        });
        if (self && runOnId != 0 && runOn_.id == runOnId) AbandonRunOn();
      },
      Qt::QueuedConnection);
}

void WaitWhilePlaying(MMControl& control) {
  QPointer<MMControl> watched(&control);
  const uint64_t playId = control.playId_;
  auto stillPlaying = [&watched, playId] {
    return watched && watched->playId_ == playId && watched->Mode() == mciModePlay && !common::ProgramHalted();
  };
  if (!stillPlaying()) return;
  QEventLoop loop;
  QTimer poll;
  poll.setTimerType(Qt::PreciseTimer);
  poll.setInterval(2);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (!stillPlaying()) loop.quit();
  });
  poll.start();
  forms::NestedLoop nested;
  forms::BusyWait busy(control.ownerForm_);
  loop.exec();
}

}  // namespace mci
