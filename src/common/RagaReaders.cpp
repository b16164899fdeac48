#include "common/RagaReaders.h"

#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/RagaDisplay.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace common {

namespace {

[[noreturn]] void OutOfRange() { vb::Raise(vb::kSubscript); }

template <class T>
const T& At(const std::vector<T>& list, int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(list.size())) OutOfRange();
  return list[static_cast<size_t>(index)];
}

// Segment s (1-based) of a record's notes or durations; "" for any other what.
template <class Rec>
std::string SegmentText(const Rec& rec, int16_t what, int32_t s) {
  if (what == kReadNotes) return At(rec.SegmentNotes, s - 1);
  if (what == kReadDurations) return At(rec.SegmentDurations, s - 1);
  return "";
}

// Segments first to last of a record, joined by separator.
template <class Rec>
std::string JoinSegments(const Rec& rec, int16_t what, int32_t first, int32_t last, const char* separator) {
  std::string joined;
  for (int32_t s = first; s <= last; ++s) {
    if (s != first) joined += separator;
    joined += SegmentText(rec, what, s);
  }
  return joined;
}

// Every segment of the scale or the pakad.
std::string JoinPart(const PhraseSegmentsRec& part, int16_t what, const char* separator) {
  return JoinSegments(part, what, 1, part.SegmentCount, separator);
}

const ALTInfoRec& AltRecord(int16_t database, int16_t altType) {
  const auto& records = database == 1 ? TALTInfo1 : TALTInfo2;
  if (altType < 1 || altType > static_cast<int16_t>(records.size())) OutOfRange();
  return records[static_cast<size_t>(altType - 1)];
}

std::string JoinPhrase(int16_t database, int16_t altType, int16_t what, int16_t phrase, const char* separator) {
  const ALTInfoRec& rec = AltRecord(database, altType);
  const int32_t first = At(rec.PhraseFirstSegment, phrase - 1);
  const int32_t last = first + At(rec.PhraseSegmentCount, phrase - 1) - 1;
  return JoinSegments(rec, what, first, last, separator);
}

std::string ScaleSegment(int16_t what, int32_t s) {
  if (what != kReadNotes && what != kReadDurations) return "";
  return SegmentText(TBaseInfo.ScalePart, what, s);
}

}  // namespace

std::string fGetFromT_ArohaPhrase(int16_t what) {
  ProcTrace t("fGetFromT_ArohaPhrase");
  if (TBaseInfo.ScalePart.SegmentCount < 1) return "";
  return ScaleSegment(what, 1);
}

std::string fGetFromT_AvrohaPhrase(int16_t what) {
  ProcTrace t("fGetFromT_AvrohaPhrase");
  if (TBaseInfo.ScalePart.SegmentCount < 2) return "";
  return ScaleSegment(what, 2);
}

std::string fGetFromT_ScalePhraseSeg(int16_t what) {
  ProcTrace t("fGetFromT_ScalePhraseSeg");
  return JoinPart(TBaseInfo.ScalePart, what, " : ");
}

std::string fGetFromT_ScalePhraseUnSeg(int16_t what) {
  ProcTrace t("fGetFromT_ScalePhraseUnSeg");
  return JoinPart(TBaseInfo.ScalePart, what, " ");
}

std::string fGetFromT_PakadPhraseSeg(int16_t what) {
  ProcTrace t("fGetFromT_PakadPhraseSeg");
  return JoinPart(TBaseInfo.PakadPart, what, " :");
}

std::string fGetFromT_PakadPhraseUnSeg(int16_t what) {
  ProcTrace t("fGetFromT_PakadPhraseUnSeg");
  return JoinPart(TBaseInfo.PakadPart, what, " ");
}

std::string fGetFromT_AnALTPhraseSeg(int16_t database, int16_t altType, int16_t what, int16_t phrase) {
  ProcTrace t("fGetFromT_AnALTPhraseSeg");
  return JoinPhrase(database, altType, what, phrase, " : ");
}

std::string fGetFromT_AnALTPhraseUnSeg(int16_t database, int16_t altType, int16_t what, int16_t phrase) {
  ProcTrace t("fGetFromT_AnALTPhraseUnSeg");
  return JoinPhrase(database, altType, what, phrase, " ");
}

std::string fGetFromT_AllALTPhrasesUnSeg(int16_t database, int16_t altType, int16_t what) {
  ProcTrace t("fGetFromT_AllALTPhrasesUnSeg");
  const ALTInfoRec& rec = AltRecord(database, altType);
  std::string all;
  for (int32_t p = 1; p <= rec.PhraseCount; ++p) {
    const int32_t first = At(rec.PhraseFirstSegment, p - 1);
    const int32_t last = first + At(rec.PhraseSegmentCount, p - 1) - 1;
    for (int32_t s = first; s <= last; ++s) {
      if (!all.empty()) all += ' ';
      all += SegmentText(rec, what, s);
    }
    if (p < rec.PhraseCount) all += " ,";
  }
  return all;
}

int16_t fGetFromT_SegmentCount(int16_t database, int16_t altType) {
  ProcTrace t("fGetFromT_SegmentCount");
  return AltRecord(database, altType).PhraseCount;
}

std::string fCreateCompStringFromT(int16_t part, int16_t what) {
  ProcTrace t("fCreateCompStringFromT");
  if (part < 1 || part > static_cast<int16_t>(TCompData.size())) OutOfRange();
  const CompDataRec& rec = TCompData[static_cast<size_t>(part - 1)];
  std::string text, durations;
  if (what == 1) {
    text = rec.Syllables;
    durations = rec.SyllableDuration;
  } else if (what == 2) {
    text = rec.Notation;
    if (shell::GraceNotes == kGraceNotesNone) text = fRemoveGlides(text);
    if (shell::NotationScript == kScriptDevnagari) text = fPrepareNotationDevnagariString(text);
    durations = rec.NotesDuration;
  }
  const int16_t beats = fGetBeatCountForTala(rec.TalaId);
  const char* samMark = (what == 2 && shell::NotationScript == kScriptDevnagari) ? ".1." : "(1)";
  double x = rec.StartingBeat;
  bool mark = x == 1;
  std::vector<int32_t> textStarts, textLengths, durStarts, durLengths;
  fParseString1(text, " ", textStarts, textLengths);
  const int32_t n = fParseString1(durations, " ", durStarts, durLengths);
  std::string laidOut;
  for (int32_t i = 1; i <= n; ++i) {
    laidOut += "   ";
    if (mark) laidOut += samMark;
    laidOut += fGetWord1(text, i, textStarts, textLengths);
    x += vb::Val(fGetWord1(durations, i, durStarts, durLengths));
    mark = x >= beats + 1;
    if (mark) x -= beats;
  }
  return laidOut;
}

void sLoadScriptFromMN(forms::Control& textBox, int16_t scriptStep) {
  ProcTrace t("sLoadScriptFromMN");
  sound::PhraseSetRec& set = sound::TMNInfo;
  if (set.PhraseCount < 1) {
    set.CurrPhrase = 0;
    sLoadNotation(textBox, "");
    return;
  }
  if (scriptStep == 1) {
    set.CurrPhrase = set.CurrPhrase >= set.PhraseCount ? int16_t{1} : static_cast<int16_t>(set.CurrPhrase + 1);
  } else if (scriptStep == -1) {
    set.CurrPhrase = set.CurrPhrase <= 1 ? set.PhraseCount : static_cast<int16_t>(set.CurrPhrase - 1);
  }
  sLoadNotation(textBox, At(set.Phrases, set.CurrPhrase - 1));
}

}  // namespace common
