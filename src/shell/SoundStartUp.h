// The sound start-up after the databases are open, and the tips panel of the main form.
#pragma once

#include <cstdint>

namespace shell {

// Prepares the sound library, shows the main form with its menus disabled, plays the
// greeting drone and starts the start-up timer.
void sInitApp1();

// 0 the end of the start-up wait or "&Next Tip", 1 "O&K": leave the tips panel and
// make the main menu ready. Every code first stops the start-up timer.
void sInitApp2(int16_t& action);

}  // namespace shell
