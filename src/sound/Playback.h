// Playing music files on the multimedia control "cMM" of the form in front
// (shell::CurrForm). The control plays asynchronously; its Done event, on every form
// that carries it, calls sPlayMusicFile(MusicFileToPlay) again (the workbench's
// repeating drone sPlayMusicFile1), which closes the finished file.
//
// No form in front, or a form without "cMM": error 91.
#pragma once

#include <string>

namespace sound {

// With PlayState 0: opens file and plays it from 0 to its length with notification,
// PlayState becomes 1, and the call returns at once. Otherwise (the call from Done):
// closes the device and hands the end of the file on through sDoCallback. A file that
// a screen stopped or closed before its end is the last of its list (ListEndsAtDone);
// a Done that comes while another file already plays is passed over. A file stopped
// only to skip it (PlayOnAfterStop) goes on with the next phrase.
void sPlayMusicFile(const std::string& file);

// The workbench's drone: opens and plays as sPlayMusicFile. From Done: while LoopFlag
// is set the same file plays again from its start (the file stays open, PlayState
// unchanged), running on from its end without a break; once it is cleared the device
// is closed, with no call-back.
void sPlayMusicFile1(const std::string& file);

// Tells the player in front that file is the one to play next, whole, when the file
// now playing ends: the sound then runs on into it without a break
// (mci::MMControl::QueueNext).
void sQueueMusicFile(const std::string& file);

}  // namespace sound
