// The user settings: built-in defaults and the rows of "User Parameters".
#pragma once

namespace shell {

// Sets every setting to its default, then reads the stored rows over them.
void sSetDefaultOptions();
// Writes the settings back into "User Parameters".
void sSaveUsageParameters();

}  // namespace shell
