// Readers of the in-memory raga tables: a phrase, a whole phrase list or a count as
// text, with or without segment marks, in the form the phrase lists and the play loop
// expect; a composition part laid out by beats; and the stepping through the phrases
// of sound::TMNInfo.
//
// Arguments: what is 1 for the notation text, 2 for the durations (any other value
// gives "" for every segment, so the joining readers return their separators alone);
// database is 1 for TALTInfo1 (content database), any other value for TALTInfo2 (user
// database); altType is 1 alap, 2 layakari, 3 taan; phrase numbers are 1-based.
//
// Segment texts are used as stored, so a joined result may hold two or three blanks in
// a row; every consumer splits at blanks and skips empty words. A type, part or phrase
// number outside the filled records is error 9; a record never filled gives "" or 0.
#pragma once

#include <cstdint>
#include <string>

namespace forms {
class Control;
}

namespace common {

inline constexpr int16_t kReadNotes = 1;  // values of what
inline constexpr int16_t kReadDurations = 2;

// Segment 1 (the aroha) or 2 (the avroha) of TBaseInfo's scale.
std::string fGetFromT_ArohaPhrase(int16_t what);
std::string fGetFromT_AvrohaPhrase(int16_t what);
// The scale's segments joined by " : ", or by one blank.
std::string fGetFromT_ScalePhraseSeg(int16_t what);
std::string fGetFromT_ScalePhraseUnSeg(int16_t what);
// The pakad's segments joined by " :" (no blank after the colon), or by one blank.
std::string fGetFromT_PakadPhraseSeg(int16_t what);
std::string fGetFromT_PakadPhraseUnSeg(int16_t what);

// The segments of one phrase of an ALT list joined by " : ", or by one blank.
std::string fGetFromT_AnALTPhraseSeg(int16_t database, int16_t altType, int16_t what, int16_t phrase);
std::string fGetFromT_AnALTPhraseUnSeg(int16_t database, int16_t altType, int16_t what, int16_t phrase);
// Every phrase of the list, segments joined by one blank, phrases by " ,".
std::string fGetFromT_AllALTPhrasesUnSeg(int16_t database, int16_t altType, int16_t what);
// The number of phrases of the list.
int16_t fGetFromT_SegmentCount(int16_t database, int16_t altType);

// The display text of TCompData element part - 1 (part 1 to 3) with beat marks: what 1
// the syllables, 2 the notation (glides removed while grace notes are off, Devanagari in
// script 1). Each word is preceded by three blanks, and a word that falls on beat 1 of
// the tala's cycle by the sam mark too: ".1." for Devanagari notation, "(1)" otherwise.
std::string fCreateCompStringFromT(int16_t part, int16_t what);

// Steps sound::TMNInfo.CurrPhrase by scriptStep (1 next, past the last back to 1; -1
// previous, below 1 to the last; any other value stays) and shows that phrase in the
// text control through sLoadNotation. An empty phrase set shows nothing.
void sLoadScriptFromMN(forms::Control& textBox, int16_t scriptStep);

}  // namespace common
