// The entry points of the sound-synthesis library, with the arguments and
// results its callers use. Every call returns 1 (kSuccess) on success and 0 on
// failure; a failure leaves the library as it was, writes no file and never
// throws. Calls are synchronous:
// a file is complete when the call returns. Not thread-safe: one caller thread.
//
// Set-up and seeds:
//   FWavSetGlobalVariables("ce")   declares the instrument keys of the run, one
//                                  letter or digit each, and clears everything held
//   FWavSetCurrInstr("c")          the instrument that music files are played on
//   FWavFreeNoteSeedsMemory(key)   drops that instrument's seeds (1 also when none)
//   FWavLoadInstrNoteSeeds(key, noteId 0..41, samPerCyc, fractionalValue,
//                          samples)  copies one cycle of samPerCyc + 1 samples;
//                                  replaces the note's seed and clears its tuning
//   FWavTuneNote(key, noteId, adjustment)  the note sounds at 44,100 /
//                                  (seed SPC + adjustment) from now on; replaces
//                                  any earlier tuning of that note
// Music files (16-bit mono WAV, 44,100 Hz):
//   FWavGenerateMusicFile(count, notes, durations, path, playMode 0..2, level,
//                         genOption, a, b, c, d)
//   FWavGenerateMusicFile1(count, notes, durations, startMatra, beatCount,
//                          thekaString, thekaSet, tempoMsPerBeat, path, playMode,
//                          level, genOption, a, b, c, d)
//       notes and durations as NoteText.h reads them; count = number of notes.
//       Note k starts at the sum of the durations before it, from t = 0. Where
//       the last note ends (the music's end) the file holds a cue point, its
//       join; the file goes on 0.41 s past it, for the last note's release and
//       the room's echo, while drone and tabla fade out, and ends in silence.
//       Play modes 1 and 2 carry the drone loaded last from t = 0 (Tanpura.h),
//       play mode 0 never. level, genOption and a..d are accepted and not used.
//       A music file's drone is a stretch of the drone's endless stream: in one
//       that follows the last file at once (SetNextFileJoins) it carries on from
//       where that file's music ended, faded in as that file's fades out, so
//       that the two files heard one from the other's join (the rest of that
//       file added to this one's start) hear one drone; any other begins at the
//       next cycle of the stream, just before the lower Sa's pluck, fading in.
//       Everything else of a file depends on its arguments alone.
//       The theka arguments: once the theka data of thekaSet is loaded, the
//       tabla plays the theka string (ThekaText.h) at tempoMsPerBeat, the sam
//       (startMatra + beats struck, in a cycle of beatCount) a little stronger;
//       a theka string that does not fit the notes or the data is a failure.
//       Without the data of that set the notes play alone.
//   FWavCreateSegmentFile(source, startMs, lengthMs, output, playMode, level)
//       copies the source's samples from startMs for lengthMs (cut short at the
//       source's end) into output, with 3 ms fades where the cut falls inside
//       the sound; otherwise sample for sample.
// Drone and theka:
//   FWavLoadDroneData(path, droneNote, droneType, instrumentKey, factor, option)
//       the drone of tonic key droneNote - 21 (1..12), type 1 Pa, 2 Ma, 3 Ni, from
//       the instrument's seeds as now tuned, at loudness factor 0..2; path and
//       option are not used. Failure (the earlier drone kept) for anything else
//       or a missing seed.
//   FWavLoadThekaData(thekaFile, thekaSet)  reads the theka data file of that set
//       (tools/thekagen documents it); failure, the earlier data kept, when the
//       file is missing, damaged or of another set.
//   FWavGenerateDroneFile(variant 1 or 2, file, option)  writes variant cycles
//       of 3.2 s of the drone; failure before a drone is loaded.
// FWavSetGlobalVariables also drops the drone and the theka data.
//
// Beside the entry points, for the play loop:
//   SetNextFileJoins(followsLast, followedAtOnce)  what the play loop knows of
//       the next music file (that file only; without it, both false):
//       followsLast, it starts playing at the last music file's join;
//       followedAtOnce, another starts at its own. Where both sides agree the
//       files join: the drone runs on from one into the other. Elsewhere the play
//       loop pauses.
#pragma once

#include <cstdint>
#include <string>

#include "soundlib/Constants.h"

namespace soundlib {

struct FileJoins {
  bool followsLast = false;
  bool followedAtOnce = false;
};
void SetNextFileJoins(bool followsLast, bool followedAtOnce);
// Whether the music file written last was written to run on from the one before it
// (its drone, if one is loaded, carrying on from that file's).
bool LastFileRanOn();

int16_t FWavSetGlobalVariables(const std::string& globals);
int16_t FWavSetCurrInstr(const std::string& instrumentKey);
int16_t FWavFreeNoteSeedsMemory(const std::string& instrumentKey);
int16_t FWavLoadInstrNoteSeeds(const std::string& instrumentKey, int32_t noteId, int32_t samPerCyc,
                               double fractionalValue, const int16_t* samples);
int16_t FWavTuneNote(const std::string& instrumentKey, int32_t noteId, double adjustment);

int16_t FWavLoadThekaData(const std::string& thekaFile, int32_t thekaSet);
int16_t FWavLoadDroneData(const std::string& path, int32_t droneNote, int32_t droneType,
                          const std::string& instrumentKey, double factor, int32_t option);
int16_t FWavGenerateDroneFile(int32_t variant, const std::string& droneFile, int32_t option);

int16_t FWavGenerateMusicFile(int32_t noteCount, const std::string& notes, const std::string& durations,
                              const std::string& outputFile, int32_t playMode, double level, int32_t genOption,
                              int32_t a, int32_t b, int32_t c, int32_t d);
int16_t FWavGenerateMusicFile1(int32_t noteCount, const std::string& notes, const std::string& durations,
                               int32_t compStartMatra, int32_t compBeatCount, const std::string& thekaString,
                               int32_t thekaSet, int32_t tempoMs, const std::string& outputFile, int32_t playMode,
                               double level, int32_t genOption, int32_t a, int32_t b, int32_t c, int32_t d);
int16_t FWavCreateSegmentFile(const std::string& sourceFile, int32_t startMs, int32_t lengthMs,
                              const std::string& outputFile, int32_t playMode, double level);

}  // namespace soundlib
