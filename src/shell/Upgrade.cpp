#include "shell/Upgrade.h"

#include "common/Trace.h"

namespace shell {

// Stand-in until the carry-over is built: copies nothing and leaves the file alone.
void sHandleUpgrade(const std::string& earlierDatabase) { common::ProcTrace t("sHandleUpgrade"); }

}  // namespace shell
