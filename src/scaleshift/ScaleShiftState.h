// Shared state of scale shifting: the words of the ScaleShifting screen that its
// dispatcher, its display procedures and its form events read and write.
#pragma once

#include <array>
#include <cstdint>

namespace scaleshift {

// The operation in hand: 0 defining a tonic for a new scale, 1 tuning the selected
// note, 2 refining a saved scale.
inline int16_t OperationMode = 0;
inline constexpr int16_t kDefiningTonic = 0;
inline constexpr int16_t kTuningNote = 1;
inline constexpr int16_t kRefining = 2;
// What cScalesList holds: 1 the names of the saved scales, 2 raga names.
inline int16_t ListMode = 1;

// The settings the screen changes while it is open, as they were when it opened; put
// back when it closes, by either way.
inline int16_t SavedNotationScript = 2;
inline int16_t SavedTonicNoteId = 3;
inline int16_t SavedKeyboardDisplay = 1;
// True while the screen is open: set by the opening, cleared once the settings above
// are put back.
inline bool ScreenOpen = false;
// Counts the openings of the screen, so that a step that waited can tell whether the
// screen it started on is still the one in front.
inline uint32_t ScreenSession = 0;

// The keys of the on-screen keyboard: the label last clicked, the key being sounded or
// tuned (also its note id of "Note Specifications"; 0 none) and the label shown red
// (-1 none).
inline int16_t ClickedNoteLabel = 0;
inline int16_t SelectedNoteIndex = 0;
inline int16_t PrevClickedNoteLabel = -1;
// The keys of the octave offered as the new tonic (W7 to B5); key k is tonic k - 9.
inline constexpr int16_t kFirstTonicKey = 10;
inline constexpr int16_t kLastTonicKey = 21;

// Tuning, in samples per cycle (SPC; a larger SPC is a lower pitch): the selected note
// before tuning, its neighbours one key above and below, the SPC of the slider's last
// play, the SPC last heard, and the adjustment last handed to the sound library.
inline double CurrentSPC = 0.0;
inline double UpperNoteSPC = 0.0;
inline double LowerNoteSPC = 0.0;
inline double SliderSPC = 0.0;
inline double TunedSPC = 0.0;
inline double SPCDelta = 0.0;

// The user's set being refined, whose main-instrument adjustments NoteAdjustSPCs holds;
// 0 while none is. Only its adjustments are refined and saved.
inline int16_t RefiningSetId = 0;
// The refinement step that code 15 applies: its key (0: none pending) and the key's
// adjustment before the step, put back when the sound library refuses the step.
inline int16_t PendingStepNote = 0;
inline float PendingStepPrevious = 0.0f;

// The step of one refinement by sensitivity: 0 coarse, 1 medium, 2 fine. The
// sensitivity keeps its value from one opening to the next.
inline std::array<float, 3> RefineSteps{1.0f, 0.3f, 0.1f};
inline int16_t RefineSensitivity = 0;

// The group codes drawn last: buttons, controls, headers, keyboard, operations, option
// frames. They keep their values from one opening to the next.
inline std::array<int16_t, 6> ShownGroupCodes{};
enum Group : size_t { kButtons = 0, kControls, kHeaders, kKeyboard, kOperations, kOptionFrames };

// True while a step waits for the sound to end (the event loop keeps running).
inline bool WaitingForSilence = false;

}  // namespace scaleshift
