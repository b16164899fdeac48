// The theka text of a music file: made by the program from a composition's duration
// list and the content's theka table, and read by the sound library into tabla strokes.
#include "FuzzTarget.h"

#include <cmath>
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/NotationWords.h"
#include "platform/dao/Database.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "shell/ShellState.h"
#include "soundlib/Constants.h"
#include "soundlib/NoteText.h"
#include "soundlib/ThekaData.h"
#include "soundlib/ThekaText.h"
#include "sound/TalaTheka.h"

namespace {

using common::notation::Words;

constexpr int16_t kThekaSet = 4;
constexpr int16_t kTala = 1;
constexpr int16_t kBeats = 16;

const soundlib::ThekaData& Data() {
  static const soundlib::ThekaData data = [] {
    const std::string path = fuzz::ScratchFolder() + "/clb.kzy";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const std::string text = fuzz::ThekaFileText();
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    soundlib::ThekaData read;
    if (!read.Read(path, kThekaSet)) fuzz::Fail("the fixture theka file was refused");
    return read;
  }();
  return data;
}

// A content database with tala 1 and its theka in set 4, open as the program opens it.
void OpenContent() {
  static const bool done = [] {
    const std::string path = fuzz::ScratchFolder() + "/mrA.kzy";
    std::string rows = "INSERT INTO \"Tala - Technical Information\" VALUES (1, 'Teentaal', 16);\n";
    const int bols[kBeats] = {1, 2, 2, 1, 1, 2, 2, 1, 1, 3, 3, 5, 5, 2, 2, 1};
    for (int beat = 1; beat <= kBeats; ++beat)
      rows += "INSERT INTO \"ThekaTypeBolsForTaal\" VALUES (4, 1, " + std::to_string(beat) + ", " +
              std::to_string(bols[beat - 1]) + ");\n";
    fuzz::RunSql(path, fuzz::SchemaSql("shared.sql") + fuzz::SchemaSql("content.sql") + rows);
    shell::DatabaseA = dao::Database::OpenDatabase(path, true, true, shell::kDatabaseConnect);
    return true;
  }();
  (void)done;
}

// A phrase of one note per duration (ms), as the library reads it.
bool PhraseOf(const std::vector<double>& ms, soundlib::Phrase& phrase) {
  std::string notes, durations;
  for (double d : ms) {
    notes += "21 ";
    durations += vb::FormatGeneral(d) + " ";
  }
  return soundlib::ParsePhrase(static_cast<int32_t>(ms.size()), notes, durations, phrase);
}

}  // namespace

// Input: a choice byte (tempo and starting beat), the theka text line, then a
// composition's duration list in matras.
VELMORA_FUZZ_TARGET(theka) {
  OpenContent();
  const unsigned char choice = fuzz::Choice(input);
  const std::string text(fuzz::Line(input));
  const std::string matras(input);
  soundlib::ThekaTiming timing;
  timing.tempoMs = 100.0 * (choice % 8);
  timing.startBeat = choice / 8 % kBeats + 1;
  timing.beatCount = kBeats;
  std::vector<soundlib::StrokeEvent> events;

  // Any theka text, under notes of half a second.
  soundlib::Phrase phrase;
  size_t tokens = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] != ' ' && text[i] != '\t' && (i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t')) ++tokens;
  if (tokens > 0 && tokens < 2000 && PhraseOf(std::vector<double>(tokens, 500.0), phrase))
    (void)soundlib::ReadTheka(text, phrase, timing, Data(), events);

  // The program's theka text for the composition's durations, which the library must read.
  if (Words(matras, " ").size() > 64) return;  // one line of a composition
  common::CompDataRec& part = common::TCompData[0];
  part = common::CompDataRec{};
  part.TalaId = kTala;
  part.StartingBeat = timing.startBeat;
  part.NotesDuration = matras;
  std::string made;
  try {
    made = sound::fCreateTalaStringForCompFromT(1, kThekaSet);
  } catch (const vb::VbError&) {
    return;  // a value the program's types cannot hold: reported as an error
  }
  if (timing.tempoMs <= 0) return;
  std::vector<double> ms;
  double total = 0;
  for (const std::string& word : Words(matras, " ")) {
    const double m = static_cast<float>(vb::Val(word));
    if (!(m > 0 && m <= 64)) return;  // the rule below is for sensible lengths only
    ms.push_back(m * timing.tempoMs);
    total += ms.back();
  }
  if (ms.empty() || ms.size() > 500 || total > soundlib::kMaxPhraseMs) return;
  if (!PhraseOf(ms, phrase)) return;
  if (!soundlib::ReadTheka(made, phrase, timing, Data(), events))
    fuzz::Fail("the library refused the program's own theka text '" + made + "' for the matras '" + matras + "'");
}
