// Splitting texts into words at a one-character separator, and removing characters.
// fParseString keeps its result in the shared split (CommonState.h); fParseString1
// writes into arrays of the caller, so two splits can stay alive at once. The
// split lists grow with the text: no number of words is too many.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace common {

// Number of words of text between separators; empty words are skipped.
int32_t fParseString(const std::string& text, const std::string& separator);
// Word n (1-based) of the last fParseString split of text; "" past the last word.
// n below 1 is error 9 (subscript out of range).
std::string fGetWord(const std::string& text, int32_t n);

int32_t fParseString1(const std::string& text, const std::string& separator, std::vector<int32_t>& starts,
                      std::vector<int32_t>& lengths);
std::string fGetWord1(const std::string& text, int32_t n, const std::vector<int32_t>& starts,
                      const std::vector<int32_t>& lengths);

std::string fRmvAllChar(const std::string& text, const std::string& ch);
std::string fRmvLeadBlk(const std::string& text);
std::string fRmvTrailBlk(const std::string& text);

}  // namespace common
