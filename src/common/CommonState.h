// Shared state of the common services: the procedure trace, error reporting and
// the shared split of the string utilities. Lives for the whole run.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace common {

// The title of the composition, film song or similar raga in hand.
inline std::string CurrAddInfo;

// Procedure trace and error reporting.
inline std::string CurrProcName;      // name of the procedure entered last
inline int16_t TraceAvailable = 0;    // tracing may be used (True -1); from the command line
inline int16_t TraceOn = 0;           // tracing is switched on (True -1)
inline std::string TraceIndent;       // indentation of the next trace line: four blanks per open level
inline int16_t TraceDepth = 0;        // nesting depth shown in the trace lines
inline std::string ErrorTraceFile;    // full name of "errtrace.txt"
inline int16_t IgnorableErrorCount = 0;
inline int16_t ReportedErrorCount = 0;
inline std::string ErrDescription;
inline int32_t ErrNumber = 0;
inline std::string ErrSource;
inline int32_t ErrLastDllError = 0;

// The shared split result of fParseString, kept until its next call. Entries
// 0 .. ParsedWordCount - 1 hold the 1-based start and the length of each word.
inline int32_t ParsedWordCount = 0;
inline std::vector<int32_t> ParsedWordStart;
inline std::vector<int32_t> ParsedWordLength;

}  // namespace common

// Note names.
// The three note-name tables, filled once at start by sInitScales (Notation.h) and
// never changed. Index = octave x 12 + position in S r R g G m M P d D n N (octave
// 0 lower, 1 middle, 2 upper); entries 0 to 35 hold the notes, entry 36 stays empty.
namespace common {

inline std::array<std::string, 37> EnglishNotes;    // "S<" .. "N>": "<" lower, ">" upper octave
inline std::array<std::string, 37> DevnagariNotes;  // texts for the font "Shusha": "," lower, "M" upper octave
inline std::array<std::string, 37> NoteFnames;      // the note codes "00" .. "35"

}  // namespace common

// Database selector, keyed lookups, counts and the numbered query texts.
namespace common {

inline int16_t CurrDBSelector = 1;      // 1 the content database, 2 the user database (fSetDatabase)
inline int16_t CurrRagaIndex = 0;       // the current raga's "Raga Index"
inline std::string CurrRagaName;        // the current raga's name
inline int32_t CurrNotationIndex = 0;   // "Notation Index" of the composition chosen last
// The phrase list being read or edited: 1 alap, 2 layakari, 3 taan, 4 new and 5
// existing composition (the composer), 6 scale, 7 pakad.
inline int16_t CurrPhraseType = 0;
inline int16_t CurrTalaId = 0;          // the tala of the composition in hand
// Each part's matra count (its durations summed, its starting beat not added), left by
// fGetMatraCountForComposition for the composition player.
inline int16_t AsthaiStartBeat = 0;
inline int16_t AntaraStartBeat = 0;

// The numbered query texts: complete texts, rebuilt by their patch procedures before
// every use, and the fixed parts they are built from (written once by sSetSQLStrings).
inline std::string SQLStr1, SQLStr2, SQLStr3, SQLStr4, SQLStr5, SQLStr7, SQLStr11, SQLStr12, SQLStr13, SQLStr16,
    SQLStr19, SQLStr24;
inline std::string SQLStr4Part1, SQLStr4Part2;
inline std::string SQLStr5Part1, SQLStr5Part2, SQLStr5Part3;
inline std::string SQLStr7Part1, SQLStr7Part2, SQLStr7Part3;
inline std::string SQLStr11Part1, SQLStr11Part2;
inline std::string SQLStr12Part1, SQLStr12Part2, SQLStr12Part3;
inline std::string SQLStr13Part1, SQLStr13Part2;
inline std::string SQLStr16Part1, SQLStr16Part2;
inline std::string SQLStr19Part1, SQLStr19Part2, SQLStr19Part3;
inline std::string SQLStr24Part1, SQLStr24Part2, SQLStr24Part3, SQLStr24Part4;

}  // namespace common

// The in-memory raga tables (RagaRecords.h): the current raga, loaded by
// sSetupForCurrRaga (RagaTables.h), and the composition, film song or comparison in
// hand. Replaced whenever the raga or the item changes.
#include "common/RagaRecords.h"

namespace common {

inline BaseInfoRec TBaseInfo;
// Element phrase type - 1 (0 alap, 1 layakari, 2 taan); element 3 is never filled.
inline std::array<ALTInfoRec, 4> TALTInfo1;  // from the content database
inline std::array<ALTInfoRec, 4> TALTInfo2;  // from the user database
inline CompInfoRec TCompInfo;
// Element part - 1: 0 asthai, 1 antara; element 2 is the composer's.
inline std::array<CompDataRec, 3> TCompData;

}  // namespace common
