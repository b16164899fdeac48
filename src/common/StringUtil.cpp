#include "common/StringUtil.h"

#include <algorithm>

#include "common/CommonState.h"
#include "common/Trace.h"
#include "platform/vb/Error.h"

namespace common {

namespace {

int32_t Split(const std::string& text, const std::string& separator, std::vector<int32_t>& starts,
              std::vector<int32_t>& lengths) {
  if (separator.empty()) vb::Raise(vb::kInvalidCall);
  starts.clear();
  lengths.clear();
  const size_t len = text.size();
  size_t position = 0;  // 0-based here; the lists hold 1-based starts
  while (true) {
    size_t f = text.find(separator[0], position);
    if (f == std::string::npos) {
      if (position < len) {
        starts.push_back(static_cast<int32_t>(position + 1));
        lengths.push_back(static_cast<int32_t>(len - position));
      }
      break;
    }
    if (f > position) {
      starts.push_back(static_cast<int32_t>(position + 1));
      lengths.push_back(static_cast<int32_t>(f - position));
    }
    position = f + 1;
  }
  return static_cast<int32_t>(starts.size());
}

std::string Word(const std::string& text, int32_t n, const std::vector<int32_t>& starts,
                 const std::vector<int32_t>& lengths, int32_t count) {
  if (n < 1) vb::Raise(vb::kSubscript);
  if (n > count) return "";
  const size_t start = static_cast<size_t>(starts[n - 1] - 1);
  if (start >= text.size()) return "";
  return text.substr(start, static_cast<size_t>(lengths[n - 1]));
}

}  // namespace

int32_t fParseString(const std::string& text, const std::string& separator) {
  ProcTrace t("fParseString");
  ParsedWordCount = Split(text, separator, ParsedWordStart, ParsedWordLength);
  return ParsedWordCount;
}

std::string fGetWord(const std::string& text, int32_t n) {
  ProcTrace t("fGetWord");
  return Word(text, n, ParsedWordStart, ParsedWordLength, ParsedWordCount);
}

int32_t fParseString1(const std::string& text, const std::string& separator, std::vector<int32_t>& starts,
                      std::vector<int32_t>& lengths) {
  ProcTrace t("fParseString1");
  return Split(text, separator, starts, lengths);
}

std::string fGetWord1(const std::string& text, int32_t n, const std::vector<int32_t>& starts,
                      const std::vector<int32_t>& lengths) {
  ProcTrace t("fGetWord1");
  return Word(text, n, starts, lengths, static_cast<int32_t>(std::min(starts.size(), lengths.size())));
}

std::string fRmvAllChar(const std::string& text, const std::string& ch) {
  ProcTrace t("fRmvAllChar");
  if (ch.size() != 1) return text;
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != ch[0]) out += c;
  }
  return out;
}

std::string fRmvLeadBlk(const std::string& text) {
  ProcTrace t("fRmvLeadBlk");
  size_t p = text.find_first_not_of(' ');
  return p == std::string::npos ? std::string() : text.substr(p);
}

std::string fRmvTrailBlk(const std::string& text) {
  ProcTrace t("fRmvTrailBlk");
  size_t p = text.find_last_not_of(' ');
  return p == std::string::npos ? std::string() : text.substr(0, p + 1);
}

}  // namespace common
