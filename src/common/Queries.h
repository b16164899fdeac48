// The numbered query texts. sSetSQLStrings builds their fixed parts once at start; a
// patch procedure splices the current values between the parts and stores the complete
// text in the query's shared string (CommonState.h), which the caller opens as a
// snapshot on the database it chooses:
//
//   sPatchSQLStr5(2);
//   auto rs = shell::DatabaseA.OpenRecordset(SQLStr5, dao::dbOpenSnapshot);
//
// The texts are in the old engine's dialect (names in brackets, text values in double
// quotes); the database layer runs them as they stand. Numbers are spliced in plain
// decimal; a text value has any double quote inside it doubled, so it always stays one
// text value. Results without an ORDER BY come back sorted by their columns (see
// platform/dao/Recordset.h).
#pragma once

#include <cstdint>
#include <string>

namespace common {

// Builds every fixed part and the complete texts of queries 1, 2 and 3.
void sSetSQLStrings();

// Query 4: the ragas of one level.
void sPatchSQLStr4(int16_t level);
// Query 5: "Add Info" of CurrRagaIndex with that "Add Info Type".
void sPatchSQLStr5(int16_t addInfoType);
// Query 7: "Add Info" of a raga and type that have notation ("Notation Index" > 0).
void sPatchSQLStr7(int16_t ragaIndex, int16_t addInfoType);
// Query 11: the note seeds of an instrument, by "Note Id".
void sPatchSQLStr11(const std::string& instrName);
// Query 12: the sample values of one note seed, by "Sample Id".
void sPatchSQLStr12(const std::string& instrName, int32_t noteId);
// Query 13: the ragas with technical data below a level, by name.
void sPatchSQLStr13(int16_t bound);
// Query 16: the ragas up to a level.
void sPatchSQLStr16(int16_t level);
// Query 19: the raga grid, in the order of shell::SortingMode, then by name.
void sPatchSQLStr19();
// Query 24: the reeds of a colour code between sound::FirstReed and sound::LastReed.
void sPatchSQLStr24(int16_t colorCode);

// A text value for a query: between double quotes, any double quote inside doubled.
std::string fQuoteSQLText(const std::string& value);

}  // namespace common
