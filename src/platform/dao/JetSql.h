// Turns a query text in the Windows database engine's dialect into SQLite's.
//
// The program's query texts put text values between double quotes ([Instr Name] = "c");
// SQLite reads a double-quoted token as a name first. Every double-quoted literal
// therefore becomes a single-quoted one ("" inside it stands for one double quote,
// as in the old dialect), single quotes inside it are doubled, and nothing inside a
// literal can end it early or change the query. Bracketed names ([Raga Index]) stay
// as they are; SQLite accepts them. Two dashes or "/*" outside a literal are split
// apart, so a spliced negative number can never start a comment.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dao {

struct JetQuery {
  std::string sql;        // the SQLite text
  bool hasOrderBy = false;  // the statement has an ORDER BY of its own (outside brackets)
  size_t statementEnd = 0;  // length of sql up to the first ";" outside literals (or the whole text)
  bool valid = true;        // false when a syntax error was signalled and passed over
};

// The text between double quotes with every double quote inside doubled: a text value
// of the old dialect, and equally a name in SQLite's.
std::string DoubleQuoted(std::string_view text);

// Translates one query text. An unterminated literal or bracket signals error 3075
// (which may be passed over: the result is then marked not valid).
JetQuery TranslateJetSql(std::string_view jet);

}  // namespace dao
