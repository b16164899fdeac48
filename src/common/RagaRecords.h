// The record types of the in-memory raga tables: the current raga's technical data,
// scale and pakad (BaseInfoRec), its alap, layakari and taan phrases (ALTInfoRec), and
// the composition, film song or similar-raga comparison in hand (CompInfoRec and
// CompDataRec). Their instances are in CommonState.h; RagaTables.h fills them and
// RagaReaders.h reads them.
//
// Phrase, segment and word numbers are 1-based; the arrays are 0-based, so phrase p is
// element p - 1. Notation texts are English notation phrases (Notation.h); durations
// are blank-separated numbers in 10 ms units, in CompDataRec in matras.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace common {

// A part of BaseInfoRec split into phrases and segments.
struct PhraseSegmentsRec {
  int16_t PhraseCount = 0;                  // always 1 once filled
  int16_t SegmentCount = 0;                 // segments of all phrases together
  std::vector<int16_t> PhraseFirstSegment;  // element p - 1: number of phrase p's first segment
  std::vector<int16_t> PhraseSegmentCount;  // element p - 1: segments of phrase p
  std::vector<std::string> SegmentNotes;    // element s - 1: notation text of segment s
  std::vector<std::string> SegmentDurations;  // element s - 1: one duration per note word of segment s
};

// Technical data of the current raga (table "Raga - Technical Information").
struct BaseInfoRec {
  int16_t RagaIndex = 0;
  std::string Thata;              // "" when the row holds none
  PhraseSegmentsRec ScalePart;    // one phrase: segment 1 the aroha, segment 2 the avroha
  std::string Jati;
  std::string Vadi;
  std::string Samvadi;
  PhraseSegmentsRec PakadPart;    // one phrase: the ":"-separated pieces of the pakad
  std::string AppropriateTime;
  int32_t DroneType = 0;
  int16_t OPRSetId = 0;
  std::string Notes;
};

// One phrase list of a raga: alap (1), layakari (2) or taan (3).
struct ALTInfoRec {
  int16_t RagaIndex = 0;   // 0: the raga has no list of this type
  int16_t PhraseType = 0;  // 1 Alap, 2 Layakari, 3 Taan
  int16_t PhraseCount = 0;
  int16_t SegmentCount = 0;
  // Element p - 1: position of phrase p's first note in the whole list split at blanks,
  // every segment and phrase boundary counting as one word.
  std::vector<int16_t> PhraseFirstWord;
  std::vector<int16_t> PhraseFirstSegment;
  std::vector<int16_t> PhraseSegmentCount;
  std::vector<std::string> SegmentNotes;      // as cut out of the list, blanks kept
  std::vector<std::string> SegmentDurations;  // joined by single blanks; "" for a taan
};

// The key row of the item in hand (table "Raga - Additional Information").
struct CompInfoRec {
  int16_t RagaIndex = 0;
  std::string AddInfo;      // title of the composition, film song or similar raga
  int16_t AddInfoType = 0;  // 1 similar raga, 2 composition, 3 film song
  int32_t NotationIndex = 0;
};

// One part of the item in hand (table "Raga - Composition Notations").
struct CompDataRec {
  int32_t NotationIndex = 0;  // 0: an empty record
  int16_t CompositionPart = 0;  // 1 asthai, 2 antara
  int16_t RagaIndex = 0;
  std::string CompositionMukhada;
  std::string CompositionText;
  std::string Syllables;
  std::string SyllableDuration;
  std::string Notation;
  std::string NotesDuration;  // matras, in step with the notation's words
  int16_t TalaId = 0;
  double StartingBeat = 0;  // the beat on which the part's first note falls
  int16_t PlayingSpeed = 0;
};

}  // namespace common
