// Carrying a user's data over from the user database of an earlier installation.
#pragma once

#include <string>

namespace shell {

// Copies the user's rows of the earlier database into DatabaseB and deletes it.
void sHandleUpgrade(const std::string& earlierDatabase);

}  // namespace shell
