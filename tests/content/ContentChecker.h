// The content checker: every row of a content database that a screen would trip over,
// one clear line each (table, row, what is wrong). An empty list means the content is
// fit to ship. Tables that other parts of the build fill later (thekas, note seeds,
// scale sets, form layout) are checked once they hold rows.
#pragma once

#include <string>
#include <vector>

#include "platform/dao/Database.h"

namespace contentcheck {

std::vector<std::string> CheckContent(const dao::Database& db);

}  // namespace contentcheck
