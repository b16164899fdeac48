// Event loops run inside an event: a message box, a modal form, a wait for a play
// to end. The event that started such a loop still holds references to members and
// windows, so what is unloaded while it runs is deleted only once the outermost of
// these loops has ended and control is back in the program's own event loop.
#pragma once

namespace forms {

// Held for the time of one nested event loop. While any is held, unloaded windows
// and members are kept; the end of the outermost one schedules their deletion.
class NestedLoop {
 public:
  NestedLoop();
  ~NestedLoop();
  NestedLoop(const NestedLoop&) = delete;
  NestedLoop& operator=(const NestedLoop&) = delete;

  // How many nested loops are running.
  static int Depth();
};

}  // namespace forms
