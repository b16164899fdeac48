// Menu check marks and the enabling of the main menu, on the form in front (CurrForm),
// reaching each item by name (any letter case). A check procedure may only be called
// while a form that carries its group is in front.
//
// Each group's Uncheck clears the marks of all its items; its Check calls Uncheck and
// then marks the item of the setting's current value (none for a value without one).
#pragma once

#include <cstdint>

namespace forms {
class FormSpec;
}

namespace shell {

// GraceNotes: 1 "No Grace Notes", 2 "Use Grace Notes".
void sMnuGraceNotesUncheck();
void sMnuGraceNotesCheck();
// KeyboardDisplay: 1 "Show Keyboard", 2 "Don't Show Keyboard".
void sMnuKeyboardDisplayUncheck();
void sMnuKeyboardDisplayCheck();
// The quiz's NotationDisplay: 0 "Don't show Notation", 1 "Show Notation".
void sMnuNotationUncheck();
void sMnuNotationCheck();
// NotationScript: 1 "Devnagari", any other value "English".
void sMnuNotationScriptUncheck();
void sMnuNotationScriptCheck();
// The composer's NotePallet: 1 "Notes For Raga Only", 2 "All Notes".
void sMnuNotePalletUncheck();
void sMnuNotePalletCheck();
// SortingMode: 0 "Raga", 1 "Thata", 2 "Jati", 3 "Vadi Note", 4 "Samvadi Note", 5 "Appropriate Time".
void sMnuRagaSortingModeUncheck();
void sMnuRagaSortingModeCheck();
// Theka: 1 "Use Theka", 2 "No Theka".
void sMnuThekaUncheck();
void sMnuThekaCheck();
// TipSignal: 1 "Show Tips at Start", 0 "Don't Show Tips at start".
void sMnuTipsUncheck();
void sMnuTipsCheck();
// CurrTonicNoteId 1 to 12, marked only with one of the program's own scale sets
// (CurrMusicSetId 12 or less).
void sMnuTonicNoteUncheck();
void sMnuTonicNoteCheck();

// Without the trace facility both trace items are hidden; with it, "Trace On" or
// "TraceOff" is checked after TraceOn.
void sMnuTraceCheck();
// Tracing on (-1) or off (0), with the trace items' marks after it.
void sSetTrace(int16_t on);
// "Help" with its F1 line, and the two trace items that switch tracing on and off, as
// the screens' menu bars end.
void DeclareHelpAndTraceMenus(forms::FormSpec& f);

// The main form's Exit button and its top-level menus, disabled or enabled.
void sDisableKZSelections();
void sEnableAllKZSelections();
void sEnableKZSelections();

}  // namespace shell
