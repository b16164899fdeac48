// The composer Composer (form id 27).
#pragma once

#include <cstdint>

namespace composer {

// Dispatcher of the composer; every action first sets CallbackCode to 11, action 0 opens it.
void sComposer(int16_t& action);

}  // namespace composer
