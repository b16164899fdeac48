// The database selector, the Seek procedures through which every keyed read of a table
// goes, and the small lookups the whole program shares (raga, tala, prompts, tips,
// version, temporary folder). Every lookup opens and closes its own table recordset
// on the content database; nothing is cached between calls.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dao/Database.h"
#include "platform/dao/Recordset.h"
#include "platform/vb/Variant.h"

namespace common {

// The database of a database code: 1 the content database (shell::DatabaseA), 2 the
// user database (shell::DatabaseB), no object for any other code (opening a recordset
// on it is then error 91).
dao::Database fDatabaseForCode(int16_t code);
// The database that CurrDBSelector selects.
dao::Database fSetDatabase();

// Seek "=" on exactly the keys given, on the named index or on "PrimaryKey". The
// recordset is left on the first matching row, or with NoMatch() True.
void sSetTableIndexRecord(dao::Recordset& rs, const std::string& indexName, const vb::Variant& key);
void sSetTableIndexRecord2(dao::Recordset& rs, const std::string& indexName, const vb::Variant& key1,
                           const vb::Variant& key2);
void sSetTablePKRecord(dao::Recordset& rs, const vb::Variant& key);
void sSetTablePKRecord2(dao::Recordset& rs, const vb::Variant& key1, const vb::Variant& key2);
void sSetTablePKRecord3(dao::Recordset& rs, const vb::Variant& key1, const vb::Variant& key2,
                        const vb::Variant& key3);

// The "Raga Index" of a raga name (any letter case); 0 when the name is unknown.
int16_t fGetRagaId(const std::string& ragaName);
// The name of a raga index; "" when the index is unknown.
std::string fGetRagaName(int16_t ragaIndex);
// The "Raga Index" of the row at the 0-based position of "Raga - Technical Information"
// in stored order; it also becomes CurrRagaIndex and the drone follows the raga.
// A position at or past the end is error 3021.
int16_t fGetSeqRagaId(int16_t position);

// Tala lookups; an unknown name or id is error 3021.
int16_t fGetTalaId(const std::string& talaName);
std::string fGetTalaName(int16_t talaId);
int16_t fGetBeatCountForTala(int16_t talaId);

// The sum of a duration phrase's blank-separated numbers, rounded half to even; "" gives 0.
int16_t fGetBeatCountForPhrase(const std::string& durationPhrase);

// The prompt line of a comma-separated list of prompt numbers, joined by " - "; a number
// without a prompt leaves only its separator.
std::string fGetPrompts(const std::string& promptNumbers);

// The number of rows of "KZTips".
int16_t fGetKZTipCount();

// The version text "2.2".
std::string fGetKZVerString();

// The private temporary-files folder of this run, ending with the separator ("" when none).
std::string fGetTempFilesPathName();

}  // namespace common
