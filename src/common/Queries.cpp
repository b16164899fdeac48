#include "common/Queries.h"

#include "common/CommonState.h"
#include "common/Trace.h"
#include "platform/dao/JetSql.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace common {

namespace {

std::string Number(int32_t x) { return std::to_string(x); }

// The sort piece of query 19 for a sorting mode: inserted after " )) ORDER BY".
std::string SortPiece(int16_t sortingMode) {
  switch (sortingMode) {
    case 1: return " [Raga - Technical Information].Thata, ";
    case 2: return " [Raga - Technical Information].Jati, ";
    case 3: return " [Raga - Technical Information].VadiNum, ";
    case 4: return " [Raga - Technical Information].SamvadiNum, ";
    case 5: return " [Raga - Technical Information].[Appropriate time], ";
    default: return "";
  }
}

}  // namespace

std::string fQuoteSQLText(const std::string& value) { return dao::DoubleQuoted(value); }

void sSetSQLStrings() {
  ProcTrace t("sSetSQLStrings");
  SQLStr1 = std::string("SELECT RagaNameList.Raga FROM [Raga - Technical Information]") + " INNER JOIN RagaNameList ON" +
            " [Raga - Technical Information].[Raga Index] =" + " RagaNameList.[Raga Index] ORDER BY RagaNameList.Raga;";
  SQLStr2 = std::string("SELECT [Scale Shift Specs].NPSetName From [Scale Shift Specs]") +
            " ORDER BY [Scale Shift Specs].NPSetName;";
  SQLStr3 = std::string("SELECT [Tala - Technical Information].[Tala Name]") + " From [Tala - Technical Information]" +
            " ORDER BY [Tala - Technical Information].[Tala Name];";

  SQLStr4Part1 = std::string("SELECT RagaNameList.Raga") + " From RagaNameList" + " WHERE (((RagaNameList.Level)=";
  SQLStr4Part2 = "));";

  SQLStr5Part1 = std::string("SELECT [Raga - Additional Information].[Add Info]") +
                 " From [Raga - Additional Information]" +
                 " WHERE ((([Raga - Additional Information].[Add Info Type])=";
  SQLStr5Part2 = ") AND (([Raga - Additional Information].[Raga Index])=";
  SQLStr5Part3 = "));";

  SQLStr7Part1 = std::string("SELECT [Raga - Additional Information].[Add Info]") +
                 " From [Raga - Additional Information]" + " WHERE ((([Raga - Additional Information].[Raga Index])=";
  SQLStr7Part2 = ") AND (([Raga - Additional Information].[Add Info Type])=";
  SQLStr7Part3 = ") AND (([Raga - Additional Information].[Notation Index])>0));";

  SQLStr11Part1 = std::string("SELECT [Note Specifications].[Note Id],") + " [Note Specifications].SamPerCyc," +
                  " [Note Specifications].[Fractional Value]" + " From [Note Specifications] WHERE" +
                  " ((([Note Specifications].[Instr Name]) = ";
  SQLStr11Part2 = " )) ORDER BY [Note Specifications].[Note Id];";

  SQLStr12Part1 = std::string("SELECT [Sample Values].[Sample Value]") + " From [Sample Values] Where" +
                  " ((([Sample Values].[Instr Name]) = ";
  SQLStr12Part2 = " ) And (([Sample Values].[Note Id]) = ";
  SQLStr12Part3 = ")) ORDER BY [Sample Values].[Sample Id];";

  SQLStr13Part1 = std::string("SELECT RagaNameList.Raga ") + " FROM RagaNameList" +
                  " INNER JOIN [Raga - Technical Information] ON" + " RagaNameList.[Raga Index] =" +
                  " [Raga - Technical Information].[Raga Index] " + " Where (((RagaNameList.Level) <";
  SQLStr13Part2 = ")) ORDER BY RagaNameList.Raga;";

  SQLStr16Part1 = std::string("SELECT RagaNameList.Raga") + " From RagaNameList" + " WHERE (((RagaNameList.Level)<=";
  SQLStr16Part2 = "));";

  SQLStr19Part1 = std::string("SELECT [Raga - Technical Information].Thata,") + " [Raga - Technical Information].Jati," +
                  " [Raga - Technical Information].Vadi," + " [Raga - Technical Information].VadiNum," +
                  " [Raga - Technical Information].Samvadi," + " [Raga - Technical Information].SamvadiNum," +
                  " [Raga - Technical Information].[Appropriate time]," + " RagaNameList.Raga" +
                  " FROM [Raga - Technical Information]" + " INNER JOIN RagaNameList ON" +
                  " [Raga - Technical Information].[Raga Index] = RagaNameList.[Raga Index]" +
                  " Where (((RagaNameList.Level) <= ";
  SQLStr19Part2 = " )) ORDER BY";
  SQLStr19Part3 = " RagaNameList.Raga;";

  SQLStr24Part1 = std::string("SELECT [Reed Colors].[Reed Number] From [Reed Colors]") +
                  " Where ((([Reed Colors].[Reed Number]) >= ";
  SQLStr24Part2 = " And ([Reed Colors].[Reed Number]) <= ";
  SQLStr24Part3 = ") And (([Reed Colors].[Color Code]) = ";
  SQLStr24Part4 = "))ORDER BY [Reed Colors].[Reed Number];";
}

void sPatchSQLStr4(int16_t level) {
  ProcTrace t("sPatchSQLStr4");
  SQLStr4 = SQLStr4Part1 + Number(level) + SQLStr4Part2;
}

void sPatchSQLStr5(int16_t addInfoType) {
  ProcTrace t("sPatchSQLStr5");
  SQLStr5 = SQLStr5Part1 + Number(addInfoType) + SQLStr5Part2 + Number(CurrRagaIndex) + SQLStr5Part3;
}

void sPatchSQLStr7(int16_t ragaIndex, int16_t addInfoType) {
  ProcTrace t("sPatchSQLStr7");
  SQLStr7 = SQLStr7Part1 + Number(ragaIndex) + SQLStr7Part2 + Number(addInfoType) + SQLStr7Part3;
}

void sPatchSQLStr11(const std::string& instrName) {
  ProcTrace t("sPatchSQLStr11");
  SQLStr11 = SQLStr11Part1 + fQuoteSQLText(instrName) + SQLStr11Part2;
}

void sPatchSQLStr12(const std::string& instrName, int32_t noteId) {
  ProcTrace t("sPatchSQLStr12");
  SQLStr12 = SQLStr12Part1 + fQuoteSQLText(instrName) + SQLStr12Part2 + Number(noteId) + SQLStr12Part3;
}

void sPatchSQLStr13(int16_t bound) {
  ProcTrace t("sPatchSQLStr13");
  SQLStr13 = SQLStr13Part1 + Number(bound) + SQLStr13Part2;
}

void sPatchSQLStr16(int16_t level) {
  ProcTrace t("sPatchSQLStr16");
  SQLStr16 = SQLStr16Part1 + Number(level) + SQLStr16Part2;
}

void sPatchSQLStr19() {
  ProcTrace t("sPatchSQLStr19");
  SQLStr19 = SQLStr19Part1 + "3" + SQLStr19Part2 + SortPiece(shell::SortingMode) + SQLStr19Part3;
}

void sPatchSQLStr24(int16_t colorCode) {
  ProcTrace t("sPatchSQLStr24");
  SQLStr24 = SQLStr24Part1 + Number(sound::FirstReed) + SQLStr24Part2 + Number(sound::LastReed) + SQLStr24Part3 +
             Number(colorCode) + SQLStr24Part4;
}

}  // namespace common
