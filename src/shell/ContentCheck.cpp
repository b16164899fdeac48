#include "shell/ContentCheck.h"

#include <string>

#include "common/Trace.h"
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

int64_t Count(const dao::Database& db, const std::string& query) {
  auto rs = db.OpenRecordset(query, dao::dbOpenSnapshot);
  const int64_t n = rs.Eof() ? 0 : rs.Fields(0).ToLong();
  rs.Close();
  return n;
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
  };
  for (const Rule& rule : rules) {
    if (Count(content, rule.badRows) > 0)
      dao::RaiseDbError(dao::kDamagedDatabase, "The table '" + std::string(rule.table) + "' of the database '" +
                                                   content.Name() + "' holds " + rule.what + ".");
  }
}

}  // namespace shell
