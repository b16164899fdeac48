// The raga selection screen RagaSelection1 (form id 9): every raga of the content
// database in a six-column grid of its technical data, sorted by any column; a click
// on a raga makes it current and opens the illustration screen over this one.
#pragma once

#include <array>
#include <cstdint>

namespace forms {
class Form;
class FormSpec;
}  // namespace forms

namespace exploration {

// Dispatcher of the screen: 0 open, 1 a raga row was clicked, 2 reload the grid in the
// current sort order, 3 a header column was clicked, 20 leave; other codes do nothing.
void sSelectRaga(int16_t& action);

void sInitRagaSelection();
// Lays out the header grid cRagaListT and the raga grid cRagaList under it, and fills
// the raga grid from the query of the current SortingMode.
void sLoadRagaSelectionGrid();
void sTerminateRagaSelection();

// The sort mode a click on header column `column` selects (columns 0 Raga, 1 Thata,
// 2 Vadi, 3 Samvadi, 4 Jati, 5 Time); -1 for any other column.
int16_t fSortModeOfColumn(int32_t column);

// The screen's declaration and its form object.
forms::FormSpec DeclareRagaSelection1();
forms::Form* RagaSelectionForm();

}  // namespace exploration
