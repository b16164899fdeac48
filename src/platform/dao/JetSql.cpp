#include "platform/dao/JetSql.h"

#include <cctype>

#include "platform/vb/Error.h"

namespace dao {

namespace {

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// Reads the literal that starts at jet[i] (a quote character q); returns its value
// and leaves i after the closing quote. A doubled quote stands for one. Returns
// false when the literal has no closing quote.
bool ReadLiteral(std::string_view jet, size_t& i, std::string& value) {
  const char q = jet[i++];
  while (true) {
    if (i >= jet.size()) return false;
    const char c = jet[i++];
    if (c == q) {
      if (i < jet.size() && jet[i] == q) {
        value += q;
        ++i;
        continue;
      }
      return true;
    }
    value += c;
  }
}

void AppendSqliteLiteral(std::string& out, const std::string& value) {
  out += '\'';
  for (char c : value) {
    if (c == '\'') out += '\'';
    out += c;
  }
  out += '\'';
}

}  // namespace

std::string DoubleQuoted(std::string_view text) {
  std::string q = "\"";
  for (char c : text) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

JetQuery TranslateJetSql(std::string_view jet) {
  JetQuery q;
  std::string& out = q.sql;
  bool ended = false;
  std::string_view lastWord;
  size_t i = 0;
  while (i < jet.size()) {
    const char c = jet[i];
    if (c == '"' || c == '\'') {
      std::string value;
      if (!ReadLiteral(jet, i, value)) {
        vb::Signal(vb::kQuerySyntax, "Syntax error in query expression: a text value has no closing quote.");
        q.valid = false;
        return q;
      }
      AppendSqliteLiteral(out, value);
      lastWord = {};
    } else if (c == '[') {
      const size_t close = jet.find(']', i);
      if (close == std::string_view::npos) {
        vb::Signal(vb::kQuerySyntax, "Syntax error in query expression: a bracketed name has no closing bracket.");
        q.valid = false;
        return q;
      }
      out.append(jet.substr(i, close - i + 1));
      i = close + 1;
      lastWord = {};
    } else if (IsWordChar(c)) {
      const size_t start = i;
      while (i < jet.size() && IsWordChar(jet[i])) ++i;
      const std::string_view word = jet.substr(start, i - start);
      if (!ended && SameWord(word, "BY") && SameWord(lastWord, "ORDER")) q.hasOrderBy = true;
      lastWord = word;
      out.append(word);
    } else {
      if (c == ';' && !ended) {
        ended = true;
        q.statementEnd = out.size();
      }
      out += c;
      ++i;
      // "--" and "/*" start comments in SQLite: keep the characters apart.
      if ((c == '-' && i < jet.size() && jet[i] == '-') || (c == '/' && i < jet.size() && jet[i] == '*')) out += ' ';
      if (!std::isspace(static_cast<unsigned char>(c))) lastWord = {};
    }
  }
  if (!ended) q.statementEnd = out.size();
  return q;
}

}  // namespace dao
