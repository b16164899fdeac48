// What a line of the illustration lists names: the item words the dispatcher and the
// phrase loaders read, and the item's caption.
#include <array>
#include <string>
#include <string_view>

#include "common/CommonState.h"
#include "common/RagaTables.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "common/UserRows.h"
#include "exploration/MainOperations.h"
#include "exploration/Screens.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Error.h"
#include "shell/ShellState.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace exploration {

namespace {

// The first word of a list line and the item it names. titleWord is the word the
// entry's title starts at (0: the line names a phrase list of the raga, no entry);
// phraseType 0 leaves CurrPhraseType as it is.
struct Keyword {
  std::string_view word;
  int16_t phraseType;
  int16_t musicItemType;
  int16_t itemKind;
  int32_t titleWord;
  int16_t addInfoType;
};
constexpr std::array<Keyword, 8> kKeywords{{
    {"Aroha", 6, 1, 1, 0, 0},
    {"Pakad", 7, 3, 2, 0, 0},
    {"Alap", 1, 4, 3, 0, 0},
    {"Layakari", 2, 5, 4, 0, 0},
    {"Taan", 3, 6, 5, 0, 0},
    {"Composition", 5, 8, 6, 3, 2},
    {"Similar", 0, 7, 7, 4, 1},
    {"Film", 0, 9, 6, 4, 3},
}};

bool NoItem() {
  sound::CurrItemKind = 0;
  return false;
}

}  // namespace

bool sSetMusicParameters(const std::string& itemText, int16_t database) {
  common::ProcTrace t("sSetMusicParameters");
  const int32_t words = common::fParseString(itemText, " ");
  if (words < 1) return NoItem();
  const std::string first = common::fGetWord(itemText, 1);
  const Keyword* key = nullptr;
  for (const Keyword& k : kKeywords)
    if (k.word == first) key = &k;
  if (key == nullptr) return NoItem();
  // A line that carries the keyword but no title (a heading) names no entry.
  if (key->titleWord > words) return NoItem();

  std::string title;
  if (key->titleWord > 0)
    title = itemText.substr(static_cast<size_t>(common::ParsedWordStart[key->titleWord - 1] - 1));

  // The learner's own items are checked before anything is read from them: a damaged
  // row is refused with a message and the screen goes on.
  if (database == 2) {
    const bool list = key->titleWord == 0;
    const std::string fault = list ? common::fUserALTRowFault(common::CurrRagaIndex, key->phraseType, common::RowUse::Play)
                                   : common::fUserCompositionFault(common::CurrRagaIndex, title, common::RowUse::Play);
    if (!fault.empty()) {
      common::sReportDamagedUserRow(
          list ? common::fUserALTItem(key->phraseType, common::CurrRagaName) : common::fUserCompositionItem(title), fault);
      return NoItem();
    }
  }
  if (key->phraseType != 0) common::CurrPhraseType = key->phraseType;
  sound::CurrMusicItemType = key->musicItemType;
  sound::CurrItemKind = key->itemKind;
  if (key->titleWord == 0) return true;

  common::CurrAddInfo = title;
  common::sDBToTCompInfo(database, key->addInfoType, common::CurrAddInfo);
  if (common::CurrNotationIndex == 0) return NoItem();  // not found: the message has been shown
  common::sDBToTCompData(database, common::CurrNotationIndex);
  if (key->word == "Film") {
    sound::CurrOperationMode = 1;
    FrontForm().Ctl("Option1").SetValue(1);
  }
  return true;
}

void sSetCurrItemDesc() {
  common::ProcTrace t("sSetCurrItemDesc");
  forms::Control& info = FrontForm().Ctl("cInfo");
  const std::string counter =
      std::to_string(sound::TMNInfo.CurrPhrase) + "/" + std::to_string(sound::TMNInfo.PhraseCount) + ")";
  switch (sound::CurrMusicItemType) {
    case 1: info.SetText("Aroha and Avroha"); break;
    case 3: info.SetText("Pakad pattern"); break;
    case 4: info.SetText("(Alap " + counter); break;
    case 5: info.SetText("(Layakari Phrase " + counter); break;
    case 6: info.SetText("(Taan " + counter); break;
    default: break;
  }
}

}  // namespace exploration
