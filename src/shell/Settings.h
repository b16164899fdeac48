// The user settings: built-in defaults and the rows of "User Parameters".
#pragma once

namespace shell {

// Sets every setting to its start value, then reads the stored rows over them. A Null
// or empty row gives the setting's default; a value outside its range gives the
// default too, with a line in "ignoerr.txt"; a missing row is taken as Null.
void sSetDefaultOptions();
// Writes the settings back into "User Parameters" in one transaction, adding a row
// that is missing.
void sSaveUsageParameters();

}  // namespace shell
