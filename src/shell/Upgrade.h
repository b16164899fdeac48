// Carrying a user's data over from the user database of an earlier installation.
#pragma once

#include <string>

namespace shell {

// Copies the user's rows of the earlier database into DatabaseB, all in one
// transaction: scale sets ("ONPR", "Scale Shift Specs"), additional information,
// ALT phrases, composition notations, "User Patterns", and the stored settings onto
// the rows of the same name. Runs before the settings are read, so the earlier
// settings take effect.
//
// - A scale set, composition or pattern whose id is taken by another one in the user
//   database arrives under the next free id (references follow it: the notation of
//   a composition, the stored scale set of the settings).
// - Every row added is recorded in the user database ("Carried Over Rows") in the same
//   transaction, so running the carry-over again with the same file (after a kill
//   before it was deleted, or the file placed again) adds nothing twice.
// - A row carried over before, or whose key is already there (or a scale set or pattern
//   whose name is), is left out; so is a row that belongs to nothing ("ONPR" rows
//   without their set's "Scale Shift Specs" row, a notation no item refers to, a
//   pattern without a name). Each gets a record in "ignoerr.txt", and the earlier file
//   is then kept, renamed aside, so nothing of it is lost. Otherwise it is deleted.
// - On any failure nothing is changed in the user database: the earlier file is
//   renamed aside, the user is told where (and, on a full disk, to free space and put
//   it back), and the start goes on.
void sHandleUpgrade(const std::string& earlierDatabase);

}  // namespace shell
