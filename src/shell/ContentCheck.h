// The rows of the content database that the start-up reads before any screen opens:
// the instruments' note seeds, the built-in scale sets and the layout of the forms. A
// Null or a value outside what the program can use there would otherwise surface as a
// program error in the middle of the start-up, without naming the file.
#pragma once

#include "platform/dao/Database.h"

namespace shell {

// Raises error 3049 (damaged database) naming the database, the table and what is
// wrong with it, at the first rule that a row breaks; returns when every rule holds.
void CheckContentRows(const dao::Database& content);

}  // namespace shell
