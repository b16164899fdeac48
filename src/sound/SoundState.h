// Shared state of sound generation, playback and the keyboard. Header-only, so every
// layer may read it; the sound layer's own variables join these.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "sound/NotesListRec.h"
#include "sound/PhraseSet.h"

namespace sound {

// The tonic key, 1 to 12 (menu order W7 W1 B1 W2 B2 W3 W4 B3 W5 B4 W6 B5). The Sa of
// key t is library note t + 9; note code c sounds as library note c + t - 3.
inline int16_t CurrTonicNoteId = 3;

// The tonic key chosen in a tonic menu, before it becomes CurrTonicNoteId.
inline int16_t NewTonicNoteId = 3;

inline int32_t CurrDroneType = 1;  // the current raga's "DroneType" (1 Pa, 2 Ma, 3 Ni in the workbench)
inline int16_t FirstReed = 0;      // the first and last reed drawn for the current tonic
inline int16_t LastReed = 0;

}  // namespace sound

// Phrase sets and the item being played.
namespace sound {

inline PhraseSetRec TMNInfo;        // the phrases of the current illustration item
inline PhraseSetRec TPracticeInfo;  // the phrases the user typed in practice mode
inline PhraseSetRec TPlayInfo;      // the set the play loop plays: a copy of one of the two
// The finer item type: 1 aroha, 2 avroha, 3 pakad, 4 alap, 5 layakari, 6 taan,
// 7 similar raga, 8 composition, 9 film song, 10 workbench phrase.
inline int16_t CurrMusicItemType = 0;
inline constexpr int16_t kTaanItem = 6;  // values of CurrMusicItemType the sound layer tests
inline constexpr int16_t kComparisonItem = 7;
inline constexpr int16_t kCompositionItem = 8;
inline constexpr int16_t kFilmSongItem = 9;
// The part of the composition in hand: 1 asthai, 2 antara.
inline int16_t CurrCompPart = 1;

}  // namespace sound

// Playback.
namespace sound {

// Which screen's dispatcher receives the end of playing: 0 main form, 1 ScaleShifting,
// 3 PlayComposition1, 6 Quiz, 8 Workshop, 9 KZSampler, 11 Composer, 12 MainOperations.
inline int16_t CallbackCode = 0;
// The file played last (or playing now); "" before the first play.
inline std::string MusicFileToPlay;
// 1: the play loop builds and renders the next phrase while one plays; 2: it does not.
inline int16_t LookAhead = 2;
// True (-1) when the file now playing is to be the last of its list: the next phrase
// could not be prepared, or the file was cut short (stopped or closed before its end).
// The next Done then ends the list with the screen's call-back instead of playing on.
// Cleared by every step of the loop.
inline int16_t ListEndsAtDone = 0;
// True (-1) when a screen stopped the file now playing only to skip it ("Stop Current"):
// its Done goes on with the next phrase of the list instead of ending the list there.
// Cleared by the Done that closes the file.
inline int16_t PlayOnAfterStop = 0;
// The notify code of the last Done of a screen's player; kept for the record only.
inline int32_t MCINotifyCode = 0;
// The composer note slot coloured for the phrase now playing (CallbackCode 11).
inline int16_t CurrCompNoteSlot = 0;
// One phrase to play on its own (workbench, sampler, quiz): its notes and its timing text.
inline std::string PhraseNotes;
inline std::string PhraseTiming;

}  // namespace sound

// Instruments, scale sets, tuning and the drone.
namespace sound {

// Instrument keys: the value of "Instr Name" in the seed tables and the first argument
// of every seed call of the sound library.
inline std::string CurrInstrument = "c";   // the main instrument, which plays every phrase
inline std::string DroneInstrument = "e";  // the drone

// The scale set in use: 1 to 12 the program's own (set n belongs to tonic key n, in the
// content database), 13 and up the user's (in the user database).
inline int16_t CurrMusicSetId = 3;
// The name of the user's scale set in use (meaningful while CurrMusicSetId is above 12).
inline std::string CurrMusicSetName;

// Adjustment vectors: per note id 0 to 41 (entries 0 to 40 used), the difference in
// samples per cycle between the note's target SPC and its seed's SPC; 0 = untuned.
using SpcVector = std::array<float, 42>;
inline SpcVector NoteAdjustSPCs{};  // the vector of the instrument whose ONPR row was loaded last
inline SpcVector SavedSPCsA{};      // snapshots after a scale shift: the main instrument's
inline SpcVector SavedSPCsB{};      // and the drone's

// A scale shift as the scale-shifting screen asks for it: note id of the moved note,
// its old SPC and its new SPC (a larger SPC is a lower pitch).
struct ScaleShiftRec {
  int32_t NoteIndex = 0;
  float OldSPC = 0.0f;
  float NewSPC = 0.0f;
};
inline ScaleShiftRec ScaleShiftSpec;

// The drone's loudness factor, one of the tenths 0.5 to 1.5; every run starts at 1.0.
inline double CurrDroneFactor = 1.0;
inline int32_t DroneOption = 1;      // drone variant handed to the sound library
inline int16_t DroneVolumeStep = 0;  // direction of the next loudness step: 1 louder, -1 softer
// How the next music file is rendered (0 without drone, 1 normal, 2 practice); a
// loudness change sets 1.
inline int32_t PlayMode = 1;

}  // namespace sound

// The on-screen keyboard and the play buttons.
namespace sound {

// Reed tables, filled once at start by sInitReedColorType and sInitReedsDisplayedData
// (Keyboard.h). ReedColorType: 1 white, 2 black for reeds 0 to 40 (entry 41 stays 0).
inline std::array<int16_t, 42> ReedColorType{};
// The first and last reed drawn for tonic key t (entry 0 unused).
inline std::array<int16_t, 13> FirstReedForTonic{};
inline std::array<int16_t, 13> LastReedForTonic{};
// 3 - CurrTonicNoteId, set when the captions are drawn: reed r shows note code
// r + ReedNoteOffset, and note code c lights reed c - ReedNoteOffset.
inline int16_t ReedNoteOffset = 0;
// The keyboard setting: 1 shown, 2 hidden (a stored setting).
inline int16_t KeyboardDisplay = 1;
// True (-1) while the play loop plays the same set again and again.
inline int16_t LoopFlag = 0;

}  // namespace sound

// Phrase records, their timing and the rendering of music files.
namespace sound {

inline std::array<NotesListRec, 3> NotesList;  // slots 0 and 1 alternate; slot 2 the practice segment
inline int16_t CurrSlot = 0;                   // the slot now playing
inline int16_t CurrOperationMode = 1;          // 1 demo, 2 learning, 3 practice
// The coarser item kind: 1 scale, 2 pakad, 3 alap, 4 layakari, 5 taan,
// 6 composition or film song, 7 similar-raga comparison.
inline int16_t CurrItemKind = 0;
inline constexpr int16_t kScaleKind = 1;  // values of CurrItemKind
inline constexpr int16_t kPakadKind = 2;
inline constexpr int16_t kFirstALTKind = 3;
inline constexpr int16_t kLastALTKind = 5;
inline constexpr int16_t kCompositionKind = 6;
inline constexpr int16_t kComparisonKind = 7;
inline int16_t BaseBeat = 0;        // one matra in 10 ms units at speed factor 1.0
inline int16_t CompCycleCount = 0;  // tala cycles (rows) of the composition grid
inline int16_t CompBeatCount = 0;   // beats per cycle of the composition's tala
inline int32_t CompStartMatra = 0;  // Starting Beat of the part rendered with theka
inline int16_t Theka = 1;           // 1 compositions play with their theka, 2 without
inline int16_t ThekaSet = 4;        // the theka data set of the sound library
inline int16_t GenOption = 1;       // generation option handed to the sound library
// 0: the next sPlayMusicFile opens and plays; 1 or more: a file is open and the next call closes it.
inline int16_t PlayState = 0;
inline std::string MusicFileToGenerate;  // the file the next rendering writes

}  // namespace sound
