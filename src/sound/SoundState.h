// Shared state of sound generation, playback and the keyboard. Header-only, so every
// layer may read it; the sound layer's own variables join these.
#pragma once

#include <cstdint>
#include <string>

#include "sound/PhraseSet.h"

namespace sound {

// The tonic key, 1 to 12 (menu order W7 W1 B1 W2 B2 W3 W4 B3 W5 B4 W6 B5). The Sa of
// key t is library note t + 9; note code c sounds as library note c + t - 3.
inline int16_t CurrTonicNoteId = 3;

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

}  // namespace sound

// Playback.
namespace sound {

// Which screen's dispatcher receives the end of playing: 0 main form, 1 ScaleShifting,
// 3 PlayComposition1, 6 Quiz, 8 Workshop, 9 KZSampler, 11 Composer, 12 MainOperations.
inline int16_t CallbackCode = 0;
// The file played last (or playing now); "" before the first play.
inline std::string MusicFileToPlay;

}  // namespace sound

// Phrase records, their timing and the rendering of music files.
#include <array>

#include "sound/NotesListRec.h"

namespace sound {

inline std::array<NotesListRec, 3> NotesList;  // slots 0 and 1 alternate; slot 2 the practice segment
inline int16_t CurrSlot = 0;                   // the slot now playing
inline int16_t CurrOperationMode = 1;          // 1 demo, 2 learning, 3 practice
// The coarser item kind: 1 scale, 2 pakad, 3 alap, 4 layakari, 5 taan,
// 6 composition or film song, 7 similar-raga comparison.
inline int16_t CurrItemKind = 0;
inline int16_t BaseBeat = 0;        // one matra in 10 ms units at speed factor 1.0
inline int16_t CompCycleCount = 0;  // tala cycles (rows) of the composition grid
inline int16_t CompBeatCount = 0;   // beats per cycle of the composition's tala
inline int32_t CompStartMatra = 0;  // Starting Beat of the part rendered with theka
inline int16_t Theka = 1;           // 1 compositions play with their theka, 2 without
inline int16_t ThekaSet = 4;        // the theka data set of the sound library
inline int16_t GenOption = 1;       // generation option handed to the sound library
inline int32_t PlayMode = 1;        // 1 normal, 2 practice; 0 a note without drone (scale shifting)
// 0: the next sPlayMusicFile opens and plays; 1 or more: a file is open and the next call closes it.
inline int16_t PlayState = 0;
inline std::string MusicFileToGenerate;  // the file the next rendering writes

}  // namespace sound
