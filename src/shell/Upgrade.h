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
// - A row whose key is already there (or a scale set or pattern whose name is) is left
//   out, with a record in "ignoerr.txt"; the earlier file is then kept, renamed aside,
//   so nothing of it is lost. Otherwise the earlier file is deleted.
// - On any failure nothing is changed in the user database: the earlier file is
//   renamed aside, the user is told, and the start goes on.
void sHandleUpgrade(const std::string& earlierDatabase);

}  // namespace shell
