// A point at which a test can stop the program between two statements sent to a
// database: the kill tests end the process there, to see what the file holds when a save
// is cut short at that moment. Empty in the program.
#pragma once

#include <functional>
#include <string>

namespace dao {

// Called once for every statement the layer runs on a database, right after the
// database has carried it out (its first step), with the file's name as opened and the
// statement's SQL text. Statements that fail are not reported.
inline std::function<void(const std::string& file, const std::string& sql)> AfterStatement;

}  // namespace dao
