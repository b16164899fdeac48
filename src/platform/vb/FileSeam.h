// A point at which a test makes the text files' writes fail as a full disk makes them.
// Empty in the program.
#pragma once

#include <functional>
#include <string>

namespace vb {

// Called before each write of a text file (AppendLines, WriteLines) with its name; an
// answer other than 0 is the system error the write then fails with.
inline std::function<int(const std::string& file)> BeforeTextFileWrite;

}  // namespace vb
