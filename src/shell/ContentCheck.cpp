#include "shell/ContentCheck.h"

#include <string>

#include "common/Notation.h"
#include "common/Trace.h"
#include "common/UserRows.h"
#include "platform/dao/Errors.h"
#include "platform/dao/Recordset.h"
#include "sound/NoteTuning.h"

namespace shell {

namespace {

// Queries in the program's dialect: names in brackets, text values in double quotes.
// The seed lengths and sample values a seed can have (NoteSeeds.cpp, the sound library).
constexpr const char* kSeedRules =
    "[Note Id] IS NULL OR [Note Id] < 0 OR [Note Id] > 41 OR [SamPerCyc] IS NULL OR [SamPerCyc] < 2 OR "
    "[SamPerCyc] > 65536 OR [Fractional Value] IS NULL OR [Fractional Value] < 0 OR [Fractional Value] >= 1";

// Every column "00" to "26" of a scale set: a Null, or an adjustment larger than any seed.
std::string ScaleColumnRules() {
  std::string rules = "[TonicNoteId] IS NULL OR [TonicNoteId] < 1 OR [TonicNoteId] > 12";
  for (int k = 0; k <= 26; ++k) {
    const std::string column = std::string("[") + static_cast<char>('0' + k / 10) + static_cast<char>('0' + k % 10) + "]";
    rules += " OR " + column + " IS NULL OR abs(" + column + ") > " +
             std::to_string(static_cast<int>(sound::kLargestScaleAdjustment));
  }
  return rules;
}

struct Rule {
  const char* table;
  std::string badRows;  // a query that counts the rows breaking the rule
  const char* what;     // what those rows hold
};

// A tala's beat count as the screens take it: a whole number from 1 to 999.
constexpr const char* kBeatCountRule =
    "typeof([Beat Count]) <> \"integer\" OR [Beat Count] < 1 OR [Beat Count] > 999";

// The beats of every tala (with a usable beat count) that have no bol of the theka set
// the program plays (4).
constexpr const char* kMissingThekaBeats =
    "WITH RECURSIVE beats(tala, beat, beats) AS (SELECT [Tala Id], 1, [Beat Count] FROM [Tala - Technical "
    "Information] WHERE typeof([Beat Count]) = \"integer\" AND [Beat Count] BETWEEN 1 AND 999 UNION ALL SELECT "
    "tala, beat + 1, beats FROM beats WHERE beat < beats) SELECT count(*) FROM beats WHERE NOT EXISTS (SELECT 1 "
    "FROM [ThekaTypeBolsForTaal] AS k WHERE k.[Tala Id] = tala AND k.[Theka Type Id] = 4 AND k.[Tala Bol Id] = beat "
    "AND typeof(k.[Theka Bol Id]) = \"integer\")";

// Every column of a raga's technical data but "Thata" is read without a test for Null.
std::string TechnicalNullRule() {
  std::string rule = "SELECT count(*) FROM [Raga - Technical Information] WHERE 0";
  for (const char* column : {"Jati", "Vadi", "VadiNum", "Samvadi", "SamvadiNum", "Appropriate time", "DroneType",
                             "OPRSetId", "Notes", "AarohaAlt", "AaDuration", "AvrohaAlt", "AvDuration", "Pakad",
                             "PakadDuration"})
    rule += std::string(" OR [") + column + "] IS NULL";
  return rule;
}

int64_t Count(const dao::Database& db, const std::string& query) {
  auto rs = db.OpenRecordset(query, dao::dbOpenSnapshot);
  const int64_t n = rs.Eof() ? 0 : rs.Fields(0).ToLong();
  rs.Close();
  return n;
}

// A phrase list that the play loop would refuse halfway: checked as a learner's is.
void RaiseBadPhrases(const dao::Database& content, const char* table, const std::string& raga,
                     const std::string& fault) {
  dao::RaiseDbError(dao::kDamagedDatabase, "The table '" + std::string(table) + "' of the database '" + content.Name() +
                                               "' holds phrases of the raga " + raga + " that cannot be played: " +
                                               fault + ".");
}

void CheckPhraseLists(const dao::Database& content) {
  common::sInitScales();  // the note names the phrases are read by
  auto alt = content.OpenRecordset("Raga - ALT Phrases", dao::dbOpenTable);
  for (; !alt.Eof(); alt.MoveNext()) {
    const vb::Variant type = alt.Fields("PhraseType");
    const auto phraseType = static_cast<int16_t>(type.IsNumber() ? type.ToDouble() : 0);
    const std::string fault =
        phraseType < 1 || phraseType > 3
            ? std::string("its kind is not 1, 2 or 3")
            : common::fALTRowFault(alt.Fields("NotesPhrase"), alt.Fields("DurationPhrase"), phraseType,
                                   common::RowUse::Play);
    if (!fault.empty()) RaiseBadPhrases(content, "Raga - ALT Phrases", alt.Fields("RagaIndex").ToString(), fault);
  }
  alt.Close();
  // The scale and the pakad are one list each, checked as an alap is.
  auto tech = content.OpenRecordset("Raga - Technical Information", dao::dbOpenTable);
  for (; !tech.Eof(); tech.MoveNext()) {
    for (const auto& [notes, durations] : {std::pair{"AarohaAlt", "AaDuration"}, std::pair{"AvrohaAlt", "AvDuration"},
                                           std::pair{"Pakad", "PakadDuration"}}) {
      const std::string fault =
          common::fALTRowFault(tech.Fields(notes), tech.Fields(durations), 1, common::RowUse::Play);
      if (!fault.empty())
        RaiseBadPhrases(content, "Raga - Technical Information", tech.Fields("Raga Index").ToString(),
                        std::string(notes) + ": " + fault);
    }
  }
  tech.Close();
}

}  // namespace

void CheckContentRows(const dao::Database& content) {
  common::ProcTrace t("CheckContentRows");
  const Rule rules[] = {
      {"Note Specifications", std::string("SELECT count(*) FROM [Note Specifications] WHERE ") + kSeedRules,
       "a note seed whose note, length or fraction is missing or out of range"},
      {"Note Specifications",
       "SELECT 84 - count(*) FROM (SELECT DISTINCT lower([Instr Name]), [Note Id] FROM [Note Specifications] "
       "WHERE lower([Instr Name]) IN (\"c\", \"e\") AND [Note Id] BETWEEN 0 AND 41)",
       "too few note seeds (notes 0 to 41 of instruments \"c\" and \"e\" are needed)"},
      {"Sample Values",
       "SELECT count(*) FROM [Sample Values] WHERE [Sample Value] IS NULL OR [Sample Value] < -32768 OR "
       "[Sample Value] > 32767",
       "a sample value that is missing or out of range"},
      {"Sample Values",
       "SELECT count(*) FROM [Note Specifications] AS n WHERE NOT EXISTS (SELECT 1 FROM [Sample Values] AS s "
       "WHERE s.[Instr Name] = n.[Instr Name] AND s.[Note Id] = n.[Note Id])",
       "no samples for a note seed"},
      {"ONPR", "SELECT count(*) FROM [ONPR] WHERE " + ScaleColumnRules(),
       "a scale set whose tonic or adjustments are missing or out of range"},
      {"KZForms",
       "SELECT count(*) FROM [KZForms] AS f WHERE [TotalControlCount] IS NULL OR [TotalControlCount] < 0 OR "
       "[TotalControlCount] > (SELECT count(*) FROM [KZFormControls] AS c WHERE c.[Form Id] = f.[Form Id])",
       "a form whose count of controls is missing or larger than its layout rows"},
      {"KZFormControls",
       "SELECT count(*) FROM [KZFormControls] WHERE [LocRatX] IS NULL OR [LocRatY] IS NULL OR [SizRatWidth] IS "
       "NULL OR [SizRatHeight] IS NULL OR abs([LocRatX]) > 2 OR abs([LocRatY]) > 2 OR abs([SizRatWidth]) > 2 OR "
       "abs([SizRatHeight]) > 2",
       "a control whose place or size is missing or out of range"},
      // The ragas: each listed one with its technical data, its notes and its alap, and no
      // technical data of a raga that is not listed.
      {"RagaNameList",
       "SELECT count(*) FROM [RagaNameList] AS n WHERE NOT EXISTS (SELECT 1 FROM [Raga - Technical Information] AS "
       "t WHERE t.[Raga Index] = n.[Raga Index]) OR NOT EXISTS (SELECT 1 FROM [Raga - Notes] AS r WHERE r.[Raga "
       "Index] = n.[Raga Index]) OR NOT EXISTS (SELECT 1 FROM [Raga - ALT Phrases] AS a WHERE a.[RagaIndex] = "
       "n.[Raga Index] AND a.[PhraseType] = 1)",
       "a raga without its technical data, its notes or its alap phrases"},
      {"Raga - Technical Information",
       "SELECT count(*) FROM [Raga - Technical Information] AS t WHERE NOT EXISTS (SELECT 1 FROM [RagaNameList] AS "
       "n WHERE n.[Raga Index] = t.[Raga Index])",
       "the technical data of a raga that is not in the list of ragas"},
      {"Raga - Technical Information", TechnicalNullRule(), "a raga whose technical data has a value missing"},
      {"Raga - Notes", "SELECT count(*) FROM [Raga - Notes] WHERE [Raga Note Ids] IS NULL",
       "a raga whose notes are missing"},
      // The talas and the theka of every beat of each.
      {"Tala - Technical Information",
       std::string("SELECT count(*) FROM [Tala - Technical Information] WHERE [Tala Name] IS NULL OR ") +
           kBeatCountRule,
       "a tala whose name is missing or whose beat count is not a whole number from 1 to 999"},
      {"ThekaTypeBolsForTaal", kMissingThekaBeats, "no bol for a beat of a tala"},
      {"Raga - Composition Notations",
       "SELECT count(*) FROM [Raga - Composition Notations] AS c WHERE NOT EXISTS (SELECT 1 FROM [Tala - Technical "
       "Information] AS t WHERE t.[Tala Id] = c.[Tala Id] AND typeof(c.[Starting Beat]) = \"integer\" AND "
       "c.[Starting Beat] BETWEEN 1 AND t.[Beat Count]) OR typeof([Playing Speed]) <> \"integer\" OR "
       "[Playing Speed] < 1 OR [Playing Speed] > 999",
       "a notation whose tala, starting beat or beat duration is missing or out of range"},
  };
  for (const Rule& rule : rules) {
    if (Count(content, rule.badRows) > 0)
      dao::RaiseDbError(dao::kDamagedDatabase, "The table '" + std::string(rule.table) + "' of the database '" +
                                                   content.Name() + "' holds " + rule.what + ".");
  }
  CheckPhraseLists(content);
}

}  // namespace shell
