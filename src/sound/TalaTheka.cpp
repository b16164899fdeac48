#include "sound/TalaTheka.h"

#include <cmath>
#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/NotationWords.h"
#include "common/Trace.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "shell/ShellState.h"

namespace sound {

namespace {

using common::notation::Words;

// Beat numbers past the cycle's end count on from beat 1.
int32_t WrapBeat(int32_t beat, int16_t beatCount) {
  if (beatCount < 1) return beat;
  return (beat - 1) % beatCount + 1;
}

// The most beats one note can strike (the sound library reads no more); a stored length
// or position beyond it is no note of a composition.
constexpr float kMostBeatsOfANote = 4096;
constexpr float kFarthestPosition = 1e9f;

std::string Offset(float fraction) { return fraction == 0 ? "0" : vb::FormatGeneralSingle(1.0f - fraction); }

}  // namespace

std::string fCreateTalaStringForCompFromT(int16_t part, int16_t thekaSet) {
  common::ProcTrace t("fCreateTalaStringForCompFromT");
  if (part < 1 || static_cast<size_t>(part) > common::TCompData.size()) vb::Raise(vb::kSubscript);
  const common::CompDataRec& data = common::TCompData[static_cast<size_t>(part - 1)];
  float position = static_cast<float>(data.StartingBeat) - 1;
  const int16_t beatCount = common::fGetBeatCountForTala(data.TalaId);
  auto table = shell::DatabaseA.OpenRecordset("ThekaTypeBolsForTaal", dao::dbOpenTable);
  std::string result;
  for (const auto& word : Words(data.NotesDuration, " ")) {
    float duration = static_cast<float>(vb::Val(word));
    const std::string tala = fGetTalaStringForNote(position, duration, beatCount);
    if (!result.empty()) result += " ";
    result += fGetThekaStringForTalaString(tala, data.TalaId, thekaSet, table, beatCount);
  }
  table.Close();
  return result;
}

std::string fGetTalaStringForNote(float& position, float& duration, int16_t beatCount) {
  common::ProcTrace t("fGetTalaStringForNote");
  // A damaged duration list could hold any number: one that no note can last is an
  // overflow, as when it does not fit its type, and never converted to a beat count.
  if (!std::isfinite(duration) || std::fabs(duration) > kMostBeatsOfANote || !std::isfinite(position) ||
      std::fabs(position) > kFarthestPosition)
    vb::Raise(vb::kOverflow, "Overflow: a note of " + vb::FormatGeneralSingle(duration) + " beats at beat " +
                                 vb::FormatGeneralSingle(position));
  const float ip = std::floor(position);
  const float fp = position - ip;
  const float id = std::floor(duration);
  const float fd = duration - id;
  const std::string beat = std::to_string(static_cast<int32_t>(ip) + 1);
  std::string text;
  if (duration <= 0) {
    text = "0";  // a note that takes no time holds no beat
  } else if (duration < 1) {
    text = fp == 0 ? "1/" + beat + "/0" : fp + duration <= 1 ? "0" : "1/" + beat + "/" + Offset(fp);
  } else {
    int32_t n = static_cast<int32_t>(id);
    if ((fp == 0 && fd > 0) || (fp != 0 && fp + fd > 1)) ++n;
    text = std::to_string(n) + "/" + beat + "/" + Offset(fp);
  }
  position += duration;
  if (position >= beatCount) position -= beatCount;
  return text;
}

std::string fGetThekaStringForTalaString(const std::string& talaText, int16_t talaId, int16_t thekaSet,
                                         dao::Recordset& table, int16_t beatCount) {
  common::ProcTrace t("fGetThekaStringForTalaString");
  if (talaText == "0") return "0";
  const std::vector<std::string> fields = Words(talaText, "/");
  if (fields.size() < 3) vb::Raise(vb::kSubscript);
  const int16_t n = vb::CInt(vb::Val(fields[0]));
  const int16_t b = vb::CInt(vb::Val(fields[1]));
  // A note that starts off the beat takes the bols of the beats that begin within it,
  // the first one after the beat it starts in.
  const int32_t first = vb::Val(fields[2]) == 0 ? b : b + 1;
  std::string text = fields[0] + "/";
  // A note of many beats goes round the cycle: each beat's bol is sought once.
  std::vector<int32_t> sought(beatCount >= 1 ? static_cast<size_t>(beatCount) + 1 : 0, -1);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t beat = WrapBeat(first + i, beatCount);
    const bool cached = beat >= 1 && static_cast<size_t>(beat) < sought.size();
    int32_t bol = cached ? sought[static_cast<size_t>(beat)] : -1;
    if (bol < 0) {
      common::sSetTablePKRecord3(table, talaId, thekaSet, beat);
      bol = table.NoMatch() ? 0 : table.Fields("Theka Bol Id").ToLong();
      if (cached) sought[static_cast<size_t>(beat)] = bol;
    }
    text += std::to_string(bol) + "/";
  }
  return text + fields[2];
}

}  // namespace sound
