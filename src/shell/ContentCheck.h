// The rows of the content database that the start-up and the screens read without a
// test of their own: the instruments' note seeds, the built-in scale sets, the layout of
// the forms, the ragas (each with its technical data, notes and alap; the phrase lists
// playable), the talas with the theka of every beat, and the talas and beats of the
// notations. A Null or a value outside what the program can use there would otherwise
// surface as a program error in the middle of the start-up or later on a screen,
// without naming the file.
#pragma once

#include "platform/dao/Database.h"

namespace shell {

// Raises error 3049 (damaged database) naming the database, the table and what is
// wrong with it, at the first rule that a row breaks; returns when every rule holds.
void CheckContentRows(const dao::Database& content);

}  // namespace shell
