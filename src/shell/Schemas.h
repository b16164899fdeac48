// The schema of each database as the build makes it (content/schema): the tables,
// columns and indexes the program relies on, checked at start-up.
#pragma once

#include <string>

namespace shell {

// SQLite statements that create the content database's tables and indexes.
std::string ContentSchemaSql();
// SQLite statements that create the user database's tables and indexes (and its
// settings rows).
std::string UserSchemaSql();

}  // namespace shell
