#include "platform/vb/Interaction.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace vb {

namespace {
MsgBoxHandler& MsgBoxSlot() {
  static MsgBoxHandler h;
  return h;
}
EndHandler& EndSlot() {
  static EndHandler h;
  return h;
}
}  // namespace

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler) { return std::exchange(MsgBoxSlot(), std::move(handler)); }

int MsgBox(const std::string& prompt, int buttons, const std::string& title) {
  if (MsgBoxSlot()) return MsgBoxSlot()(prompt, buttons, title);
  std::fprintf(stderr, "%s: %s\n", title.empty() ? "Velmora" : title.c_str(), prompt.c_str());
  switch (buttons & 7) {
    case vbYesNo:
    case vbYesNoCancel: return vbYes;
    default: return vbOK;
  }
}

EndHandler SetEndHandler(EndHandler handler) { return std::exchange(EndSlot(), std::move(handler)); }

void End(int code) {
  if (EndSlot()) EndSlot()(code);
  std::fflush(nullptr);
  std::_Exit(code);
}

}  // namespace vb
