// The workbench Workshop (form id 13).
#pragma once

#include <cstdint>

namespace workshop {

// Dispatcher of the workbench; every action first sets CallbackCode to 8, action 0 opens it.
void sWorkshop(int16_t& action);

}  // namespace workshop
