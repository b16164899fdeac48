// Small word helpers shared by the notation sources (Notation.cpp, LibraryText.cpp).
// They split with fParseString1, so they never disturb the shared split of a caller
// that is walking its own fParseString words.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace common::notation {

// The words of text between separators (one character), empty words skipped.
std::vector<std::string> Words(const std::string& text, const char* separator);

// The words joined by separator.
std::string Join(const std::vector<std::string>& words, const char* separator);

// A note word and the one colon that may stand against its start or, failing that,
// its end: ":G" is {":", "G", ""}, "G:" is {"", "G", ":"}, ":" alone is {":", "", ""}.
struct ColonWord {
  std::string Lead;
  std::string Core;
  std::string Trail;
};
ColonWord SplitColon(const std::string& word);

// Index 0 to 35 of name in table, -1 when no entry matches (exact comparison).
int16_t FindNote(const std::array<std::string, 37>& table, const std::string& name);

}  // namespace common::notation
