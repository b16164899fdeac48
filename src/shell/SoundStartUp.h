// The sound start-up after the databases are open, and the tips panel of the main form.
#pragma once

#include <cstdint>

namespace shell {

// Prepares the sound library (global variables, main instrument, note seeds and drone
// data, theka data, in this order), shows the main form with its menus disabled, plays
// the greeting drone and starts the start-up timer. A step that fails shows its message
// and ends the sound start-up: the main form is then shown with only Exit enabled, as no
// screen can be used without sound.
void sInitApp1();

// 0 the end of the start-up wait or "&Next Tip": the tips panel with the next tip when
// tips are on (and there are any), else the ready main menu; 1 "O&K": leave the tips
// panel and make the main menu ready. Every code first stops the start-up timer.
void sInitApp2(int16_t& action);

// Shows the tip after LastTip (after the last one, the first) in the tips panel.
void sLoadNextTip();

}  // namespace shell
