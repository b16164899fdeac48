// Menu check marks and the enabling of the main menu, on the form in front (CurrForm),
// reaching each item by name.
#pragma once

namespace shell {

// The tips group: "Show Tips at Start" checked for TipSignal 1, "Don't Show Tips at
// start" for 0, neither for another value.
void sMnuTipsUncheck();
void sMnuTipsCheck();

// Without the trace facility both trace items are hidden; with it, "Trace On" or
// "TraceOff" is checked after TraceOn.
void sMnuTraceCheck();

// The main form's Exit button and its top-level menus, disabled or enabled.
void sDisableKZSelections();
void sEnableAllKZSelections();
void sEnableKZSelections();

}  // namespace shell
