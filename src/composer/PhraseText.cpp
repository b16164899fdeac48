// Text conversions of the Composer: layakari beats and stored durations, and the stored
// phrase strings of an ALT record.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/NotationWords.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "composer/ComposerState.h"
#include "composer/ComposerScreen.h"
#include "composer/RowImages.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Interaction.h"

namespace composer {

namespace {

std::string Trimmed(const std::string& text) { return common::fRmvLeadBlk(common::fRmvTrailBlk(text)); }

// A stored duration as a whole number, however large; a word that is no number counts
// 0, so that a damaged list is shown rather than stopping the program.
double WholeDuration(const std::string& token) {
  const double value = vb::Val(token);
  return std::isfinite(value) ? vb::RoundHalfEven(value) : 0;
}

}  // namespace

std::string fConvertBeatsToDuration(const std::string& beats, int16_t beatDuration) {
  common::ProcTrace t("fConvertBeatsToDuration");
  std::vector<std::string> out;
  for (const std::string& token : common::notation::Words(beats, " ")) {
    if (token == "_") continue;
    if (token == ",") {
      out.push_back(token);
      continue;
    }
    const float product = static_cast<float>(vb::Val(token)) * static_cast<float>(beatDuration);
    out.push_back(vb::FormatGeneral(vb::RoundHalfEven(product)));
  }
  return common::notation::Join(out, " ");
}

std::string fConvertDurationToBeats(const std::string& durations) {
  common::ProcTrace t("fConvertDurationToBeats");
  const std::vector<std::string> tokens = common::notation::Words(durations, " ");
  // The beat: the smallest of the first ten durations, zeros left out (a zero would
  // make every beat infinite).
  double base = 10000;
  bool found = false;
  for (size_t i = 0; i < tokens.size() && i < 10; ++i) {
    if (tokens[i] == "," || tokens[i] == "_") continue;
    const double value = WholeDuration(tokens[i]);
    if (value <= 0) continue;
    base = std::min(base, value);
    found = true;
  }
  if (!found) base = 1;
  ComposerFront().Ctl("cSpeed").SetText(vb::CStr(static_cast<int32_t>(base)));
  std::vector<std::string> out;
  for (const std::string& token : tokens) {
    if (token == "," || token == "_") {  // a separator, or a slot without a duration
      out.push_back(token);
      continue;
    }
    const float beatsOf = static_cast<float>(WholeDuration(token)) / static_cast<float>(base);
    out.push_back(vb::FormatGeneralSingle(beatsOf));
  }
  return common::notation::Join(out, " ");
}

std::string fCreateALTDBStrFromT(int16_t altType, int16_t kind) {
  common::ProcTrace t("fCreateALTDBStrFromT");
  const common::ALTInfoRec& rec = common::TALTInfo2.at(static_cast<size_t>(altType - 1));
  std::string out;
  for (int16_t p = 1; p <= rec.PhraseCount; ++p) {
    if (p > 1) out += " ,";
    const auto first = static_cast<size_t>(rec.PhraseFirstSegment.at(static_cast<size_t>(p - 1)) - 1);
    const auto count = static_cast<size_t>(rec.PhraseSegmentCount.at(static_cast<size_t>(p - 1)));
    for (size_t s = first; s < first + count; ++s) {
      if (kind == 1) {
        if (s > first) out += " :";
        out += " " + Trimmed(rec.SegmentNotes.at(s));
      } else {
        if (s > first) out += " ";
        out += " " + Trimmed(rec.SegmentDurations.at(s));
      }
    }
  }
  return out;
}

std::string fCreateCombinedSylDurPhrase() {
  common::ProcTrace t("fCreateCombinedSylDurPhrase");
  // Slot by slot over every row, in step: a syllable starts a new syllable duration, a
  // slot without one adds its note's duration to the syllable before.
  std::string out;
  float acc = 0;
  bool started = false;
  int16_t syllables = 0;
  for (int16_t r = 1; r <= RowImageCount; ++r) {
    const std::vector<std::string> durations = fRowTokens(DurRowImages[static_cast<size_t>(r - 1)]);
    const std::vector<std::string> sylls = fRowTokens(SylRowImages[static_cast<size_t>(r - 1)]);
    for (size_t c = 0; c < durations.size(); ++c) {
      const std::string& d = durations[c];
      const std::string& s = sylls[c];
      if (d == "_" && s == "_") continue;
      const std::string where = " (row " + std::to_string(r) + ", slot " + std::to_string(c + 1) + ")";
      if (s != "_" && d == "_") {
        vb::Message("A syllable must stand under a note with its duration. Please correct." + where);
        return "";
      }
      const auto value = static_cast<float>(vb::Val(d));
      if (!started) {
        if (s == "_") {
          vb::Message("The first note of the part needs a syllable. Please correct." + where);
          return "";
        }
        started = true;
        acc = value;
        ++syllables;
      } else if (s != "_") {
        out += " " + vb::FormatGeneralSingle(acc);
        acc = value;
        ++syllables;
      } else {
        acc += value;
      }
    }
  }
  if (started) out += " " + vb::FormatGeneralSingle(acc);
  if (syllables != static_cast<int16_t>(common::notation::Words(fCombineSylRowImages(), " ").size())) {
    vb::Message("Syllable and Duration string element counts don't match");
    return "";
  }
  return out;
}

std::string fCreateExpandedSylString(const std::string& syllables, const std::string& syllableDurations,
                                     const std::string& noteDurations) {
  common::ProcTrace t("fCreateExpandedSylString");
  const std::vector<std::string> sylls = common::notation::Words(syllables, " ");
  const std::vector<std::string> sylDurations = common::notation::Words(syllableDurations, " ");
  const std::vector<std::string> notes = common::notation::Words(noteDurations, " ");
  if (notes.empty()) return "";
  // Sums kept to three decimals, so that thirds add up.
  const auto round3 = [](float x) { return static_cast<float>(vb::RoundHalfEven(x * 1000.0) / 1000.0); };
  const auto syllable = [&sylls](size_t k) { return k < sylls.size() ? sylls[k] : std::string("_"); };
  const auto sylDuration = [&sylDurations](size_t k) {
    return k < sylDurations.size() ? static_cast<float>(vb::Val(sylDurations[k])) : 0.0f;
  };
  std::string out = syllable(0);
  float noteSum = static_cast<float>(vb::Val(notes[0]));
  float sylSum = sylDuration(0);
  size_t k = 0;
  for (size_t i = 1; i < notes.size(); ++i) {
    noteSum = round3(noteSum + static_cast<float>(vb::Val(notes[i])));
    if (noteSum <= sylSum) {
      out += " _";
    } else {
      ++k;
      out += " " + syllable(k);
      sylSum = round3(sylSum + sylDuration(k));
    }
  }
  return out;
}

}  // namespace composer
